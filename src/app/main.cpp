// quillmar: the desktop program. Each price file named on the command line opens as a chart.
//
// --pictures DIR (for scripts that run the program without a desktop): once the windows are up,
// saves a picture of the main window and of each chart window into DIR and quits.

#include "AppEnvironment.h"
#include "AppMessages.h"
#include "ChartRegistry.h"
#include "MainWindow.h"
#include "OpeningCommands.h"
#include "chartwin/ChartWindow.h"
#include "platform/ApplicationIdentity.h"
#include "platform/InstanceLock.h"
#include "platform/TerminationSignals.h"
#include "platform/widgets/GuardedApplication.h"
#include "platform/widgets/Prompts.h"

#include <QDir>
#include <QTimer>

namespace {

QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void savePictures(qm::TMainForm& main, const QString& folder) {
    QDir().mkpath(folder);
    main.grab().save(folder + QStringLiteral("/main-window.png"));
    int n = 0;
    for (qm::TAChart* chart : main.charts().charts())
        chart->grab().save(folder + QStringLiteral("/chart-%1.png").arg(++n));
}

} // namespace

int main(int argc, char** argv) {
    qm::platform::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmar"));
    QApplication::setApplicationDisplayName(qtext(qm::app_messages::kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
    QGuiApplication::setDesktopFileName(QLatin1String(qm::platform::kApplicationId));
    QApplication::setWindowIcon(qm::platform::applicationIcon());
    qm::platform::closeWindowsOnTerminationSignals();

    QStringList files;
    QString picturesFolder;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--pictures") && i + 1 < args.size())
            picturesFolder = args[++i];
        else
            files.push_back(args[i]);
    }

    // A second instance runs normally; it only reminds the user of the first.
    const qm::platform::InstanceLock instance("Quillmar7");
    if (instance.anotherInstanceRuns())
        qm::platform::prompts().message(nullptr, qm::platform::BoxIcon::Information,
                                        qtext(qm::app_messages::kAlreadyRunning),
                                        qm::platform::BoxButtons::Ok);

    qm::TMainForm mainForm(qm::AppEnvironment::fromSystem());
    mainForm.openingCommands().openFiles(files);
    if (!picturesFolder.isEmpty())
        QTimer::singleShot(300, &mainForm, [&mainForm, picturesFolder] {
            savePictures(mainForm, picturesFolder);
            mainForm.close();
        });
    return QApplication::exec();
}
