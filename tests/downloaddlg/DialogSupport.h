#pragma once
// A download window in a folder of its own, with its configuration pointing the quote services
// at local servers, and the steps a user takes in it.

#include "download/FakeServices.h"
#include "downloaddlg/DownLoadDlg.h"
#include "platform/ConfigStore.h"
#include "support/FileContent.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qm::test {

const std::string kYahooAnswer = "Date,Open,High,Low,Close,Volume,Adj Close\n"
                                 "2016-06-30,10.5,11,10,10.75,123400,10.75\n";
const std::string kGoogleAnswer = "Date,Open,High,Low,Close,Volume\n"
                                  "30-Jun-16,10.5,11,10,10.75,123400\n";
// Both answers as a price file.
const std::string kConverted =
    "Date,Open,High,Low,Close,Volume\r\n6/30/2016,10.5,11,10,10.75,123400\r\n";

// Symbols S1000, S1001, ... as lines of a text, in reverse order.
inline std::string symbolText(int count) {
    std::string text;
    for (int i = count - 1; i >= 0; --i) text += "S" + std::to_string(1000 + i) + "\r\n";
    return text;
}

template <class T> T* child(const QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QLatin1String(name));
    EXPECT_TRUE(found) << name;
    return found;
}

template <class T> std::string text(const QWidget& parent, const char* name) {
    return child<T>(parent, name)->text().toStdString();
}

inline std::vector<std::string> listLines(const QListWidget& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.count(); ++i) lines.push_back(list.item(i)->text().toStdString());
    return lines;
}

inline std::vector<Qt::CheckState> listMarks(const QListWidget& list) {
    std::vector<Qt::CheckState> marks;
    for (int i = 0; i < list.count(); ++i) marks.push_back(list.item(i)->checkState());
    return marks;
}

inline std::vector<std::string> folderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// An item of the lists' context menu, as if chosen there.
inline void triggerMenuItem(const QWidget& dialog, const char* itemText) {
    const auto* menu = child<QMenu>(dialog, "PopupMenu1");
    for (QAction* a : menu->actions()) {
        if (a->text() == QLatin1String(itemText)) {
            a->setEnabled(true);
            a->trigger();
            return;
        }
    }
    ADD_FAILURE() << "no menu item " << itemText;
}

// Files dragged from the desktop and dropped onto the window. The event goes to the window
// itself: the application passes on only drops of a drag it runs.
inline void dropFiles(QWidget& dialog, const std::vector<std::filesystem::path>& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const auto& f : files)
        urls.push_back(QUrl::fromLocalFile(QString::fromStdString(f.string())));
    data.setUrls(urls);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject&>(dialog).event(&drop);
}

struct DownloadDialogFixture : testing::Test {
    TempDir dir;
    ScriptedPrompts prompts;
    PromptsScope scope{prompts};
    std::filesystem::path configFile = dir / "Quillmar7.conf";
    downloader::ServiceFolders folders;
    downloader::RunningTransfers transfers;
    std::vector<std::filesystem::path> saved; // as the window reported them

    DownloadDialogFixture() {
        for (std::size_t s = 0; s < folders.size(); ++s) {
            folders[s] = dir / ("data" + std::to_string(s));
            std::filesystem::create_directories(folders[s]);
        }
        std::filesystem::create_directories(dir / "tmp");
        // Nothing reaches the real services.
        pointAt({{"YahooLookupUrl", "http://127.0.0.1:1"},
                 {"YahooHistoryUrl", "http://127.0.0.1:1"},
                 {"GoogleFinanceUrl", "http://127.0.0.1:1"},
                 {"OtcQuoteUrl", "http://127.0.0.1:1"},
                 {"OtcTradeStatsUrl", "http://127.0.0.1:1"},
                 {"QMediaLookupUrl", "http://127.0.0.1:1"},
                 {"QMediaHistoryUrl", "http://127.0.0.1:1"},
                 {"NasdaqHomeUrl", "http://127.0.0.1:1"},
                 {"NasdaqSearchUrl", "http://127.0.0.1:1"},
                 {"NasdaqHistoryUrl", "http://127.0.0.1:1"}});
    }
    ~DownloadDialogFixture() override {
        // No worker outlives its test.
        transfers.requestStop();
        EXPECT_TRUE(QTest::qWaitFor([&] { return transfers.count() == 0; }, 30000));
    }

    void pointAt(const std::map<std::string, std::string>& endpoints) {
        platform::ConfigStore config(configFile);
        for (const auto& [key, url] : endpoints) config.writeText("XFers", key, url);
        ASSERT_TRUE(config.save());
    }

    TDownLoadDlg::Setup setup() {
        TDownLoadDlg::Setup s;
        s.configFile = configFile;
        s.mainFolders = folders;
        s.documentsFolder = dir / "Documents";
        s.tempFolder = dir / "tmp";
        s.transfers = &transfers;
        s.locale = FormatSettings::unitedStates();
        s.onFilesSaved = [this](const std::vector<std::filesystem::path>& files) {
            saved.insert(saved.end(), files.begin(), files.end());
        };
        return s;
    }

    std::unique_ptr<TDownLoadDlg> openDialog() {
        auto dialog = std::make_unique<TDownLoadDlg>(setup());
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    // Shows the service and pastes `lines` as its list.
    static void showServiceWithList(TDownLoadDlg& dialog, int service, const char* lines) {
        child<QComboBox>(dialog, "cbSource")->setCurrentIndex(service);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(lines));
        triggerMenuItem(dialog, "&Paste");
    }

    static void clickGetData(TDownLoadDlg& dialog) {
        child<QPushButton>(dialog, "btnGetData")->click();
    }

    static void saveScreenshot(QWidget& w, const char* name) {
        const std::filesystem::path out = std::filesystem::path(QM_TEST_OUTPUT_DIR);
        std::filesystem::create_directories(out);
        w.grab().save(QString::fromStdString((out / name).string()));
    }
};

} // namespace qm::test
