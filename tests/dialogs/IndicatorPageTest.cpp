#include "dialogs/IndicatorPage.h"

#include "indicators/OscObj.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace qm::editor {
namespace {

// What the page shows for a kind's construction defaults.
struct KindCase {
    int kind;
    const char* number; // the number box's label, or nullptr when hidden
    int numberValue;
    std::array<std::optional<double>, 4> boxes; // shown value of each box, nothing when hidden
    std::array<int, 3> colourSlots;             // the slot each colour button shows, -1 hidden
    PriceChoice price;
    int checks; // Stage2 check boxes shown
};

void PrintTo(const KindCase& c, std::ostream* out) {
    *out << "kind " << c.kind;
}

constexpr auto no = std::nullopt;
constexpr auto HLC = PriceChoice::HighLowClose;
constexpr auto Stage2 = PriceChoice::Stage2Compare;
constexpr auto None = PriceChoice::Hidden;

class KindPage : public testing::TestWithParam<KindCase> {};

TEST_P(KindPage, ShowsTheKindsControlsWithTheStoredValues) {
    const KindCase& c = GetParam();
    auto record = TOscObj::Create(c.kind);
    prepareForShowing(*record, c.kind);
    const IndicatorView view = indicatorView(*record, c.kind);

    EXPECT_EQ(view.number.shown, c.number != nullptr);
    if (c.number) {
        EXPECT_EQ(view.number.label, c.number);
        EXPECT_EQ(view.number.value, c.numberValue);
    }
    for (std::size_t b = 0; b < 4; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(view.boxes[b].shown, c.boxes[b].has_value());
        if (c.boxes[b]) {
            EXPECT_NEAR(view.boxes[b].value, *c.boxes[b], 1e-5);
        }
    }
    for (std::size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(view.colours[k].shown, c.colourSlots[k] >= 0);
        if (c.colourSlots[k] >= 0) {
            EXPECT_EQ(view.colours[k].colour,
                      record->Colors[static_cast<std::size_t>(c.colourSlots[k])]);
        }
    }
    EXPECT_EQ(view.price, c.price);
    const int radios = c.price == HLC ? 3 : c.price == Stage2 ? 2 : 0;
    int checks = 0;
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(view.radios[k].shown, static_cast<int>(k) < radios) << k;
        checks += view.checks[k].shown;
    }
    EXPECT_EQ(checks, c.checks);
    if (c.price == HLC) {
        EXPECT_TRUE(view.radios[2].checked); // the close, by default
    }
}

// One line drawn by default: boxes 1 and 2 are shown (disabled) with the lengths of the lines
// that are off, and only the first colour.
INSTANTIATE_TEST_SUITE_P(
    EveryKind, KindPage,
    testing::Values(KindCase{1, "Number of Lines:", 1, {13, 34, 55, no}, {6, -1, -1}, HLC, 0},
                    KindCase{2, "Number of Lines:", 1, {55, 34, 21, no}, {6, -1, -1}, HLC, 0},
                    KindCase{3, "Number of Lines:", 1, {21, 34, 55, no}, {6, -1, -1}, HLC, 0},
                    KindCase{4, nullptr, 0, {13, 2, 2, no}, {9, -1, -1}, HLC, 0},
                    KindCase{5, nullptr, 0, {9, 13, 4, 2}, {6, 7, 8}, Stage2, 3},
                    KindCase{6, nullptr, 0, {9, 13, 4, 2}, {6, 7, 8}, Stage2, 2},
                    KindCase{7, nullptr, 0, {9, no, 4, no}, {6, 7, -1}, None, 0},
                    KindCase{8, nullptr, 0, {no, no, no, no}, {6, 7, -1}, None, 0},
                    KindCase{9, nullptr, 0, {no, no, no, no}, {6, -1, -1}, None, 0},
                    KindCase{10, nullptr, 0, {2.5, no, no, no}, {6, -1, -1}, None, 0},
                    KindCase{11, "Number of Lines:", 1, {21, 34, 55, no}, {6, -1, -1}, HLC, 0},
                    KindCase{12, "Mov Avg length:", 13, {21, 1.25, 1.5, no}, {9, -1, -1}, HLC, 0},
                    KindCase{13, nullptr, 0, {20, no, no, no}, {9, -1, -1}, None, 0},
                    KindCase{14, nullptr, 0, {21, 21, 2, no}, {9, -1, -1}, None, 0},
                    KindCase{15, nullptr, 0, {21, 21, 2, no}, {6, -1, -1}, None, 0},
                    KindCase{16, nullptr, 0, {12, 26, 9, no}, {6, 7, -1}, None, 0},
                    KindCase{17, nullptr, 0, {13, no, no, no}, {6, -1, -1}, None, 0},
                    KindCase{18, nullptr, 0, {9, no, no, no}, {6, -1, -1}, None, 0},
                    KindCase{19, nullptr, 0, {13, 3, no, no}, {6, 7, -1}, None, 0},
                    KindCase{20, nullptr, 0, {11, 11, 11, no}, {6, -1, -1}, None, 0},
                    KindCase{21, nullptr, 0, {18, no, no, no}, {6, -1, -1}, HLC, 0},
                    KindCase{22, nullptr, 0, {13, no, no, no}, {6, -1, -1}, HLC, 0},
                    KindCase{23, "Number of Lines:", 1, {21, 34, 55, no}, {6, -1, -1}, HLC, 0},
                    KindCase{24, nullptr, 0, {14, no, no, no}, {6, -1, -1}, None, 0},
                    KindCase{25, nullptr, 0, {20, no, no, no}, {6, -1, -1}, None, 0},
                    KindCase{26, nullptr, 0, {4, 9, no, no}, {6, -1, -1}, None, 0},
                    KindCase{27, nullptr, 0, {14, no, no, no}, {6, 7, 8}, None, 0},
                    KindCase{28, nullptr, 0, {no, no, no, no}, {6, -1, -1}, None, 0},
                    KindCase{29, nullptr, 0, {no, no, no, no}, {6, -1, -1}, None, 0},
                    KindCase{30, nullptr, 0, {no, no, no, no}, {6, 7, -1}, None, 0}));

