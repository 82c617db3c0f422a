#include "HelpCommands.h"

#include "MainWindow.h"
#include "help/Help.h"

#include <QAction>

namespace qm {

void connectHelpCommands(TMainForm& form) {
    QObject::connect(form.actions().showHelp, &QAction::triggered, &form,
                     [&form] { help::showHelp(&form); });
    QObject::connect(form.actions().about, &QAction::triggered, &form,
                     [&form] { help::showAbout(&form); });
}

} // namespace qm
