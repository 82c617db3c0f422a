#include "MainFormFixture.h"
#include "app/ChartGrid.h"
#include "app/ChartRegistry.h"
#include "app/OpeningCommands.h"
#include "chartwin/ChartWindow.h"
#include "settings/IndicatorRequests.h"
#include "settings/SettingsFiles.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

struct ChartCommandsFixture : test::MainFormFixture {
    std::unique_ptr<TMainForm> form;

    ChartCommandsFixture() {
        for (char c = 'A'; c <= 'J'; ++c) writePriceFiles({std::string(3, c) + ".csv"});
        form = std::make_unique<TMainForm>(env);
        settle(*form);
    }
    TAChart* open(const char* symbol) {
        form->openingCommands().openSymbol(symbol);
        return form->charts().selected();
    }
    std::vector<TAChart*> charts() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form->charts().charts();
    }
    std::vector<ScreenRect> frames() {
        std::vector<ScreenRect> out;
        for (const TAChart* c : charts()) {
            const QRect f = c->frameGeometry();
            out.push_back({f.left(), f.top(), f.width(), f.height()});
        }
        return out;
    }
    ScreenRect area() const {
        const QRect f = form->frameGeometry();
        return tilingArea({f.left(), f.top(), f.width(), f.height()}, form->state().workAreaBottom);
    }
    QAction* actionWithShortcut(QKeySequence keys) {
        for (QAction* a : form->findChildren<QAction*>())
            if (a->shortcut() == keys) return a;
        ADD_FAILURE() << keys.toString().toStdString();
        return nullptr;
    }
    // Makes `window` the active window, where its shortcuts act.
    static void activate(QWidget& window) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

TEST_F(ChartCommandsFixture, AnIntervalOpensASecondChartAndTheFirstStays) {
    form->actions().interval[1]->trigger();
    EXPECT_EQ(prompts.messageTexts(),
              std::vector<std::string>{"Please click on a Chart then retry"});
    EXPECT_EQ(prompts.asked[0].icon, platform::BoxIcon::Information);
    EXPECT_TRUE(charts().empty());

    TAChart* daily = open("AAA");
    ASSERT_TRUE(daily);
    const Interval expected[] = {Interval::Daily, Interval::Weekly, Interval::Monthly};
    for (std::size_t item = 0; item < 3; ++item) {
        // Each new chart becomes the selected one; the command acts on the first chart again.
        form->charts().chartActivated(*daily);
        form->actions().interval[item]->trigger();
        ASSERT_EQ(charts().size(), item + 2);
        const TAChart* added = charts().back();
        EXPECT_EQ(added->title(), "AAA");
        EXPECT_EQ(added->model().chart().interval, expected[item]);
        EXPECT_EQ(added->frameGeometry().top(), form->frameGeometry().bottom() + 1);
        EXPECT_EQ(added->frameGeometry().width(), form->frameGeometry().width());
    }
    EXPECT_EQ(charts().front(), daily);
    EXPECT_EQ(prompts.asked.size(), 1u);
}

TEST_F(ChartCommandsFixture, ControlF8ToF10ReopenTheSelectedChartAtFixedSizes) {
    QAction* f8 = actionWithShortcut(QKeySequence(Qt::CTRL | Qt::Key_F8));
    ASSERT_TRUE(f8);
    f8->trigger(); // no chart selected: nothing happens
    EXPECT_TRUE(charts().empty());

    TAChart* weekly = open("BBB");
    form->charts().chartActivated(*weekly);
    form->actions().interval[1]->trigger();
    weekly = charts().back();
    struct Case {
        Qt::Key key;
        QSize size;
    };
    for (const Case c : {Case{Qt::Key_F8, {308, 529}}, Case{Qt::Key_F9, {508, 529}},
                         Case{Qt::Key_F10, {608, 329}}}) {
        form->charts().chartActivated(*weekly);
        actionWithShortcut(QKeySequence(Qt::CTRL | c.key))->trigger();
        const TAChart* reopened = charts().back();
        ASSERT_NE(reopened, weekly);
        EXPECT_EQ(reopened->frameGeometry(),
                  QRect(QPoint(form->frameGeometry().left(), form->frameGeometry().bottom() + 1),
                        c.size));
        EXPECT_EQ(reopened->model().chart().interval, Interval::Weekly); // its own interval
    }
    EXPECT_EQ(charts().size(), 5u);
}

