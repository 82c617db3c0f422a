#pragma once
// One class per indicator kind, in catalogue order. The classes add no fields: each sets its
// kind (and with it the catalogue defaults) and overrides Compute. The comment on each class
// names the source file that holds its computation.

#include "indicators/OscObj.h"

namespace qm {

// Kind 1: arithmetic moving average (MovingAverages.cpp).
class TAriMAObj final : public TOscObj {
public:
    TAriMAObj() : TOscObj(1) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 2: exponential moving average (MovingAverages.cpp).
class TExpMAObj final : public TOscObj {
public:
    TExpMAObj() : TOscObj(2) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 3: moving linear regression line (MovingAverages.cpp).
class TRegrLineMAObj final : public TOscObj {
public:
    TRegrLineMAObj() : TOscObj(3) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 4: moving average envelope (MovingAverages.cpp).
class TMAEnvlObj final : public TOscObj {
public:
    TMAEnvlObj() : TOscObj(4) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 5: Pattern1 (Pattern1.cpp).
class TSeqObj final : public TOscObj {
public:
    TSeqObj() : TOscObj(5) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 6: Pattern2 (Pattern2.cpp).
class TComboObj final : public TOscObj {
public:
    TComboObj() : TOscObj(6) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 7: Stage1 support and resistance levels (Pattern2.cpp).
class TSetupTrendObj final : public TOscObj {
public:
    TSetupTrendObj() : TOscObj(7) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 8: support and resistance steps (TrendStops.cpp).
class TSupResObj final : public TOscObj {
public:
    TSupResObj() : TOscObj(8) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 9: swing line (TrendStops.cpp).
class TSwingLineObj final : public TOscObj {
public:
    TSwingLineObj() : TOscObj(9) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 10: Wilder's parabolic stop and reverse (TrendStops.cpp).
class TSARObj final : public TOscObj {
public:
    TSARObj() : TOscObj(10) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 11: regression lines (Regression.cpp).
class TRegrObj final : public TOscObj {
public:
    TRegrObj() : TOscObj(11) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 12: standard deviation bands (Regression.cpp).
class TSDBandObj final : public TOscObj {
public:
    TSDBandObj() : TOscObj(12) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 13: breakout channel (Regression.cpp).
class TBOChannelObj final : public TOscObj {
public:
    TBOChannelObj() : TOscObj(13) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 14: Bollinger bands (Regression.cpp).
class TBolBandObj final : public TOscObj {
public:
    TBolBandObj() : TOscObj(14) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 15: Bollinger band width (Regression.cpp).
class TBWIObj final : public TOscObj {
public:
    TBWIObj() : TOscObj(15) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 16: MACD (Momentum.cpp).
class TMACDObj final : public TOscObj {
public:
    TMACDObj() : TOscObj(16) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 17: Wilder's RSI (Oscillators.cpp).
class TRsi_WObj final : public TOscObj {
public:
    TRsi_WObj() : TOscObj(17) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 18: triangular-weighted RSI (Oscillators.cpp).
class TRsi_TObj final : public TOscObj {
public:
    TRsi_TObj() : TOscObj(18) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 19: Lane's stochastics (Oscillators.cpp).
class TStochObj final : public TOscObj {
public:
    TStochObj() : TOscObj(19) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 20: TRIX (Momentum.cpp).
class TTrixObj final : public TOscObj {
public:
    TTrixObj() : TOscObj(20) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 21: volatility (VolatilityVolume.cpp).
class TSigmaObj final : public TOscObj {
public:
    TSigmaObj() : TOscObj(21) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 22: detrended moving average (Momentum.cpp).
class TDeTrendObj final : public TOscObj {
public:
    TDeTrendObj() : TOscObj(22) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 23: regression line slope (Momentum.cpp).
class TRegrSlpObj final : public TOscObj {
public:
    TRegrSlpObj() : TOscObj(23) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 24: Williams %R (Oscillators.cpp).
class TWmsRObj final : public TOscObj {
public:
    TWmsRObj() : TOscObj(24) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 25: commodity channel index (Oscillators.cpp).
class TCCIObj final : public TOscObj {
public:
    TCCIObj() : TOscObj(25) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 26: rate of change (Momentum.cpp).
class TRocObj final : public TOscObj {
public:
    TRocObj() : TOscObj(26) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 27: Wilder's ADX (VolatilityVolume.cpp).
class TAdxObj final : public TOscObj {
public:
    TAdxObj() : TOscObj(27) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 28: Williams accumulation/distribution (VolatilityVolume.cpp).
class TWmsADObj final : public TOscObj {
public:
    TWmsADObj() : TOscObj(28) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 29: intraday intensity (VolatilityVolume.cpp).
class TIntensityObj final : public TOscObj {
public:
    TIntensityObj() : TOscObj(29) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

// Kind 30: volume (VolatilityVolume.cpp).
class TVolObj final : public TOscObj {
public:
    TVolObj() : TOscObj(30) {}
    void Compute(BarWindow& bars, OutputTable& out, int& shortfall) override;
};

} // namespace qm
