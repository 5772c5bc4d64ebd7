#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

class QRegularExpression;

namespace qw::widgets {

// A framed group of radio items with an item index (0-based, -1 for none)
// and a click event. itemClicked fires on every click by the user, also on
// the item already selected; setItemIndex, the program's way, fires nothing.
// From the keyboard the group is one stop: Tab lands on the selected item
// (the first when none is), the arrow keys select the previous or next item
// (a keyboard choice, so itemClicked fires as for a click), and Tab leaves.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns = 1,
               QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const { return int(buttons_.size()); }
    QRadioButton* item(int index) const { return buttons_.at(index); }
    QStringList items() const;

    // The label colour of an enabled group; a disabled group keeps the
    // palette's disabled colour so that it always looks disabled.
    void setFontColour(const QColor& colour);
    QColor fontColour() const;

    // Shows the part of each item's text that `figures` matches in a column
    // of its own, lined up across the items, whatever blanks the text uses
    // to separate it. The texts themselves (items()) stay as they are.
    void setFigureColumn(const QRegularExpression& figures);

signals:
    void itemClicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateTabStop();
    void selectByKeyboard(int from, int direction);

    QButtonGroup group_;
    QList<QRadioButton*> buttons_;
};

} // namespace qw::widgets
