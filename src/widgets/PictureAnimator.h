#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace qw::widgets {

// Shows one picture of a list at a time and moves to the next on a timer,
// round and round. A click is reported (the banners open a web page).
// Frames given as files are read when first shown: the banners' later
// frames are not due for minutes, and reading them all would slow start-up.
class PictureAnimator : public QWidget {
    Q_OBJECT
public:
    PictureAnimator(QList<QPixmap> frames, int intervalMs, QWidget* parent = nullptr);
    PictureAnimator(const QStringList& frameFiles, int intervalMs, QWidget* parent = nullptr);

    int frameCount() const { return int(frames_.size()); }
    // Frames read so far (file-based frames).
    int framesLoaded() const;
    int frameIndex() const { return index_; }
    int interval() const { return timer_.interval(); }
    bool isRunning() const { return timer_.isActive(); }
    void start() { timer_.start(); }
    void stop() { timer_.stop(); }

public slots:
    void advance();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QPixmap& frame(int index);

    QList<QPixmap> frames_;
    QStringList files_;
    QTimer timer_;
    int index_ = 0;
};

} // namespace qw::widgets
