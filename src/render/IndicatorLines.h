#pragma once
// Drawing one output line of an indicator in its style, and what the line reports for its
// value tag and legend piece.

#include "indicators/OscObj.h"
#include "render/DrawState.h"

#include <string>

namespace qm::chart {

struct LineValue {
    bool present = false; // false: no tag and no value piece
    double value = 0;     // L, already divided for a volume unit
    double unit = 1;      // the divisor of that unit: the tag sits at value x unit
    Colour colour = 0;
    std::string piece; // the legend piece
};

LineValue drawIndicatorLine(DrawState& st, const TOscObj& record, const OutputTable& out, int line,
                            int firstRow, const std::string& valueFormat);

// Kinds 5 and 6: repainted sequences, markers and counts; the result's piece is the status.
LineValue drawPatternMarks(DrawState& st, const TOscObj& record, const OutputTable& out,
                           int firstRow);

} // namespace qm::chart
