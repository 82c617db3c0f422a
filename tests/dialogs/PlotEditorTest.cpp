#include "dialogs/PlotEditor.h"

#include "dialogs/ColourButton.h"
#include "indicators/OscObj.h"
#include "settings/SettingsFiles.h"
#include "support/FileContent.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "support/UrlCatcher.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

struct EditorWindow : testing::Test {
    test::TempDir settings;
    test::TempDir prices;
    test::ScriptedPrompts prompts;
    test::PromptsScope scope{prompts};
    TParamRecList list;
    bool showValues = false;
    bool showParams = false;
    int indicatorIndex = 11; // kind 12

    EditorWindow() {
        list.records.emplace_back(std::string(kDefaultsSymbol), "");
        const fs::path source = prices.write("AB.csv", "1/4/2016,5\n");
        list.records.emplace_back("AB", source.string());
        TPlotRecList set = factoryDefaultSet();
        set.records[1]->Params[0] = 20;
        set.save(settings / "AB.prm");
    }
    PlotEditorContext context(std::string chartTitle = {}) {
        return {settings.path(),
                list,
                showValues,
                showParams,
                indicatorIndex,
                FormatSettings{},
                std::move(chartTitle),
                prices.path()};
    }
    template <class W> static W* child(QWidget& editor, const char* name) {
        W* widget = editor.findChild<W*>(QString::fromLatin1(name));
        EXPECT_TRUE(widget) << name;
        return widget;
    }
    static void saveScreenshot(QWidget& w, const char* name) {
        const fs::path out = fs::path(QM_TEST_OUTPUT_DIR);
        fs::create_directories(out);
        w.grab().save(QString::fromStdString((out / name).string()));
    }
    static void chooseMore(ColourButton& button) {
        button.menu()->findChild<QAction*>(QStringLiteral("more"))->trigger();
    }
};

