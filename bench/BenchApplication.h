#pragma once
// The application object a widget benchmark needs before its first window, made once, on the
// offscreen platform unless another one is asked for.

#include <QApplication>
#include <cstdlib>

namespace qm::bench {

inline void ensureApplication() {
    if (QApplication::instance()) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "quillmar_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

} // namespace qm::bench
