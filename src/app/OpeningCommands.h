#pragma once
// Opening charts from the main window: the symbol box, next and previous through the file list,
// and the price files named on the command line.

#include "FileList.h"
#include "settings/IndicatorRequests.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <string>

class QLineEdit;

namespace qm {

class TAChart;
class TMainForm;

class OpeningCommands final : public QObject {
    Q_OBJECT

public:
    explicit OpeningCommands(TMainForm& main);

    // Enter or a double click in the symbol box.
    void openTypedSymbol();
    // Opens the chart of a symbol as the symbol box does; `symbol` is already in its final form.
    void openSymbol(const std::string& symbol);
    // Opens a price file as a chart with the saved indicators, below the main window.
    TAChart* openFileWithSavedIndicators(const std::filesystem::path& file);
    void next() { step(true); }
    void previous() { step(false); }
    // Each price file given to the program as it starts.
    void openFiles(const QStringList& files);

    // The indicator request list made from "Osc_List.osl": the price chart alone when the file
    // holds nothing.
    void loadSavedRequests();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(bool forward);

    TMainForm& main_;
    // Kept apart from the main window: the filter still sees the box's events while the main
    // window is being destroyed, when it is no longer a TMainForm to ask.
    QLineEdit* const symbolBox_;
    bool stepping_ = false; // a next or previous is under way
};

} // namespace qm
