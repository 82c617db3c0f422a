#include "ExtendedFloat.h"
#include "FileBytes.h"
#include "SettingsMessages.h"
#include "SettingsStream.h"
#include "SettingsTags.h"
#include "TextCodec.h"

#include <cmath>

namespace qm {

using namespace settings_tags;

namespace {

[[noreturn]] void invalidValue() {
    throw SettingsError(std::string(settings_messages::kInvalidPropertyValue));
}

[[noreturn]] void readError() {
    throw SettingsError(std::string(settings_messages::kStreamReadError));
}

} // namespace

SettingsReader::SettingsReader(std::string bytes) : bytes_(std::move(bytes)) {}

SettingsReader SettingsReader::fromFile(const std::filesystem::path& file) {
    return SettingsReader(readFileBytes(file));
}

std::uint8_t SettingsReader::nextByte() {
    if (pos_ >= bytes_.size()) readError();
    return static_cast<std::uint8_t>(bytes_[pos_++]);
}

std::string_view SettingsReader::take(std::uint64_t count) {
    // Checked before anything is allocated, so a damaged length cannot ask for gigabytes.
    if (count > remaining()) readError();
    const std::string_view out = std::string_view(bytes_).substr(pos_, std::size_t(count));
    pos_ += std::size_t(count);
    return out;
}

std::uint32_t SettingsReader::littleEndian(int byteCount) {
    const std::string_view b = take(std::uint64_t(byteCount));
    std::uint32_t value = 0;
    for (int i = byteCount - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(b[std::size_t(i)]);
    return value;
}

std::int32_t SettingsReader::integerAfter(std::uint8_t tag) {
    switch (tag) {
    case kInt8:
        return static_cast<std::int8_t>(littleEndian(1));
    case kInt16:
        return static_cast<std::int16_t>(littleEndian(2));
    case kInt32:
        return static_cast<std::int32_t>(littleEndian(4));
    default:
        invalidValue();
    }
}

void SettingsReader::readListBegin() {
    if (nextByte() != kListBegin) invalidValue();
}

bool SettingsReader::endOfList() const {
    if (pos_ >= bytes_.size()) readError();
    return static_cast<std::uint8_t>(bytes_[pos_]) == kEndOfList;
}

void SettingsReader::readListEnd() {
    if (nextByte() != kEndOfList) invalidValue();
}

std::int32_t SettingsReader::readInteger() {
    return integerAfter(nextByte());
}

bool SettingsReader::readBoolean() {
    return nextByte() == kTrue;
}

ExtendedBytes SettingsReader::extendedPayload() {
    const std::string_view b = take(10);
    ExtendedBytes out;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::uint8_t>(b[i]);
    return out;
}

double SettingsReader::readFloat() {
    const std::uint8_t tag = nextByte();
    if (tag == kExtended) return extendedToDouble(extendedPayload());
    return integerAfter(tag);
}

float SettingsReader::readSingle() {
    const std::uint8_t tag = nextByte();
    if (tag != kExtended) return static_cast<float>(integerAfter(tag));
    const float value = extendedToSingle(extendedPayload());
    if (!std::isfinite(value)) invalidValue();
    return value;
}

std::string SettingsReader::readText() {
    switch (nextByte()) {
    case kShortText:
        return cp1252ToUtf8(take(littleEndian(1)));
    case kLongText:
        return cp1252ToUtf8(take(littleEndian(4)));
    case kWideText:
        return utf16leToUtf8(take(std::uint64_t{littleEndian(4)} * 2));
    case kUtf8Text:
        return validUtf8(take(littleEndian(4)));
    default:
        invalidValue();
    }
}

} // namespace qm
