#pragma once
// The user's regional conventions, as the system locale states them.

#include "market/FormatSettings.h"

class QLocale;

namespace qm::platform {

// The conventions of `locale`: its short date pattern (with "/" standing for its date
// separator), decimal and thousands separators and short month names. The C and POSIX locales
// mean United States conventions. A separator that is not a single ASCII character is replaced:
// a non-breaking space by a space, anything else by the United States one.
FormatSettings formatSettingsOf(const QLocale& locale);

// The conventions of the system locale (LC_ALL, LC_TIME, LANG and so on).
FormatSettings systemFormatSettings();

} // namespace qm::platform
