// The drawing tools in a chart window: what the mouse and keys leave on the screen and in the
// picture, that dragging never draws the chart anew, and the zoom window.

#include "ChartFixture.h"
#include "chartwin/ChartWinMessages.h"
#include "chartwin/ZoomWindow.h"
#include "platform/CursorTable.h"

#include <QPainter>
#include <QPointer>
#include <QTest>

namespace qm {
namespace {

namespace cm = chartwin_messages;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kMagenta = 0x00FF00FF;

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = {}) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(w, &e);
}

struct ToolWindowFixture : test::ChartWindowFixture {
    std::unique_ptr<TAChart> w{open(300)};

    // A drag with the left button through `path`, released at its last point.
    void drag(std::initializer_list<QPoint> path, Qt::KeyboardModifiers modifiers = {}) {
        const QPoint* p = path.begin();
        mouse(w.get(), QEvent::MouseButtonPress, *p, Qt::LeftButton);
        for (; p != path.end(); ++p) mouse(w.get(), QEvent::MouseMove, *p, Qt::NoButton);
        mouse(w.get(), QEvent::MouseButtonRelease, *(path.end() - 1), Qt::LeftButton, modifiers);
    }
    void click(QPoint at) { drag({at}); }
    const QImage& picture() { return w->model().bitmap(); }
    // The x of the bar `k` places right of the first bar drawn, in the last drawing.
    int xOfBar(int k) { return 12 + k * w->model().facts().barPitch; }
    int barsShown() { return w->model().facts().visibleBars - 1; }
};

// Whether a pixel within one of `at` has `colour`: lines may round to either neighbour.
bool colourNear(const QImage& image, QPoint at, QRgb colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if ((image.pixel(at + QPoint(dx, dy)) | 0xFF000000) == (colour | 0xFF000000))
                return true;
    return false;
}

TEST_F(ToolWindowFixture, ATrendLineIsDraggedWithoutDrawingTheChartAndLandsInThePicture) {
    host.tool = ChartTool::Line;
    const int drawn = w->renderCount();
    const QImage before = picture().copy();
    mouse(w.get(), QEvent::MouseButtonPress, {200, 150}, Qt::LeftButton);
    for (int x = 220; x <= 500; x += 20)
        mouse(w.get(), QEvent::MouseMove, {x, 150 + (x - 200) / 2}, Qt::NoButton);
    // The rubber band shows over the picture by exclusive-or; the picture is untouched.
    const QImage screen = w->grab().toImage();
    EXPECT_TRUE(colourNear(screen, {350, 225}, before.pixel(350, 225) ^ kMagenta));
    EXPECT_EQ(picture(), before);
    test::ChartWindowFixture::saveScreenshot(screen, "tool-rubber-band.png");

    mouse(w.get(), QEvent::MouseButtonRelease, {500, 300}, Qt::LeftButton);
    EXPECT_TRUE(colourNear(picture(), {350, 225}, kRed));
    EXPECT_TRUE(colourNear(picture(), {500, 300}, kRed));
    EXPECT_EQ(host.released, std::vector<ChartTool>{ChartTool::Line});
    EXPECT_FALSE(w->tools().overlay());
    EXPECT_EQ(w->renderCount(), drawn) << "no drawing during the whole drag";
    saveScreenshot(*w, "tool-trend-line.png");

    // A drawing anew (here a resize) takes the line away.
    w->resize(880, 480);
    EXPECT_EQ(w->renderCount(), drawn + 1);
    EXPECT_FALSE(colourNear(picture(), {350, 225}, kRed));
}

TEST_F(ToolWindowFixture, AChannelShowsItsParallelInvertedAndKeepsItWhenReleased) {
    host.tool = ChartTool::Channel;
    const int drawn = w->renderCount();
    drag({{100, 200}, {200, 150}, {300, 100}});
    EXPECT_EQ(host.tool, ChartTool::Channel) << "the tool stays down for the parallel";
    EXPECT_TRUE(colourNear(picture(), {200, 150}, kRed));

    mouse(w.get(), QEvent::MouseButtonPress, {250, 250}, Qt::LeftButton);
    mouse(w.get(), QEvent::MouseMove, {250, 250}, Qt::NoButton);
    const QRgb under = picture().pixel(250, 250);
    EXPECT_TRUE(colourNear(w->grab().toImage(), {250, 250}, ~(under ^ kMagenta)));
    mouse(w.get(), QEvent::MouseButtonRelease, {250, 250}, Qt::LeftButton);
    for (const QPoint p : {QPoint(350, 200), QPoint(250, 250), QPoint(150, 300)})
        EXPECT_TRUE(colourNear(picture(), p, kRed)) << p.x();
    EXPECT_EQ(host.tool, ChartTool::None);
    EXPECT_EQ(w->renderCount(), drawn);
    saveScreenshot(*w, "tool-channel.png");
}

