#include "ChartFixture.h"
#include "chartwin/ChartWinMessages.h"

#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <filesystem>

namespace qm {
namespace {

namespace fs = std::filesystem;

using test::ChartWindowFixture;

TEST_F(ChartWindowFixture, ButtonsAndWheelMoveThroughTheHistory) {
    std::unique_ptr<TAChart> w(open(1000));
    EXPECT_EQ(w->model().offset(), 1);
    EXPECT_FALSE(w->model().bitmap().isNull());
    QToolButton* back = button(w.get(), Qt::LeftArrow);
    QToolButton* fwd = button(w.get(), Qt::RightArrow);
    ASSERT_TRUE(back && fwd);
    // At the bottom right corner, Back left of Forward.
    EXPECT_EQ(fwd->geometry().bottomRight(), w->rect().bottomRight());
    EXPECT_EQ(back->x(), fwd->x() - 4 - fwd->width());

    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(w->model().offset(), 2);
    const int drawn = w->renderCount();
    QTest::mouseClick(back, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(w->model().offset(), 900);
    EXPECT_EQ(w->renderCount(), drawn + 1);
    // The window holds the file's older part now: its newest slot is the 101st record.
    EXPECT_EQ(w->model().chart().bars[kWindowSlots - 1].close, 101.0f);

    // A new size keeps the place in the history.
    w->resize(700, 400);
    EXPECT_EQ(w->model().offset(), 900);
    EXPECT_EQ(w->model().bitmap().size(), QSize(700, 400));

    QWheelEvent up(QPointF(100, 100), QPointF(100, 100), {}, QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.get(), &up);
    EXPECT_EQ(w->model().offset(), 899);
    QTest::mouseClick(fwd, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(w->model().offset(), 1);
    const int atEnd = w->renderCount();
    QTest::mouseClick(fwd, Qt::LeftButton);
    EXPECT_EQ(w->renderCount(), atEnd) << "an unchanged offset draws nothing";
    saveScreenshot(*w, "chart-window.png");
}

TEST_F(ChartWindowFixture, AFileOfAHundredBarsDoesNotMove) {
    std::unique_ptr<TAChart> w(open(100));
    QTest::mouseClick(button(w.get(), Qt::LeftArrow), Qt::LeftButton);
    QTest::mouseClick(button(w.get(), Qt::LeftArrow), Qt::LeftButton, Qt::ShiftModifier);
    QWheelEvent down(QPointF(10, 10), QPointF(10, 10), {}, QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.get(), &down);
    EXPECT_EQ(w->model().offset(), 1);
}

TEST_F(ChartWindowFixture, TheStepIsProgramWideAndTakenAtActivation) {
    std::unique_ptr<TAChart> a(open(1000));
    std::unique_ptr<TAChart> b(open(1000));
    a->activateWindow();
    QTest::qWait(0);
    host.step = 20; // picked in another chart's step menu
    b->activateWindow();
    QTest::qWait(0);
    if (!b->isActiveWindow()) GTEST_SKIP() << "the platform does not activate windows";
    EXPECT_EQ(b->step(), 20);
    b->goBack();
    EXPECT_EQ(b->model().offset(), 21);
    EXPECT_EQ(host.activated, b.get());
}

TEST_F(ChartWindowFixture, IndicatorsDroppedLandInTheirPanes) {
    std::unique_ptr<TAChart> w(open(300));
    const int drawn = w->renderCount();
    auto* data = new QMimeData;
    data->setData(QLatin1String(chartwin_messages::kIndicatorMimeType), "17"); // Wilders RSI
    QDragEnterEvent enter(QPoint(200, 50), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(200, 50), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.get(), &drop);
    delete data;
    const auto& records = w->model().chart().records.records;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1]->Kind, 17);
    EXPECT_EQ(records[1]->Pane, 4);
    EXPECT_EQ(records[0]->Pane, 1);
    EXPECT_EQ(w->renderCount(), drawn + 1);

    // A second oscillator in the upper three quarters, a third in the upper half.
    w->dropIndicator(16, 100);
    w->dropIndicator(19, 100);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(w->model().chart().pricePane, 2);
    ASSERT_EQ(w->model().facts().panes.size(), 4u);
    saveScreenshot(*w, "chart-window-three-oscillators.png");
    EXPECT_TRUE(host.messages.messages.empty());
}

TEST_F(ChartWindowFixture, DropsTheSeriesHasNoPricesForAreRefused) {
    std::unique_ptr<TAChart> w(open(0, test::closePrices(300)));
    w->dropIndicator(5, 100);  // Pattern1
    w->dropIndicator(10, 100); // Wilders Parabolic SAR
    EXPECT_EQ(host.messages.texts(),
              (std::vector<std::string>{
                  "This indicator needs data \n\rwith Open, Hi, Lo and Close values.",
                  "This indicator needs data \n\rwith Hi and Lo or Vol values."}));
    EXPECT_EQ(w->model().chart().records.records.size(), 1u);
}

TEST_F(ChartWindowFixture, RightClickCtrlAndClosing) {
    auto* w = open(300);
    QTest::mouseClick(w, Qt::RightButton, {}, QPoint(300, 200));
    EXPECT_EQ(host.favourites, std::vector<std::string>{"TEST"});
    QTest::keyClick(w, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(host.activated, w);
    EXPECT_GE(host.focusRequests, 1);

    const fs::path dataFile = w->model().chart().dataFile.path();
    EXPECT_TRUE(fs::exists(dataFile));
    w->close(); // deletes itself
    QTest::qWait(0);
    EXPECT_FALSE(fs::exists(dataFile));
}

TEST_F(ChartWindowFixture, HighDensityScreensGetTheSameChartDrawnFiner) {
    std::unique_ptr<TAChart> w(open(600));
    ChartModel& m = w->model();
    const ScreenFacts screen{1920, 1080, 96};
    m.render(QSize(800, 450), 1.0, screen, {}, host.fs, host.messages);
    const ChartDrawingFacts one = m.facts();
    const QImage single = m.bitmap();
    m.render(QSize(800, 450), 2.0, screen, {}, host.fs, host.messages);
    EXPECT_EQ(m.bitmap().size(), QSize(1600, 900));
    EXPECT_EQ(m.bitmap().devicePixelRatio(), 2.0);
    EXPECT_EQ(m.facts().visibleBars, one.visibleBars);
    EXPECT_EQ(m.facts().scaleX, one.scaleX);
    EXPECT_EQ(m.facts().dateRowY, one.dateRowY);
    // The picture at twice the density, brought down to the single one, is the same picture.
    const QImage halved =
        m.bitmap().scaled(single.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int differing = 0;
    for (int y = 0; y < single.height(); y += 3)
        for (int x = 0; x < single.width(); x += 3)
            if (qGray(halved.pixel(x, y)) / 64 != qGray(single.pixel(x, y)) / 64) ++differing;
    EXPECT_LT(differing, single.width() * single.height() / 9 / 20);
    saveScreenshot(m.bitmap(), "chart-window-ratio-2.png");
}

} // namespace
} // namespace qm
