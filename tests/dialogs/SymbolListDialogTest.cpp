#include "dialogs/SymbolListDialog.h"

#include "support/RecordingSink.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct SymbolListWindow : testing::Test {
    test::TempDir dir;
    fs::path data = dir / "CSV";
    test::ScriptedPrompts prompts;
    test::PromptsScope scope{prompts};
    test::RecordingSink sink;
    std::unique_ptr<TDlgPikSymbols> dialog;

    SymbolListWindow() {
        for (const char* file : {"CSV/IBM.csv", "CSV/AAA = Triple A.csv", "Yahoo Data/IBM.csv",
                                 "Yahoo Data/MSFT.csv", "Other/x.txt"}) {
            fs::create_directories((dir / file).parent_path());
            dir.write(file, "x");
        }
        dialog = std::make_unique<TDlgPikSymbols>(nullptr, data, sink);
        dialog->show();
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        const auto* model = dialog->list()->model();
        for (int i = 0; i < model->rowCount(); ++i)
            out.push_back(model->index(i, 0).data().toString().toStdString());
        return out;
    }
    void select(int row) {
        dialog->list()->setCurrentIndex(dialog->list()->model()->index(row, 0));
    }
};

TEST_F(SymbolListWindow, ListsEveryFolderBesideTheDataFolderAndReturnsTheTickedFiles) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Symbol/ticker list"));
    EXPECT_EQ(lines(), (Lines{"AAA = Triple A.csv", "IBM.csv", "IBM.csv", "MSFT.csv"}));
    dialog->setTicked(3, true);
    dialog->setTicked(1, true);
    // A tick in the box as the user clicks it.
    const QRect row = dialog->list()->visualRect(dialog->list()->model()->index(0, 0));
    QTest::mouseClick(dialog->list()->viewport(), Qt::LeftButton, {},
                      QPoint(row.left() + row.height() / 2 + 2, row.center().y()));
    const fs::path out = fs::path(QM_TEST_OUTPUT_DIR);
    fs::create_directories(out);
    dialog->grab().save(QString::fromStdString((out / "symbol-list-dialog.png").string()));
    select(2); // whichever line is selected
    dialog->drawButton()->click();
    EXPECT_EQ(dialog->result(),
              (std::vector<fs::path>{dir / "CSV" / "AAA = Triple A.csv", dir / "CSV" / "IBM.csv",
                                     dir / "Yahoo Data" / "MSFT.csv"}));
    EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SymbolListWindow, NothingTickedIsToldAndReturnsNothing) {
    select(0);
    dialog->drawButton()->click();
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{"You need check one or more items"});
    EXPECT_TRUE(dialog->result().empty());
}

TEST_F(SymbolListWindow, ARightClickDeletesTheSelectedFileWhenConfirmed) {
    const auto rightClick = [&] {
        QTest::mouseClick(dialog->list()->viewport(), Qt::RightButton, {},
                          dialog->list()->visualRect(dialog->list()->currentIndex()).center());
    };
    select(2);
    prompts.boxAnswers = {platform::BoxAnswer::No, platform::BoxAnswer::Yes};
    rightClick();
    EXPECT_TRUE(fs::exists(dir / "Yahoo Data" / "IBM.csv"));
    rightClick();
    EXPECT_FALSE(fs::exists(dir / "Yahoo Data" / "IBM.csv"));
    EXPECT_EQ(lines(), (Lines{"AAA = Triple A.csv", "IBM.csv", "MSFT.csv"}));
    EXPECT_EQ(prompts.messageTexts().back(),
              "Delete data for symbol/ticker \n" + (dir / "Yahoo Data" / "IBM.csv").string());
}

TEST_F(SymbolListWindow, DataFolderMovesTheProgramsDataFolder) {
    fs::create_directories(dir / "elsewhere" / "Prices");
    dir.write("elsewhere/Prices/ZZZ.csv", "x");
    prompts.folderAnswers = {QString::fromStdString((dir / "elsewhere" / "Prices").string())};
    dialog->folderButton()->click();
    EXPECT_EQ(data, dir / "elsewhere" / "Prices");
    EXPECT_EQ(lines(), Lines{"ZZZ.csv"});
}

} // namespace
} // namespace qm
