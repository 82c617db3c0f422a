// The selected chart taken out of its window: print, clipboard, image files and the zoom window;
// and the tool buttons as the chart windows see them.

#include "app/ChartRegistry.h"
#include "app/Configuration.h"
#include "app/MainWindow.h"
#include "app/OutputCommands.h"
#include "chartwin/ZoomWindow.h"
#include "loader/LoaderTestUtil.h"
#include "platform/ConfigStore.h"
#include "support/FileContent.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
using platform::FileAnswer;

const std::string kNoChart = "Open or select a chart then retry";

struct OutputFixture : testing::Test {
    test::TempDir dir;
    test::ScriptedPrompts prompts;
    test::PromptsScope scope{prompts};
    AppEnvironment env;
    fs::path csv;
    fs::path images;
    std::unique_ptr<TMainForm> form;

    OutputFixture() {
        env.configFile = dir / "config" / "Quillmar7.conf";
        env.system = {dir / "Documents", dir / "local"};
        env.tempFolder = dir / "tmp";
        fs::create_directories(env.tempFolder);
        csv = dir / "Documents" / "Quillmar" / "Quillmar7" / "CSV";
        fs::create_directories(csv);
        std::ofstream(csv / "AAA.csv") << test::fullPrices(400);
        images = dir / "images";
        fs::create_directories(images);
        form = std::make_unique<TMainForm>(env);
    }
    TAChart* openChart() {
        ChartRequest request;
        request.sourceFile = csv / "AAA.csv";
        request.requests = {kPriceChartRequest};
        TAChart* chart = form->opening().open(request, QRect(0, 120, 900, 500));
        EXPECT_TRUE(chart);
        return chart;
    }
    // The save dialog answered with `name` in the images folder and the filter `filter`.
    void saveAs(const std::string& name, int filter) {
        prompts.fileAnswers.push_back(
            FileAnswer{QString::fromStdString((images / name).string()), filter});
        form->actions().saveImage->trigger();
    }
};

TEST_F(OutputFixture, WithoutAChartTheCommandsAskForOne) {
    for (QAction* a : {form->actions().print, form->actions().copy, form->actions().zoom})
        a->trigger();
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>(3, kNoChart));
    form->actions().saveImage->trigger(); // saving says nothing
    EXPECT_EQ(prompts.asked.size(), 3u);
}

TEST_F(OutputFixture, SavingForcesTheChosenTypesExtension) {
    TAChart* chart = openChart();
    struct Case {
        const char* typed;
        int filter;
        const char* written;
        std::string magic;
    } cases[] = {
        {"typed.bmp", 0, "typed.gif", "GIF87a"},
        {"plain", 1, "plain.bmp", "BM"},
        {"photo.GIF", 2, "photo.jpg", "\xFF\xD8\xFF"},
    };
    for (const Case& c : cases) {
        prompts.asked.clear();
        saveAs(c.typed, c.filter);
        const fs::path written = images / c.written;
        EXPECT_EQ(test::readFile(written).substr(0, c.magic.size()), c.magic) << c.written;
        EXPECT_EQ(prompts.messageTexts(),
                  std::vector<std::string>{"Chart image saved as ...\n" + written.string()});
    }
    EXPECT_FALSE(fs::exists(images / "typed.bmp"));
    EXPECT_EQ(form->state().config.imageFolder, images);

    // The dialog offers the three types, bitmaps first chosen, in the image folder.
    const platform::FileQuestion& q = prompts.asked.front().file;
    EXPECT_EQ(q.title, QStringLiteral("Save Chart as Bitmap, GIF or JPEG Image File"));
    EXPECT_EQ(q.filters, (QStringList{QStringLiteral("Gif87a Image (*.gif)"),
                                      QStringLiteral("Bitmap Image (*.bmp)"),
                                      QStringLiteral("Jpeg Image (*.jpg)")}));
    EXPECT_EQ(q.filterIndex, 1);
    EXPECT_EQ(q.proposedName, QString::fromStdString(chart->title()));
    EXPECT_EQ(q.defaultSuffix, QStringLiteral("bmp"));
    EXPECT_EQ(q.folder, QString::fromStdString(images.string()));
}

TEST_F(OutputFixture, TheImageFolderFollowsTheSaveAndIsKept) {
    openChart();
    const fs::path other = dir / "elsewhere";
    fs::create_directories(other);
    prompts.fileAnswers.push_back(
        FileAnswer{QString::fromStdString((other / "x.bmp").string()), 1});
    form->actions().saveImage->trigger();
    EXPECT_EQ(form->state().config.imageFolder, other);
    form->close();
    EXPECT_EQ(readConfiguration(platform::ConfigStore(env.configFile)).imageFolder, other);
}

TEST_F(OutputFixture, ANameTheTypeChangedReplacesAnotherFileOnlyWhenTheUserSays) {
    openChart();
    std::ofstream(images / "chart.gif") << "mine";
    prompts.boxAnswers = {platform::BoxAnswer::No};
    saveAs("chart.bmp", 0);
    EXPECT_EQ(test::readFile(images / "chart.gif"), "mine");
    ASSERT_EQ(prompts.messageTexts().size(), 1u);
    EXPECT_EQ(prompts.messageTexts()[0],
              "Replace the existing file\n" + (images / "chart.gif").string() + " ?");
    prompts.boxAnswers = {platform::BoxAnswer::Yes};
    saveAs("chart.bmp", 0);
    EXPECT_TRUE(test::readFile(images / "chart.gif").starts_with("GIF87a"));
}

