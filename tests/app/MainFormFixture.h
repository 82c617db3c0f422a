#pragma once
// A main window over folders of its own: configuration, documents, local data and temporary
// folders in a fresh folder, and prompts answered from a script.

#include "app/MainWindow.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

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

    // Runs `look` on the modal dialog a command opens, as soon as it shows; `look` closes it.
    static void whenModal(std::function<void(QWidget&)> look) {
        QTimer::singleShot(0, [look = std::move(look)] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_TRUE(modal);
            look(*modal);
        });
    }
    static void saveScreenshot(QWidget& w, const char* name) {
        const std::filesystem::path out = std::filesystem::path(QM_TEST_OUTPUT_DIR);
        std::filesystem::create_directories(out);
        w.grab().save(QString::fromStdString((out / name).string()));
    }
};

} // namespace qm::test
