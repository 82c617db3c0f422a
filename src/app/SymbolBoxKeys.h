#pragma once
// The editing keys in the symbol box. While the box has the keyboard focus, Ctrl+C, Ctrl+V,
// Ctrl+X, Ctrl+Z, Ctrl+Y and Ctrl+A copy, paste, cut, undo, redo and select its text, as in
// any text box, instead of running the main window's commands with those keys (close all
// charts, vertical tiling, exit, zoom, copy the chart, about): a symbol can be pasted there.
// Every other key of the main window acts as it does anywhere, and those six are commands again
// as soon as the focus leaves the box (a click on a chart, for one).

class QLineEdit;

namespace qm {

void keepEditingKeysInSymbolBox(QLineEdit& box);

} // namespace qm
