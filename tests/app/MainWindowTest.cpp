#include "app/MainWindow.h"

#include "app/BackgroundWork.h"
#include "app/ConfigKeys.h"
#include "app/IndicatorDropDown.h"
#include "platform/ConfigStore.h"
#include "settings/SettingsFiles.h"
#include "support/FileContent.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
namespace ck = config_keys;

struct MainWindowFixture : testing::Test {
    test::TempDir dir;
    test::ScriptedPrompts prompts;
    test::PromptsScope scope{prompts};
    AppEnvironment env;

    MainWindowFixture() {
        env.configFile = dir / "config" / "Quillmar7.conf";
        env.system = {dir / "Documents", dir / "local"};
        env.tempFolder = dir / "tmp";
        fs::create_directories(env.tempFolder);
        fs::create_directories(env.configFile.parent_path());
    }
    platform::ConfigStore storedConfig() const { return platform::ConfigStore(env.configFile); }
    void saveScreenshot(QWidget& w, const char* name) {
        const fs::path out = fs::path(QM_TEST_OUTPUT_DIR);
        fs::create_directories(out);
        w.grab().save(QString::fromStdString((out / name).string()));
    }
};

class FakeWorker final : public BackgroundWork {
public:
    bool busy = true;
    int stopRequests = 0;
    bool running() const override { return busy; }
    void requestStop() override { ++stopRequests; }
};

TEST_F(MainWindowFixture, FirstRunShowsTheThinWindowAndWritesTheConfigurationAtExit) {
    {
        TMainForm form(env);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Quillmar v7.0"));
        EXPECT_GE(form.width(), 1024);
        EXPECT_GE(form.height(), 87);
        EXPECT_LE(form.height(), 96);
        EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
        // No spacing stored: reduced bar spacing; Google as the Xfer-now source.
        EXPECT_TRUE(form.actions().spacing[0]->isChecked());
        EXPECT_TRUE(form.actions().xferNowSource[1]->isChecked());
        EXPECT_EQ(form.indicatorBox()->count(), 30);
        EXPECT_EQ(form.indicatorBox()->itemText(27), QStringLiteral(" Williams Accum - Dist  "));
        EXPECT_TRUE(prompts.asked.empty());
        saveScreenshot(form, "main-window.png");

        form.actions().spacing[2]->trigger();
        form.actions().xferNowSource[3]->trigger();
        form.move(40, 50);
        form.close();
    }
    const platform::ConfigStore config = storedConfig();
    EXPECT_EQ(config.readInt(ck::kOptions, ck::kChartBarSpacing), 2);
    EXPECT_EQ(config.readInt(ck::kOptions, ck::kXferNowSource), 3);
    EXPECT_GE(config.readInt(ck::kWinDims, ck::kWidth).value_or(0), 1024);
    EXPECT_TRUE(config.readText(ck::kDirs, ck::kDataDir));
    EXPECT_EQ(fs::path(*config.readText(ck::kDirs, ck::kGroupDir)),
              dir / "local" / "Quillmar" / "Quillmar7" / "Groups");
}

TEST_F(MainWindowFixture, StoredPlaceComesBackAndTheHeightStaysInItsBand) {
    {
        platform::ConfigStore config = storedConfig();
        config.writeInt(ck::kWinDims, ck::kLeft, 20);
        config.writeInt(ck::kWinDims, ck::kTop, 30);
        config.writeInt(ck::kWinDims, ck::kWidth, 1100);
        ASSERT_TRUE(config.save());
    }
    TMainForm form(env);
    EXPECT_EQ(form.pos(), QPoint(20, 30));
    EXPECT_EQ(form.width(), 1100);
    form.resize(1100, 400);
    EXPECT_LE(form.height(), 96);
    form.resize(1100, 10);
    EXPECT_GE(form.height(), 87);
}

TEST_F(MainWindowFixture, AnUnreadableSettingsListIsReportedInAnErrorBox) {
    const fs::path settings = dir / "local" / "Quillmar" / "Quillmar7";
    fs::create_directories(settings);
    std::ofstream(settings / settings_files::kSettingsList, std::ios::binary) << "\x01\x06\x03"
                                                                                 "ABC";
    TMainForm form(env, false);
    ASSERT_FALSE(prompts.asked.empty());
    EXPECT_EQ(prompts.asked.back().icon, platform::BoxIcon::Error);
    EXPECT_TRUE(form.isHidden());
}

TEST_F(MainWindowFixture, ClosingWaitsForBackgroundWorkBeforeAnythingIsSaved) {
    FakeWorker worker;
    auto form = std::make_unique<TMainForm>(env);
    form->addBackgroundWork(&worker);
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(worker.stopRequests, 1);
    EXPECT_FALSE(fs::exists(env.configFile));

    worker.busy = false;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 2000));
    EXPECT_TRUE(fs::exists(env.configFile));
}

} // namespace
} // namespace qm
