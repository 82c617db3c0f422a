#include "indicators/Catalogue.h"

#include "indicators/Kinds.h"

#include <gtest/gtest.h>
#include <typeindex>
#include <vector>

namespace qm {
namespace {

struct Expected {
    int kind;
    const char* toolBar;
    const char* editor;
    const char* legend;
    std::type_index type;
    int lines, paramCount;
    std::array<float, 4> params;
    int style, priceField;
    std::array<std::int32_t, 4> colors; // slots 6..9
    int refCount;
    std::array<float, 4> refLevels;
};

// Written out by hand from the product's indicator list, independently of Catalogue.cpp.
const std::vector<Expected>& expectedCatalogue() {
    // clang-format off
    static const std::vector<Expected> table{
        {1, " Mov Avg Arithmatic", " Mov Avg Arithmatic", "Ari MA ", typeid(TAriMAObj), 1, 1, {13, 34, 55, 0}, 0, 2, {0xFF8000, 0x00FF00, 0x00FFFF, 0}, 0, {}},
        {2, " Mov Avg Exponential", " Mov Avg Exponential", "Exp MA ", typeid(TExpMAObj), 1, 1, {55, 34, 21, 0}, 0, 2, {0xFF8000, 0x00FF00, 0x00FFFF, 0}, 0, {}},
        {3, " Mov Linear Regr Line", " Mov Linear Regr Line", "Mov RegrLine ", typeid(TRegrLineMAObj), 1, 1, {21, 34, 55, 0}, 0, 2, {0xFF8000, 0x00FF00, 0x00FFFF, 0}, 0, {}},
        {4, " Mov Avg Envelope", " Mov Avg Envelope ", "MA Envl ", typeid(TMAEnvlObj), 2, 3, {13, 0.02f, 0.02f, 0}, 7, 2, {0, 0, 0, 0x0099FF}, 0, {}},
        {5, " Pattern1", " Pattern1", "Pattern1 ", typeid(TSeqObj), 1, 4, {9, 13, 4, 2}, 0, 0, {0xFF8000, 0x0000FF, 0x0000FF, 0}, 0, {}},
        {6, " Pattern2", " Pattern2", "Pattern2 ", typeid(TComboObj), 1, 2, {9, 13, 4, 2}, 0, 0, {0xFF8000, 0xFF00FF, 0xFF00FF, 0}, 0, {}},
        {7, " Stage1 Sup-Res", " Stage1 Sup-Res", "Stg1 Sup-Res ", typeid(TSetupTrendObj), 2, 1, {9, 0, 4, 0}, 0, 2, {0x33CC00, 0x4040FF, 0, 0}, 0, {}},
        {8, " Support - Resistance", " Support Resistance", "Sup-Res ", typeid(TSupResObj), 1, 0, {0, 0, 0, 0}, 10, 2, {0x00FF00, 0x0000FF, 0, 0}, 0, {}},
        {9, " Swing Line", " Swing Line", "Swing Line ", typeid(TSwingLineObj), 1, 0, {0, 0, 0, 0}, 0, 2, {0xFF00FF, 0, 0, 0}, 0, {}},
        {10, " Wilders Parabolic SAR", " Wilders Parabolic ", "Wilder SAR ", typeid(TSARObj), 1, 1, {0.025f, 0, 0, 0}, 5, 2, {0x0000FF, 0, 0, 0}, 0, {}},
        {11, " Regression Lines", " Regression Lines", "Regr Line ", typeid(TRegrObj), 1, 3, {21, 34, 55, 0}, 6, 2, {0xFF8000, 0x00FF00, 0x00FFFF, 0}, 0, {}},
        {12, " Std Deviation Bands", " Std Deviation Bands", "SD Band ", typeid(TSDBandObj), 2, 3, {13, 21, 1.25f, 1.5f}, 7, 2, {0, 0, 0, 0xFF8080}, 0, {}},
        {13, " Breakout Channel", " Breakout Channel", "BO Channel ", typeid(TBOChannelObj), 2, 1, {20, 0, 0, 0}, 7, 2, {0, 0, 0, 0xFF8000}, 0, {}},
        {14, " Bollinger Bands", " Bollinger Bands", "Bol Band ", typeid(TBolBandObj), 2, 3, {21, 21, 2, 0}, 7, 2, {0, 0, 0, 0x0000FF}, 0, {}},
        {15, " B-Band Width Indicator", " B-Band Width Indicator", "BWI ", typeid(TBWIObj), 1, 3, {21, 21, 2, 0}, 0, 2, {0x0000FF, 0, 0, 0}, 3, {}},
        {16, " MACD", " MACD", "Macd ", typeid(TMACDObj), 2, 3, {12, 26, 9, 0}, 0, 2, {0xFF0000, 0xFF00FF, 0, 0}, 1, {0}},
        {17, " Wilders RSI", " Wilders RSI", "Wilder Rsi ", typeid(TRsi_WObj), 1, 1, {13, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 3, {25, 50, 75}},
        {18, " Tri Weighted RSI", " Tri Weighted RSI", "TriWgt Rsi ", typeid(TRsi_TObj), 1, 1, {9, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 3, {20, 50, 80}},
        {19, " Lanes Stochastics", " Lanes Stochastics", "Stoch ", typeid(TStochObj), 2, 2, {13, 3, 0, 0}, 0, 2, {0xFF8000, 0xFF00FF, 0, 0}, 3, {20, 50, 80}},
        {20, " TRIX", " TRIX", "Trix ", typeid(TTrixObj), 1, 3, {11, 11, 11, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 1, {0}},
        {21, " Volatility", " Volatility", "Volatility ", typeid(TSigmaObj), 1, 1, {18, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 3, {}},
        {22, " DeTrended Mov Avg", " DeTrended Mov Avg", "DeTrend MA ", typeid(TDeTrendObj), 1, 1, {13, 0, 0, 0}, 2, 2, {0xFF8000, 0, 0, 0}, 1, {0}},
        {23, " Regression Line Slope", " Regression Line Slope", "Regr Slope ", typeid(TRegrSlpObj), 1, 1, {21, 34, 55, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 1, {0}},
        {24, " Williams %R", " Williams %R", "Wms %R ", typeid(TWmsRObj), 1, 1, {14, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 3, {-20, -50, -80}},
        {25, " CCI", " CCI", "CCI ", typeid(TCCIObj), 1, 1, {20, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 3, {-100, 0, 100}},
        {26, " Rate of Change", " Rate of Change", "Roc ", typeid(TRocObj), 1, 2, {4, 9, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 1, {0}},
        {27, " Wilders ADX", " Wilders ADX", "Wilder Adx ", typeid(TAdxObj), 3, 1, {14, 0, 0, 0}, 0, 2, {0xFF0000, 0x008000, 0x0000FF, 0}, 3, {10, 20, 30}},
        {28, " Williams Accum - Dist  ", " Williams Accum/Dist", "Wms A/D ", typeid(TWmsADObj), 1, 0, {0, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 0, {}},
        {29, " DB Intraday Intensity", " DB Intraday Intensity", "Intensity ", typeid(TIntensityObj), 1, 0, {0, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}, 0, {}},
        {30, " Volume", " Volume", "Volume ", typeid(TVolObj), 1, 0, {0, 0, 0, 0}, 9, 2, {0x008000, 0x4040FF, 0, 0}, 2, {}},
    };
    // clang-format on
    return table;
}

TEST(Catalogue, TextsInListOrder) {
    const auto catalogue = indicatorCatalogue();
    ASSERT_EQ(expectedCatalogue().size(), catalogue.size());
    for (const Expected& e : expectedCatalogue()) {
        SCOPED_TRACE(e.kind);
        const IndicatorInfo* info = catalogueEntry(e.kind);
        ASSERT_EQ(info, &catalogue[static_cast<std::size_t>(e.kind - 1)]);
        EXPECT_EQ(info->toolBarText, e.toolBar);
        EXPECT_EQ(info->editorText, e.editor);
        EXPECT_EQ(info->legendName, e.legend);
    }
    for (int kind : {0, 31, -1, 255}) EXPECT_EQ(catalogueEntry(kind), nullptr) << kind;
}

TEST(Catalogue, FactoryMakesEachKindWithItsDefaults) {
    for (const Expected& e : expectedCatalogue()) {
        SCOPED_TRACE(e.kind);
        const auto obj = TOscObj::Create(e.kind);
        ASSERT_TRUE(obj);
        EXPECT_EQ(std::type_index(typeid(*obj)), e.type);
        EXPECT_EQ(obj->Kind, e.kind);
        EXPECT_EQ(obj->Overlay, e.kind <= 14);
        EXPECT_EQ(obj->LineCount, e.lines);
        EXPECT_EQ(obj->ParamCount, e.paramCount);
        EXPECT_EQ(obj->Params, e.params);
        EXPECT_EQ(obj->Style, e.style);
        EXPECT_EQ(obj->PriceField, e.priceField);
        const std::array<std::int32_t, 10> colors{
            0, 0, 0, 0, 0, 0, e.colors[0], e.colors[1], e.colors[2], e.colors[3]};
        EXPECT_EQ(obj->Colors, colors);
        EXPECT_EQ(obj->RefLineCount, e.refCount);
        EXPECT_EQ(obj->RefLevels, e.refLevels);
        EXPECT_EQ(obj->RelaxLastStage2, e.kind == 5 || e.kind == 6);
        EXPECT_FALSE(obj->ResetStage2OnStage1);
        EXPECT_FALSE(obj->AggressiveStage2);
        EXPECT_EQ(obj->Interval, 0);
        EXPECT_EQ(obj->BarSpacing, 0);
        EXPECT_FALSE(obj->ShowVolume);
        EXPECT_EQ(obj->Spare, 0);
        EXPECT_EQ(obj->FontSize, 0);
    }
}

TEST(Catalogue, NoIndicatorForUnknownKinds) {
    for (int kind : {0, 31, -1, 256}) EXPECT_FALSE(TOscObj::Create(kind)) << kind;
}

TEST(Catalogue, PriceChartRecords) {
    const TOscObj plain;
    EXPECT_EQ(plain.Kind, 0);
    EXPECT_EQ(plain.Style, 0);
    EXPECT_EQ(plain.Colors, (std::array<std::int32_t, 10>{}));
    EXPECT_EQ(plain.LineCount, 0);
    EXPECT_EQ(plain.FontSize, 0);

    const auto fresh = TOscObj::CreatePriceChartRecord();
    EXPECT_EQ(fresh->Kind, 0);
    EXPECT_EQ(fresh->Style, 3);
    EXPECT_FALSE(fresh->ShowVolume);
    EXPECT_FALSE(fresh->Overlay);
    EXPECT_EQ(fresh->FontSize, 10);
    EXPECT_EQ(fresh->Colors, (std::array<std::int32_t, 10>{0x000000, 0xF0FBFF, 0xF0FBFF, 0xC0C0C0,
                                                           0x0000FF, 0, 0, 0, 0, 0}));
    EXPECT_EQ(fresh->Params, (std::array<float, 4>{}));
    EXPECT_EQ(fresh->LineCount, 0);
    EXPECT_EQ(fresh->ParamCount, 0);
}

} // namespace
} // namespace qm
