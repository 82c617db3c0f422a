#pragma once
// A main window over a fresh account for the tests of its commands: a data folder of price
// files with a download folder beside it, scripted prompts, and a way to act in the modal
// dialogs the commands open.

#include "app/ChartRegistry.h"
#include "app/MainWindow.h"
#include "chartwin/ChartWindow.h"
#include "loader/LoaderTestUtil.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace qm::test {

struct CommandFixture : testing::Test {
    TempDir dir;
    ScriptedPrompts prompts;
    PromptsScope scope{prompts};
    AppEnvironment env;
    std::filesystem::path csv;   // the data folder
    std::filesystem::path yahoo; // a download folder beside it
    std::unique_ptr<TMainForm> form;

    CommandFixture() {
        env.configFile = dir / "config" / "Quillmar7.conf";
        env.system = {dir / "Documents", dir / "local"};
        env.tempFolder = dir / "tmp";
        std::filesystem::create_directories(env.tempFolder);
        csv = dir / "Documents" / "Quillmar" / "Quillmar7" / "CSV";
        yahoo = csv.parent_path() / "Yahoo Data";
        for (const char* name : {"AAA.csv", "BBB = Bee Corp.csv", "CCC.csv", "DDD.csv"})
            put(csv / name);
        form = std::make_unique<TMainForm>(env);
    }

    static void put(const std::filesystem::path& file, int bars = 300) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << fullPrices(bars);
    }

    // The titles of the open charts, oldest first.
    std::vector<std::string> openTitles() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::vector<std::string> out;
        for (TAChart* c : form->charts().charts()) out.push_back(c->title());
        return out;
    }

    // Acts in the next modal dialog of type `Dialog` once it shows; the act must close it.
    template <class Dialog> static void whenShown(std::function<void(Dialog&)> act) {
        auto* poll = new QTimer;
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, [poll, act] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll->stop();
            poll->deleteLater();
            act(*dialog);
        });
        poll->start();
    }

    // The desktop as the user sees it: the main window and the charts where they lie.
    void saveDesktop(const char* name) const {
        QImage desktop(1920, 1080, QImage::Format_RGB32);
        desktop.fill(QColor(0x30, 0x40, 0x50));
        QPainter p(&desktop);
        p.drawPixmap(form->geometry().topLeft(), form->grab());
        for (TAChart* c : form->charts().charts()) p.drawPixmap(c->geometry().topLeft(), c->grab());
        p.end();
        const std::filesystem::path out = std::filesystem::path(QM_TEST_OUTPUT_DIR);
        std::filesystem::create_directories(out);
        desktop.save(QString::fromStdString((out / name).string()));
    }
};

} // namespace qm::test
