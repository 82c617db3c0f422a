#include "app/GroupCommands.h"

#include "CommandFixture.h"
#include "app/ChartOpening.h"
#include "settings/GroupRecords.h"
#include "settings/SettingsStream.h"
#include "support/FileContent.h"

#include <QLabel>

namespace qm {
namespace {

namespace fs = std::filesystem;
using Titles = std::vector<std::string>;

// What a group must bring back of a chart.
struct Kept {
    std::string title;
    fs::path second;
    QRect frame;
    IndicatorRequestList entries;
    int chartType;
    int spacing;
    Interval interval;
    friend bool operator==(const Kept&, const Kept&) = default;
};

std::ostream& operator<<(std::ostream& out, const Kept& k) {
    out << k.title << " " << k.frame.x() << "," << k.frame.y() << " " << k.frame.width() << "x"
        << k.frame.height() << " type " << k.chartType << " spacing " << k.spacing << " entries";
    for (const auto& e : k.entries) out << " " << int(e.kind) << "/" << int(e.pane);
    return out;
}

struct GroupCommandsTest : test::CommandFixture {
    fs::path groups() const { return form->state().config.groupFolder; }
    GroupCommands& commands() const { return *form->findChild<GroupCommands*>(); }

    TAChart* open(const fs::path& file, const fs::path& second, IndicatorRequestList requests,
                  QRect bounds, Interval interval = Interval::Daily) {
        ChartRequest request;
        request.sourceFile = file;
        request.secondSourceFile = second;
        request.requests = std::move(requests);
        request.interval = interval;
        return form->opening().open(request, bounds);
    }
    std::vector<Kept> kept() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::vector<Kept> out;
        for (TAChart* c : form->charts().charts()) {
            const auto records = c->model().records();
            IndicatorRequestList entries;
            for (const TOscObj* o : records) entries.push_back({o->Kind, o->Pane});
            out.push_back({c->title(), c->model().chart().secondSourceFile, c->frameGeometry(),
                           entries, records.front()->Style, c->model().spacing(),
                           c->model().chart().interval});
        }
        return out;
    }
    void writeGroup(const fs::path& file, std::vector<TGroupRecObj> records) {
        TGroupRecList list;
        list.records = std::move(records);
        list.save(file);
    }
    static TGroupRecObj record(const fs::path& source, QRect bounds) {
        TGroupRecObj r;
        r.sourceFile = source.string();
        r.left = bounds.left();
        r.top = bounds.top();
        r.width = bounds.width();
        r.height = bounds.height();
        r.entries = {{0, 2}, {1, 2}};
        r.chartType = 3;
        return r;
    }
    std::string status() const { return form->statusLabel()->text().toStdString(); }
};

TEST_F(GroupCommandsTest, AGroupReopensEveryChartAsItWas) {
    TAChart* a = open(csv / "AAA.csv", {}, {{0, 2}, {14, 2}, {1, 2}, {16, 6}},
                      QRect(10, 200, 700, 400), Interval::Weekly);
    TAChart* b = open(csv / "BBB = Bee Corp.csv", {}, {{0, 1}}, QRect(720, 200, 600, 500));
    b->model().records().front()->SetStyle(2);
    b->model().setSpacing(2);
    open(csv / "CCC.csv", csv / "DDD.csv", {{0, 0}}, QRect(300, 620, 900, 380));
    a->activateWindow();
    form->charts().chartActivated(*a);
    const std::vector<Kept> before = kept();
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before[2].title, "CCC to DDD");

    // A name typed without its extension gets it.
    prompts.fileAnswers = {
        platform::FileAnswer{QString::fromStdString((groups() / "Morning").string()), 0}};
    form->actions().saveGroup->trigger();
    ASSERT_FALSE(prompts.asked.empty());
    EXPECT_EQ(prompts.asked.back().file.title, QStringLiteral("Save Open Charts as a Chart Group"));
    EXPECT_EQ(prompts.asked.back().file.proposedName, QStringLiteral("AAA.grp"));
    EXPECT_TRUE(fs::exists(groups() / "Morning.grp"));
    EXPECT_EQ(status(), "Morning.grp");
    EXPECT_EQ(form->state().groupName, (groups() / "Morning.grp").string());

