// Momentum oscillators.
// Not computed yet: each Compute leaves the table as it was given.

#include "indicators/Kinds.h"

namespace qm {

void TMACDObj::Compute(BarWindow&, OutputTable&, int&) {}

void TRsi_WObj::Compute(BarWindow&, OutputTable&, int&) {}

void TRsi_TObj::Compute(BarWindow&, OutputTable&, int&) {}

void TStochObj::Compute(BarWindow&, OutputTable&, int&) {}

void TTrixObj::Compute(BarWindow&, OutputTable&, int&) {}

void TDeTrendObj::Compute(BarWindow&, OutputTable&, int&) {}

void TRegrSlpObj::Compute(BarWindow&, OutputTable&, int&) {}

void TWmsRObj::Compute(BarWindow&, OutputTable&, int&) {}

void TCCIObj::Compute(BarWindow&, OutputTable&, int&) {}

void TRocObj::Compute(BarWindow&, OutputTable&, int&) {}

} // namespace qm
