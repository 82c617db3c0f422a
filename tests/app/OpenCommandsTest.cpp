#include "app/OpenCommands.h"

#include "CommandFixture.h"
#include "dialogs/DataPickDialog.h"
#include "dialogs/SymbolListDialog.h"
#include "settings/SettingsFiles.h"
#include "support/FileContent.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

namespace qm {
namespace {

namespace fs = std::filesystem;
namespace sf = settings_files;
using Titles = std::vector<std::string>;

struct OpenCommandsTest : test::CommandFixture {
    // The data pick dialog as the user fills it in: `fill` sets it up, Draw Chart closes it.
    void openChart(std::function<void(TDlgData&)> fill) {
        whenShown<TDlgData>([fill](TDlgData& d) {
            fill(d);
            d.drawButton()->click();
            if (d.isVisible()) d.reject(); // a choice that cannot be drawn
        });
        form->actions().openChart->trigger();
    }
    // The symbol list dialog with `lines` ticked, confirmed or cancelled.
    void symbolList(std::vector<std::size_t> lines, bool confirm = true) {
        whenShown<TDlgPikSymbols>([lines, confirm](TDlgPikSymbols& d) {
            for (std::size_t line : lines) d.setTicked(line, true);
            if (confirm) {
                d.drawButton()->click();
            } else {
                d.reject();
            }
        });
        form->actions().symbolList->trigger();
    }
    std::vector<fs::path> fileList() const {
        std::vector<fs::path> out;
        for (const auto& e : form->state().files.entries) out.push_back(e.path);
        return out;
    }
    TAChart& selected() const { return *form->charts().selected(); }
};

TEST_F(OpenCommandsTest, APickedFileOpensAndNextWalksItsFolder) {
    openChart([](TDlgData& d) {
        d.fileList()->setCurrentRow(1);
        d.chartOptions()->button(0)->click();
        d.intervals()->button(1)->click();
    });
    ASSERT_EQ(openTitles(), Titles{"BBB"});
    EXPECT_EQ(selected().model().chart().interval, Interval::Weekly);
    EXPECT_EQ(selected().frameGeometry().top(), form->frameGeometry().bottom() + 1);
    EXPECT_EQ(fileList(), (std::vector<fs::path>{csv / "AAA.csv", csv / "BBB = Bee Corp.csv",
                                                 csv / "CCC.csv", csv / "DDD.csv"}));
    EXPECT_EQ(form->state().files.current, 1);
    EXPECT_EQ(form->state().requests, IndicatorRequestList{kPriceChartRequest});
    EXPECT_EQ(form->state().lastInterval, 1);
    EXPECT_EQ(form->state().lastChartOption, 0);
    form->actions().next->trigger();
    EXPECT_EQ(openTitles(), Titles{"CCC"});
}

TEST_F(OpenCommandsTest, TheFavouritesOpenTheFirstAndNextWalksThem) {
    TParamRecList favourites;
    favourites.records = {{"DDD", (csv / "DDD.csv").string()},
                          {"GONE", (csv / "GONE.csv").string()},
                          {"AAA", (csv / "AAA.csv").string()}};
    favourites.save(form->state().settingsFolder / sf::kFavourites);
    saveIndicatorRequests(form->state().settingsFolder / sf::kIndicatorRequests, {{0, 2}, {1, 2}});
    openChart([](TDlgData& d) {
        d.chartOptions()->button(1)->click();
        d.useFavourites()->click();
    });
    ASSERT_EQ(openTitles(), Titles{"AAA"});
    EXPECT_EQ(selected().model().records().size(), 2u); // with the saved indicators
    EXPECT_EQ(fileList(), (std::vector<fs::path>{csv / "AAA.csv", csv / "DDD.csv"}));
    form->actions().next->trigger();
    EXPECT_EQ(openTitles(), Titles{"DDD"});
    form->actions().next->trigger();
    EXPECT_EQ(openTitles(), Titles{"AAA"});
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(OpenCommandsTest, TheSignalListOpensAtEachSignalsIntervalAndStaysAsTheScannerWroteIt) {
    const fs::path signalFile = form->state().settingsFolder / sf::kSignalList;
    TSignalRecList signals;
    signals.records = {{"CCC", (csv / "CCC.csv").string(), 2},
                       {"AAA", (csv / "AAA.csv").string(), 1}};
    signals.save(signalFile);
    const std::string bytes = test::readFile(signalFile);
    openChart([](TDlgData& d) { d.useSignals()->click(); });
    ASSERT_EQ(openTitles(), Titles{"CCC"});
    EXPECT_EQ(selected().model().chart().interval, Interval::Monthly);
    form->actions().next->trigger();
    EXPECT_EQ(openTitles(), Titles{"AAA"});
    EXPECT_EQ(selected().model().chart().interval, Interval::Weekly);
    EXPECT_EQ(test::readFile(signalFile), bytes);
}

TEST_F(OpenCommandsTest, ARatioPairOpensOneRelativeStrengthChart) {
    openChart([](TDlgData& d) {
        d.chartOptions()->button(2)->click();
        d.fileList()->setCurrentRow(0);
        d.ratioButton(0)->click();
        d.fileList()->setCurrentRow(2);
        d.ratioButton(1)->click();
    });
    ASSERT_EQ(openTitles(), Titles{"AAA to CCC"});
    EXPECT_EQ(selected().model().chart().secondSourceFile, csv / "CCC.csv");
    EXPECT_TRUE(form->state().files.empty());
    EXPECT_EQ(form->state().requests, (IndicatorRequestList{{0, 0}}));
}

TEST_F(OpenCommandsTest, CancellingEitherDialogLeavesTheChartsOpen) {
    openChart([](TDlgData& d) { d.fileList()->setCurrentRow(0); });
    const auto files = fileList();
    openChart([](TDlgData&) {}); // nothing picked: the dialog stays, and is then cancelled
    symbolList({0, 1}, false);
    symbolList({}); // confirmed with nothing ticked
    EXPECT_EQ(openTitles(), Titles{"AAA"});
    EXPECT_EQ(fileList(), files);
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{"You need check one or more items"});
}

TEST_F(OpenCommandsTest, TheSymbolListOpensTheTickedFilesSideBySideBelowTheMainWindow) {
    for (const char* name : {"EEE.csv", "FFF.csv", "GGG.csv", "HHH.csv", "III.csv"})
        put(yahoo / name);
    openChart([](TDlgData& d) { d.fileList()->setCurrentRow(0); }); // closed by the list
    symbolList({0, 1, 2, 3, 4, 5, 6});
    // Opened from the last ticked file on, into cells row by row: three rows of three, the
    // first full and the last with one chart.
    EXPECT_EQ(openTitles(), (Titles{"GGG", "FFF", "EEE", "DDD", "CCC", "BBB", "AAA"}));
    // The area below the main window, on the screen.
    const QRect main = form->frameGeometry().intersected(form->screen()->availableGeometry());
    const int workBottom = form->state().workAreaBottom;
    const int cellWidth = main.width() / 3;
    const int cellHeight = (workBottom - main.bottom() - 1) / 3;
    std::vector<QRect> bounds;
    for (TAChart* c : form->charts().charts()) bounds.push_back(c->frameGeometry());
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        const int row = static_cast<int>(i) / 3;
        const int column = static_cast<int>(i) % 3;
        EXPECT_EQ(bounds[i], QRect(main.left() + column * cellWidth,
                                   main.bottom() + 1 + row * cellHeight, cellWidth, cellHeight))
            << i;
    }
    EXPECT_EQ(fileList().size(), 7u);
    EXPECT_EQ(form->state().groupName, "");

    symbolList({0, 1, 2, 3, 4, 5, 6, 7, 8});
    form->charts().charts().back()->activateWindow();
    saveDesktop("symbol-list-nine-charts.png");

    // Ten or more stay on the screen, every one in a cell of its own.
    for (const char* name : {"JJJ.csv", "KKK.csv", "LLL.csv"}) put(yahoo / name);
    symbolList({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    const QRect screen = form->screen()->availableGeometry();
    std::set<std::pair<int, int>> corners;
    for (TAChart* c : form->charts().charts()) {
        EXPECT_TRUE(screen.contains(c->frameGeometry())) << c->title();
        corners.insert({c->frameGeometry().left(), c->frameGeometry().top()});
    }
    EXPECT_EQ(corners.size(), 12u);
}

} // namespace
} // namespace qm
