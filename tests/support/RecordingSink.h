#pragma once
// A message sink that keeps every message with its kind, so tests can check texts and order.

#include "market/MessageSink.h"

#include <cstdint>
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
    struct Place {
        std::string file;
        std::int64_t line = 0;
        friend bool operator==(const Place&, const Place&) = default;
    };

    std::vector<RecordedMessage> messages;
    std::vector<Place> places; // of the messages about a line of a file, in order
    std::deque<bool> answers;  // answers to confirm(), in order; no when empty

    void information(std::string_view text) override {
        add(RecordedMessage::Kind::Information, text);
    }
    void informationAt(std::string_view file, std::int64_t line, std::string_view text) override {
        places.push_back({std::string(file), line});
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
