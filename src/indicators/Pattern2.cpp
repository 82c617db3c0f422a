// Pattern2 and the Stage1 support and resistance levels.
//
// Pattern2 shares Pattern1's Stage1 but counts Stage2 from the bars of the Stage1 that armed it:
// each counted close must also pass the previous counted close, and the last three counts need
// only that. When a Stage1 in the same direction completes again, the running count carries on
// as the second count while the main count starts afresh from the new Stage1.

#include "indicators/Kinds.h"
#include "indicators/PatternCounts.h"

namespace qm {
namespace {

using namespace pattern;

// The comparison mode: which way closes must pass, or no Stage2 at all.
enum class Mode { NonStrict, Strict, Off };

Mode modeOf(std::uint8_t priceField) {
    return priceField == 0 ? Mode::NonStrict : priceField == 1 ? Mode::Strict : Mode::Off;
}

// Whether `value` passes `level` going up (a sell count), in the comparison mode.
bool passesUp(Mode mode, float value, float level) {
    return mode == Mode::Strict ? value > level : mode == Mode::NonStrict && value >= level;
}
bool passesDown(Mode mode, float value, float level) {
    return mode == Mode::Strict ? value < level : mode == Mode::NonStrict && value <= level;
}

// The comparisons a counting bar's close and open make against the last counted closes.
struct LastBar {
    bool upMain;
    bool downMain;
    bool upSecond;
    bool downSecond;
};

class Pattern2Run {
public:
    Pattern2Run(const TOscObj& indicator, const BarWindow& window, OutputTable& out)
        : bars_(window), out_(out), len_(patternLengths(indicator)),
          mode_(modeOf(indicator.PriceField)), relaxLast_(indicator.RelaxLastStage2),
          resetOnStage1_(indicator.ResetStage2OnStage1) {}

    void bar(int i) {
        OutputRow& row = out_[pattern::row(i)];
        confirmation_.await(bars_, i, row);
        countStage1(i, row);
        const LastBar last = lastBar(i);
        completeOnStage1(i, last, row);
        armOnStage1(row);
        if (sellOn_ && sellSecond_ > 0) countSellSecond(i, last, row);
        if (sellOn_) countSellMain(i, last, row);
        if (buyOn_ && buySecond_ > 0) countBuySecond(i, last, row);
        if (buyOn_) countBuyMain(i, last, row);
        cancel(i);
    }

private:
    void countStage1(int i, OutputRow& row) {
        const Stage1Step step = stage1_.step(bars_, i, len_.stage1Lookback);
        if (!step.marked) return;
        row[kStage1Column] = static_cast<float>(step.count);
        if (step.count == 0) upDone_ = dnDone_ = false;
        if (!step.advanced) return;
        if (step.count < 0) {
            dnDone_ = stage1_.down == len_.stage1Bars;
            if (dnDone_) downCompleted(i, row);
        } else {
            upDone_ = stage1_.up == len_.stage1Bars;
            if (upDone_) upCompleted(i, row);
        }
    }

    // The Stage1 counts themselves are cleared when the completion is taken up (armOnStage1).
    void downCompleted(int i, OutputRow& row) {
        resistance_ = bars_.resistance(i, len_.stage1Bars);
        if (buy_ == 0) nextResistance_ = resistance_;
        confirmation_.downCompleted(bars_, i, row);
        if (buy_ > 0 && buySecond_ < buy_) {
            buySecond_ = buy_;
            lastSecond_ = lastMain_;
        }
    }

    void upCompleted(int i, OutputRow& row) {
        support_ = bars_.support(i, len_.stage1Bars);
        if (sell_ == 0) nextSupport_ = support_;
        confirmation_.upCompleted(bars_, i, row);
        if (sell_ > 0 && sellSecond_ < sell_) {
            sellSecond_ = sell_;
            lastSecond_ = lastMain_;
        }
    }

