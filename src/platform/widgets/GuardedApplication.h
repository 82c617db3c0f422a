#pragma once
// The desktop program's application object. A command that fails with an exception shows the
// general error box with the failure's text instead of ending the program: every event
// handler and every slot it runs is guarded here.

#include <QApplication>

namespace qm::platform {

class GuardedApplication final : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace qm::platform