TEST_F(OutputFixture, AFailedSaveSaysSoAndWritesNothing) {
    openChart();
    // A folder that cannot be written: read-only, and (for any user, root too) a file.
    std::vector<fs::path> folders = {images / "notAFolder.txt"};
    std::ofstream(folders.front()) << "x";
    if (::geteuid() != 0) {
        fs::create_directories(images / "readOnly");
        fs::permissions(images / "readOnly", fs::perms::owner_read | fs::perms::owner_exec);
        folders.push_back(images / "readOnly");
    }
    for (const fs::path& folder : folders) {
        prompts.asked.clear();
        prompts.fileAnswers.push_back(
            FileAnswer{QString::fromStdString((folder / "chart.gif").string()), 0});
        form->actions().saveImage->trigger();
        ASSERT_EQ(prompts.asked.size(), 2u);
        EXPECT_EQ(prompts.asked[1].icon, platform::BoxIcon::Error);
        EXPECT_TRUE(prompts.asked[1].text.startsWith(
            QStringLiteral("The chart image could not be saved as ")))
            << prompts.asked[1].text.toStdString();
        EXPECT_FALSE(fs::exists(folder / "chart.gif"));
    }
    if (fs::exists(images / "readOnly")) fs::permissions(images / "readOnly", fs::perms::owner_all);
}

TEST_F(OutputFixture, PrintingDrawsTheChartOnALandscapePage) {
    TAChart* chart = openChart();
    const fs::path pdf = dir / "printed.pdf";
    prompts.printFiles = {QString(), QString::fromStdString(pdf.string())};
    form->actions().print->trigger(); // cancelled
    EXPECT_FALSE(fs::exists(pdf));
    form->actions().print->trigger();
    const std::string bytes = test::readFile(pdf);
    ASSERT_TRUE(bytes.starts_with("%PDF-"));
    // One page, wider than high.
    const auto box = bytes.find("/MediaBox [");
    ASSERT_NE(box, std::string::npos);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_EQ(std::sscanf(bytes.c_str() + box, "/MediaBox [%lf %lf %lf %lf", &x0, &y0, &x1, &y1),
              4);
    EXPECT_GT(x1 - x0, y1 - y0);
    EXPECT_NE(bytes.find("/Count 1"), std::string::npos);
    // The job is named after the chart: the title in UTF-16.
    std::string title;
    for (const char c : "Chart of " + chart->title()) title += std::string{'\0', c};
    EXPECT_NE(bytes.find(title), std::string::npos);
    EXPECT_TRUE(prompts.messageTexts().empty());
    // Kept for a person to look at.
    fs::create_directories(QM_TEST_OUTPUT_DIR);
    fs::copy_file(pdf, fs::path(QM_TEST_OUTPUT_DIR) / "printed-chart.pdf",
                  fs::copy_options::overwrite_existing);
}

TEST_F(OutputFixture, CopyAndZoomTakeThePictureOnTheScreen) {
    TAChart* chart = openChart();
    form->actions().copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              chart->model().bitmap().convertToFormat(QImage::Format_RGB32));

    form->actions().zoom->trigger();
    QPointer<TfrmChartZoom> zoom = chart->findChild<TfrmChartZoom*>();
    ASSERT_TRUE(zoom);
    EXPECT_EQ(zoom->windowTitle(), QStringLiteral("  Zoom Me - ") + chart->windowTitle());
    EXPECT_TRUE(zoom->isVisible());
    delete chart;
    EXPECT_TRUE(zoom.isNull());
}

TEST_F(OutputFixture, AToolButtonActsOnTheChartClickedAndComesUp) {
    TAChart* chart = openChart();
    ChartRegistry& registry = form->charts();
    EXPECT_EQ(registry.toolDown(), ChartTool::None);
    form->actions().tbLine->setChecked(true);
    EXPECT_EQ(registry.toolDown(), ChartTool::Line);
    const auto send = [&](QEvent::Type type, QPoint at) {
        QMouseEvent e(type, QPointF(at), chart->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(chart, &e);
    };
    send(QEvent::MouseButtonPress, {100, 100});
    send(QEvent::MouseMove, {300, 200});
    send(QEvent::MouseButtonRelease, {300, 200});
    EXPECT_FALSE(form->actions().tbLine->isChecked());
    EXPECT_EQ(chart->model().bitmap().pixel(200, 150), 0xFFFF0000u);

    // Releasing a tool leaves another tool's button down.
    form->actions().tbFibLine->setChecked(true);
    registry.releaseTool(ChartTool::Line);
    EXPECT_EQ(registry.toolDown(), ChartTool::Fibonacci);
    registry.releaseTool(ChartTool::Fibonacci);
    EXPECT_EQ(registry.toolDown(), ChartTool::None);
}

TEST(ImageExtension, TheChosenFilterDecides) {
    struct Case {
        const char* name;
        int filter;
        const char* out;
    } cases[] = {
        {"a.bmp", 0, "a.gif"},       {"a", 1, "a.bmp"},        {"a.b.c", 2, "a.b.jpg"},
        {"a.JPG", -1, "a.JPG"},      {"a.jpeg", -1, "a.jpeg"}, {"a.txt", -1, "a.bmp"},
        {"/x/a.gif", 1, "/x/a.bmp"},
    };
    for (const Case& c : cases) EXPECT_EQ(withImageExtension(c.name, c.filter), c.out) << c.name;
}

} // namespace
} // namespace qm
