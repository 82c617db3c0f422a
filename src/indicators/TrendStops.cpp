// Trend stops and levels: support and resistance steps, swing line, parabolic stop and reverse.
// Not computed yet: each Compute leaves the table as it was given.

#include "indicators/Kinds.h"

namespace qm {

void TSupResObj::Compute(BarWindow&, OutputTable&, int&) {}

void TSwingLineObj::Compute(BarWindow&, OutputTable&, int&) {}

void TSARObj::Compute(BarWindow&, OutputTable&, int&) {}

} // namespace qm