TEST(IndicatorPage, PercentBoxesStoreAHundredthOfWhatIsTyped) {
    auto sar = TOscObj::Create(10);
    const IndicatorView view = indicatorView(*sar, 10);
    EXPECT_EQ(view.boxes[0].pattern, "0.##0");
    EXPECT_DOUBLE_EQ(view.boxes[0].step, 0.01);
    setParam(*sar, 10, 0, 2.5);
    EXPECT_EQ(sar->Params[0], 0.025f);

    auto envelope = TOscObj::Create(4);
    EXPECT_DOUBLE_EQ(indicatorView(*envelope, 4).boxes[1].step, 0.1);
    setParam(*envelope, 4, 0, 21);
    setParam(*envelope, 4, 1, 3.5);
    setParam(*envelope, 4, 2, 1);
    EXPECT_EQ(envelope->Params, (std::array<float, 4>{21, 0.035f, 0.01f, 0}));
}

TEST(IndicatorPage, Kind12sNumberBoxIsTheAverageLengthAndItsBoxesShiftOnePlace) {
    auto bands = TOscObj::Create(12);
    const IndicatorView view = indicatorView(*bands, 12);
    EXPECT_EQ(view.number.min, 3);
    EXPECT_EQ(view.number.max, 100);
    EXPECT_EQ(view.number.maxLength, 3);
    setNumber(*bands, 12, 40);
    setParam(*bands, 12, 0, 30);
    setParam(*bands, 12, 1, 2.5);
    setParam(*bands, 12, 2, 1.75);
    EXPECT_EQ(bands->Params, (std::array<float, 4>{40, 30, 2.5f, 1.75f}));
    EXPECT_EQ(bands->LineCount, 2); // the number box is no line count here
}

TEST(IndicatorPage, LinesOfTheirOwnLengthGetOneThirtyLongerWhenShown) {
    auto average = TOscObj::Create(1);
    average->Params = {20, 0, 0, 0};
    prepareForShowing(*average, 1);
    EXPECT_EQ(average->Params, (std::array<float, 4>{20, 50, 80, 0}));

    struct Case {
        int lines;
        bool box1, box2, colour1, colour2;
    };
    for (const Case c : {Case{1, false, false, false, false}, Case{2, true, false, true, false},
                         Case{3, true, true, true, true}}) {
        setNumber(*average, 1, c.lines);
        const IndicatorView view = indicatorView(*average, 1);
        EXPECT_EQ(average->ParamCount, c.lines); // the warm-up covers every line drawn
        EXPECT_EQ(view.boxes[1].enabled, c.box1) << c.lines;
        EXPECT_EQ(view.boxes[2].enabled, c.box2) << c.lines;
        EXPECT_EQ(view.colours[1].shown, c.colour1) << c.lines;
        EXPECT_EQ(view.colours[2].shown, c.colour2) << c.lines;
        EXPECT_DOUBLE_EQ(view.boxes[1].value, 50);
    }

    // Kinds without a length per line keep their zero parameters.
    auto channel = TOscObj::Create(13);
    prepareForShowing(*channel, 13);
    EXPECT_EQ(channel->Params[1], 0);
}