TEST_F(ToolWindowFixture, APitchforkTakesThreeClicks) {
    host.tool = ChartTool::Pitchfork;
    click({150, 300});
    click({400, 120});
    EXPECT_EQ(host.tool, ChartTool::Pitchfork);
    EXPECT_EQ(w->tools().pointCount(), 2);
    click({500, 260});
    EXPECT_EQ(host.tool, ChartTool::None);
    // M = (450, 190): the median runs from (150, 300) with slope -110/300.
    EXPECT_TRUE(colourNear(picture(), {450, 190}, kRed));
    saveScreenshot(*w, "tool-pitchfork.png");
}

TEST_F(ToolWindowFixture, FibonacciLevelsAndLabelsLandInThePicture) {
    host.tool = ChartTool::Fibonacci;
    // A click past the newest bar is refused.
    click({xOfBar(barsShown() + 2), 100});
    EXPECT_EQ(w->tools().pointCount(), 0);
    const int a = xOfBar(20);
    const int b = xOfBar(barsShown() - 30);
    click({a, 120});
    click({b, 320});
    EXPECT_EQ(host.tool, ChartTool::None);
    const int scaleX = w->model().facts().scaleX;
    // The 50 % level lies half way, at row 220, from the second point to the scale.
    EXPECT_TRUE(colourNear(picture(), {(b + scaleX) / 2, 220}, 0xFF990000));
    // The labels are white on their colour, left of their points.
    EXPECT_EQ(picture().pixel(a - 1, 120) | 0xFF000000, 0xFF000099u);
    saveScreenshot(*w, "tool-fibonacci.png");
}