TEST_F(ChartCommandsFixture, TilingPlacesEveryChartInTheGridOfItsNumber) {
    for (char c = 'A'; c <= 'J'; ++c) open(std::string(3, c).c_str());
    // Another top-level window of the program, as the download dialog is, is passed over.
    QDialog other(form.get());
    other.setGeometry(300, 300, 200, 150);
    other.show();
    for (int count = 10; count >= 1; --count) {
        SCOPED_TRACE(count);
        ASSERT_EQ(charts().size(), static_cast<std::size_t>(count));
        form->actions().vertTile->trigger();
        EXPECT_EQ(frames(), tileCells(count, TileDirection::Vertical, area()));
        form->actions().horzTile->trigger();
        EXPECT_EQ(frames(), tileCells(count, TileDirection::Horizontal, area()));
        if (count == 4) {
            form->actions().vertTile->trigger();
            QTest::qWait(50);
            saveScreenshot(QGuiApplication::primaryScreen()->grabWindow(0), "tiled-charts.png");
        }
        if (count == 5) {
            // Three rows of two horizontally; two rows of three vertically.
            EXPECT_EQ(frames()[4].top, frames()[2].top + frames()[2].height);
            form->actions().vertTile->trigger();
            EXPECT_EQ(frames()[2].top, frames()[0].top);
            EXPECT_EQ(frames()[3].top, frames()[0].top + frames()[0].height);
        }
        charts().back()->close();
    }
    EXPECT_EQ(other.geometry(), QRect(300, 300, 200, 150));
}

TEST_F(ChartCommandsFixture, TiledChartsAreDrawnForTheirCells) {
    TAChart* first = open("AAA");
    TAChart* second = open("BBB");
    const int before = first->renderCount();
    form->actions().vertTile->trigger();
    EXPECT_GT(first->renderCount(), before);
    EXPECT_EQ(first->model().bitmap().width(), first->width() * first->devicePixelRatio());
    EXPECT_EQ(second->model().bitmap().width(), second->width() * second->devicePixelRatio());
}

TEST_F(ChartCommandsFixture, CloseAllClosesEveryChartAndClearsTheStatus) {
    open("AAA");
    open("BBB");
    open("CCC");
    form->statusLabel()->setText(QStringLiteral("Group: Tech"));
    form->actions().closeAll->trigger();
    EXPECT_TRUE(charts().empty());
    EXPECT_TRUE(form->statusLabel()->text().isEmpty());
    EXPECT_EQ(form->charts().selected(), nullptr);
}

TEST_F(ChartCommandsFixture, PutIndicatorsThenTypingASymbolBringsTheSameIndicators) {
    form->actions().putIndicators->trigger(); // no chart selected: nothing is written
    const fs::path saved = settingsFolder() / settings_files::kIndicatorRequests;
    EXPECT_FALSE(fs::exists(saved));

    TAChart* chart = open("AAA");
    chart->dropIndicator(1, 50);
    chart->dropIndicator(17, chart->height() - 10);
    chart->dropIndicator(14, 50);
    std::vector<IndicatorRequest> expected;
    for (const TOscObj* r : chart->model().records()) expected.push_back({r->Kind, r->Pane});
    ASSERT_EQ(expected.size(), 4u);

    form->actions().putIndicators->trigger();
    EXPECT_EQ(loadIndicatorRequests(saved), expected);
    EXPECT_EQ(form->state().requests, expected);

    form->symbolBox()->setText(QStringLiteral("BBB"));
    form->openingCommands().openTypedSymbol();
    const TAChart* next = form->charts().selected();
    ASSERT_NE(next, chart);
    std::vector<IndicatorRequest> got;
    for (const TOscObj* r : next->model().records()) got.push_back({r->Kind, r->Pane});
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(ChartCommandsFixture, PutIndicatorsThatCannotBeSavedSaysSo) {
    TAChart* chart = open("AAA");
    chart->dropIndicator(1, 50);
    // Something that is no file stands where the list goes, and stays as it is.
    const fs::path saved = settingsFolder() / settings_files::kIndicatorRequests;
    fs::create_directories(saved / "kept");
    form->actions().putIndicators->trigger();
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, platform::BoxIcon::Error);
    EXPECT_TRUE(prompts.asked[0].text.startsWith(QStringLiteral("Cannot create file")));
    EXPECT_TRUE(fs::is_directory(saved / "kept"));
}

