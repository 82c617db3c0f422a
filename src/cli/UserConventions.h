#pragma once
// What the command line takes from the user's system: regional conventions and the
// configuration file the desktop program shares.

#include "download/Endpoints.h"
#include "market/FormatSettings.h"

#include <filesystem>

namespace qm::cli {

// The user's regional conventions: the system locale's in builds with Qt (the C and POSIX
// locales mean United States conventions), United States conventions in builds without it.
FormatSettings userFormatSettings();

// The configuration file ($XDG_CONFIG_HOME/Quillmar/Quillmar7.conf); empty in builds without Qt,
// which read no configuration.
std::filesystem::path configurationFile();

// Sets the endpoints the configuration's [XFers] group names; unknown keys are passed over.
void readConfiguredEndpoints(download::Endpoints& endpoints);

} // namespace qm::cli
