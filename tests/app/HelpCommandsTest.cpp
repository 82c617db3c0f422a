#include "MainFormFixture.h"
#include "help/Help.h"
#include "support/UrlCatcher.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace qm {
namespace {

using HelpCommands = test::MainFormFixture;

TEST_F(HelpCommands, F1TheMenuAndTheButtonShowTheHelpAndTheAboutBoxTheVersion) {
    TMainForm form(env);
    test::UrlCatcher browser;
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F1);
    form.actions().showHelp->trigger();
    form.actions().helpButton->trigger();
    ASSERT_EQ(browser.opened.size(), 3u);
    for (const QUrl& url : browser.opened)
        EXPECT_EQ(url.toLocalFile().toStdString(), help::helpFile().string());

    QApplication::setApplicationVersion(QStringLiteral("7.0"));
    QTest::keyClick(&form, Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(prompts.asked[0].text.contains(QStringLiteral("Version 7.0")));
}

} // namespace
} // namespace qm
