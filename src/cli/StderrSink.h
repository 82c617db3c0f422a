#pragma once
// The command line's message sink: every message goes to stderr; questions are answered no
// unless the user said yes beforehand.

#include "market/MessageSink.h"

#include <cstdio>

namespace qm::cli {

class StderrSink final : public MessageSink {
public:
    explicit StderrSink(bool assumeYes = false) : assumeYes_(assumeYes) {}
    void information(std::string_view text) override { print("", text); }
    void informationAt(std::string_view file, std::int64_t line, std::string_view text) override {
        std::fprintf(stderr, "%.*s:%lld: %.*s\n", static_cast<int>(file.size()), file.data(),
                     static_cast<long long>(line), static_cast<int>(text.size()), text.data());
    }
    void error(std::string_view text) override { print("error: ", text); }
    void warning(std::string_view text) override { print("warning: ", text); }
    bool confirm(std::string_view text) override {
        print(assumeYes_ ? "(yes) " : "(no) ", text);
        return assumeYes_;
    }

private:
    static void print(const char* prefix, std::string_view text) {
        std::fprintf(stderr, "%s%.*s\n", prefix, static_cast<int>(text.size()), text.data());
    }
    bool assumeYes_;
};

} // namespace qm::cli