    LastBar lastBar(int i) const {
        const float close = bars_.close(i);
        const float open = bars_.open(i);
        const auto above = [&](float level) {
            return close > level || (relaxLast_ && open > level);
        };
        const auto below = [&](float level) {
            return close < level || (relaxLast_ && open < level);
        };
        return {above(lastMain_), below(lastMain_), above(lastSecond_), below(lastSecond_)};
    }

    // A main count one short of its length completes when a Stage1 of its direction does.
    void completeOnStage1(int i, const LastBar& last, OutputRow& row) {
        const int lastCount = len_.stage2Bars - 1;
        if (upDone_ && sellOn_ && sell_ == lastCount && last.upMain) {
            sellSignal(i, ++sell_, row);
            sell_ = 0;
            buyOn_ = false;
        } else if (dnDone_ && buyOn_ && buy_ == lastCount && last.downMain) {
            buySignal(i, ++buy_, row);
            buy_ = 0;
            sellOn_ = false;
        }
    }

    // A completed Stage1 arms a fresh Stage2 of the opposite sense, or, repeating the running
    // Stage2's Stage1, moves its count to the second count and restarts the main count. While
    // the main count stands at its full length or beyond, a completion is not taken up: its flag
    // stays and its Stage1 count runs on.
    void armOnStage1(OutputRow& row) {
        if (upDone_ && sell_ < len_.stage2Bars) {
            row[kStage1Column] = static_cast<float>(len_.stage1Bars);
            stage1_ = {};
            upDone_ = false;
            if (sellOn_ && !resetOnStage1_) {
                if (sellSecond_ < sell_) {
                    sellSecond_ = sell_;
                    lastSecond_ = lastMain_;
                }
                sell_ = 0;
            } else {
                dnDone_ = false;
                sellOn_ = true;
                buyOn_ = false;
                sellSecond_ = sell_ = buy_ = 0;
            }
        } else if (dnDone_ && buy_ < len_.stage2Bars) {
            row[kStage1Column] = -static_cast<float>(len_.stage1Bars);
            stage1_ = {};
            dnDone_ = false;
            if (buyOn_ && !resetOnStage1_) {
                if (buySecond_ < buy_) {
                    buySecond_ = buy_;
                    lastSecond_ = lastMain_;
                }
                buy_ = 0;
            } else {
                upDone_ = false;
                sellOn_ = false;
                buyOn_ = true;
                buySecond_ = sell_ = buy_ = 0;
            }
        }
    }

    // A bar that may count for a sell Stage2: its close reaches the high B2 bars back, its high
    // the previous high, its close the previous close.
    bool sellBar(int k) const {
        return bars_.close(k) >= bars_.high(k, len_.stage2Lookback) &&
               bars_.high(k) >= bars_.high(k, 1) &&
               passesUp(mode_, bars_.close(k), bars_.close(k, 1));
    }
    bool buyBar(int k) const {
        return bars_.close(k) <= bars_.low(k, len_.stage2Lookback) &&
               bars_.low(k) <= bars_.low(k, 1) &&
               passesDown(mode_, bars_.close(k), bars_.close(k, 1));
    }

    void countSellSecond(int i, const LastBar& last, OutputRow& row) {
        const float close = bars_.close(i);
        const int n2 = len_.stage2Bars;
        bool counts = false;
        if (sellSecond_ < n2 - 3)
            counts = sellBar(i) && passesUp(mode_, close, lastSecond_);
        else if (sellSecond_ < n2 - 1)
            counts = close > lastSecond_;
        else if (sellSecond_ == n2 - 1 && last.upSecond) {
            sellSignal(i, ++sellSecond_, row);
            sellSecond_ = 0;
        }
        if (counts) {
            lastSecond_ = close;
            row[kStage2Column] = static_cast<float>(++sellSecond_);
        }
    }

    void countBuySecond(int i, const LastBar& last, OutputRow& row) {
        const float close = bars_.close(i);
        const int n2 = len_.stage2Bars;
        bool counts = false;
        if (buySecond_ < n2 - 3)
            counts = buyBar(i) && passesDown(mode_, close, lastSecond_);
        else if (buySecond_ < n2 - 1)
            counts = close < lastSecond_;
        else if (buySecond_ == n2 - 1 && last.downSecond) {
            buySignal(i, ++buySecond_, row);
            buySecond_ = 0;
        }
        if (counts) {
            lastSecond_ = close;
            ++buySecond_;
            row[kStage2Column] = -static_cast<float>(buySecond_);
        }
    }

