// The main of every widget test: one QApplication on the offscreen platform (unless
// QT_QPA_PLATFORM names another), and prompts that answer from a script, so that no test waits
// on a dialog. The user's own folders are never touched: configuration, data, documents,
// runtime and temporary folders all lie in a fresh folder removed at the end.

#include "ScriptedPrompts.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

std::filesystem::path makePrivateHome() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "qm-widget-tests-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    const std::filesystem::path home = pattern;
    for (const char* sub : {"config", "data", "Documents", "run", "tmp"})
        std::filesystem::create_directories(home / sub);
    std::filesystem::permissions(home / "run", std::filesystem::perms::owner_all);
    std::ofstream(home / "config" / "user-dirs.dirs")
        << "XDG_DOCUMENTS_DIR=\"" << (home / "Documents").string() << "\"\n";
    ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
    ::setenv("TMPDIR", (home / "tmp").c_str(), 1);
    return home;
}

// The offscreen platform with one full-HD screen at 96 dots per inch, so that windows are laid
// out as on a common desktop.
void useOffscreenScreen(const std::filesystem::path& home) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::string(platform) != "offscreen") return;
    const std::filesystem::path config = home / "offscreen.json";
    std::ofstream(config) << R"({"screens": [{"name": "Screen1", "x": 0, "y": 0, "width": 1920,)"
                             R"( "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96,)"
                             R"( "dpr": 1}]})";
    ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.string()).c_str(), 1);
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path home = makePrivateHome();
    useOffscreenScreen(home);
    int status = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        qm::test::ScriptedPrompts prompts;
        const qm::test::PromptsScope scope(prompts);
        status = RUN_ALL_TESTS();
    }
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return status;
}
