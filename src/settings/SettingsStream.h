#pragma once
// The settings stream: the tagged byte encoding of every settings file. A file is the list-begin
// tag, the records' values in their fixed order, and the end-of-list tag. Texts are UTF-8 inside
// the program.

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

    // Writes the bytes to `file` atomically; throws SettingsError ("Cannot create file ...").
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
    bool endOfList() const; // the next tag is 0 (not consumed)
    void readListEnd();
    std::int32_t readInteger();
    bool readBoolean();
    double readFloat();
    std::string readText();

private:
    std::string bytes_;
    std::size_t pos_ = 0;
};

} // namespace qm
