// Volatility, trend strength and volume indicators.
// Not computed yet: each Compute leaves the table as it was given.

#include "indicators/Kinds.h"

namespace qm {

void TSigmaObj::Compute(BarWindow&, OutputTable&, int&) {}

void TAdxObj::Compute(BarWindow&, OutputTable&, int&) {}

void TWmsADObj::Compute(BarWindow&, OutputTable&, int&) {}

void TIntensityObj::Compute(BarWindow&, OutputTable&, int&) {}

void TVolObj::Compute(BarWindow&, OutputTable&, int&) {}

} // namespace qm