    // Writes a main count on bar k, except while a second count runs (its numbers stand) or
    // over the final number of a completed count.
    void markMain(int k, int count) {
        float& cell = out_[row(k)][kStage2Column];
        const bool running = count > 0 ? sellSecond_ > 0 : buySecond_ > 0;
        const float completed = static_cast<float>(count > 0 ? len_.stage2Bars : -len_.stage2Bars);
        if (!running && cell != completed) cell = static_cast<float>(count);
    }

    void countSellMain(int i, const LastBar& last, OutputRow& row) {
        const int n2 = len_.stage2Bars;
        if (sell_ == 0) {
            // Not started yet: look for the count over the bars of the arming Stage1, and on
            // each later bar over the same number of bars ending there.
            for (int k = back(i, len_.stage1Bars - 1); k <= i; ++k) {
                if (!sellBar(k) || (sell_ > 0 && !passesUp(mode_, bars_.close(k), lastMain_)))
                    continue;
                lastMain_ = bars_.close(k);
                markMain(k, ++sell_);
            }
            return;
        }
        const float close = bars_.close(i);
        bool counts = false;
        if (sell_ < n2 - 3)
            counts = sellBar(i) && passesUp(mode_, close, lastMain_);
        else if (sell_ < n2 - 1)
            counts = close > lastMain_;
        else if (sell_ == n2 - 1 && last.upMain) {
            sellSignal(i, ++sell_, row);
            endStage2();
        }
        if (counts) {
            lastMain_ = close;
            markMain(i, ++sell_);
        }
    }

    void countBuyMain(int i, const LastBar& last, OutputRow& row) {
        const int n2 = len_.stage2Bars;
        if (buy_ == 0) {
            for (int k = back(i, len_.stage1Bars - 1); k <= i; ++k) {
                if (!buyBar(k) || (buy_ > 0 && !passesDown(mode_, bars_.close(k), lastMain_)))
                    continue;
                lastMain_ = bars_.close(k);
                ++buy_;
                markMain(k, -buy_);
            }
            return;
        }
        const float close = bars_.close(i);
        bool counts = false;
        if (buy_ < n2 - 3)
            counts = buyBar(i) && passesDown(mode_, close, lastMain_);
        else if (buy_ < n2 - 1)
            counts = close < lastMain_;
        else if (buy_ == n2 - 1 && last.downMain) {
            buySignal(i, ++buy_, row);
            endStage2();
        }
        if (counts) {
            lastMain_ = close;
            ++buy_;
            markMain(i, -buy_);
        }
    }

    // A main count's completion ends the Stage2: nothing counts until the next Stage1.
    void endStage2() {
        sell_ = buy_ = sellSecond_ = buySecond_ = 0;
        sellOn_ = buyOn_ = false;
    }

    // A buy Stage2 ends when a low rises above the resistance of its Stage1, a sell Stage2 when
    // a high falls below the support; a second count running takes over as the main count,
    // held to the level of the Stage1 that started it.
    void cancel(int i) {
        if (buyOn_ && bars_.low(i) > resistance_) {
            confirmation_.pendBuy = false;
            buyOn_ = buySecond_ > 0;
            buy_ = 0;
            if (buyOn_) {
                buy_ = buySecond_;
                lastMain_ = lastSecond_;
                resistance_ = nextResistance_;
                if (bars_.low(i) > resistance_) {
                    buy_ = 0;
                    buyOn_ = false;
                }
            }
            upDone_ = dnDone_ = false;
            sell_ = 0;
        } else if (sellOn_ && bars_.high(i) < support_) {
            confirmation_.pendSell = false;
            sellOn_ = sellSecond_ > 0;
            sell_ = 0;
            if (sellOn_) {
                sell_ = sellSecond_;
                lastMain_ = lastSecond_;
                support_ = nextSupport_;
                if (bars_.high(i) < support_) {
                    sell_ = 0;
                    sellOn_ = false;
                }
            }
            upDone_ = dnDone_ = false;
            buy_ = 0;
        }
    }

