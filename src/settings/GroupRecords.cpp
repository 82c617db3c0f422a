#include "GroupRecords.h"

#include "ListFile.h"
#include "SettingsMessages.h"
#include "SettingsStream.h"

#include <algorithm>

namespace qm {
namespace {

// Byte fields keep the low 8 bits of the integer read.
std::uint8_t lowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value);
}

// Each entry is two integers of at least two bytes each.
constexpr std::size_t kMinEntryBytes = 4;

} // namespace

void TGroupRecObj::setSpacing(std::int32_t code) {
    spacing_ = std::clamp(code, 0, 2);
}

void TGroupRecObj::ReadFrom(SettingsReader& reader) {
    title = reader.readText();
    sourceFile = reader.readText();
    secondSourceFile = reader.readText();
    sourceFileType = lowByte(reader.readInteger());
    setSpacing(reader.readInteger());
    interval = lowByte(reader.readInteger());
    chartType = lowByte(reader.readInteger());
    left = reader.readInteger();
    top = reader.readInteger();
    width = reader.readInteger();
    height = reader.readInteger();
    const std::int32_t count = reader.readInteger();
    // The count sizes the entries before they are read; a damaged count must neither be
    // negative nor claim more entries than the bytes left can hold.
    if (count < 0) throw SettingsError(std::string(settings_messages::kInvalidPropertyValue));
    if (std::size_t(count) > reader.remaining() / kMinEntryBytes)
        throw SettingsError(std::string(settings_messages::kStreamReadError));
    entries.assign(std::size_t(count), IndicatorRequest{});
    for (auto& e : entries) {
        e.kind = lowByte(reader.readInteger());
        e.pane = lowByte(reader.readInteger());
    }
}

void TGroupRecObj::WriteTo(SettingsWriter& writer) const {
    writer.writeText(title);
    writer.writeText(sourceFile);
    writer.writeText(secondSourceFile);
    writer.writeInteger(sourceFileType);
    writer.writeInteger(spacing_);
    writer.writeInteger(interval);
    writer.writeInteger(chartType);
    writer.writeInteger(left);
    writer.writeInteger(top);
    writer.writeInteger(width);
    writer.writeInteger(height);
    writer.writeInteger(static_cast<std::int32_t>(entries.size()));
    for (const auto& e : entries) {
        writer.writeInteger(e.kind);
        writer.writeInteger(e.pane);
    }
}

void TGroupRecList::save(const std::filesystem::path& file) const {
    saveList(file, [this](SettingsWriter& w) {
        for (const auto& r : records) r.WriteTo(w);
    });
}

void TGroupRecList::load(const std::filesystem::path& file, MessageSink& sink) {
    loadList(file, sink, settings_messages::kTroubleReadingGroupList, [this](SettingsReader& r) {
        TGroupRecObj record;
        record.ReadFrom(r);
        records.push_back(std::move(record));
    });
}

void TGroupRecList::dropMissingSources() {
    std::erase_if(records, [](const TGroupRecObj& r) {
        std::error_code ec;
        return r.sourceFile.empty() || !std::filesystem::exists(r.sourceFile, ec);
    });
}

std::filesystem::path groupFileName(const std::filesystem::path& chosen) {
    std::filesystem::path name = chosen;
    if (name.extension() != ".grp") name.replace_extension(".grp");
    return name;
}

std::string groupRecordSymbol(std::string_view sourceFile) {
    const std::string name = std::filesystem::path(sourceFile).filename().string();
    if (const auto cut = name.find(" ="); cut != std::string::npos) return name.substr(0, cut);
    if (const auto cut = name.find(".csv"); cut != std::string::npos) return name.substr(0, cut);
    // A name with "=" but no " =", or one without ".csv", still names its symbol.
    return std::filesystem::path(name).stem().string();
}

} // namespace qm
