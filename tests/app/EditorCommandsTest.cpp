#include "MainFormFixture.h"
#include "app/ChartRegistry.h"
#include "app/OpeningCommands.h"
#include "dialogs/PlotEditor.h"
#include "settings/lists/PlotRecList.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolBar>
#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

using EditorCommand = test::MainFormFixture;

TEST_F(EditorCommand, OpensTheEditorBelowItsButtonAndKeepsTheOptionsAndTheIndicator) {
    TMainForm form(env);
    settle(form);
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

TEST_F(EditorCommand, OpensOnTheSelectedChartsSymbol) {
    writePriceFiles({"XYZ = Example Holdings.csv"});
    TMainForm form(env);
    const fs::path source = dataFolder() / "XYZ = Example Holdings.csv";
    form.state().settingsList.setEntry("XYZ", source.string());
    factoryDefaultSet().save(form.state().settingsFolder / "XYZ = Example Holdings.prm");
    form.openingCommands().openSymbol("XYZ");
    ASSERT_TRUE(form.charts().selected());

    prompts.fileAnswers.push_back(std::nullopt);
    whenModal([&](QWidget& dialog) {
        EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("cbPRMs"))->currentText(),
                  QStringLiteral("XYZ"));
        dialog.findChild<QPushButton*>(QStringLiteral("cmdSaveAs"))->click();
        dialog.close();
    });
    form.actions().editSettings->trigger();
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].file.folder.toStdString(), dataFolder().string());
}

} // namespace
} // namespace qm
