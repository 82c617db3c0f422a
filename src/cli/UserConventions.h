#pragma once

#include "market/FormatSettings.h"

namespace qm::cli {

// The user's regional conventions: the system locale's in builds with Qt (the C and POSIX
// locales mean United States conventions), United States conventions in builds without it.
FormatSettings userFormatSettings();

} // namespace qm::cli
