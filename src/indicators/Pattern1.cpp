// Pattern1.
// Not computed yet: each Compute leaves the table as it was given.

#include "indicators/Kinds.h"

namespace qm {

void TSeqObj::Compute(BarWindow&, OutputTable&, int&) {}

} // namespace qm
