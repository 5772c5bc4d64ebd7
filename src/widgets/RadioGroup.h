#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

namespace qw::widgets {

// A framed group of radio items with an item index (0-based, -1 for none)
// and a click event. itemClicked fires on every click by the user, also on
// the item already selected; setItemIndex, the program's way, fires nothing.
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

    void setFontColour(const QColor& colour);
    QColor fontColour() const;

signals:
    void itemClicked(int index);

private:
    QButtonGroup group_;
    QList<QRadioButton*> buttons_;
};

} // namespace qw::widgets
