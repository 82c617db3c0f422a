#include "help/Help.h"

#include "indicators/Catalogue.h"
#include "support/FileContent.h"
#include "support/ScriptedPrompts.h"
#include "support/UrlCatcher.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <string>

namespace qm {
namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string_view::npos ? std::string()
                                           : std::string(text.substr(first, last - first + 1));
}

TEST(Help, ThePagesShipWithTheProgramAndCoverEveryIndicatorAndTopic) {
    const std::string page = test::readFile(help::helpFile());
    ASSERT_FALSE(page.empty()) << help::helpFile();
    EXPECT_FALSE(test::readFile(help::helpFile().parent_path() / "help.css").empty());
    for (const IndicatorInfo& info : indicatorCatalogue()) {
        const std::string name = trimmed(info.toolBarText);
        EXPECT_NE(page.find(" " + name + "</dt>"), std::string::npos) << name;
    }
    for (const std::string_view topic : {help::kOpeningCharts, help::kTools, help::kSettingsEditor,
                                         help::kIndicators, help::kDownloads, help::kKeys})
        EXPECT_NE(page.find("id=\"" + std::string(topic) + "\""), std::string::npos) << topic;
}

TEST(Help, OpensInTheDesktopsBrowserAtItsTopic) {
    test::ScriptedPrompts prompts;
    const test::PromptsScope scope(prompts);
    test::UrlCatcher catcher;
    help::showHelp(nullptr);
    help::showHelp(nullptr, help::kSettingsEditor);
    ASSERT_EQ(catcher.opened.size(), 2u);
    EXPECT_EQ(catcher.opened[0].toLocalFile().toStdString(), help::helpFile().string());
    EXPECT_TRUE(catcher.opened[0].fragment().isEmpty());
    EXPECT_EQ(catcher.opened[1].fragment(), QStringLiteral("settings-editor"));
    EXPECT_TRUE(prompts.asked.empty());

    help::showHelpFile(nullptr, "/nowhere/index.html", {});
    EXPECT_EQ(catcher.opened.size(), 2u);
    EXPECT_EQ(prompts.messageTexts(),
              std::vector<std::string>{"Cannot find the help file /nowhere/index.html"});
}

TEST(Help, TheAboutBoxShowsTheVersionOfTheBuild) {
    test::ScriptedPrompts prompts;
    const test::PromptsScope scope(prompts);
    QApplication::setApplicationVersion(QStringLiteral("7.0.3"));
    help::showAbout(nullptr);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].icon, platform::BoxIcon::Information);
    EXPECT_TRUE(prompts.asked[0].text.startsWith(QStringLiteral("Quillmar 7.0\nVersion 7.0.3\n")));
}

} // namespace
} // namespace qm
