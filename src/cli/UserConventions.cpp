#include "UserConventions.h"

#ifdef QM_CLI_CHARTS
#include "platform/ConfigStore.h"
#include "platform/SystemLocale.h"
#endif

namespace qm::cli {

FormatSettings userFormatSettings() {
#ifdef QM_CLI_CHARTS
    return platform::systemFormatSettings();
#else
    return FormatSettings::unitedStates();
#endif
}

std::filesystem::path configurationFile() {
#ifdef QM_CLI_CHARTS
    return platform::ConfigStore::defaultFile();
#else
    return {};
#endif
}

void readConfiguredEndpoints([[maybe_unused]] download::Endpoints& endpoints) {
#ifdef QM_CLI_CHARTS
    const std::filesystem::path file = configurationFile();
    if (file.empty()) return;
    const platform::ConfigStore config(file);
    for (const auto& [key, value] : config.readGroup("XFers")) endpoints.set(key, value);
#endif
}

} // namespace qm::cli
