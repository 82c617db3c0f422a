// The download window against local servers that answer like the quote services: transfers
// started from it, their labels, Escape, closing while they run, and its settings.

#include "DialogSupport.h"
#include "support/UrlCatcher.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

namespace qm::test {
namespace {

using Lines = std::vector<std::string>;

TEST_F(DownloadDialogFixture, OpensOnTheChosenServiceAndShowsBothModes) {
    {
        platform::ConfigStore config(configFile);
        config.writeInt("XFers", "Server ID", 1);
        ASSERT_TRUE(config.save());
    }
    std::ofstream(folders[1] / "IBM.csv") << "x";
    std::ofstream(folders[1] / "MSFT = Microsoft Corp.csv") << "x";
    auto dialog = openDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Updater + Downloader"));
    EXPECT_EQ(child<QComboBox>(*dialog, "cbSource")->currentText(), QStringLiteral("Google"));
    EXPECT_EQ(listLines(*dialog->shownList()).size(), 14u);
    EXPECT_EQ(text<QLabel>(*dialog, "lblSymList"), "Download List - 14");
    EXPECT_EQ(text<QLabel>(*dialog, "lblThrdsRunning"), "Active Sources:  0");
    EXPECT_EQ(text<QLabel>(*dialog, "lblAction"), "Saving to ...");
    EXPECT_EQ(text<QPushButton>(*dialog, "btnSaveTo"), "&Save To");
    EXPECT_EQ(text<QPushButton>(*dialog, "btnDone"), "&Done");
    EXPECT_TRUE(child<QCheckBox>(*dialog, "ckAddSymbols")->isChecked());
    const QDate today = QDate::currentDate();
    const auto* picker = child<QDateEdit>(*dialog, "DatePicker1");
    EXPECT_EQ(picker->date(), QDate(today.year() - 3, 2, 2));
    EXPECT_EQ(picker->minimumDate(), QDate(today.year() - 10, 2, 2));
    EXPECT_EQ(picker->maximumDate(), today.addDays(-7));
    saveScreenshot(*dialog, "download-dialog-add.png");

    child<QCheckBox>(*dialog, "ckAddName")->click();
    child<QCheckBox>(*dialog, "ckDoUpdate")->click();
    EXPECT_EQ(listLines(*dialog->shownList()), (Lines{"IBM", "MSFT"}));
    EXPECT_FALSE(child<QCheckBox>(*dialog, "ckAddName")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*dialog, "ckAddSymbols")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(*dialog, "edSymbol")->isEnabled());
    EXPECT_EQ(text<QLabel>(*dialog, "lblAction"), "Updating Symbols/tickers in ...");
    EXPECT_EQ(text<QPushButton>(*dialog, "btnSaveTo"), "&Update In");
    saveScreenshot(*dialog, "download-dialog-update.png");

    // F1 shows the help at its downloads topic.
    UrlCatcher browser;
    QTest::keyClick(dialog.get(), Qt::Key_F1);
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened[0].fragment(), QStringLiteral("downloads"));
    EXPECT_TRUE(prompts.messageTexts().empty());
}

TEST_F(DownloadDialogFixture, TypingAndDroppingFillTheListToItsLimit) {
    auto dialog = openDialog();
    QLineEdit* edit = child<QLineEdit>(*dialog, "edSymbol");
    triggerMenuItem(*dialog, "&Delete All");
    QTest::keyClicks(edit, QStringLiteral(" ibm"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(listLines(*dialog->shownList()), Lines{"IBM"});
    EXPECT_TRUE(edit->text().isEmpty());

    dropFiles(*dialog, {dir.write("200.txt", symbolText(200))});
    EXPECT_EQ(dialog->shownList()->count(), 150);
    EXPECT_EQ(text<QLabel>(*dialog, "lblSymList"), "Download List - 150");
    QTest::keyClicks(edit, QStringLiteral("ZZZ"));
    QTest::mouseDClick(edit, Qt::LeftButton);
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_EQ(dialog->shownList()->count(), 150);

    // Delete removes the selected lines.
    QListWidget* list = dialog->shownList();
    list->setFocus();
    list->item(0)->setSelected(true);
    list->item(2)->setSelected(true);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->count(), 148);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("S1001"));
}

