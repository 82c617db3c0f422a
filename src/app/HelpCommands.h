#pragma once
// The main window's help commands: F1, the Help menu and the help button show the help in the
// desktop's browser; Ctrl+A and the Help menu show the about box.

namespace qm {

class TMainForm;

void connectHelpCommands(TMainForm& form);

} // namespace qm
