#pragma once
// The main window's settings editor command: it opens the chart and indicator settings editor
// modally over the program's settings list and options, for the selected chart's symbol, and
// keeps the indicator shown last for the next opening.

#include <QObject>

namespace qm {

class TMainForm;

class EditorCommands final : public QObject {
public:
    // Connects the command to `form`'s action; owned by the form.
    explicit EditorCommands(TMainForm& form);

    void openEditor();

private:
    TMainForm& form_;
    int indicatorIndex_ = 0;
};

} // namespace qm
