#pragma once
// The parameters the settings editor shows for each indicator kind, in the order of its boxes
// and in the units it shows them in, with the ranges its boxes allow. The command line takes
// parameters in the same order and units.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qm {

class TOscObj;

struct EditorParam {
    std::string_view label; // the box's label in the editor
    std::uint8_t param;     // the index in Params it sets
    float shownPerUnit;     // the editor shows Params[param] times this (100 for percentages)
    float minimum;          // range of the shown value
    float maximum;
    bool whole; // whole numbers only
};

struct EditorParams {
    // The boxes of the kind, in the editor's order.
    std::span<const EditorParam> boxes;
    // Kinds of up to three lines, one length each: the number of lines follows the number of
    // boxes set.
    bool linePerBox = false;
};

// The parameters of `kind` (1 to 30); none for the other kinds.
EditorParams editorParams(int kind);

// Why shown values cannot be a kind's parameters, in the order of its boxes: more values than
// boxes, or a value out of its box's range; nothing when they can.
std::optional<std::string> checkShownParams(int kind, std::span<const float> shown);

// Sets the record's parameters from shown values that checkShownParams accepts; for a kind of
// one line per box, the number of lines becomes the number of values.
void setShownParams(TOscObj& record, std::span<const float> shown);

} // namespace qm
