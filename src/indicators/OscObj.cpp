#include "indicators/OscObj.h"

#include "indicators/Catalogue.h"
#include "settings/SettingsStream.h"

#include <algorithm>

namespace qm {
namespace {

// Byte fields keep the low 8 bits of the integer read.
std::uint8_t lowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value);
}

} // namespace

TOscObj::TOscObj() : TOscObj(std::uint8_t{0}) {}

TOscObj::TOscObj(std::uint8_t kind) : Kind(kind) {
    const IndicatorInfo* info = catalogueEntry(kind);
    if (!info) return;
    Overlay = isOverlayKind(kind);
    LineCount = info->lineCount;
    ParamCount = info->paramCount;
    Params = info->params;
    Style = info->style;
    PriceField = info->priceField;
    std::copy(info->lineColors.begin(), info->lineColors.end(), Colors.begin() + 6);
    RefLineCount = info->refLineCount;
    RefLevels = info->refLevels;
    // Only the two pattern kinds relax the last second-stage bar by default.
    RelaxLastStage2 = kind == 5 || kind == 6;
}

std::unique_ptr<TOscObj> TOscObj::CreatePriceChartRecord() {
    auto record = std::make_unique<TOscObj>();
    record->Style = 3; // OHLC bars
    record->FontSize = 10;
    record->Colors[0] = 0x000000;
    record->Colors[1] = 0xF0FBFF;
    record->Colors[2] = 0xF0FBFF;
    record->Colors[3] = 0xC0C0C0;
    record->Colors[4] = 0x0000FF;
    return record;
}

std::unique_ptr<TOscObj> TOscObj::ReadNew(SettingsReader& reader) {
    const std::uint8_t kind = lowByte(reader.readInteger());
    std::unique_ptr<TOscObj> record = Create(kind);
    if (!record) record.reset(new TOscObj(kind));
    record->readAfterKind(reader);
    return record;
}

void TOscObj::Compute(BarWindow&, OutputTable&, int&) {}

void TOscObj::ReadFrom(SettingsReader& reader) {
    if (lowByte(reader.readInteger()) != Kind) throw SettingsError("Invalid property value");
    readAfterKind(reader);
}

void TOscObj::readAfterKind(SettingsReader& reader) {
    Interval = lowByte(reader.readInteger());
    BarSpacing = reader.readInteger();
    SetShowVolume(reader.readBoolean());
    SetStyle(lowByte(reader.readInteger()));
    Spare = lowByte(reader.readInteger());
    Overlay = reader.readBoolean();
    for (auto& color : Colors) color = reader.readInteger();
    LineCount = reader.readInteger();
    ParamCount = reader.readInteger();
    PriceField = lowByte(reader.readInteger());
    for (auto& param : Params) param = reader.readSingle();
    FontSize = reader.readInteger();
    RelaxLastStage2 = reader.readBoolean();
    ResetStage2OnStage1 = reader.readBoolean();
    AggressiveStage2 = reader.readBoolean();
}

void TOscObj::WriteTo(SettingsWriter& writer) const {
    writer.writeInteger(Kind);
    writer.writeInteger(Interval);
    writer.writeInteger(BarSpacing);
    writer.writeBoolean(ShowVolume);
    writer.writeInteger(Style);
    writer.writeInteger(Spare);
    writer.writeBoolean(Overlay);
    for (const auto color : Colors) writer.writeInteger(color);
    writer.writeInteger(LineCount);
    writer.writeInteger(ParamCount);
    writer.writeInteger(PriceField);
    for (const auto param : Params) writer.writeFloat(param);
    writer.writeInteger(FontSize);
    writer.writeBoolean(RelaxLastStage2);
    writer.writeBoolean(ResetStage2OnStage1);
    writer.writeBoolean(AggressiveStage2);
}

void TOscObj::CopyFrom(const TOscObj& other) {
    Interval = other.Interval;
    // Spacing codes run 0..2; a larger (or negative) value from a settings file must not reach
    // the chart's geometry.
    BarSpacing = std::clamp(other.BarSpacing, 0, 2);
    ShowVolume = other.ShowVolume;
    Style = other.Style;
    Spare = other.Spare;
    Overlay = other.Overlay;
    // Slot 5 is the one colour a chart keeps of its own.
    const std::int32_t keptColor = Colors[5];
    Colors = other.Colors;
    Colors[5] = keptColor;
    LineCount = other.LineCount;
    ParamCount = other.ParamCount;
    PriceField = other.PriceField;
    Params = other.Params;
    FontSize = other.FontSize;
    RelaxLastStage2 = other.RelaxLastStage2;
    ResetStage2OnStage1 = other.ResetStage2OnStage1;
    AggressiveStage2 = other.AggressiveStage2;
}

std::unique_ptr<TOscObj> TOscObj::Clone() const {
    std::unique_ptr<TOscObj> copy = Create(Kind);
    if (!copy) copy.reset(new TOscObj(Kind));
    copy->CopyFrom(*this);
    copy->BarSpacing = BarSpacing;
    copy->Colors[5] = Colors[5];
    return copy;
}

void TOscObj::SetDataKind(std::uint8_t code) {
    DataKind = code;
    if (Kind != 0 || code < 1 || code > 5) return;
    // The price chart can show only what the series holds.
    const bool hasVolume = code == 2 || code == 4 || code == 5;
    VolumeOn = hasVolume && ShowVolume;
    if (!hasVolume) SetShowVolume(false);
    std::uint8_t style = Style;
    if (code <= 2) {
        style = 0; // a line is all a close-only series can give
    } else if (code <= 4 && (style == 3 || style == 4)) {
        style = 2; // no open: OHLC bars and candles become HLC bars
    }
    SetStyle(style);
}

float TOscObj::MaxParam() const {
    float largest = 0.0f;
    const int counted = std::clamp(ParamCount, 0, kParamSlots);
    for (int k = 0; k < counted; ++k)
        if (Params[static_cast<std::size_t>(k)] > largest)
            largest = Params[static_cast<std::size_t>(k)];
    return largest;
}

void TOscObj::SetLineCount(int lines) {
    LineCount = std::clamp(lines, 1, 3);
    // Each line of these kinds has its own length, and the warm-up must cover every one drawn.
    if (Kind == 1 || Kind == 2 || Kind == 3 || Kind == 11 || Kind == 23) ParamCount = LineCount;
}

} // namespace qm