TEST_F(EditorWindow, OpensOnTheIndicatorPageWithTheChartsSymbolOrDefaults) {
    {
        TPlotEditor editor(context());
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Chart and indicator settings editor"));
        EXPECT_TRUE(editor.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_GE(editor.width(), 361);
        EXPECT_GE(editor.height(), 420);
        EXPECT_EQ(child<QComboBox>(editor, "cbPRMs")->currentText(), QStringLiteral("Defaults"));
        EXPECT_EQ(child<QTabWidget>(editor, "PageControl1")->currentIndex(), 1);
        EXPECT_EQ(editor.shownKind(), 12);
        EXPECT_EQ(child<QComboBox>(editor, "cbOscList")->count(), 30);
        EXPECT_EQ(child<QComboBox>(editor, "cbOscList")->itemText(9),
                  QStringLiteral(" Wilders Parabolic "));
    }
    TPlotEditor editor(context("AB"));
    EXPECT_EQ(child<QComboBox>(editor, "cbPRMs")->currentText(), QStringLiteral("AB"));
    EXPECT_EQ(editor.model().record(1).Params[0], 20);
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(EditorWindow, TheIndicatorPageShowsTheKindsRowAndStoresWhatIsTyped) {
    TPlotEditor editor(context());
    auto* list = child<QComboBox>(editor, "cbOscList");
    auto* number = child<QSpinBox>(editor, "iseNumVars");
    auto* box0 = child<QDoubleSpinBox>(editor, "fseVar0");
    auto* box3 = child<QDoubleSpinBox>(editor, "fseVar3");

    // Kind 12: the number box is the average's length, box 0 its standard deviation lookback.
    EXPECT_FALSE(number->isHidden());
    EXPECT_EQ(child<QLabel>(editor, "lblNumVars")->text(), QStringLiteral("Mov Avg length:"));
    EXPECT_EQ(number->maximum(), 100);
    EXPECT_EQ(number->value(), 13);
    EXPECT_EQ(child<QLabel>(editor, "lblVar0")->text(), QStringLiteral("Lookback for Std Dev:"));
    EXPECT_EQ(box0->text(), QStringLiteral("21"));
    EXPECT_TRUE(box3->isHidden());
    number->setValue(30);
    EXPECT_EQ(editor.model().record(12).Params[0], 30);

    // Kind 10: the acceleration shown times 100, with three decimals.
    list->setCurrentIndex(9);
    EXPECT_TRUE(number->isHidden());
    EXPECT_EQ(box0->text(), QStringLiteral("2.500"));
    box0->setValue(3);
    EXPECT_EQ(editor.model().record(10).Params[0], 0.03f);
    EXPECT_TRUE(child<QRadioButton>(editor, "rbUzHi")->isHidden());

    // Kind 5: the Stage2 radios and check boxes, relaxed and aggressive excluding each other.
    list->setCurrentIndex(4);
    auto* relaxed = child<QCheckBox>(editor, "ckUzRelaxed");
    auto* aggressive = child<QCheckBox>(editor, "ckDoAggressive");
    EXPECT_EQ(child<QRadioButton>(editor, "rbUzHi")->text(), QStringLiteral("Use <=>"));
    EXPECT_TRUE(child<QRadioButton>(editor, "rbUzCl")->isHidden());
    EXPECT_FALSE(box3->isHidden());
    EXPECT_TRUE(relaxed->isChecked());
    aggressive->click();
    EXPECT_FALSE(relaxed->isChecked());
    EXPECT_FALSE(editor.model().record(5).RelaxLastStage2);
    child<QRadioButton>(editor, "rbUzLo")->click();
    EXPECT_EQ(editor.model().record(5).PriceField, 1);

    // Kind 1: a second line gets its box and colour.
    list->setCurrentIndex(0);
    EXPECT_FALSE(child<QDoubleSpinBox>(editor, "fseVar1")->isEnabled());
    EXPECT_TRUE(child<ColourButton>(editor, "ColorBtn1")->isHidden());
    number->setValue(2);
    EXPECT_TRUE(child<QDoubleSpinBox>(editor, "fseVar1")->isEnabled());
    EXPECT_FALSE(child<ColourButton>(editor, "ColorBtn1")->isHidden());
    prompts.colourAnswers.push_back(QColor(0x11, 0x22, 0x33));
    chooseMore(*child<ColourButton>(editor, "ColorBtn0"));
    EXPECT_EQ(editor.model().record(1).Colors[6], 0x332211);
    EXPECT_EQ(editor.model().record(1).Colors[9], 0x332211);
}

TEST_F(EditorWindow, ThePreviewIsDrawnAgainOnEachChange) {
    TPlotEditor editor(context());
    editor.show();
    auto* pages = child<QTabWidget>(editor, "PageControl1");
    auto* preview = child<QLabel>(editor, "imgBMP");
    pages->setCurrentIndex(2);
    ASSERT_EQ(editor.previewDrawings(), 1);
    const QImage first = preview->pixmap().toImage();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.pixelColor(first.width() / 2, 40), QColor(Qt::black));

    int drawings = 1;
    const auto redrawn = [&] { return editor.previewDrawings() == ++drawings; };
    prompts.colourAnswers.push_back(QColor(Qt::white));
    chooseMore(*child<ColourButton>(editor, "ColorBtn3"));
    EXPECT_TRUE(redrawn());
    const QImage white = preview->pixmap().toImage();
    EXPECT_EQ(white.pixelColor(white.width() / 2, 40), QColor(Qt::white));
    EXPECT_EQ(editor.model().chartPages().colours[ChartPages::Background], 0xFFFFFF);

    editor.findChild<QSpinBox*>(QStringLiteral("seFontSize"))->setValue(12);
    EXPECT_TRUE(redrawn());
    child<QCheckBox>(editor, "ckShoOscVal")->click();
    EXPECT_TRUE(redrawn());
    EXPECT_TRUE(showValues); // the option changes at once
    child<QCheckBox>(editor, "ckShowIndParams")->click();
    EXPECT_TRUE(redrawn());
    EXPECT_TRUE(showParams);
    EXPECT_NE(preview->pixmap().toImage(), white);

    // Choosing another element shows its colour.
    const auto elements = child<QWidget>(editor, "rgColors")->findChildren<QRadioButton*>();
    ASSERT_EQ(elements.size(), 3);
    elements[2]->click();
    EXPECT_TRUE(redrawn());
    EXPECT_EQ(child<ColourButton>(editor, "ColorBtn3")->colour(), 0xC0C0C0);

    // A chart page's change on another page is drawn when the colours page shows again.
    pages->setCurrentIndex(0);
    const int before = editor.previewDrawings();
    child<QWidget>(editor, "rgChartType")->findChildren<QRadioButton*>()[4]->click();
    EXPECT_EQ(editor.model().chartPages().style, 4);
    pages->setCurrentIndex(2);
    EXPECT_EQ(editor.previewDrawings(), before + 1);
}

TEST_F(EditorWindow, SaveAsAssignsTheSettingsToTheChosenPriceFile) {
    TPlotEditor editor(context());
    const fs::path source = prices.write("XYZ = Example Holdings.csv", "1/4/2016,5\n");
    prompts.fileAnswers.push_back(platform::FileAnswer{QString::fromStdString(source.string())});
    prompts.fileAnswers.push_back(std::nullopt);
    child<QPushButton>(editor, "cmdSaveAs")->click();

    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].text,
              QStringLiteral("Assign settings to the symbol/ticker file you select"));
    EXPECT_EQ(prompts.asked[0].file.folder, QString::fromStdString(prices.path().string()));
    auto* symbols = child<QComboBox>(editor, "cbPRMs");
    EXPECT_EQ(symbols->currentText(), QStringLiteral("XYZ"));
    EXPECT_EQ(symbols->count(), 3);
    EXPECT_TRUE(fs::exists(settings / "XYZ = Example Holdings.prm"));

    // Cancelling the file dialog changes nothing.
    child<QPushButton>(editor, "cmdSaveAs")->click();
    EXPECT_EQ(symbols->count(), 3);
    EXPECT_EQ(symbols->currentText(), QStringLiteral("XYZ"));
}

