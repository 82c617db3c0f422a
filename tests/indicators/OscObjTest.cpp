#include "indicators/Kinds.h"
#include "settings/SettingsStream.h"

#include <gtest/gtest.h>
#include <tuple>
#include <typeinfo>

namespace qm {
namespace {

auto persistentFields(const TOscObj& o) {
    return std::tuple(o.Kind, o.Interval, o.BarSpacing, o.ShowVolume, o.Style, o.Spare, o.Overlay,
                      o.Colors, o.LineCount, o.ParamCount, o.PriceField, o.Params, o.FontSize,
                      o.RelaxLastStage2, o.ResetStage2OnStage1, o.AggressiveStage2);
}

// Every stored field away from the kind's defaults, with values that exercise every integer
// width of the stream.
void fillDistinct(TOscObj& o) {
    o.Interval = 2;
    o.BarSpacing = 1;
    o.ShowVolume = !o.ShowVolume;
    o.Style = 4;
    o.Spare = 200;
    o.Overlay = !o.Overlay;
    o.Colors = {-1, 127, 128, -129, 32767, 32768, -32769, 0x0099FF, 0x7FFFFFFF, -2147483647 - 1};
    o.LineCount = 3;
    o.ParamCount = 2;
    o.PriceField = 1;
    o.Params = {13.9f, -0.5f, 1e9f, 0.02f};
    o.FontSize = 14;
    o.RelaxLastStage2 = !o.RelaxLastStage2;
    o.ResetStage2OnStage1 = true;
    o.AggressiveStage2 = true;
}

std::string recordBytes(const TOscObj& o) {
    SettingsWriter writer;
    writer.beginList();
    o.WriteTo(writer);
    writer.endList();
    return writer.bytes();
}

std::unique_ptr<TOscObj> makeKind(int kind) {
    return kind == 0 ? std::make_unique<TOscObj>() : TOscObj::Create(kind);
}

TEST(OscObjStream, WritesTheValuesInFileOrder) {
    auto o = TOscObj::Create(5);
    fillDistinct(*o);
    SettingsReader reader(recordBytes(*o));
    reader.readListBegin();
    EXPECT_EQ(reader.readInteger(), 5);
    EXPECT_EQ(reader.readInteger(), 2);     // interval
    EXPECT_EQ(reader.readInteger(), 1);     // bar spacing
    EXPECT_EQ(reader.readBoolean(), true);  // show volume
    EXPECT_EQ(reader.readInteger(), 4);     // style
    EXPECT_EQ(reader.readInteger(), 200);   // spare
    EXPECT_EQ(reader.readBoolean(), false); // overlay
    for (const std::int32_t color : o->Colors) EXPECT_EQ(reader.readInteger(), color);
    EXPECT_EQ(reader.readInteger(), 3); // lines
    EXPECT_EQ(reader.readInteger(), 2); // parameters counted
    EXPECT_EQ(reader.readInteger(), 1); // price field
    for (const float param : o->Params) EXPECT_EQ(reader.readFloat(), double{param});
    EXPECT_EQ(reader.readInteger(), 14);    // font size
    EXPECT_EQ(reader.readBoolean(), false); // relax last stage 2 (default true for kind 5)
    EXPECT_EQ(reader.readBoolean(), true);
    EXPECT_EQ(reader.readBoolean(), true);
    EXPECT_TRUE(reader.endOfList());
}

TEST(OscObjStream, ReadingGivesBackEveryStoredField) {
    for (const int kind : {0, 1, 4, 5, 17, 30}) {
        SCOPED_TRACE(kind);
        auto written = makeKind(kind);
        fillDistinct(*written);
        const std::string bytes = recordBytes(*written);

        SettingsReader reader(bytes);
        reader.readListBegin();
        auto read = makeKind(kind);
        read->ReadFrom(reader);
        reader.readListEnd();
        EXPECT_EQ(persistentFields(*read), persistentFields(*written));

        SettingsReader again(bytes);
        again.readListBegin();
        const auto made = TOscObj::ReadNew(again);
        EXPECT_EQ(typeid(*made), typeid(*written));
        EXPECT_EQ(persistentFields(*made), persistentFields(*written));
        EXPECT_EQ(made->RefLineCount, written->RefLineCount); // the kind's own constructor ran
    }
}

TEST(OscObjStream, UnknownKindIsKeptAsAPlainRecord) {
    TOscObj plain;
    fillDistinct(plain);
    std::string bytes = recordBytes(plain);
    bytes[2] = 77; // the kind: tag 2, then its byte
    SettingsReader reader(bytes);
    reader.readListBegin();
    const auto made = TOscObj::ReadNew(reader);
    EXPECT_EQ(typeid(*made), typeid(TOscObj));
    EXPECT_EQ(made->Kind, 77);
    EXPECT_EQ(recordBytes(*made), bytes);
}

// A record written value by value, with the byte fields and the first parameter as given.
std::string handWrittenRecord(int kind, int interval, int style, int spare, int priceField,
                              double param) {
    SettingsWriter writer;
    writer.writeInteger(kind);
    writer.writeInteger(interval);
    writer.writeInteger(1);
    writer.writeBoolean(false);
    writer.writeInteger(style);
    writer.writeInteger(spare);
    writer.writeBoolean(true);
    for (int k = 0; k < 10; ++k) writer.writeInteger(k);
    writer.writeInteger(1);
    writer.writeInteger(1);
    writer.writeInteger(priceField);
    writer.writeFloat(param);
    for (int k = 0; k < 3; ++k) writer.writeFloat(13);
    writer.writeInteger(0);
    for (int k = 0; k < 3; ++k) writer.writeBoolean(false);
    return writer.bytes();
}

TEST(OscObjStream, ByteFieldsKeepTheLowEightBits) {
    SettingsReader reader(handWrittenRecord(257, 258, -255, 256, 0x10002, 0.1));
    const auto made = TOscObj::ReadNew(reader);
    EXPECT_EQ(typeid(*made), typeid(TAriMAObj));
    EXPECT_EQ(made->Interval, 2);
    EXPECT_EQ(made->Style, 1);
    EXPECT_EQ(made->Spare, 0);
    EXPECT_EQ(made->PriceField, 2);
    EXPECT_EQ(made->Params[0], 0.1f);
}

TEST(OscObjStream, ParameterBeyondTheSingleRangeIsRefused) {
    SettingsReader reader(handWrittenRecord(1, 0, 0, 0, 2, 1e300));
    EXPECT_THROW(TOscObj::ReadNew(reader), SettingsError);
}

TEST(OscObjStream, RecordOfAnotherKindIsRefused) {
    const auto written = TOscObj::Create(2);
    SettingsReader reader(recordBytes(*written));
    reader.readListBegin();
    const auto other = TOscObj::Create(3);
    EXPECT_THROW(other->ReadFrom(reader), SettingsError);
    EXPECT_EQ(other->Params, (std::array<float, 4>{21, 34, 55, 0}));
}

TEST(OscObjCopy, TakesEveryStoredFieldButColorFive) {
    auto source = TOscObj::Create(5);
    fillDistinct(*source);
    source->Colors[5] = 111;
    auto target = TOscObj::Create(5);
    target->Colors[5] = 999;
    target->ShownBars = 40;
    target->DataKind = 3;
    target->CopyFrom(*source);

    auto expected = persistentFields(*source);
    std::get<7>(expected)[5] = 999;
    EXPECT_EQ(persistentFields(*target), expected);
    EXPECT_EQ(target->ShownBars, 40); // run-time fields are not settings
    EXPECT_EQ(target->DataKind, 3);
}

TEST(OscObjCopy, BarSpacingStaysWithinItsCodes) {
    for (const auto& [stored, copied] :
         {std::pair{7, 2}, {2, 2}, {1, 1}, {0, 0}, {-3, 0}, {2147483647, 2}}) {
        TOscObj source;
        source.BarSpacing = stored;
        TOscObj target;
        target.CopyFrom(source);
        EXPECT_EQ(target.BarSpacing, copied) << stored;
    }
}

TEST(OscObjCopy, KindStaysWithTheClass) {
    auto source = TOscObj::Create(13);
    auto target = TOscObj::Create(14);
    target->CopyFrom(*source);
    EXPECT_EQ(target->Kind, 14);
    EXPECT_EQ(target->Params, source->Params);
}

TEST(OscObjCopy, CloneKeepsEveryStoredFieldAndTheClass) {
    for (const int kind : {0, 5, 30, 77}) {
        auto source = kind == 0 ? std::make_unique<TOscObj>() : TOscObj::Create(kind);
        if (!source) {
            SettingsReader reader(handWrittenRecord(kind, 0, 0, 0, 0, 0));
            source = TOscObj::ReadNew(reader);
        }
        fillDistinct(*source);
        source->Colors[5] = 111;
        source->BarSpacing = 7;
        source->ShownBars = 40;
        const auto copy = source->Clone();
        EXPECT_EQ(typeid(*copy), typeid(*source)) << kind;
        EXPECT_EQ(copy->Kind, source->Kind);
        EXPECT_EQ(persistentFields(*copy), persistentFields(*source)) << kind;
        EXPECT_EQ(recordBytes(*copy), recordBytes(*source)) << kind;
        EXPECT_EQ(copy->ShownBars, 0);
    }
}

TEST(OscObjDataKind, PriceChartShowsOnlyWhatTheSeriesHolds) {
    struct Case {
        int code, style;
        bool show;
        int wantStyle;
        bool wantShow, wantVolumeOn;
    };
    for (const Case c : {Case{1, 4, true, 0, false, false}, Case{2, 4, true, 0, true, true},
                         Case{2, 1, false, 0, false, false}, Case{3, 4, true, 2, false, false},
                         Case{3, 3, false, 2, false, false}, Case{3, 1, true, 1, false, false},
                         Case{4, 3, true, 2, true, true}, Case{4, 2, false, 2, false, false},
                         Case{5, 4, true, 4, true, true}, Case{5, 3, false, 3, false, false},
                         Case{0, 4, true, 4, true, false}, Case{6, 4, true, 4, true, false},
                         Case{255, 1, true, 1, true, false}}) {
        SCOPED_TRACE(c.code);
        auto chart = TOscObj::CreatePriceChartRecord();
        chart->Style = static_cast<std::uint8_t>(c.style);
        chart->ShowVolume = c.show;
        chart->SetDataKind(static_cast<std::uint8_t>(c.code));
        EXPECT_EQ(chart->DataKind, c.code);
        EXPECT_EQ(chart->Style, c.wantStyle);
        EXPECT_EQ(chart->ShowVolume, c.wantShow);
        EXPECT_EQ(chart->VolumeOn, c.wantVolumeOn);
    }
}

TEST(OscObjDataKind, IndicatorsOnlyRecordIt) {
    auto volume = TOscObj::Create(30);
    volume->ShowVolume = true;
    volume->SetDataKind(1);
    EXPECT_EQ(volume->DataKind, 1);
    EXPECT_EQ(volume->Style, 9);
    EXPECT_TRUE(volume->ShowVolume);
    EXPECT_FALSE(volume->VolumeOn);
}

TEST(OscObjParams, MaxParamLooksAtTheCountedParameters) {
    struct Case {
        int count;
        std::array<float, 4> params;
        float expected;
    };
    for (const Case c :
         {Case{0, {13, 34, 55, 0}, 0}, Case{1, {13, 34, 55, 0}, 13}, Case{3, {13, 34, 55, 0}, 55},
          Case{3, {13, 0.02f, 0.02f, 0}, 13}, Case{2, {-5, -1, 9, 9}, 0}, Case{9, {1, 2, 3, 4}, 4},
          Case{-2, {5, 5, 5, 5}, 0}, Case{2, {0.5f, 0.25f, 8, 8}, 0.5f}}) {
        TOscObj o;
        o.ParamCount = c.count;
        o.Params = c.params;
        EXPECT_EQ(o.MaxParam(), c.expected) << c.count;
    }
}

TEST(OscObjParams, LineCountCarriesTheParameterCountOfPerLineKinds) {
    for (const int kind : {1, 2, 3, 11, 23}) {
        auto o = TOscObj::Create(kind);
        o->SetLineCount(3);
        EXPECT_EQ(o->LineCount, 3) << kind;
        EXPECT_EQ(o->ParamCount, 3) << kind;
        o->SetLineCount(2);
        EXPECT_EQ(o->ParamCount, 2) << kind;
    }
    auto envelope = TOscObj::Create(4);
    envelope->SetLineCount(1);
    EXPECT_EQ(envelope->LineCount, 1);
    EXPECT_EQ(envelope->ParamCount, 3);

    auto average = TOscObj::Create(1);
    average->SetLineCount(9);
    EXPECT_EQ(average->LineCount, 3);
    average->SetLineCount(0);
    EXPECT_EQ(average->LineCount, 1);
}

} // namespace
} // namespace qm
