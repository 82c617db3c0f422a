#include "ListFile.h"

#include "SettingsStream.h"

#include <string>

namespace qm {

void loadList(const std::filesystem::path& file, MessageSink& sink, std::string_view failureMessage,
              const std::function<void(SettingsReader&)>& readRecord) {
    SettingsReader reader = SettingsReader::fromFile(file);
    reader.readListBegin();
    while (!reader.endOfList()) {
        try {
            readRecord(reader);
        } catch (const SettingsError&) {
            // The read position is now inside the broken record, so nothing after it can be
            // trusted: the load always fails here, never returns a silently shortened list.
            sink.error(failureMessage);
            throw;
        }
    }
    reader.readListEnd();
}

void saveList(const std::filesystem::path& file,
              const std::function<void(SettingsWriter&)>& writeRecords) {
    SettingsWriter writer;
    writer.beginList();
    writeRecords(writer);
    writer.endList();
    writer.saveTo(file);
}

} // namespace qm
