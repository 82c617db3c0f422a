#include "app/ChartRegistry.h"
#include "app/MainWindow.h"
#include "app/OpeningCommands.h"
#include "loader/LoaderTestUtil.h"
#include "settings/IndicatorRequests.h"
#include "settings/SettingsFiles.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

struct OpeningFixture : testing::Test {
    test::TempDir dir;
    test::ScriptedPrompts prompts;
    test::PromptsScope scope{prompts};
    AppEnvironment env;
    fs::path csv;
    std::unique_ptr<TMainForm> form;

    OpeningFixture() {
        env.configFile = dir / "config" / "Quillmar7.conf";
        env.system = {dir / "Documents", dir / "local"};
        env.tempFolder = dir / "tmp";
        fs::create_directories(env.tempFolder);
        csv = dir / "Documents" / "Quillmar" / "Quillmar7" / "CSV";
        fs::create_directories(csv);
        for (const char* name : {"AAA.csv", "BBB = Bee Corp.csv", "CCC.csv"})
            std::ofstream(csv / name) << test::fullPrices(400);
        form = std::make_unique<TMainForm>(env);
    }
    void type(const char* text) {
        QLineEdit* box = form->symbolBox();
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(text));
        QTest::keyClick(box, Qt::Key_Return);
    }
    std::vector<std::string> openTitles() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::vector<std::string> out;
        for (TAChart* c : form->charts().charts()) out.push_back(c->title());
        return out;
    }
};

TEST_F(OpeningFixture, TypingASymbolOpensItsChartBelowTheMainWindow) {
    type("bbb");
    EXPECT_EQ(form->symbolBox()->text(), QStringLiteral("BBB"));
    ASSERT_EQ(openTitles(), std::vector<std::string>{"BBB"});
    TAChart* chart = form->charts().selected();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->windowTitle(), QStringLiteral("Bee Corp"));
    EXPECT_EQ(chart->frameGeometry().top(), form->frameGeometry().bottom() + 1);
    EXPECT_EQ(chart->frameGeometry().width(), form->frameGeometry().width());
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(OpeningFixture, TheSavedIndicatorsComeWithATypedSymbol) {
    saveIndicatorRequests(form->state().settingsFolder / settings_files::kIndicatorRequests,
                          {{0, 2}, {1, 2}, {17, 4}});
    type("AAA");
    const auto& records = form->charts().selected()->model().chart().records.records;
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1]->Kind, 1);
    EXPECT_EQ(records[2]->Kind, 17);
}

TEST_F(OpeningFixture, AnUnknownSymbolAsksToFetchIt) {
    std::string fetched;
    form->setQuickDownload([&](const std::string& s) { fetched = s; });
    prompts.boxAnswers = {platform::BoxAnswer::No, platform::BoxAnswer::Yes};
    type("zzz:q");
    EXPECT_EQ(
        prompts.messageTexts(),
        std::vector<std::string>{"Can't find ZZZ-Q. Fetch it now?\n(Look at Xfer now setting)"});
    EXPECT_EQ(fetched, "");
    type("zzz:q");
    EXPECT_EQ(fetched, "ZZZ-Q");
    EXPECT_TRUE(openTitles().empty());
}

TEST_F(OpeningFixture, NextAndPreviousReplaceTheSelectedChartAndWrap) {
    for (const char* f : {"AAA.csv", "BBB = Bee Corp.csv", "CCC.csv"})
        form->state().files.append(csv / f);
    form->state().files.current = 2;
    form->actions().next->trigger();
    EXPECT_EQ(openTitles(), std::vector<std::string>{"AAA"});
    form->actions().next->trigger();
    EXPECT_EQ(openTitles(), std::vector<std::string>{"BBB"});
    form->actions().previous->trigger();
    form->actions().previous->trigger();
    EXPECT_EQ(openTitles(), std::vector<std::string>{"CCC"});
    // A signal's interval goes with its own file.
    form->state().files.entries[0].interval = 1;
    form->actions().next->trigger();
    EXPECT_EQ(form->charts().selected()->model().chart().interval, Interval::Weekly);
}

TEST_F(OpeningFixture, SpaceInTheSymbolBoxStepsToTheNextChart) {
    type("AAA");
    form->state().files.append(csv / "CCC.csv");
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->symbolBox()->setFocus();
    QTest::keyClick(form->symbolBox(), Qt::Key_Space);
    EXPECT_EQ(openTitles(), std::vector<std::string>{"CCC"});
    EXPECT_EQ(form->symbolBox()->text(), QStringLiteral("AAA"));
    QTest::keyClick(form->symbolBox(), Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(openTitles(), std::vector<std::string>{"AAA"});
}

TEST_F(OpeningFixture, TheRegistryKeepsTheOpeningOrderAndClosingLeavesNoFiles) {
    type("CCC");
    type("AAA");
    type("BBB");
    EXPECT_EQ(openTitles(), (std::vector<std::string>{"CCC", "AAA", "BBB"}));
    form->charts().charts()[1]->close();
    QTest::qWait(0);
    EXPECT_EQ(openTitles(), (std::vector<std::string>{"CCC", "BBB"}));
    const fs::path folder = form->state().chartDataFolder();
    form->close();
    EXPECT_FALSE(fs::exists(folder));
    std::size_t left = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(env.tempFolder)) ++left;
    EXPECT_EQ(left, 0u);
}

TEST_F(OpeningFixture, FilesGivenToTheProgramOpenAsCharts) {
    form->openingCommands().openFiles({QString::fromStdString((csv / "CCC.csv").string()),
                                       QString::fromStdString((dir / "gone.csv").string())});
    EXPECT_EQ(openTitles(), std::vector<std::string>{"CCC"});
    ASSERT_EQ(prompts.messageTexts().size(), 1u);
    EXPECT_EQ(prompts.messageTexts()[0], (dir / "gone.csv").string() + "\nCannot be found.");
}

} // namespace
} // namespace qm
