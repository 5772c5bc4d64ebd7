#include "TSplashV.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>

namespace qw::app {

namespace {
constexpr int kFrame = 2;
constexpr int kPictureWidth = 488;
constexpr int kPictureHeight = 600;
} // namespace

TSplashV::TSplashV(const QString& picturePath)
    : QFrame(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName("TSplashV");
    setWindowTitle("2011 Season");
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kFrame);
    setFixedSize(kPictureWidth + 2 * kFrame, kPictureHeight + 2 * kFrame);
    QImageReader reader(picturePath);
    picture_ = QPixmap::fromImage(reader.read());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashV::showAndPaint()
{
    show();
    repaint();
    QGuiApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplashV::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), Qt::black);
    if (!picture_.isNull())
        painter.drawPixmap(contentsRect(), picture_);
    painter.end();
    QFrame::paintEvent(event);
}

} // namespace qw::app
