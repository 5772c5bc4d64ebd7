#pragma once

// The about window: the splash picture as background, the maker's name,
// address and years, a link to the maker's web site and "OK".

#include <QDialog>
#include <QPixmap>
#include <QStringList>

namespace qw::app {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The maker's four lines, top to bottom.
    static const QStringList& makerLines();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap background_;
};

} // namespace qw::app
