#include "FileBytes.h"

#include "SettingsMessages.h"
#include "SettingsStream.h"
#include "market/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace qm {
namespace {

[[noreturn]] void cannotOpen(const std::filesystem::path& file, int err) {
    throw SettingsError(settings_messages::format(settings_messages::kCannotOpenFile, file.string(),
                                                  std::strerror(err)));
}

} // namespace

std::string readFileBytes(const std::filesystem::path& file) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "rb"),
                                                             std::fclose);
    if (!in) cannotOpen(file, errno);
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, in.get());
        bytes.append(buffer, n);
        if (n < sizeof buffer) break;
    }
    // A folder opens but cannot be read; that is reported like a file that cannot be opened.
    if (std::ferror(in.get())) cannotOpen(file, errno ? errno : EIO);
    return bytes;
}

void writeFileBytes(const std::filesystem::path& file, std::string_view bytes) {
    const SaveResult result = saveFileAtomically(file, bytes);
    if (!result)
        throw SettingsError(settings_messages::format(settings_messages::kCannotCreateFile,
                                                      file.string(), result.reason));
}

} // namespace qm
