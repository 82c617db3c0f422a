// Pattern2 and the Stage1 support and resistance levels.
// Not computed yet: each Compute leaves the table as it was given.

#include "indicators/Kinds.h"

namespace qm {

void TComboObj::Compute(BarWindow&, OutputTable&, int&) {}

void TSetupTrendObj::Compute(BarWindow&, OutputTable&, int&) {}

} // namespace qm
