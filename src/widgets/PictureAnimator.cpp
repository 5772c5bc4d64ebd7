#include "PictureAnimator.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace qw::widgets {

PictureAnimator::PictureAnimator(QList<QPixmap> frames, int intervalMs, QWidget* parent)
    : QWidget(parent), frames_(std::move(frames))
{
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &PictureAnimator::advance);
    setCursor(Qt::PointingHandCursor);
}

PictureAnimator::PictureAnimator(const QStringList& frameFiles, int intervalMs, QWidget* parent)
    : PictureAnimator(QList<QPixmap>(frameFiles.size()), intervalMs, parent)
{
    files_ = frameFiles;
}

int PictureAnimator::framesLoaded() const
{
    return int(std::count_if(frames_.cbegin(), frames_.cend(),
                             [](const QPixmap& frame) { return !frame.isNull(); }));
}

const QPixmap& PictureAnimator::frame(int index)
{
    if (frames_[index].isNull() && index < files_.size())
        frames_[index].load(files_[index]);
    return frames_[index];
}

void PictureAnimator::advance()
{
    if (frames_.isEmpty())
        return;
    index_ = (index_ + 1) % int(frames_.size());
    update();
}

void PictureAnimator::paintEvent(QPaintEvent*)
{
    if (frames_.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), frame(index_));
}

void PictureAnimator::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace qw::widgets