TEST_F(ToolWindowFixture, TheReadOutShowsTheBarUnderTheLine) {
    host.tool = ChartTool::ReadOut;
    const int x = xOfBar(barsShown() - 20);
    drag({{x, 200}, {x + 1, 200}});
    const QString text = w->toolTip();
    EXPECT_TRUE(text.contains(QStringLiteral(" C = "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(" O = ")));
    ASSERT_TRUE(w->tools().overlay());
    EXPECT_EQ(w->tools().overlay()->line.from.x, x + 1);
    // The picture with the hint where it shows, below right of the pointer.
    QImage screen = w->grab().toImage();
    for (QWidget* tip : QApplication::topLevelWidgets())
        if (tip->inherits("QTipLabel") && tip->isVisible()) {
            QPainter painter(&screen);
            painter.drawPixmap(x + 16, 216, tip->grab());
        }
    test::ChartWindowFixture::saveScreenshot(screen, "tool-read-out.png");

    // Arrow keys move the line a bar at a time.
    QTest::keyPress(w.get(), Qt::Key_Right);
    QTest::keyRelease(w.get(), Qt::Key_Right);
    EXPECT_EQ(w->tools().overlay()->line.from.x, x + 1 + w->model().facts().barPitch);
    EXPECT_NE(w->toolTip(), text);
    // Leaving the window puts the window's hint back, when the window is the active one.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.get(), &leave);
    if (w->isActiveWindow()) {
        EXPECT_FALSE(w->tools().overlay());
        EXPECT_EQ(w->toolTip(), QString::fromLatin1(cm::kWindowHint.data()));
    }
    EXPECT_EQ(host.tool, ChartTool::ReadOut);
}

TEST_F(ToolWindowFixture, OneClickToolsActOnTheChartAndComeUp) {
    ASSERT_EQ(w->model().spacing(), 0);
    struct Case {
        ChartTool tool;
        int spacingAfter;
        bool draws;
    } cases[] = {{ChartTool::Expand, 1, true},   {ChartTool::Expand, 2, true},
                 {ChartTool::Expand, 2, false},  {ChartTool::Compress, 1, true},
                 {ChartTool::Compress, 0, true}, {ChartTool::Compress, 0, false}};
    for (const Case& c : cases) {
        host.tool = c.tool;
        const int drawn = w->renderCount();
        click({300, 200});
        EXPECT_EQ(w->model().spacing(), c.spacingAfter);
        EXPECT_EQ(w->renderCount(), drawn + (c.draws ? 1 : 0));
        EXPECT_EQ(host.tool, ChartTool::None);
    }
    w->dropIndicator(17, 100);
    w->dropIndicator(1, 100);
    host.tool = ChartTool::Clear;
    click({300, 200});
    EXPECT_EQ(w->model().chart().records.records.size(), 1u);
    EXPECT_EQ(w->model().facts().panes.size(), 1u);
    EXPECT_EQ(w->model().chart().records.records[0]->Pane, 0);
}

TEST_F(ToolWindowFixture, TheCursorFollowsTheToolButton) {
    host.tool = ChartTool::Fibonacci;
    mouse(w.get(), QEvent::MouseMove, {300, 200}, Qt::NoButton);
    EXPECT_EQ(w->cursor().pixmap().toImage(),
              platform::cursorFor(platform::CursorSlot::Retracement).pixmap().toImage());
    host.tool = ChartTool::None;
    mouse(w.get(), QEvent::MouseMove, {301, 200}, Qt::NoButton);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ToolWindowFixture, TheZoomWindowMagnifiesAStillCopyAndClosesWithItsChart) {
    host.tool = ChartTool::Line;
    drag({{200, 150}, {500, 300}});
    QPointer<TfrmChartZoom> zoom =
        TfrmChartZoom::open(*w, picture(), QString::fromStdString(w->description()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(zoom.data()));
    ChartViewer* view = zoom->viewer();
    EXPECT_EQ(zoom->windowTitle(), QStringLiteral("  Zoom Me - ") + w->windowTitle());
    EXPECT_EQ(view->size(), picture().size());
    // A still picture: the chart drawn anew leaves the copy with its line.
    w->resize(700, 400);
    EXPECT_TRUE(colourNear(view->grab().toImage(), {350, 225}, kRed));
    view->setScale(2.0);
    view->scrollBy(300, 200);
    saveScreenshot(*zoom, "zoom-window.png");
    view->setScale(1.0);
    EXPECT_EQ(view->scrollOffset(), QPoint(0, 0)) << "the whole picture fits at scale 1";

    struct Step {
        Qt::Key key;
        int times;
        double scale;
    } steps[] = {{Qt::Key_PageDown, 1, 1.0},
                 {Qt::Key_PageUp, 10, 2.5937424601},
                 {Qt::Key_PageUp, 1, 2.85311670611},
                 {Qt::Key_PageUp, 10, 4.0},
                 {Qt::Key_PageDown, 1, 4.0 / 1.1}};
    for (const Step& s : steps) {
        for (int i = 0; i < s.times; ++i) QTest::keyRelease(view, s.key);
        EXPECT_NEAR(view->scale(), s.scale, 1e-9);
    }
    QTest::keyRelease(view, Qt::Key_Right);
    QTest::keyRelease(view, Qt::Key_Down);
    QTest::keyRelease(view, Qt::Key_Down);
    EXPECT_EQ(view->scrollOffset(), QPoint(10, 20));

    // The wheel: down enlarges, up reduces, never below 1.
    view->setScale(1.0);
    const auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &e);
    };
    wheel(120);
    EXPECT_EQ(view->scale(), 1.0);
    wheel(-120);
    EXPECT_NEAR(view->scale(), 1.1, 1e-12);

    w.reset(); // the chart window goes, and its zoom window with it
    EXPECT_TRUE(zoom.isNull());
}

TEST_F(ToolWindowFixture, EscapeClosesTheZoomWindow) {
    QPointer<TfrmChartZoom> zoom = TfrmChartZoom::open(*w, picture(), QStringLiteral("T"));
    QTest::keyRelease(zoom->viewer(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(zoom.isNull());
}

} // namespace
} // namespace qm
