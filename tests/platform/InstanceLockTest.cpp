#include "platform/InstanceLock.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qm::platform {
namespace {

TEST(InstanceLock, TheSecondInstanceLearnsOfTheFirstAndAKilledOneDoesNotCount) {
    test::TempDir dir;
    ::setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
    {
        const InstanceLock first("QuillmarTestLock");
        EXPECT_FALSE(first.anotherInstanceRuns());
        const InstanceLock second("QuillmarTestLock");
        EXPECT_TRUE(second.anotherInstanceRuns());
    }
    // A child takes the lock and is killed holding it.
    const pid_t child = ::fork();
    if (child == 0) {
        const InstanceLock held("QuillmarTestLock");
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    const InstanceLock after("QuillmarTestLock");
    EXPECT_FALSE(after.anotherInstanceRuns());
}

} // namespace
} // namespace qm::platform
