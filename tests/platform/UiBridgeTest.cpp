// Calls from worker threads onto the user-interface thread, and the watch of the Escape key
// that the workers read from their threads.

#include "platform/widgets/UiBridge.h"

#include "platform/widgets/EscapeWatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>
#include <vector>

namespace qm::platform {
namespace {

TEST(UiBridge, CallsRunOnTheUserInterfaceThreadInTheirOrder) {
    const QThread* ui = QThread::currentThread();
    std::vector<int> order;
    std::atomic<bool> wrongThread{false};
    std::atomic<int> done{0};
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i) {
            if (i % 2) {
                runOnUiThreadAndWait([&, i] {
                    wrongThread = wrongThread || QThread::currentThread() != ui;
                    order.push_back(i);
                });
            } else {
                postToUiThread([&, i] { order.push_back(i); });
            }
        }
        postToUiThread([&] { ++done; });
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done == 1; }, 10000));
    worker.join();
    EXPECT_FALSE(wrongThread);
    ASSERT_EQ(order.size(), 50u);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
}

TEST(UiBridge, AFailingCallFailsInTheThreadThatWaitsForIt) {
    std::string caught;
    std::atomic<bool> ended{false};
    std::thread worker([&] {
        try {
            runOnUiThreadAndWait([] { throw std::runtime_error("no such line"); });
        } catch (const std::runtime_error& e) {
            caught = e.what();
        }
        ended = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended.load(); }, 10000));
    worker.join();
    EXPECT_EQ(caught, "no such line");
}

TEST(UiBridge, CallsQueuedBehindAModalLoopStillRun) {
    // A call that opens a nested event loop (a message box in a completion) must not hold up
    // the calls queued after it: another worker waits for them.
    bool secondRan = false;
    bool ranInsideTheLoop = false;
    bool loopEnded = false;
    std::thread other;
    postToUiThread([&] {
        other = std::thread([&] { runOnUiThreadAndWait([&] { secondRan = true; }); });
        // The nested loop, as a modal box would run it.
        ranInsideTheLoop = QTest::qWaitFor([&] { return secondRan; }, 2000);
        loopEnded = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return loopEnded && secondRan; }, 10000));
    other.join();
    EXPECT_TRUE(ranInsideTheLoop);
}

TEST(EscapeWatch, TheKeyIsHeldFromItsPressToItsRelease) {
    watchEscapeKey();
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(escapeHeld());
    QTest::keyPress(&window, Qt::Key_Escape);
    EXPECT_TRUE(escapeHeld());
    // A repeating key: the system's releases between repeats do not count.
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&window, &repeatRelease);
    EXPECT_TRUE(escapeHeld());
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_TRUE(escapeHeld());
    QTest::keyRelease(&window, Qt::Key_Escape);
    EXPECT_FALSE(escapeHeld());

    // The release goes to another program once that program is active.
    QTest::keyPress(&window, Qt::Key_Escape);
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QGuiApplication::sendEvent(qApp, &inactive);
    if (QGuiApplication::applicationState() != Qt::ApplicationActive) {
        EXPECT_FALSE(escapeHeld());
    }
    QTest::keyRelease(&window, Qt::Key_Escape);
    EXPECT_FALSE(escapeHeld());
}

} // namespace
} // namespace qm::platform
