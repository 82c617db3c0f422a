#pragma once
// A message sink that keeps every message with its kind, so tests can check texts and order.

#include "market/MessageSink.h"

#include <deque>
#include <string>
#include <vector>

namespace qm::test {

struct RecordedMessage {
    enum class Kind { Information, Error, Warning, Confirm } kind;
    std::string text;
    friend bool operator==(const RecordedMessage&, const RecordedMessage&) = default;
};

class RecordingSink final : public MessageSink {
public:
    std::vector<RecordedMessage> messages;
    std::deque<bool> answers; // answers to confirm(), in order; no when empty

    void information(std::string_view text) override {
        add(RecordedMessage::Kind::Information, text);
    }
    void error(std::string_view text) override { add(RecordedMessage::Kind::Error, text); }
    void warning(std::string_view text) override { add(RecordedMessage::Kind::Warning, text); }
    bool confirm(std::string_view text) override {
        add(RecordedMessage::Kind::Confirm, text);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }

private:
    void add(RecordedMessage::Kind kind, std::string_view text) {
        messages.push_back({kind, std::string(text)});
    }
};

} // namespace qm::test
