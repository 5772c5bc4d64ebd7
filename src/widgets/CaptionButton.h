#pragma once

#include <QAbstractButton>
#include <QColor>

namespace qw::widgets {

// A flat caption button as the result grids and the page furniture use it:
// a filled rectangle with a one-pixel border and a centred caption, whose
// fill and text change while the mouse is over it. The caption can be
// switched off without losing its text (the engine blanks a cell that way),
// and "&&" in a caption shows as one ampersand. It takes the focus from the
// Tab key (a click leaves the focus where it is), shows it as a frame in its
// caption colour, and is pressed by Space or Enter. A screen reader reads it
// as its accessible name (a cell's place, say "Size, row 1") followed by
// the caption it shows, or the caption alone.
class CaptionButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CaptionButton(QWidget* parent = nullptr);

    QColor fillColour() const { return fill_; }
    QColor borderColour() const { return border_; }
    QColor fontColour() const { return font_; }
    QColor hoverFillColour() const { return hoverFill_; }
    QColor hoverFontColour() const { return hoverFont_; }
    bool showCaption() const { return showCaption_; }
    bool isHovered() const { return hovered_; }

    void setFillColour(const QColor& colour);
    void setBorderColour(const QColor& colour);
    void setFontColour(const QColor& colour);
    void setHoverColours(const QColor& fill, const QColor& font);
    void setShowCaption(bool show);
    // Command buttons show that they are off: dimmed text, no hover. Grid
    // cells (the default), most of which never take clicks, keep their
    // colours and still light up under the mouse; disabled, they never click.
    void setDimWhenDisabled(bool dim);

    // The colours actually painted now (hover applied), for the eye and for tests.
    QColor paintedFill() const;
    QColor paintedFont() const;

    QSize sizeHint() const override;

    // What a screen reader reads: the accessible name and the shown caption.
    QString spokenName() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool showsHover() const;
    void setColour(QColor& member, const QColor& colour);

    QColor fill_{Qt::white};
    QColor border_{Qt::black};
    QColor font_{Qt::black};
    QColor hoverFill_;
    QColor hoverFont_;
    bool showCaption_ = true;
    bool dimWhenDisabled_ = false;
    bool hovered_ = false;
};

} // namespace qw::widgets