TEST(IndicatorPage, RelaxedAndAggressiveStage2ExcludeEachOther) {
    auto pattern1 = TOscObj::Create(5);
    ASSERT_TRUE(pattern1->RelaxLastStage2);
    setStageCheck(*pattern1, 5, StageCheck::Aggressive, true);
    EXPECT_TRUE(pattern1->AggressiveStage2);
    EXPECT_FALSE(pattern1->RelaxLastStage2);
    EXPECT_FALSE(indicatorView(*pattern1, 5).checks[0].checked);
    setStageCheck(*pattern1, 5, StageCheck::Relax, true);
    EXPECT_TRUE(pattern1->RelaxLastStage2);
    EXPECT_FALSE(pattern1->AggressiveStage2);
    setStageCheck(*pattern1, 5, StageCheck::Reset, true);
    EXPECT_TRUE(pattern1->ResetStage2OnStage1);
    // Unchecking one leaves the other as it is.
    setStageCheck(*pattern1, 5, StageCheck::Relax, false);
    EXPECT_FALSE(pattern1->AggressiveStage2);

    // Pattern2 has no aggressive comparisons, but relaxing still clears a stored one.
    auto pattern2 = TOscObj::Create(6);
    setStageCheck(*pattern2, 6, StageCheck::Aggressive, true);
    EXPECT_FALSE(pattern2->AggressiveStage2);
    pattern2->AggressiveStage2 = true;
    setStageCheck(*pattern2, 6, StageCheck::Relax, true);
    EXPECT_FALSE(pattern2->AggressiveStage2);

    // Other kinds carry no Stage2 options.
    auto average = TOscObj::Create(1);
    setStageCheck(*average, 1, StageCheck::Reset, true);
    EXPECT_FALSE(average->ResetStage2OnStage1);
}

TEST(IndicatorPage, RadioButtonsChooseThePriceOrTheStage2Comparison) {
    auto average = TOscObj::Create(1);
    setPriceChoice(*average, 1, 0);
    EXPECT_EQ(average->PriceField, kPriceHigh);
    EXPECT_TRUE(indicatorView(*average, 1).radios[0].checked);
    EXPECT_EQ(indicatorView(*average, 1).radios[0].hint, "Calculate using Hi");

    auto pattern = TOscObj::Create(5);
    const IndicatorView view = indicatorView(*pattern, 5);
    EXPECT_EQ(view.radios[0].text, "Use <=>");
    EXPECT_EQ(view.radios[1].text, "Use <>");
    EXPECT_EQ(view.radios[1].hint, "Stage2 Count compare");
    EXPECT_TRUE(view.radios[0].checked);
    setPriceChoice(*pattern, 5, 1);
    EXPECT_EQ(pattern->PriceField, 1);
    setPriceChoice(*pattern, 5, 2); // no third choice for the patterns
    EXPECT_EQ(pattern->PriceField, 1);

    auto swing = TOscObj::Create(9);
    setPriceChoice(*swing, 9, 0);
    EXPECT_EQ(swing->PriceField, kPriceClose);
}

TEST(IndicatorPage, ColourButtonsSetTheirSlots) {
    auto macd = TOscObj::Create(16);
    setColour(*macd, 0, 0x123456);
    setColour(*macd, 1, 0x00FF00);
    setColour(*macd, 2, 0x0000FF);
    EXPECT_EQ(macd->Colors[6], 0x123456);
    EXPECT_EQ(macd->Colors[9], 0x123456); // line and band colour together
    EXPECT_EQ(macd->Colors[7], 0x00FF00);
    EXPECT_EQ(macd->Colors[8], 0x0000FF);
}

TEST(IndicatorPage, BoxHintsFollowTheKind) {
    auto pattern = TOscObj::Create(5);
    const IndicatorView patternView = indicatorView(*pattern, 5);
    EXPECT_EQ(patternView.boxes[0].hint, "Try 9, 10, 11 or 12");
    EXPECT_EQ(patternView.boxes[3].hint, "Try a 1, 2, 3 or 4");
    auto stage1 = TOscObj::Create(7);
    EXPECT_EQ(indicatorView(*stage1, 7).boxes[0].hint, "Use same value as Stage1 & Stage2");
    auto macd = TOscObj::Create(16);
    const IndicatorView macdView = indicatorView(*macd, 16);
    EXPECT_EQ(macdView.boxes[0].hint, "Enter an integer value");
    EXPECT_EQ(macdView.boxes[2].hint, "Enter a value");
}

} // namespace
} // namespace qm::editor
