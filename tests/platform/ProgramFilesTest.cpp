#include "platform/ApplicationIdentity.h"
#include "platform/Folders.h"
#include "support/GuiApplication.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm::platform {
namespace {

namespace fs = std::filesystem;

TEST(ProgramDataFolder, IsFoundFromWhereTheExecutableIs) {
    struct Case {
        const char* layout;
        std::vector<const char*> folders; // made below the test folder
        const char* executableFolder;
        const char* expected;
    };
    const Case cases[] = {
        {"installed", {"usr/bin", "usr/share/quillmar"}, "usr/bin", "usr/share/quillmar"},
        {"build folder",
         {"build/src/app", "build/share/quillmar"},
         "build/src/app",
         "build/share/quillmar"},
        {"a test in a build folder",
         {"build/tests/help", "build/share/quillmar"},
         "build/tests/help",
         "build/share/quillmar"},
        // An installation inside a build folder's src/ takes its own files.
        {"both",
         {"build/src/bin", "build/src/share/quillmar", "build/share/quillmar"},
         "build/src/bin",
         "build/src/share/quillmar"},
        // Nothing installed: the place the files belong, so that messages name it.
        {"missing", {"opt/q/bin"}, "opt/q/bin", "opt/q/share/quillmar"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        test::TempDir dir;
        for (const char* folder : c.folders) fs::create_directories(dir.path() / folder);
        EXPECT_EQ(programDataFolderFor(dir.path() / c.executableFolder), dir.path() / c.expected);
    }
}

TEST(ProgramDataFolder, ThisBuildFindsItsOwn) {
    EXPECT_EQ(fs::weakly_canonical(programDataFolder()), fs::weakly_canonical(QM_BUILD_DATA_DIR));
}

TEST(ApplicationIdentity, NamesTheInstalledFilesAndCarriesTheIcon) {
    EXPECT_STREQ(kApplicationId, QM_APP_ID);
    test::ensureGuiApplication();
    const QIcon icon = applicationIcon();
    for (const int size : {16, 32, 256}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size));
    }
}

} // namespace
} // namespace qm::platform