    writeGroup(groups() / "Evening.grp", {record(csv / "DDD.csv", QRect(0, 300, 500, 300))});
    prompts.fileAnswers = {
        platform::FileAnswer{QString::fromStdString((groups() / "Morning.grp").string()), 0}};
    form->actions().loadGroup->trigger();
    EXPECT_EQ(kept(), before);
    EXPECT_EQ(status(), "Morning.grp");
    EXPECT_EQ(form->state().lastInterval, 0);
    ASSERT_EQ(form->state().files.entries.size(), 2u);
    EXPECT_EQ(form->state().files.entries[0].path, groups() / "Evening.grp");
    EXPECT_EQ(form->state().files.current, 1);

    // Next reaches the other group and opens it in place of these.
    form->actions().next->trigger();
    EXPECT_EQ(openTitles(), Titles{"DDD"});
    EXPECT_EQ(status(), "Evening.grp");
    EXPECT_EQ(kept()[0].frame, QRect(0, 300, 500, 300));
}

TEST_F(GroupCommandsTest, MissingDataIsDroppedOrSearchedBesideAndCancelStopsTheRest) {
    put(yahoo / "AAA.csv");
    put(yahoo / "GONE.csv"); // another folder's file does not bring a gone one back
    std::ofstream(csv / "notes.txt") << "x";
    const QRect place(50, 150, 500, 400);
    const fs::path file = groups() / "Mixed.grp";
    writeGroup(file, {record(csv / "GONE.csv", place), record(yahoo / "AAA.csv", place),
                      record(csv / "notes.txt", place), record(csv / "CCC.csv", place)});
    const std::string question = "Can't find data for notes\nin " + csv.parent_path().string();

    prompts.boxAnswers = {platform::BoxAnswer::Cancel};
    commands().openGroup(file);
    // The first folder in text order that holds the symbol gives its data.
    EXPECT_EQ(openTitles(), Titles{"AAA"});
    EXPECT_EQ(form->charts().charts()[0]->model().chart().sourceFile, csv / "AAA.csv");
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{question});
    EXPECT_EQ(status(), "Mixed.grp");

    prompts.boxAnswers = {platform::BoxAnswer::Ok};
    commands().openGroup(file);
    EXPECT_EQ(openTitles(), (Titles{"AAA", "CCC"}));
}

TEST_F(GroupCommandsTest, BoundsFromTheFileAreKeptOnTheScreen) {
    const fs::path file = groups() / "Far.grp";
    // Wider than a QRect at its left can hold, so set on the record itself.
    TGroupRecObj wide = record(csv / "BBB = Bee Corp.csv", QRect(1700, 900, 400, 5));
    wide.width = 2147483000;
    writeGroup(file, {record(csv / "AAA.csv", QRect(-90000, 50000, 400, 300)), wide,
                      record(csv / "CCC.csv", QRect(100, 100, -20, -20))});
    commands().openGroup(file);
    ASSERT_EQ(openTitles().size(), 3u);
    const QRect screen(0, 0, 1920, 1080);
    for (TAChart* c : form->charts().charts())
        EXPECT_TRUE(screen.contains(c->frameGeometry())) << c->title();
    EXPECT_EQ(form->charts().charts()[0]->frameGeometry(), QRect(0, 780, 400, 300));
}

TEST_F(GroupCommandsTest, AnAbsurdEntryCountIsRefusedAndOpensNothing) {
    open(csv / "AAA.csv", {}, {{0, 1}}, QRect(0, 100, 400, 300));
    const fs::path file = groups() / "Damaged.grp";
    TGroupRecObj damaged = record(csv / "BBB = Bee Corp.csv", QRect(0, 100, 400, 300));
    damaged.entries.clear();
    writeGroup(file, {damaged});
    // The entry count, the file's last integer, claims a billion entries.
    std::string bytes = test::readFile(file);
    ASSERT_EQ(bytes.substr(bytes.size() - 3), (std::string{'\x02', '\x00', '\x00'}));
    bytes.replace(bytes.size() - 3, 2, std::string{'\x04', '\x00', '\x00', '\x00', '\x40'});
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    commands().openGroup(file);
    EXPECT_TRUE(openTitles().empty());
    EXPECT_EQ(prompts.messageTexts(),
              (std::vector<std::string>{"Trouble reading saved ChartGroup settings.",
                                        "Stream read error"}));
}

TEST_F(GroupCommandsTest, SavingWithoutASelectedChartAsksNothing) {
    form->actions().saveGroup->trigger();
    EXPECT_TRUE(prompts.asked.empty());
}

} // namespace
} // namespace qm
