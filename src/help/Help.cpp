#include "Help.h"

#include "HelpMessages.h"
#include "platform/Folders.h"
#include "platform/QtText.h"
#include "platform/widgets/Prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace qm::help {
namespace {

namespace hm = help_messages;

using platform::qtext;

void tell(QWidget* parent, std::string_view message, const std::filesystem::path& file) {
    platform::prompts().message(parent, platform::BoxIcon::Information,
                                qtext(message) + QString::fromStdString(file.string()),
                                platform::BoxButtons::Ok);
}

} // namespace

std::filesystem::path helpFile() {
    return platform::programDataFolder() / "help" / "index.html";
}

void showHelp(QWidget* parent, std::string_view topic) {
    showHelpFile(parent, helpFile(), topic);
}

void showHelpFile(QWidget* parent, const std::filesystem::path& file, std::string_view topic) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        tell(parent, hm::kHelpMissing, file);
        return;
    }
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
    if (!topic.empty()) url.setFragment(qtext(topic));
    if (!QDesktopServices::openUrl(url)) tell(parent, hm::kHelpNotOpened, file);
}

QString aboutText() {
    return qtext(hm::kAboutName) + QStringLiteral("\n") + qtext(hm::kAboutVersion) +
           QApplication::applicationVersion() + QStringLiteral("\n\n") + qtext(hm::kAboutPurpose);
}

void showAbout(QWidget* parent) {
    platform::prompts().message(parent, platform::BoxIcon::Information, aboutText(),
                                platform::BoxButtons::Ok);
}

} // namespace qm::help
