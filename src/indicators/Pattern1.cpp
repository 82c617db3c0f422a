// Pattern1: a Stage1 count arms a Stage2 count in the opposite sense, whose completion gives a
// signal. Two Stage2 counts run side by side: the main count, and a second count restarted at
// every Stage1 completion that takes over from the main count after each main completion.

#include "indicators/Kinds.h"
#include "indicators/PatternCounts.h"

namespace qm {
namespace {

using namespace pattern;

// The bar that takes a count from this value to the next fixes the count's comparison level.
constexpr int kLevelCount = 7;

// A comparison level a Stage2 completion must reach: the close of the eighth counted bar.
// Before any eighth bar has fixed one (counts of eight or fewer bars), there is no level to
// reach, and a completion is held to its count and its last-bar comparison alone. Starting from
// a price instead would favour one sense: a level of 0 is reached by every sell completion and
// by no buy completion.
struct Level {
    bool fixed = false;
    float value = 0;

    void fix(float close) {
        fixed = true;
        value = close;
    }
    bool reachedByHigh(float high) const { return !fixed || high >= value; }
    bool reachedByLow(float low) const { return !fixed || low <= value; }
};

// The Stage2 comparisons of one bar: whether it counts (sell, buy), and whether it may be the
// last bar of a count.
struct Comparisons {
    bool sell;
    bool buy;
    bool lastSell;
    bool lastBuy;
};

class Pattern1Run {
public:
    Pattern1Run(const TOscObj& indicator, const BarWindow& window, OutputTable& out)
        : bars_(window), out_(out), len_(patternLengths(indicator)),
          strict_(indicator.PriceField != 0), relaxLast_(indicator.RelaxLastStage2),
          resetOnStage1_(indicator.ResetStage2OnStage1), aggressive_(indicator.AggressiveStage2) {}

    void bar(int i) {
        OutputRow& row = out_[pattern::row(i)];
        const Comparisons cmp = compare(i);
        confirmation_.await(bars_, i, row);
        // A signal given by a Stage1 completion is not counted again on its bar.
        const bool signalled = countStage1(i, cmp, row);
        countStage2(i, cmp, signalled, row);
        completeMain(i, cmp, row);
        completeSecond(i, cmp, row);
    }

private:
    Comparisons compare(int i) const {
        const float close = bars_.close(i);
        const float high = bars_.high(i, len_.stage2Lookback);
        const float low = bars_.low(i, len_.stage2Lookback);
        Comparisons c{};
        if (aggressive_) {
            c.sell = bars_.high(i) >= bars_.high(i, 2);
            c.buy = bars_.low(i) <= bars_.low(i, 2);
        } else if (strict_) {
            c.sell = close > high;
            c.buy = close < low;
        } else {
            c.sell = close >= high;
            c.buy = close <= low;
        }
        c.lastSell = c.sell;
        c.lastBuy = c.buy;
        if (relaxLast_) {
            c.lastSell = close >= high || bars_.open(i) >= high;
            c.lastBuy = close <= low || bars_.open(i) <= low;
        }
        return c;
    }

    // Returns whether a Stage2 completing with the Stage1 gave a signal on this bar.
    bool countStage1(int i, const Comparisons& cmp, OutputRow& row) {
        const Stage1Step step = stage1_.step(bars_, i, len_.stage1Lookback);
        if (step.marked) row[kStage1Column] = static_cast<float>(step.count);
        if (step.advanced && stage1_.down == len_.stage1Bars) return downCompleted(i, cmp, row);
        if (step.advanced && stage1_.up == len_.stage1Bars) return upCompleted(i, cmp, row);
        return false;
    }

    bool downCompleted(int i, const Comparisons& cmp, OutputRow& row) {
        resistance_ = bars_.resistance(i, len_.stage1Bars);
        confirmation_.downCompleted(bars_, i, row);
        stage1_ = {};
        bool signalled = false;
        if (buyOn_ && buy_ == len_.stage2Bars - 1 && buyLevel_.reachedByLow(bars_.low(i)) &&
            cmp.lastBuy) {
            ++buy_;
            signal(-1, bars_.low(i), -buy_, row);
            signalled = true;
        } else {
            buy_ = resetOnStage1_ ? 0 : buySecond_;
        }
        sellOn_ = false;
        buyOn_ = true;
        sell_ = sellSecond_ = buySecond_ = 0;
        return signalled;
    }

    bool upCompleted(int i, const Comparisons& cmp, OutputRow& row) {
        support_ = bars_.support(i, len_.stage1Bars);
        confirmation_.upCompleted(bars_, i, row);
        stage1_ = {};
        bool signalled = false;
        if (sellOn_ && sell_ == len_.stage2Bars - 1 && sellLevel_.reachedByHigh(bars_.high(i)) &&
            cmp.lastSell) {
            ++sell_;
            signal(1, bars_.high(i), sell_, row);
            signalled = true;
        } else {
            sell_ = resetOnStage1_ ? 0 : sellSecond_;
        }
        sellOn_ = true;
        buyOn_ = false;
        buy_ = sellSecond_ = buySecond_ = 0;
        return signalled;
    }

