#pragma once
// The program's own mouse cursors: the table of twelve that the main window, the chart windows
// and the data pick dialog take their cursors from.

#include <QCursor>

namespace qm::platform {

// A slot of the cursor table; each carries the name of its image in the resources.
enum class CursorSlot {
    OpenHand = 1,      // CRHAND_1: the indicator drop-down, ready to be dragged
    DragIndicator = 2, // CRDROP_3: an indicator dragged from the drop-down
    ClosedHand = 3,    // CRHAND_2: something held
    DragFile = 4,      // CRDROP_2: a file dragged in the data pick dialog
    Eraser = 5,        // CRERSR_1: the clear-indicators tool over a chart
    ReadOut = 6,       // CRXHAIR_1: the value read-out tool
    Finger = 7,        // CRFNGR_1: a control that acts on a click
    Compress = 8,      // CRCMPR_1: the compress tool
    Expand = 9,        // CREXPD_1: the expand tool
    Retracement = 10,  // CRFIBB_1: the retracement levels tool
    Pitchfork = 11,    // CRANDW_1: the pitchfork tool
    LineCross = 12,    // CRHCRS_1: the trend line and channel tools
};

inline constexpr int kCursorSlotCount = 12;

// The cursor of `slot`, loaded on first use and kept for the life of the process. Cursors are
// drawn 32 by 32; with a screen of device pixel ratio above 1 the double-size drawing is used.
// Needs a QGuiApplication.
QCursor cursorFor(CursorSlot slot);

// Loads all twelve cursors, so that none is read from the resources later, when the mouse first
// meets it; the main window calls it as it starts.
void loadCursorTable();

// The cursor of `slot` drawn for `devicePixelRatio` (1 or 2), read afresh; the hotspot is in
// device-independent pixels. Falls back to the arrow should the image be missing.
QCursor loadCursor(CursorSlot slot, qreal devicePixelRatio);

} // namespace qm::platform
