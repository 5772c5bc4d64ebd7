#pragma once

#include <QLineEdit>

namespace qw::widgets {

// The borderless text box of a number input. Typing is free: what text is
// acceptable is the engine's business, not the box's.
class NumberEntry : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEntry(const QString& text, QWidget* parent = nullptr);

    void setFontColour(const QColor& colour);
    QColor fontColour() const;
};

} // namespace qw::widgets
