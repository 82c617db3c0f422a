#include "OpeningCommands.h"

#include "AppMessages.h"
#include "ChartRegistry.h"
#include "MainWindow.h"
#include "SymbolSearch.h"
#include "chartwin/ChartWindow.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsStream.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace qm {

namespace am = app_messages;
namespace sf = settings_files;

OpeningCommands::OpeningCommands(TMainForm& main)
    : QObject(&main), main_(main), symbolBox_(main.symbolBox()) {
    const MainActions& a = main_.actions();
    connect(symbolBox_, &QLineEdit::returnPressed, this, &OpeningCommands::openTypedSymbol);
    symbolBox_->installEventFilter(this);
    connect(a.next, &QAction::triggered, this, &OpeningCommands::next);
    connect(a.previous, &QAction::triggered, this, &OpeningCommands::previous);
}

bool OpeningCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != symbolBox_) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        openTypedSymbol();
        return true;
    }
    // No symbol holds a blank: Space and Shift+Space step to the next and previous chart even
    // while the symbol box has the focus, as their menu items say.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space &&
            (key->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void OpeningCommands::loadSavedRequests() {
    AppState& state = main_.state();
    state.requests.clear();
    if (!state.settingsFolder.empty()) {
        try {
            state.requests = loadIndicatorRequests(state.settingsFolder / sf::kIndicatorRequests);
        } catch (const SettingsError& e) {
            main_.sink().error(e.what());
        }
    }
    if (state.requests.empty()) state.requests.push_back(kPriceChartRequest);
}

void OpeningCommands::openTypedSymbol() {
    main_.state().groupName.clear();
    const std::string symbol = symbolFromTypedText(main_.symbolBox()->text().toStdString());
    if (symbol.empty()) return;
    if (main_.state().config.xferNowNewData) {
        main_.quickDownload(symbol);
        return;
    }
    openSymbol(symbol);
}

void OpeningCommands::openSymbol(const std::string& symbol) {
    const std::filesystem::path file = findSymbolFile(main_.state().config.dataFolder, symbol);
    if (file.empty()) {
        if (main_.sink().confirm(std::string(am::kCannotFindHead) + symbol +
                                 std::string(am::kCannotFindTail)))
            main_.quickDownload(symbol);
        return;
    }
    main_.state().files.append(file);
    openFileWithSavedIndicators(file);
}

TAChart* OpeningCommands::openFileWithSavedIndicators(const std::filesystem::path& file) {
    loadSavedRequests();
    main_.statusLabel()->clear();
    ChartRequest request;
    request.sourceFile = file;
    request.interval = static_cast<Interval>(main_.state().lastInterval);
    request.requests = main_.state().requests;
    return main_.opening().open(request, main_.opening().belowMainWindow());
}

void OpeningCommands::step(bool forward) {
    // Space held down repeats; a step still opening its chart lets the repeat pass.
    if (stepping_) return;
    stepping_ = true;
    AppState& state = main_.state();
    const FileEntry* entry = forward ? state.files.next() : state.files.previous();
    if (entry && isGroupFile(entry->path)) {
        main_.openGroupFile(entry->path);
    } else if (entry) {
        // The new chart takes the place of the selected one.
        const QPointer<TAChart> replaced = main_.charts().selected();
        ChartRequest request;
        request.sourceFile = entry->path;
        request.interval = static_cast<Interval>(entry->interval.value_or(state.lastInterval));
        request.requests =
            state.requests.empty() ? IndicatorRequestList{kPriceChartRequest} : state.requests;
        main_.opening().open(request, main_.opening().belowMainWindow());
        if (replaced) replaced->close();
    }
    stepping_ = false;
}

void OpeningCommands::openFiles(const QStringList& files) {
    for (const QString& name : files) {
        const std::filesystem::path file = std::filesystem::absolute(name.toStdString());
        main_.state().files.append(file);
        openFileWithSavedIndicators(file);
    }
}

} // namespace qm
