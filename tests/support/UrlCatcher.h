#pragma once
// Takes the file addresses the program asks the desktop to open, so that a test sees them and
// no browser starts. A test target using it lists this header among its sources (for moc).

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <vector>

namespace qm::test {

class UrlCatcher final : public QObject {
    Q_OBJECT

public:
    std::vector<QUrl> opened;

    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

public Q_SLOTS:
    void open(const QUrl& url) { opened.push_back(url); }
};

} // namespace qm::test
