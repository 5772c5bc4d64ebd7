#pragma once

// A message sink that keeps every message in order instead of showing it:
// the command-line tools report them, and the tests check them.

#include "MessageSink.h"

#include <string>
#include <vector>

namespace qw {

class RecordingSink : public MessageSink {
public:
    struct Message {
        bool error;
        std::string text;
        int helpContext;
    };

    void information(const std::string& text, int helpContext) override
    {
        messages.push_back({false, text, helpContext});
    }
    void error(const std::string& text) override { messages.push_back({true, text, 0}); }

    int errorCount() const
    {
        int count = 0;
        for (const Message& message : messages)
            count += message.error ? 1 : 0;
        return count;
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> all;
        for (const Message& message : messages)
            all.push_back(message.text);
        return all;
    }
    void clear() { messages.clear(); }

    std::vector<Message> messages;
};

} // namespace qw
