#include "platform/TerminationSignals.h"

#include "support/GuiApplication.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <csignal>
#include <gtest/gtest.h>

namespace qm::platform {
namespace {

class CountingWindow : public QWindow {
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        QWindow::closeEvent(event);
    }
};

TEST(TerminationSignals, ASignalClosesEveryWindowAndASecondEndsTheProgram) {
    test::ensureGuiApplication();
    CountingWindow first;
    CountingWindow second;
    first.show();
    second.show();
    closeWindowsOnTerminationSignals();

    ASSERT_EQ(::raise(SIGTERM), 0);
    QElapsedTimer waited;
    waited.start();
    while ((first.closes == 0 || second.closes == 0) && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(first.closes, 1);
    EXPECT_EQ(second.closes, 1);
    EXPECT_FALSE(first.isVisible());
    EXPECT_FALSE(second.isVisible());

    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        EXPECT_EQ(current.sa_handler, SIG_DFL) << signal;
    }
}

} // namespace
} // namespace qm::platform