TEST_F(EditorWindow, DeleteKeyRemovesAConfirmedSymbolButNeverDefaults) {
    TPlotEditor editor(context("AB"));
    auto* symbols = child<QComboBox>(editor, "cbPRMs");
    prompts.boxAnswers.push_back(platform::BoxAnswer::Yes);
    QTest::keyClick(symbols, Qt::Key_Delete);
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{"Delete the settings of AB?"});
    EXPECT_FALSE(fs::exists(settings / "AB.prm"));
    EXPECT_EQ(symbols->count(), 1);
    EXPECT_EQ(symbols->currentText(), QStringLiteral("Defaults"));

    QTest::keyClick(symbols, Qt::Key_Delete);
    EXPECT_EQ(prompts.messageTexts().back(), "Don't delete this one: Defaults");
    EXPECT_TRUE(fs::exists(settings / settings_files::kDefaultSettings));
}

TEST_F(EditorWindow, SaveIsOffForSettingsThatCouldNotBeRead) {
    settings.write("AB.prm", std::string("\x01\x02", 2));
    TPlotEditor editor(context("AB"));
    EXPECT_FALSE(child<QPushButton>(editor, "cmdSave")->isEnabled());
    ASSERT_FALSE(prompts.asked.empty());
    EXPECT_EQ(prompts.asked.front().icon, platform::BoxIcon::Error);
    child<QComboBox>(editor, "cbPRMs")->setCurrentIndex(0);
    EXPECT_TRUE(child<QPushButton>(editor, "cmdSave")->isEnabled());
}

TEST_F(EditorWindow, TheIndicatorShownLastComesBackAtTheNextOpening) {
    {
        TPlotEditor editor(context());
        child<QComboBox>(editor, "cbOscList")->setCurrentIndex(20);
        child<QPushButton>(editor, "cmdDone")->click();
    }
    EXPECT_EQ(indicatorIndex, 20);
    TPlotEditor editor(context());
    EXPECT_EQ(editor.shownKind(), 21);
}

TEST_F(EditorWindow, F1ShowsTheHelpOnTheEditor) {
    TPlotEditor editor(context());
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    test::UrlCatcher browser;
    QTest::keyClick(&editor, Qt::Key_F1);
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened[0].fragment(), QStringLiteral("settings-editor"));
}

TEST_F(EditorWindow, EachPageAsAPicture) {
    TPlotEditor editor(context("AB"));
    editor.show();
    auto* pages = child<QTabWidget>(editor, "PageControl1");
    const char* names[] = {"editor-chart-type.png", "editor-indicator.png",
                           "editor-chart-colors.png"};
    child<QComboBox>(editor, "cbOscList")->setCurrentIndex(0);
    for (int page = 0; page < 3; ++page) {
        pages->setCurrentIndex(page);
        saveScreenshot(editor, names[page]);
    }
    child<QComboBox>(editor, "cbOscList")->setCurrentIndex(4);
    pages->setCurrentIndex(1);
    saveScreenshot(editor, "editor-indicator-pattern1.png");
    child<QComboBox>(editor, "cbOscList")->setCurrentIndex(16);
    pages->setCurrentIndex(2);
    saveScreenshot(editor, "editor-chart-colors-rsi.png");
}

} // namespace
} // namespace qm
