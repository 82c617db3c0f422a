#include "GroupCommands.h"

#include "AppMessages.h"
#include "ChartRegistry.h"
#include "GroupRules.h"
#include "MainWindow.h"
#include "OpenPlan.h"
#include "chartwin/ChartWindow.h"
#include "platform/QtText.h"
#include "platform/widgets/BusyCursor.h"
#include "platform/widgets/Prompts.h"
#include "settings/GroupRecords.h"
#include "settings/SettingsStream.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace qm {

namespace am = app_messages;
namespace fs = std::filesystem;

namespace {

using platform::qpath;
using platform::qtext;

platform::FileQuestion groupQuestion(std::string_view title, const fs::path& folder) {
    platform::FileQuestion q;
    q.title = qtext(title);
    q.folder = qpath(folder);
    q.filters = {qtext(am::kGroupFilter)};
    q.defaultSuffix = qtext(am::kGroupSuffix);
    return q;
}

std::vector<ScreenRect> screenRects() {
    std::vector<ScreenRect> out;
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect r = s->geometry();
        out.push_back({r.left(), r.top(), r.width(), r.height()});
    }
    return out;
}

// The arrow while a question waits for its answer, whatever the command shows meanwhile.
class ArrowWhileAsking {
public:
    ArrowWhileAsking() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowWhileAsking() { QGuiApplication::restoreOverrideCursor(); }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;
};

bool fileExists(const fs::path& file) {
    std::error_code ec;
    return !file.empty() && fs::exists(file, ec);
}

} // namespace

GroupCommands::GroupCommands(TMainForm& main) : QObject(&main), main_(main) {
    connect(main_.actions().saveGroup, &QAction::triggered, this, &GroupCommands::saveGroup);
    connect(main_.actions().loadGroup, &QAction::triggered, this, &GroupCommands::loadGroup);
    main_.setGroupOpener([this](const fs::path& file) { openGroup(file); });
}

TGroupRecObj GroupCommands::recordOf(const TAChart& chart) {
    const LoadedChart& c = chart.model().chart();
    TGroupRecObj r;
    r.title = c.title;
    r.sourceFile = c.sourceFile.string();
    r.secondSourceFile = c.secondSourceFile.string();
    r.sourceFileType = c.sourceFileType;
    r.setSpacing(chart.model().spacing());
    r.interval = static_cast<std::uint8_t>(c.interval);
    const std::vector<TOscObj*> records = chart.model().records();
    r.chartType = records.empty() ? c.chartType : records.front()->Style;
    // The frame: reopened at these bounds, the window lands where it was, title bar and all.
    const QRect frame = chart.frameGeometry();
    r.left = frame.left();
    r.top = frame.top();
    r.width = frame.width();
    r.height = frame.height();
    for (const TOscObj* o : records) r.entries.push_back({o->Kind, o->Pane});
    return r;
}

void GroupCommands::saveGroup() {
    const TAChart* selected = main_.charts().selected();
    if (!selected) return;
    AppState& state = main_.state();
    platform::FileQuestion question = groupQuestion(am::kSaveGroupTitle, state.config.groupFolder);
    question.proposedName = state.groupName.empty()
                                ? QString::fromStdString(selected->title()) + QStringLiteral(".grp")
                                : qpath(fs::path(state.groupName).filename());
    const auto answer = platform::prompts().saveFile(&main_, question);
    if (!answer || answer->path.isEmpty()) return;

    const fs::path file = groupFileName(answer->path.toStdString());
    state.groupName = file.string();
    state.config.groupFolder = file.parent_path();
    TGroupRecList group;
    for (const TAChart* chart : main_.charts().charts()) group.records.push_back(recordOf(*chart));
    if (group.records.empty()) return;
    try {
        group.save(file);
    } catch (const SettingsError& e) {
        main_.sink().error(e.what());
        return;
    }
    main_.statusLabel()->setText(qpath(file.filename()));
}

void GroupCommands::loadGroup() {
    AppState& state = main_.state();
    const auto answer = platform::prompts().openFile(
        &main_, groupQuestion(am::kLoadGroupTitle, state.config.groupFolder));
    if (!answer || answer->path.isEmpty()) return;
    const fs::path chosen = answer->path.toStdString();
    state.files.clear();
    for (const fs::path& f : groupFilesIn(chosen.parent_path())) {
        if (f == chosen) state.files.current = static_cast<int>(state.files.entries.size());
        state.files.append(f);
    }
    state.config.groupFolder = chosen.parent_path();
    openGroup(chosen);
}

void GroupCommands::openGroup(const fs::path& file) {
    AppState& state = main_.state();
    const platform::BusyCursor busy;
    main_.charts().closeAll();
    TGroupRecList group;
    try {
        group.load(file, main_.sink());
    } catch (const SettingsError& e) {
        main_.sink().error(e.what());
        return;
    }
    state.groupName = file.string();
    group.dropMissingSources();

    const std::vector<ScreenRect> screens = screenRects();
    for (const TGroupRecObj& record : group.records) {
        state.requests.clear();
        const fs::path first = findSavedSource(record.sourceFile);
        const fs::path second =
            record.secondSourceFile.empty() ? fs::path() : findSavedSource(record.secondSourceFile);
        state.sourceFileType = 0;
        // Both files of a relative-strength chart are needed, or the chart would lose its meaning.
        const bool firstFound = fileExists(first);
        const bool secondFound = record.secondSourceFile.empty() || fileExists(second);
        if (firstFound && secondFound) {
            state.lastInterval = validInterval(record.interval);
            state.requests = record.entries;
            ChartRequest request;
            request.sourceFile = first;
            request.secondSourceFile = second;
            request.interval = static_cast<Interval>(state.lastInterval);
            request.requests = state.requests;
            request.group = &record;
            const ScreenRect bounds =
                keepOnScreens({record.left, record.top, record.width, record.height}, screens);
            main_.opening().open(request,
                                 QRect(bounds.left, bounds.top, bounds.width, bounds.height));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            continue;
        }
        const std::string& missing = firstFound ? record.secondSourceFile : record.sourceFile;
        const QString question =
            qtext(am::kGroupDataMissingHead) + QString::fromStdString(groupRecordSymbol(missing)) +
            qtext(am::kGroupDataMissingMiddle) + qpath(savedSourceRoot(missing));
        const ArrowWhileAsking arrow;
        if (platform::prompts().message(&main_, platform::BoxIcon::Warning, question,
                                        platform::BoxButtons::OkCancel) ==
            platform::BoxAnswer::Cancel)
            break;
    }
    state.lastInterval = 0;
    main_.statusLabel()->setText(qpath(file.filename()));
}

} // namespace qm
