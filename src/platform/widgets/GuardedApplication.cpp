#include "GuardedApplication.h"

#include "MessageBoxSink.h"

#include <QWidget>
#include <exception>
#include <new>

namespace qm::platform {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        showGeneralError(activeWindow(), "Out of memory.");
    } catch (const std::exception& e) {
        showGeneralError(activeWindow(), e.what());
    } catch (...) {
        showGeneralError(activeWindow(), "An unexpected error occurred.");
    }
    return false;
}

} // namespace qm::platform
