#include "indicators/Catalogue.h"

namespace qm {
namespace {

constexpr std::array<IndicatorInfo, kIndicatorKinds> kCatalogue{{
    // clang-format off
    // tool bar, editor, legend, lines, params counted, params, style, price, colours 6..9, reference lines
    {" Mov Avg Arithmatic", " Mov Avg Arithmatic", "Ari MA ", 1, 1, {13, 34, 55, 0}, kStyleLines, kPriceClose, {0xFF8000, 0x00FF00, 0x00FFFF, 0}, 0, {}},
    {" Mov Avg Exponential", " Mov Avg Exponential", "Exp MA ", 1, 1, {55, 34, 21, 0}, kStyleLines, kPriceClose, {0xFF8000, 0x00FF00, 0x00FFFF, 0}, 0, {}},
    {" Mov Linear Regr Line", " Mov Linear Regr Line", "Mov RegrLine ", 1, 1, {21, 34, 55, 0}, kStyleLines, kPriceClose, {0xFF8000, 0x00FF00, 0x00FFFF, 0}, 0, {}},
    {" Mov Avg Envelope", " Mov Avg Envelope ", "MA Envl ", 2, 3, {13, 0.02f, 0.02f, 0}, kStyleBand, kPriceClose, {0, 0, 0, 0x0099FF}, 0, {}},
    {" Pattern1", " Pattern1", "Pattern1 ", 1, 4, {9, 13, 4, 2}, kStyleLines, 0, {0xFF8000, 0x0000FF, 0x0000FF, 0}, 0, {}},
    {" Pattern2", " Pattern2", "Pattern2 ", 1, 2, {9, 13, 4, 2}, kStyleLines, 0, {0xFF8000, 0xFF00FF, 0xFF00FF, 0}, 0, {}},
    {" Stage1 Sup-Res", " Stage1 Sup-Res", "Stg1 Sup-Res ", 2, 1, {9, 0, 4, 0}, kStyleLines, kPriceClose, {0x33CC00, 0x4040FF, 0, 0}, 0, {}},
    {" Support - Resistance", " Support Resistance", "Sup-Res ", 1, 0, {0, 0, 0, 0}, kStyleSupportResistance, kPriceClose, {0x00FF00, 0x0000FF, 0, 0}, 0, {}},
    {" Swing Line", " Swing Line", "Swing Line ", 1, 0, {0, 0, 0, 0}, kStyleLines, kPriceClose, {0xFF00FF, 0, 0, 0}, 0, {}},
    {" Wilders Parabolic SAR", " Wilders Parabolic ", "Wilder SAR ", 1, 1, {0.025f, 0, 0, 0}, kStylePoints, kPriceClose, {0x0000FF, 0, 0, 0}, 0, {}},
    {" Regression Lines", " Regression Lines", "Regr Line ", 1, 3, {21, 34, 55, 0}, kStyleRegressionLines, kPriceClose, {0xFF8000, 0x00FF00, 0x00FFFF, 0}, 0, {}},
    {" Std Deviation Bands", " Std Deviation Bands", "SD Band ", 2, 3, {13, 21, 1.25f, 1.5f}, kStyleBand, kPriceClose, {0, 0, 0, 0xFF8080}, 0, {}},
    {" Breakout Channel", " Breakout Channel", "BO Channel ", 2, 1, {20, 0, 0, 0}, kStyleBand, kPriceClose, {0, 0, 0, 0xFF8000}, 0, {}},
    {" Bollinger Bands", " Bollinger Bands", "Bol Band ", 2, 3, {21, 21, 2, 0}, kStyleBand, kPriceClose, {0, 0, 0, 0x0000FF}, 0, {}},
    {" B-Band Width Indicator", " B-Band Width Indicator", "BWI ", 1, 3, {21, 21, 2, 0}, kStyleLines, kPriceClose, {0x0000FF, 0, 0, 0}, 3, {}},
    {" MACD", " MACD", "Macd ", 2, 3, {12, 26, 9, 0}, kStyleLines, kPriceClose, {0xFF0000, 0xFF00FF, 0, 0}, 1, {0}},
    {" Wilders RSI", " Wilders RSI", "Wilder Rsi ", 1, 1, {13, 0, 0, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 3, {25, 50, 75}},
    {" Tri Weighted RSI", " Tri Weighted RSI", "TriWgt Rsi ", 1, 1, {9, 0, 0, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 3, {20, 50, 80}},
    {" Lanes Stochastics", " Lanes Stochastics", "Stoch ", 2, 2, {13, 3, 0, 0}, kStyleLines, kPriceClose, {0xFF8000, 0xFF00FF, 0, 0}, 3, {20, 50, 80}},
    {" TRIX", " TRIX", "Trix ", 1, 3, {11, 11, 11, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 1, {0}},
    {" Volatility", " Volatility", "Volatility ", 1, 1, {18, 0, 0, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 3, {}},
    {" DeTrended Mov Avg", " DeTrended Mov Avg", "DeTrend MA ", 1, 1, {13, 0, 0, 0}, kStyleDetrendBars, kPriceClose, {0xFF8000, 0, 0, 0}, 1, {0}},
    {" Regression Line Slope", " Regression Line Slope", "Regr Slope ", 1, 1, {21, 34, 55, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 1, {0}},
    {" Williams %R", " Williams %R", "Wms %R ", 1, 1, {14, 0, 0, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 3, {-20, -50, -80}},
    {" CCI", " CCI", "CCI ", 1, 1, {20, 0, 0, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 3, {-100, 0, 100}},
    {" Rate of Change", " Rate of Change", "Roc ", 1, 2, {4, 9, 0, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 1, {0}},
    {" Wilders ADX", " Wilders ADX", "Wilder Adx ", 3, 1, {14, 0, 0, 0}, kStyleLines, kPriceClose, {0xFF0000, 0x008000, 0x0000FF, 0}, 3, {10, 20, 30}},
    {" Williams Accum - Dist  ", " Williams Accum/Dist", "Wms A/D ", 1, 0, {0, 0, 0, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 0, {}},
    {" DB Intraday Intensity", " DB Intraday Intensity", "Intensity ", 1, 0, {0, 0, 0, 0}, kStyleLines, kPriceClose, {0xFF8000, 0, 0, 0}, 0, {}},
    {" Volume", " Volume", "Volume ", 1, 0, {0, 0, 0, 0}, kStyleVolumeBars, kPriceClose, {0x008000, 0x4040FF, 0, 0}, 2, {}},
    // clang-format on
}};

} // namespace

std::span<const IndicatorInfo, kIndicatorKinds> indicatorCatalogue() {
    return kCatalogue;
}

const IndicatorInfo* catalogueEntry(int kind) {
    if (kind < 1 || kind > kIndicatorKinds) return nullptr;
    return &kCatalogue[static_cast<std::size_t>(kind - 1)];
}

} // namespace qm