TEST_F(DownloadDialogFixture, TwoServicesRunningShowTheirCountAndDoneWaitsForThem) {
    FakeServices yahoo;
    yahoo.answers = {{"history|IBM", "delay:1500:" + kYahooAnswer}};
    yahoo.start();
    FakeServices google;
    google.answers = {{"history|IBM", "delay:200:" + kGoogleAnswer}};
    google.start();
    pointAt({{"YahooHistoryUrl", yahoo.base()}, {"GoogleFinanceUrl", google.base()}});
    auto dialog = openDialog();

    showServiceWithList(*dialog, 1, "IBM\n");
    clickGetData(*dialog);
    showServiceWithList(*dialog, 0, "IBM\n");
    clickGetData(*dialog);
    EXPECT_EQ(text<QLabel>(*dialog, "lblThrdsRunning"), "Active Sources: 2");
    EXPECT_EQ(text<QPushButton>(*dialog, "btnDone"), "Wait...");
    EXPECT_EQ(dialog->toolTip(), QStringLiteral("Press and hold ESC key to Abort download"));

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return text<QLabel>(*dialog, "lblThrdsRunning") == "Active Sources = 1"; }, 10000));
    EXPECT_EQ(dialog->list(1)->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(readFile(folders[1] / "IBM.csv"), kConverted);

    // While Yahoo still runs, neither Done, the close box nor Escape closes the window.
    child<QPushButton>(*dialog, "btnDone")->click();
    dialog->close();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(prompts.messageTexts(),
              (Lines{"Press and hold the ESC key to abort download.",
                     "Still working. Please wait or press ESC key to abort!"}));
    EXPECT_EQ(prompts.asked.back().icon, platform::BoxIcon::Warning);

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return text<QLabel>(*dialog, "lblThrdsRunning") == "Active Sources = 0"; }, 10000));
    EXPECT_EQ(text<QPushButton>(*dialog, "btnDone"), "Done");
    EXPECT_EQ(dialog->toolTip(), QStringLiteral("Press F1 key for Help"));
    EXPECT_EQ(readFile(folders[0] / "IBM.csv"), kConverted);
    EXPECT_EQ(saved.size(), 2u);
    child<QPushButton>(*dialog, "btnDone")->click();
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DownloadDialogFixture, HoldingEscapeStopsTheTransfersAndKeepsWhatWasFetched) {
    FakeServices yahoo;
    yahoo.answers = {{"history|AAA", kYahooAnswer},
                     {"history|BBB", "delay:600:" + kYahooAnswer},
                     {"history|CCC", kYahooAnswer}};
    yahoo.start();
    pointAt({{"YahooHistoryUrl", yahoo.base()}});
    auto dialog = openDialog();
    showServiceWithList(*dialog, 0, "AAA\nBBB\nCCC\n");
    clickGetData(*dialog);
    QListWidget* list = dialog->list(0);
    // The key goes down while the second symbol's answer is on its way.
    ASSERT_TRUE(QTest::qWaitFor([&] { return yahoo.requestsStarted() == 2; }, 10000));
    QTest::keyPress(dialog.get(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return transfers.count() == 0; }, 10000));
    QTest::keyRelease(dialog.get(), Qt::Key_Escape);

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(prompts.messageTexts().empty());
    EXPECT_EQ(listMarks(*list),
              (std::vector<Qt::CheckState>{Qt::Checked, Qt::Checked, Qt::Unchecked}));
    EXPECT_EQ(folderNames(folders[0]), (Lines{"AAA.csv", "BBB.csv"}));
    for (const SeenRequest& r : yahoo.requests()) EXPECT_NE(r.param("s"), "CCC");
}

TEST_F(DownloadDialogFixture, MarksStayOnTheirSymbolsAfterAMixedCasePaste) {
    FakeServices yahoo;
    yahoo.answers = {{"history|IBM", kYahooAnswer}, {"history|MSFT", kYahooAnswer}};
    yahoo.start();
    pointAt({{"YahooHistoryUrl", yahoo.base()}});
    auto dialog = openDialog();
    QGuiApplication::clipboard()->setText(QStringLiteral("msft\r\nIBM\r\nibm\r\naapl\r\n"));
    triggerMenuItem(*dialog, "&Paste");
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    QListWidget* list = dialog->list(0);
    EXPECT_EQ(listLines(*list), (Lines{"aapl", "IBM", "msft"}));

    clickGetData(*dialog);
    ASSERT_TRUE(QTest::qWaitFor([&] { return transfers.count() == 0; }, 10000));
    EXPECT_EQ(listMarks(*list),
              (std::vector<Qt::CheckState>{Qt::Unchecked, Qt::Checked, Qt::Checked}));
    EXPECT_EQ(folderNames(folders[0]), (Lines{"IBM.csv", "msft.csv"}));
    EXPECT_EQ(saved, (std::vector<std::filesystem::path>{folders[0] / "IBM.csv",
                                                         folders[0] / "msft.csv"}));
}

TEST_F(DownloadDialogFixture, AWindowDestroyedUnderItsWorkerLeavesTheWorkerWhole) {
    FakeServices yahoo;
    yahoo.answers = {{"history|AAA", "delay:300:" + kYahooAnswer},
                     {"history|BBB", "delay:300:" + kYahooAnswer}};
    yahoo.start();
    pointAt({{"YahooHistoryUrl", yahoo.base()}});
    auto dialog = openDialog();
    showServiceWithList(*dialog, 0, "AAA\nBBB\n");
    clickGetData(*dialog);
    dialog.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return transfers.count() == 0; }, 10000));
    EXPECT_EQ(folderNames(folders[0]), (Lines{"AAA.csv", "BBB.csv"}));
    EXPECT_EQ(saved.size(), 2u);
}

TEST_F(DownloadDialogFixture, TheWindowKeepsItsServiceAndFoldersForTheNextTime) {
    const std::filesystem::path chosen = dir / "chosen";
    std::filesystem::create_directories(chosen);
    std::ofstream(chosen / "TSLA.csv") << "x";
    {
        auto dialog = openDialog();
        child<QComboBox>(*dialog, "cbSource")->setCurrentIndex(3);
        prompts.folderAnswers.push_back(QString::fromStdString(chosen.string()));
        child<QPushButton>(*dialog, "btnSaveTo")->click();
        EXPECT_EQ(listLines(*dialog->shownList()), Lines{"TSLA"});
        EXPECT_EQ(prompts.asked.back().text,
                  QStringLiteral("Select folder where you want data Saved or Updated"));
        child<QPushButton>(*dialog, "btnDone")->click();
    }
    const platform::ConfigStore config(configFile);
    EXPECT_EQ(config.readInt("XFers", "Server ID"), 3);
    EXPECT_EQ(config.readText("XFers", "QuoteMediaDataDir"), chosen.string());
    EXPECT_EQ(config.readText("XFers", "YahooDataDir"), folders[0].string());

    auto again = openDialog();
    EXPECT_EQ(child<QComboBox>(*again, "cbSource")->currentText(), QStringLiteral("Qmedia"));
    EXPECT_EQ(again->model().current().folder, chosen);
}

} // namespace
} // namespace qm::test
