#pragma once

#include <QFrame>
#include <QPixmap>

namespace qw::app {

// The splash picture shown while start-up runs: no title bar, a 2-pixel
// frame round a 488 x 600 picture, centred on the screen.
class TSplashV : public QFrame {
    Q_OBJECT
public:
    explicit TSplashV(const QString& picturePath);

    // Shows the window and paints it now, before the event loop runs.
    void showAndPaint();
    bool hasPicture() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace qw::app
