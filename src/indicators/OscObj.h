#pragma once
// The indicator record. One object is at once an indicator's stored settings (read from and
// written to settings files), the run-time facts of one computation, and the computation itself
// (Compute, overridden by one class per indicator kind, Kinds.h). Kind 0 is the price chart
// record, which carries the chart-wide settings and computes nothing.

#include "market/PriceBar.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qm {

class SettingsReader;
class SettingsWriter;

constexpr int kOutputColumns = 6;
// One row per bar window slot (row i belongs to slot i), six values per row. The caller hands
// it to Compute zero-filled; rows Compute does not write stay 0.
using OutputTable = std::array<std::array<float, kOutputColumns>, kWindowSlots>;
static_assert(sizeof(OutputTable) == 12288);

constexpr int kIndicatorKinds = 30;
constexpr int kColorSlots = 10;
constexpr int kParamSlots = 4;
constexpr int kRefLineSlots = 4;

// Price codes of PriceField.
constexpr std::uint8_t kPriceHigh = 0;
constexpr std::uint8_t kPriceLow = 1;
constexpr std::uint8_t kPriceClose = 2;

class TOscObj {
public:
    // The price chart record's class: every field zero or false, Kind 0.
    TOscObj();
    virtual ~TOscObj() = default;
    TOscObj(const TOscObj&) = delete;
    TOscObj& operator=(const TOscObj&) = delete;

    // An object of the class of `kind` (1..30) with that kind's defaults; nothing for any
    // other kind (0, the price chart record, is made with the plain constructor).
    static std::unique_ptr<TOscObj> Create(int kind);
    // The price chart record of a new settings file: OHLC bars, font size 10, its colours.
    static std::unique_ptr<TOscObj> CreatePriceChartRecord();
    // Reads one record and returns an object of the class of the kind read: an indicator class
    // for kinds 1..30, the plain class otherwise (the price chart record, or a kind this program
    // does not know, kept so that writing the record back gives the same values). Settings lists
    // load their records with this. Throws SettingsError as the reader does.
    static std::unique_ptr<TOscObj> ReadNew(SettingsReader& reader);

    // Computes the indicator over `bars` into `out`; see Frame.h for the contract. The plain
    // class computes nothing.
    virtual void Compute(BarWindow& bars, OutputTable& out, int& shortfall);

    // The 28 stored values, in file order. ReadFrom expects a record of this object's own kind
    // (Kind never changes) and throws SettingsError("Invalid property value") for another.
    void ReadFrom(SettingsReader& reader);
    void WriteTo(SettingsWriter& writer) const;
    // Takes every stored field of `other` except colour slot 5 and Kind; BarSpacing is kept
    // within 0..2. This is how a chart takes its settings from a settings set.
    void CopyFrom(const TOscObj& other);
    // A new object of the same class holding every stored field exactly as this one does, so
    // that writing it gives the same bytes; its run-time fields are those of a new object.
    std::unique_ptr<TOscObj> Clone() const;

    void SetDataKind(std::uint8_t code);
    void SetStyle(std::uint8_t code) { Style = code; }
    void SetShowVolume(bool flag) { ShowVolume = flag; }
    // The largest of the first ParamCount parameters, 0 if none is above 0.
    float MaxParam() const;
    // Sets the number of drawn lines (1..3); kinds whose lines each have their own parameter
    // also count that many parameters for the warm-up.
    void SetLineCount(int lines);

    // Stored fields, in the order of the settings stream.
    const std::uint8_t Kind;
    std::uint8_t Interval = 0;
    std::int32_t BarSpacing = 0;
    bool ShowVolume = false;
    std::uint8_t Style = 0;
    std::uint8_t Spare = 0;
    bool Overlay = false;
    std::array<std::int32_t, kColorSlots> Colors{};
    std::int32_t LineCount = 0;
    std::int32_t ParamCount = 0;
    std::uint8_t PriceField = 0;
    std::array<float, kParamSlots> Params{};
    std::int32_t FontSize = 0;
    bool RelaxLastStage2 = false;
    bool ResetStage2OnStage1 = false;
    bool AggressiveStage2 = false;

    // Run-time fields, set before every computation and never stored.
    std::uint8_t DataKind = 0;
    bool VolumeOn = false;
    std::uint8_t Pane = 0;
    std::int32_t RefLineCount = 0;
    std::array<float, kRefLineSlots> RefLevels{};
    std::int32_t ShownBars = 0;
    std::int32_t ValidBars = 0;

protected:
    // Kind `kind` with the catalogue's defaults when it is an indicator kind.
    explicit TOscObj(std::uint8_t kind);

private:
    void readAfterKind(SettingsReader& reader);
};

} // namespace qm
