#pragma once
// The load and save every settings list shares: one stream holding the list's records.

#include "market/MessageSink.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace qm {

class SettingsReader;
class SettingsWriter;

// Reads the list in `file`, calling `readRecord` once per record. A record that fails to read
// shows `failureMessage` as an error and ends the load with the record's SettingsError; the
// records read before it are kept by the caller. A file that cannot be opened, or that is not
// a list, throws SettingsError without the message.
void loadList(const std::filesystem::path& file, MessageSink& sink, std::string_view failureMessage,
              const std::function<void(SettingsReader&)>& readRecord);

// Writes the list begin, whatever `writeRecords` writes, and the list end to `file`, replacing
// it only once everything is written. Throws SettingsError ("Cannot create file ...").
void saveList(const std::filesystem::path& file,
              const std::function<void(SettingsWriter&)>& writeRecords);

} // namespace qm
