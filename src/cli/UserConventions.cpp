#include "UserConventions.h"

#ifdef QM_CLI_CHARTS
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

} // namespace qm::cli