    // Advances the armed Stage2, or cancels it: a sell Stage2 ends when a high falls below the
    // support of its Stage1, a buy Stage2 when a low rises above the resistance. A cancelled
    // Stage2 has nothing left to complete on its bar.
    void countStage2(int i, const Comparisons& cmp, bool signalled, OutputRow& row) {
        const int last = len_.stage2Bars - 1;
        if (sellOn_) {
            if (bars_.high(i) < support_) {
                sellOn_ = false;
                cancelCounts();
                return;
            }
            const bool second = cmp.sell || (sellSecond_ >= last && cmp.lastSell);
            if ((sell_ >= last && cmp.lastSell) || second) {
                if (sellSecond_ == kLevelCount) secondLevel_.fix(bars_.close(i));
                if (sell_ == kLevelCount) sellLevel_.fix(bars_.close(i));
                if (second) ++sellSecond_;
                if (!signalled) row[kStage2Column] = static_cast<float>(++sell_);
            }
        } else if (buyOn_) {
            if (bars_.low(i) > resistance_) {
                buyOn_ = false;
                cancelCounts();
                return;
            }
            const bool second = cmp.buy || (buySecond_ >= last && cmp.lastBuy);
            if ((buy_ >= last && cmp.lastBuy) || second) {
                if (buySecond_ == kLevelCount) secondLevel_.fix(bars_.close(i));
                if (buy_ == kLevelCount) buyLevel_.fix(bars_.close(i));
                if (second) ++buySecond_;
                if (!signalled) row[kStage2Column] = -static_cast<float>(++buy_);
            }
        }
    }

    void cancelCounts() {
        sell_ = buy_ = sellSecond_ = buySecond_ = 0;
        confirmation_.pendSell = confirmation_.pendBuy = false;
    }

    // A main completion hands the Stage2 over to the second count and its level.
    void completeMain(int i, const Comparisons& cmp, OutputRow& row) {
        if (sellOn_ && sell_ >= len_.stage2Bars && sellLevel_.reachedByHigh(bars_.high(i)) &&
            cmp.lastSell) {
            signal(1, bars_.high(i), sell_, row);
            sell_ = sellSecond_;
            sellLevel_ = secondLevel_;
        } else if (buyOn_ && buy_ >= len_.stage2Bars && buyLevel_.reachedByLow(bars_.low(i)) &&
                   cmp.lastBuy) {
            signal(-1, bars_.low(i), -buy_, row);
            buy_ = buySecond_;
            buyLevel_ = secondLevel_;
        }
    }

    // A second-count completion ends the Stage2.
    void completeSecond(int i, const Comparisons& cmp, OutputRow& row) {
        if (sellOn_ && sellSecond_ >= len_.stage2Bars &&
            secondLevel_.reachedByHigh(bars_.high(i)) && cmp.lastSell) {
            signal(1, bars_.high(i), sellSecond_, row);
            sellSecond_ = sell_ = 0;
            sellOn_ = false;
        } else if (buyOn_ && buySecond_ >= len_.stage2Bars &&
                   secondLevel_.reachedByLow(bars_.low(i)) && cmp.lastBuy) {
            signal(-1, bars_.low(i), -buySecond_, row);
            buySecond_ = buy_ = 0;
            buyOn_ = false;
        }
    }

    static void signal(float sense, float price, int count, OutputRow& row) {
        row[kSignalColumn] = sense;
        row[kSignalPriceColumn] = price;
        row[kStage2Column] = static_cast<float>(count);
    }

    PatternBars bars_;
    OutputTable& out_;
    const PatternLengths len_;
    const bool strict_;
    const bool relaxLast_;
    const bool resetOnStage1_;
    const bool aggressive_;

    Stage1Counter stage1_;
    Stage1Confirmation confirmation_;
    bool sellOn_ = false;
    bool buyOn_ = false;
    int sell_ = 0;         // S, the main sell count
    int buy_ = 0;          // B, the main buy count
    int sellSecond_ = 0;   // S'
    int buySecond_ = 0;    // B'
    Level sellLevel_;      // kSell
    Level buyLevel_;       // kBuy
    Level secondLevel_;    // kAlt, one level for the second count of either sense
    float support_ = 0;    // Ysup, of the last up Stage1
    float resistance_ = 0; // Xres, of the last down Stage1
};

} // namespace

void TSeqObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    Pattern1Run run(*this, bars, out);
    for (int i = frame.first + kFirstCountedBar; i < kWindowSlots; ++i) run.bar(i);
}

} // namespace qm
