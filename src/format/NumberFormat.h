#pragma once
// Number patterns: how every number on a chart is written.
//
// A pattern has up to three sections separated by ';': positive, negative and zero values. The
// zero section is used when the value rounds to zero; a missing or empty section falls back to
// the first. Within a section "0" is a digit always written, "#" a digit written only when
// significant, "." the decimal separator and "," switches on thousands separators; text in
// double or single quotes is copied without its quotes and every other character as it is.
// The value is rounded half away from zero to the number of placeholders after the point;
// trailing zeros after the point are dropped down to the last "0". A negative value written
// with the first section gets a minus sign as the very first character.

#include "market/FormatSettings.h"

#include <string>
#include <string_view>

namespace qm {

std::string formatNumber(double value, std::string_view pattern, const FormatSettings& fs);

// The short date of a day count, followed by the time of day when it is not midnight.
std::string formatDateTime(double dayCount, const FormatSettings& fs);

} // namespace qm