    // A signal on bar i, with the count that completed.
    void sellSignal(int i, int count, OutputRow& row) const {
        row[kSignalColumn] = 1;
        row[kSignalPriceColumn] = bars_.high(i);
        row[kStage2Column] = static_cast<float>(count);
    }
    void buySignal(int i, int count, OutputRow& row) const {
        row[kSignalColumn] = -1;
        row[kSignalPriceColumn] = bars_.low(i);
        row[kStage2Column] = -static_cast<float>(count);
    }

    PatternBars bars_;
    OutputTable& out_;
    const PatternLengths len_;
    const Mode mode_;
    const bool relaxLast_;
    const bool resetOnStage1_;

    Stage1Counter stage1_;
    Stage1Confirmation confirmation_;
    bool upDone_ = false; // an up Stage1 completed and is not yet taken up
    bool dnDone_ = false;
    bool sellOn_ = false;
    bool buyOn_ = false;
    int sell_ = 0;             // A, the main sell count
    int buy_ = 0;              // B, the main buy count
    int sellSecond_ = 0;       // A2
    int buySecond_ = 0;        // B2'
    float lastMain_ = 0;       // vM, close of the last bar the main count counted
    float lastSecond_ = 0;     // vS, the same for the second count
    float support_ = 0;        // Y, below which a high cancels a sell Stage2
    float nextSupport_ = 0;    // Ynext, of the Stage1 that started the main sell count
    float resistance_ = 0;     // X
    float nextResistance_ = 0; // Xnext
};

} // namespace

void TComboObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    const ComputeFrame frame = runPrologue(*this, shortfall);
    Pattern2Run run(*this, bars, out);
    for (int i = frame.first + kFirstCountedBar; i < kWindowSlots; ++i) run.bar(i);
}

// Stage1 support and resistance: a completed up (down) Stage1 draws the lowest low (highest
// high) of its bars, and of the close before them, from its first bar on. The level is carried
// forward until a bar opens beyond it after a close beyond it. Counts go on past their length;
// only the bar that reaches it sets a level.
void TSetupTrendObj::Compute(BarWindow& bars, OutputTable& out, int& shortfall) {
    constexpr std::size_t kUpCount = 0, kSupport = 1, kDownCount = 2, kResistance = 3;
    const ComputeFrame frame = runPrologue(*this, shortfall);
    const PatternBars p(bars);
    const int length = truncLength(Params[0]);
    const int lookback = std::max(truncLength(Params[2]), 0);
    Stage1Counter stage1;
    float support = 0; // 0: no level
    float resistance = 0;
    for (int i = frame.first + kFirstCountedBar; i < kWindowSlots; ++i) {
        OutputRow& r = out[row(i)];
        const Stage1Step step = stage1.step(p, i, lookback);
        if (step.marked && step.count >= 0) r[kUpCount] = static_cast<float>(step.count);
        if (step.marked && step.count <= 0) r[kDownCount] = static_cast<float>(step.count);
        if (step.advanced && stage1.up == length) {
            support = p.support(i, length);
            for (int k = back(i, length - 1); k <= i; ++k) out[row(k)][kSupport] = support;
        }
        if (step.advanced && stage1.down == length) {
            resistance = p.resistance(i, length);
            for (int k = back(i, length - 1); k <= i; ++k) out[row(k)][kResistance] = resistance;
        }
        if (support > 0) {
            const bool broken = p.close(i, 1) < support && p.open(i) < support;
            if (broken) support = 0;
            r[kSupport] = support;
        }
        if (resistance > 0) {
            const bool broken = p.close(i, 1) > resistance && p.open(i) > resistance;
            if (broken) resistance = 0;
            r[kResistance] = resistance;
        }
    }
}

} // namespace qm
