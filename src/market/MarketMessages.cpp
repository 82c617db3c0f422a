#include "MarketMessages.h"

namespace qm::msg {
namespace {

constexpr std::size_t kMaxShownText = 80;

std::string replaced(std::string_view message, std::string_view placeholder,
                     std::string_view value) {
    const std::size_t at = message.find(placeholder);
    if (at == std::string_view::npos) return std::string(message);
    std::string out;
    out.reserve(message.size() + value.size());
    out.append(message.substr(0, at));
    out.append(value);
    out.append(message.substr(at + placeholder.size()));
    return out;
}

} // namespace

std::string withText(std::string_view message, std::string_view text) {
    std::string shown;
    const bool cut = text.size() > kMaxShownText;
    for (const char c : text.substr(0, kMaxShownText)) {
        const auto u = static_cast<unsigned char>(c);
        shown += u < 0x20 || u == 0x7F ? '?' : c;
    }
    if (cut) shown += "...";
    return replaced(message, "%s", shown);
}

std::string withCode(std::string_view message, int code) {
    return replaced(message, "%d", std::to_string(code));
}

std::string fieldCount(std::string_view line, std::size_t fields, std::size_t named,
                       bool commaHint) {
    const std::string counted =
        replaced(replaced(kFieldCount, "%d", std::to_string(fields)), "%d", std::to_string(named));
    std::string text = withText(counted, line);
    if (commaHint) text += kCommaIsDecimalMark;
    return text;
}

} // namespace qm::msg
