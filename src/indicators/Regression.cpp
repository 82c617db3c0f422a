// Regression lines, bands and channels.
// Not computed yet: each Compute leaves the table as it was given.

#include "indicators/Kinds.h"

namespace qm {

void TRegrObj::Compute(BarWindow&, OutputTable&, int&) {}

void TSDBandObj::Compute(BarWindow&, OutputTable&, int&) {}

void TBOChannelObj::Compute(BarWindow&, OutputTable&, int&) {}

void TBolBandObj::Compute(BarWindow&, OutputTable&, int&) {}

void TBWIObj::Compute(BarWindow&, OutputTable&, int&) {}

} // namespace qm
