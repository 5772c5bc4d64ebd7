#pragma once

#include <core/MessageSink.h>

class QWidget;

namespace qw::app {

// Shows the engine's and the commands' messages as message boxes titled
// with the application's title, and counts the errors, so that start-up can
// tell whether its first run failed.
class MessageBoxSink : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void information(const std::string& text, int helpContext) override;
    void error(const std::string& text) override;

private:
    QWidget* parent_;
};

// Forwards to another sink and remembers whether an error went through.
class CountingSink : public MessageSink {
public:
    explicit CountingSink(MessageSink& target) : target_(target) {}
    void information(const std::string& text, int helpContext) override
    {
        target_.information(text, helpContext);
    }
    void error(const std::string& text) override
    {
        ++errors_;
        target_.error(text);
    }
    int errorCount() const { return errors_; }

private:
    MessageSink& target_;
    int errors_ = 0;
};

} // namespace qw::app
