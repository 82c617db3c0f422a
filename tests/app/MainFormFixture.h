#pragma once
// A main window over folders of its own: configuration, documents, local data and temporary
// folders in a fresh folder, and prompts answered from a script.

#include "app/MainWindow.h"
#include "loader/LoaderTestUtil.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

namespace qm::test {

struct MainFormFixture : testing::Test {
    TempDir dir;
    ScriptedPrompts prompts;
    PromptsScope scope{prompts};
    AppEnvironment env;

    MainFormFixture() {
        env.configFile = dir / "config" / "Quillmar7.conf";
        env.system = {dir / "Documents", dir / "local"};
        env.tempFolder = dir / "tmp";
        std::filesystem::create_directories(env.tempFolder);
        std::filesystem::create_directories(env.configFile.parent_path());
    }
    std::filesystem::path settingsFolder() const {
        return dir / "local" / "Quillmar" / "Quillmar7";
    }
    // The data folder the program settles on at its first start.
    std::filesystem::path dataFolder() const {
        return dir / "Documents" / "Quillmar" / "Quillmar7" / "CSV";
    }
    // Price files of `count` bars in the data folder, one per name.
    void writePriceFiles(std::initializer_list<std::string> names, int count = 300) const {
        std::filesystem::create_directories(dataFolder());
        for (const std::string& name : names)
            std::ofstream(dataFolder() / name) << fullPrices(count);
    }

    // Lets a new main window settle its height to its frame, as it does once it is shown.
    static void settle(QWidget& window) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
    }

    // Runs `look` on the modal dialog a command opens, as soon as it shows; `look` closes it.
    static void whenModal(std::function<void(QWidget&)> look) {
        QTimer::singleShot(0, [look = std::move(look)] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_TRUE(modal);
            look(*modal);
        });
    }
    static void saveScreenshot(QWidget& w, const char* name) { saveScreenshot(w.grab(), name); }
    static void saveScreenshot(const QPixmap& picture, const char* name) {
        const std::filesystem::path out = std::filesystem::path(QM_TEST_OUTPUT_DIR);
        std::filesystem::create_directories(out);
        picture.save(QString::fromStdString((out / name).string()));
    }
};

} // namespace qm::test
