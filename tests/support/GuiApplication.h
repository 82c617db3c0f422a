#pragma once
// A GUI application for tests that draw text or load images, on the offscreen platform.

#include <QGuiApplication>
#include <cstdlib>

namespace qm::test {

inline void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "qm_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

} // namespace qm::test
