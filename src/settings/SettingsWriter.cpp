#include "ExtendedFloat.h"
#include "FileBytes.h"
#include "SettingsStream.h"
#include "SettingsTags.h"
#include "TextCodec.h"

#include <limits>

namespace qm {

using namespace settings_tags;

namespace {

void appendLittleEndian(std::string& out, std::uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) out += char(value >> (8 * i));
}

} // namespace

void SettingsWriter::beginList() {
    bytes_ += char(kListBegin);
}

void SettingsWriter::endList() {
    bytes_ += char(kEndOfList);
}

void SettingsWriter::writeInteger(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    if (value >= -128 && value <= 127) {
        bytes_ += char(kInt8);
        appendLittleEndian(bytes_, bits, 1);
    } else if (value >= -32768 && value <= 32767) {
        bytes_ += char(kInt16);
        appendLittleEndian(bytes_, bits, 2);
    } else {
        bytes_ += char(kInt32);
        appendLittleEndian(bytes_, bits, 4);
    }
}

void SettingsWriter::writeBoolean(bool value) {
    bytes_ += char(value ? kTrue : kFalse);
}

void SettingsWriter::writeFloat(double value) {
    bytes_ += char(kExtended);
    for (const std::uint8_t b : toExtended(value)) bytes_ += char(b);
}

void SettingsWriter::writeText(std::string_view utf8) {
    // Pure ASCII keeps the tags every reader of this format understands; anything else is
    // stored as UTF-8, so no character is lost to a code page.
    if (utf8.size() > std::numeric_limits<std::int32_t>::max())
        throw std::length_error("text too long for a settings file");
    const auto length = static_cast<std::uint32_t>(utf8.size());
    if (!isAscii(utf8)) {
        bytes_ += char(kUtf8Text);
        appendLittleEndian(bytes_, length, 4);
    } else if (length <= 255) {
        bytes_ += char(kShortText);
        appendLittleEndian(bytes_, length, 1);
    } else {
        bytes_ += char(kLongText);
        appendLittleEndian(bytes_, length, 4);
    }
    bytes_ += utf8;
}

void SettingsWriter::saveTo(const std::filesystem::path& file) const {
    writeFileBytes(file, bytes_);
}

} // namespace qm
