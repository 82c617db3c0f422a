#include "dialogs/DataPickDialog.h"

#include "settings/SettingsFiles.h"
#include "support/FileContent.h"
#include "support/RecordingSink.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
namespace sf = settings_files;

using Lines = std::vector<std::string>;

Lines texts(const QListWidget* list) {
    Lines out;
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
}

struct DataPickWindow : testing::Test {
    test::TempDir dir;
    fs::path settings = dir / "settings";
    fs::path data = dir / "CSV";
    test::ScriptedPrompts prompts;
    test::PromptsScope scope{prompts};
    test::RecordingSink sink;
    TParamRecList favourites;
    TSignalRecList signals;
    std::unique_ptr<TDlgData> dialog;

    DataPickWindow() {
        fs::create_directories(settings);
        fs::create_directories(data);
        for (const char* name : {"AAA.csv", "BBB = Bee Corp.csv", "CCC.csv"})
            std::ofstream(data / name) << "x";
        TParamRecList saved;
        saved.records = {{"CCC", (data / "CCC.csv").string()}};
        saved.save(settings / sf::kFavourites);
        TSignalRecList scanned;
        scanned.records = {{"BBB", (data / "BBB = Bee Corp.csv").string(), 1},
                           {"AAA", (data / "AAA.csv").string(), 0}};
        scanned.save(settings / sf::kSignalList);
        dialog = std::make_unique<TDlgData>(nullptr, data, 2, ChartOption::SavedIndicators,
                                            favourites, signals, settings, sink);
        dialog->show();
        // Focus moves only within the active window.
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    void pick(int row) { dialog->fileList()->setCurrentRow(row); }
    void saveScreenshot(const char* name) {
        const fs::path out = fs::path(QM_TEST_OUTPUT_DIR);
        fs::create_directories(out);
        dialog->grab().save(QString::fromStdString((out / name).string()));
    }
};

TEST_F(DataPickWindow, ShowsTheFolderTheChoicesOfLastTimeAndTheFavourites) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Pick symbol or file to chart"));
    EXPECT_EQ(texts(dialog->fileList()), (Lines{"AAA.csv", "BBB = Bee Corp.csv", "CCC.csv"}));
    EXPECT_EQ(dialog->pickedName()->text(), QStringLiteral("*.csv"));
    EXPECT_EQ(dialog->intervals()->checkedId(), 2);
    EXPECT_EQ(dialog->chartOptions()->checkedId(), 1);
    EXPECT_EQ(texts(dialog->favouritesList()), Lines{"CCC"});
    EXPECT_TRUE(dialog->ratioGroup()->isHidden());
    pick(1);
    EXPECT_EQ(dialog->pickedName()->text(), QStringLiteral("BBB = Bee Corp.csv"));
    dialog->dropFile(data / "AAA.csv");
    EXPECT_EQ(texts(dialog->favouritesList()), (Lines{"AAA", "CCC"}));
    EXPECT_EQ(dialog->favouritesList()->currentRow(), 0);
    saveScreenshot("data-pick-dialog.png");
}

TEST_F(DataPickWindow, DrawChartStaysOpenUntilItCanDraw) {
    dialog->drawButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog->pickedName());
    pick(2);
    dialog->drawButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->choice().firstFile, data / "CCC.csv");
    EXPECT_EQ(dialog->choice().interval, 2);
    EXPECT_EQ(dialog->choice().option, ChartOption::SavedIndicators);
}

TEST_F(DataPickWindow, ADoubleClickOnAFileDrawsIt) {
    QListWidget* list = dialog->fileList();
    const QRect row = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->choice().firstFile, data / "BBB = Bee Corp.csv");
}

TEST_F(DataPickWindow, ARatioChartShowsThePairInsteadOfTheList) {
    dialog->useFavourites()->click();
    dialog->chartOptions()->button(2)->click();
    EXPECT_FALSE(dialog->favouritesGroup()->isVisible());
    EXPECT_TRUE(dialog->ratioGroup()->isVisible());
    EXPECT_FALSE(dialog->useFavourites()->isChecked());
    dialog->ratioButton(0)->click(); // nothing picked: a beep
    EXPECT_EQ(dialog->model().ratioFile(0), fs::path());
    pick(1);
    dialog->ratioButton(0)->click();
    pick(0);
    dialog->ratioButton(1)->click();
    const auto* first = dialog->ratioGroup()->findChild<QLabel*>(QStringLiteral("lblFile1"));
    const auto* second = dialog->ratioGroup()->findChild<QLabel*>(QStringLiteral("lblFile2"));
    EXPECT_EQ(first->text(), QStringLiteral("BBB"));
    EXPECT_EQ(second->text(), QStringLiteral("AAA"));
    saveScreenshot("data-pick-ratio.png");
    dialog->drawButton()->click();
    EXPECT_EQ(dialog->choice().firstFile, data / "BBB = Bee Corp.csv");
    EXPECT_EQ(dialog->choice().secondFile, data / "AAA.csv");
}

TEST_F(DataPickWindow, TheBoxesSwitchTheListAndDeleteEditsIt) {
    const std::string signalBytes = test::readFile(settings / sf::kSignalList);
    dialog->useSignals()->click();
    EXPECT_EQ(texts(dialog->favouritesList()), (Lines{"BBB", "AAA"}));
    EXPECT_FALSE(dialog->useFavourites()->isChecked());
    QListWidget* list = dialog->favouritesList();
    list->setFocus();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(texts(list), Lines{"AAA"});
    dialog->useFavourites()->click();
    EXPECT_EQ(texts(list), Lines{"CCC"});
    EXPECT_FALSE(dialog->useSignals()->isChecked());
    EXPECT_TRUE(signals.records.empty());
    // Emptied and left, the favourites lose their file.
    list->setFocus();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Delete);
    dialog->pickedName()->setFocus();
    EXPECT_FALSE(fs::exists(settings / sf::kFavourites));
    EXPECT_EQ(test::readFile(settings / sf::kSignalList), signalBytes);
}

TEST_F(DataPickWindow, DataFolderShowsAnotherFolder) {
    fs::create_directories(dir / "Other");
    std::ofstream(dir / "Other" / "ZZZ.csv") << "x";
    prompts.folderAnswers = {QString::fromStdString((dir / "Other").string())};
    dialog->folderButton()->click();
    EXPECT_EQ(prompts.asked.back().text,
              QStringLiteral("Select the folder with symbol/ticker file you want to chart"));
    EXPECT_EQ(texts(dialog->fileList()), Lines{"ZZZ.csv"});
    dialog->fileList()->setCurrentRow(0);
    dialog->drawButton()->click();
    EXPECT_EQ(dialog->choice().folder, dir / "Other");
}

} // namespace
} // namespace qm
