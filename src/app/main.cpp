// quillmar: the desktop program. Each price file named on the command line opens as a chart.
//
// For scripts that run the program without a desktop: --pictures DIR saves a picture of the main
// window and of each chart window into DIR once they are up, and quits; --quit quits as soon as
// the main window is shown (timing the start).

#include "AppEnvironment.h"
#include "AppMessages.h"
#include "ChartRegistry.h"
#include "MainWindow.h"
#include "OpeningCommands.h"
#include "chartwin/ChartWindow.h"
#include "platform/ApplicationIdentity.h"
#include "platform/InstanceLock.h"
#include "platform/QtText.h"
#include "platform/TerminationSignals.h"
#include "platform/widgets/GuardedApplication.h"
#include "platform/widgets/Prompts.h"

#include <QDir>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace {

using qm::platform::qtext;

// Runs `then` once `window` is on the screen with its frame.
void whenShown(QWidget& window, std::function<void()> then) {
    struct Watcher : QObject {
        std::function<void()> then;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
                watched->removeEventFilter(this);
                QTimer::singleShot(0, watched, std::move(then));
                deleteLater();
            }
            return false;
        }
    };
    auto* watcher = new Watcher;
    watcher->then = std::move(then);
    window.windowHandle()->installEventFilter(watcher);
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
    // Message boxes carry the program's name; windows carry their own captions alone.
    qm::platform::setBoxTitle(qtext(qm::app_messages::kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
    QGuiApplication::setDesktopFileName(QLatin1String(qm::platform::kApplicationId));
    QApplication::setWindowIcon(qm::platform::applicationIcon());
    qm::platform::closeWindowsOnTerminationSignals();

    QStringList files;
    QString picturesFolder;
    bool quitAtOnce = false;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--pictures") && i + 1 < args.size())
            picturesFolder = args[++i];
        else if (args[i] == QLatin1String("--quit"))
            quitAtOnce = true;
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
    // The files open below the main window once the window manager has framed it, so that they
    // are placed under its frame.
    whenShown(mainForm, [&mainForm, files] { mainForm.openingCommands().openFiles(files); });
    if (quitAtOnce) QTimer::singleShot(0, &mainForm, &QWidget::close);
    if (!picturesFolder.isEmpty())
        QTimer::singleShot(300, &mainForm, [&mainForm, picturesFolder] {
            savePictures(mainForm, picturesFolder);
            mainForm.close();
        });
    return QApplication::exec();
}