TEST_F(ChartCommandsFixture, SpacingGoesToChartsOpenedAfterwardsOnly) {
    TAChart* before = open("AAA");
    ASSERT_EQ(before->model().spacing(), 0);
    form->actions().spacing[2]->trigger();
    EXPECT_EQ(before->model().spacing(), 0);
    EXPECT_EQ(open("BBB")->model().spacing(), 2);
}

TEST_F(ChartCommandsFixture, AToolStaysDownOnlyWhileAChartIsSelected) {
    const MainActions& a = form->actions();
    a.tbLine->trigger();
    EXPECT_FALSE(a.tbLine->isChecked());
    open("AAA");
    a.tbLine->trigger();
    EXPECT_TRUE(a.tbLine->isChecked());
    a.tbFibLine->trigger();
    EXPECT_TRUE(a.tbFibLine->isChecked());
    EXPECT_FALSE(a.tbLine->isChecked());
    a.tbFibLine->trigger(); // pressed again: up, and none is down
    EXPECT_FALSE(a.tbFibLine->isChecked());
}

TEST_F(ChartCommandsFixture, TheMainWindowsKeysActFromAChartWindow) {
    TAChart* first = open("AAA");
    open("BBB");
    activate(*first);
    QTest::keyClick(first, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(frames(), tileCells(2, TileDirection::Horizontal, area()));
    activate(*first);
    QTest::keyClick(first, Qt::Key_F9, Qt::ControlModifier);
    ASSERT_EQ(charts().size(), 3u);
    EXPECT_EQ(charts().back()->frameGeometry().size(), QSize(508, 529));
}

TEST_F(ChartCommandsFixture, EditingKeysEditTheSymbolBoxWhileItHasTheFocus) {
    open("AAA");
    activate(*form);
    QLineEdit* box = form->symbolBox();
    box->setFocus();
    const MainActions& a = form->actions();
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (QAction* command : {a.closeAll, a.vertTile, a.exit, a.zoom, a.copy, a.about})
        spies.push_back(std::make_unique<QSignalSpy>(command, &QAction::triggered));

    QGuiApplication::clipboard()->setText(QStringLiteral("ibm"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("IBM")); // pasted, and upper case as if typed
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box->selectedText(), QStringLiteral("IBM"));
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(box->text().isEmpty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("IBM"));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("IBM"));
    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(box->text().isEmpty());
    for (const auto& spy : spies) EXPECT_EQ(spy->count(), 0);
    EXPECT_EQ(charts().size(), 1u);

    // Other keys of the main window still act from the box, and outside it these are commands.
    QTest::keyClick(box, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(frames(), tileCells(1, TileDirection::Horizontal, area()));
    // Ctrl+E is the end of the line in a text box on some desktops, though not on the test
    // platform; Ctrl+End, the end of the text, is on every one. The box claims no Ctrl key
    // before the commands.
    for (const Qt::Key key : {Qt::Key_E, Qt::Key_End}) {
        QKeyEvent override(QEvent::ShortcutOverride, key, Qt::ControlModifier);
        override.ignore();
        QCoreApplication::sendEvent(box, &override);
        EXPECT_FALSE(override.isAccepted()) << key;
    }
    box->setText(QStringLiteral("IBM"));
    QTest::keyClick(box, Qt::Key_Backspace, Qt::ControlModifier); // no command: the box's own
    EXPECT_TRUE(box->text().isEmpty());
    bool editorShown = false;
    whenModal([&](QWidget& dialog) {
        editorShown = true;
        dialog.close();
    });
    QTest::keyClick(box, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(editorShown);
    activate(*form);
    form->setFocus();
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(spies[0]->count(), 1);
    EXPECT_TRUE(charts().empty());
}

} // namespace
} // namespace qm
