#pragma once
// The settings stream: the tagged byte encoding of every settings file. A file is the list-begin
// tag, the records' values in their fixed order, and the end-of-list tag. Texts are UTF-8 inside
// the program.
//
// Reads throw SettingsError: "Invalid property value" for a tag the read does not accept,
// "Stream read error" when the bytes run out (or a length field points past them).

#include <array>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qm {

// A settings file that cannot be read, opened or created; what() is the message for the user.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SettingsWriter {
public:
    void beginList();
    void endList();
    void writeInteger(std::int32_t value);
    void writeBoolean(bool value);
    void writeFloat(double value); // as an 80-bit extended float
    void writeText(std::string_view utf8);

    const std::string& bytes() const { return bytes_; }

    // Writes the bytes to `file` atomically, so a failed save leaves the old file as it was;
    // throws SettingsError ("Cannot create file ...").
    void saveTo(const std::filesystem::path& file) const;

private:
    std::string bytes_;
};

class SettingsReader {
public:
    explicit SettingsReader(std::string bytes);
    // Reads a whole file; throws SettingsError ("Cannot open file ...").
    static SettingsReader fromFile(const std::filesystem::path& file);

    void readListBegin();
    bool endOfList() const; // the next tag is 0 (not consumed); a read error at the end
    void readListEnd();
    std::int32_t readInteger();
    bool readBoolean(); // one byte, whatever it is: true only for the true tag
    double readFloat(); // an extended float, or an integer value in its place
    // As readFloat, for fields held as singles: rounded once from the stored value, and a value
    // that is not a finite single is an invalid property value.
    float readSingle();
    std::string readText();

    std::size_t remaining() const { return bytes_.size() - pos_; }

private:
    std::uint8_t nextByte();
    std::string_view take(std::uint64_t count);
    std::uint32_t littleEndian(int byteCount);
    std::int32_t integerAfter(std::uint8_t tag);
    std::array<std::uint8_t, 10> extendedPayload();

    std::string bytes_;
    std::size_t pos_ = 0;
};

} // namespace qm
