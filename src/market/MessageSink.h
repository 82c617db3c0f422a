#pragma once
// How code below the user interface reports the system's messages. The desktop program shows
// them in message boxes, the command line prints them to stderr, tests record them.

#include <cstdint>
#include <string_view>

namespace qm {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void information(std::string_view text) = 0;
    // Information about one line of a file (`line` counts from 1). The desktop shows the text
    // as it stands; the command line puts the place before it, as compilers do
    // ("FILE:LINE: text").
    virtual void informationAt(std::string_view /*file*/, std::int64_t /*line*/,
                               std::string_view text) {
        information(text);
    }
    virtual void error(std::string_view text) = 0;
    virtual void warning(std::string_view text) = 0;
    // A yes/no question; true for yes.
    virtual bool confirm(std::string_view text) = 0;
};

// Drops every message and answers no; for callers that have nobody to tell.
class SilentSink final : public MessageSink {
public:
    void information(std::string_view) override {}
    void error(std::string_view) override {}
    void warning(std::string_view) override {}
    bool confirm(std::string_view) override { return false; }
};

} // namespace qm
