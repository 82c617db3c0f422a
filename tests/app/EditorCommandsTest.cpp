#include "MainFormFixture.h"
#include "dialogs/PlotEditor.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QToolBar>
#include <gtest/gtest.h>

namespace qm {
namespace {

using EditorCommand = test::MainFormFixture;

TEST_F(EditorCommand, OpensTheEditorBelowItsButtonAndKeepsTheOptionsAndTheIndicator) {
    TMainForm form(env);
    const QWidget* button =
        form.findChild<QToolBar*>()->widgetForAction(form.actions().editSettings);
    ASSERT_TRUE(button);

    bool shown = false;
    whenModal([&](QWidget& dialog) {
        auto* editor = qobject_cast<TPlotEditor*>(&dialog);
        ASSERT_TRUE(editor);
        shown = true;
        EXPECT_EQ(editor->x(), button->mapToGlobal(QPoint(0, 0)).x());
        EXPECT_EQ(editor->y(), form.frameGeometry().bottom() + 11);
        EXPECT_EQ(editor->findChild<QComboBox*>(QStringLiteral("cbPRMs"))->currentText(),
                  QStringLiteral("Defaults"));
        editor->findChild<QCheckBox*>(QStringLiteral("ckShoOscVal"))->click();
        editor->findChild<QComboBox*>(QStringLiteral("cbOscList"))->setCurrentIndex(16);
        editor->reject();
    });
    form.actions().editSettings->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(form.state().config.showIndOnScale);

    // The next opening shows the indicator shown last.
    whenModal([&](QWidget& dialog) {
        EXPECT_EQ(qobject_cast<TPlotEditor*>(&dialog)->shownKind(), 17);
        dialog.close();
    });
    form.actions().editSettings->trigger();
    EXPECT_TRUE(prompts.asked.empty());
}

} // namespace
} // namespace qm
