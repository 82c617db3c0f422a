#include "QuickDownload.h"

#include "AppMessages.h"
#include "MainWindow.h"
#include "OpeningCommands.h"
#include "download/QuoteService.h"
#include "market/Calendar.h"
#include "platform/ConfigStore.h"
#include "platform/QtText.h"
#include "platform/widgets/Prompts.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <memory>

namespace qm {

namespace am = app_messages;

namespace {

// About two years of history.
constexpr double kHistoryDays = 740;

using platform::qtext;

} // namespace

QuickDownload::QuickDownload(TMainForm& main, downloader::RunningTransfers& transfers,
                             FilesSaved onSaved)
    : QObject(&main), main_(main), transfers_(transfers), onSaved_(std::move(onSaved)) {}

void QuickDownload::start(const std::string& symbol) {
    if (busy_ || abandoned_) return;
    const QAction* source = main_.actions().xferNowGroup->checkedAction();
    const int service = source ? source->data().toInt() : -1;
    if (service < 0 || service >= static_cast<int>(quoteServices().size())) {
        main_.sink().information(am::kSelectSource);
        return;
    }
    AppState& state = main_.state();
    state.groupName.clear();
    if (!state.files.empty() && isGroupFile(state.files.entries.front().path)) state.files.clear();
    busy_ = true;
    symbol_ = symbol;
    main_.statusLabel()->setText(qtext(am::kGetting) + QString::fromStdString(symbol) +
                                 qtext(am::kFromService[static_cast<std::size_t>(service)]));

    const platform::ConfigStore config(main_.environment().configFile);
    XferContext context = downloader::desktopContext(config, main_.environment().tempFolder);
    const double today = context.today ? context.today() : localToday();
    auto saved = std::make_shared<std::vector<std::string>>();
    auto worker = makeTransfer(quoteServices()[static_cast<std::size_t>(service)], symbol,
                               state.config.downloadFolders[static_cast<std::size_t>(service)],
                               today - kHistoryDays, true, false, nullptr, saved.get(),
                               state.locale, std::move(context));
    QPointer<QuickDownload> self(this);
    transfers_.start(
        std::move(worker),
        [self, saved](TXFerThread&) {
            if (self) self->finished(*saved);
        },
        saved);
}

void QuickDownload::finished(const std::vector<std::string>& saved) {
    busy_ = false;
    if (abandoned_) return;
    main_.statusLabel()->clear();
    const std::string noData = std::string(am::kNoDataFor) + symbol_;
    std::error_code ec;
    if (saved.empty() || !std::filesystem::is_regular_file(saved.back(), ec)) {
        main_.sink().information(noData);
        return;
    }
    const std::filesystem::path file = saved.back();
    if (onSaved_) onSaved_({file});
    main_.state().groupName.clear();
    main_.state().files.append(file);
    main_.openingCommands().openFileWithSavedIndicators(file);
    main_.symbolBox()->setFocus();
}

} // namespace qm
