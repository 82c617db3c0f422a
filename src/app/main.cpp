// quillmar: the desktop program.

#include "AppEnvironment.h"
#include "AppMessages.h"
#include "MainWindow.h"
#include "platform/ApplicationIdentity.h"
#include "platform/InstanceLock.h"
#include "platform/TerminationSignals.h"
#include "platform/widgets/GuardedApplication.h"
#include "platform/widgets/Prompts.h"

int main(int argc, char** argv) {
    qm::platform::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmar"));
    QApplication::setApplicationDisplayName(
        QString::fromUtf8(qm::app_messages::kApplicationTitle.data(),
                          static_cast<qsizetype>(qm::app_messages::kApplicationTitle.size())));
    QApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
    QGuiApplication::setDesktopFileName(QLatin1String(qm::platform::kApplicationId));
    QApplication::setWindowIcon(qm::platform::applicationIcon());
    qm::platform::closeWindowsOnTerminationSignals();

    // A second instance runs normally; it only reminds the user of the first.
    const qm::platform::InstanceLock instance("Quillmar7");
    if (instance.anotherInstanceRuns())
        qm::platform::prompts().message(
            nullptr, qm::platform::BoxIcon::Information,
            QString::fromUtf8(qm::app_messages::kAlreadyRunning.data(),
                              static_cast<qsizetype>(qm::app_messages::kAlreadyRunning.size())),
            qm::platform::BoxButtons::Ok);

    qm::TMainForm mainForm(qm::AppEnvironment::fromSystem());
    return QApplication::exec();
}
