// The settings stream reader and every list that loads from a settings file, on any bytes.
//
// Input: the first byte picks what reads the rest: 0 the settings list (symbol records), 1 the
// signal list, 2 a chart group file, 3 an indicator settings set, 4 the indicator request file,
// 5 the stream reader itself driven value by value (the byte after the selector gives how many
// of the following bytes are read operations; the stream comes after them).
//
// A list that loads must survive being saved and loaded again unchanged: the bytes of the second
// save equal those of the first.

#include "FuzzSupport.h"
#include "settings/ExtendedFloat.h"
#include "settings/GroupRecords.h"
#include "settings/IndicatorRequests.h"
#include "settings/ParamRecords.h"
#include "settings/SettingsStream.h"
#include "settings/TextCodec.h"
#include "settings/lists/PlotRecList.h"

#include <bit>
#include <cmath>
#include <cstring>

using namespace qm;

namespace {

template <class List> void loadAndResave(const std::filesystem::path& folder) {
    SilentSink sink;
    List list;
    try {
        list.load(folder / "input", sink);
    } catch (const SettingsError&) {
        return;
    }
    list.save(folder / "first");
    List again;
    again.load(folder / "first", sink);
    QM_FUZZ_CHECK(again.records.size() == list.records.size(), "same record count on reload");
    again.save(folder / "second");
    QM_FUZZ_CHECK(fuzz::readBytes(folder / "first") == fuzz::readBytes(folder / "second"),
                  "a saved list loads back unchanged");
    if constexpr (std::is_same_v<List, TGroupRecList>)
        for (const TGroupRecObj& record : list.records) (void)groupRecordSymbol(record.sourceFile);
}

void loadRequests(const std::filesystem::path& folder) {
    const IndicatorRequestList requests = loadIndicatorRequestsOrPriceChart(folder / "input");
    QM_FUZZ_CHECK(!requests.empty(), "at least the price chart entry");
    saveIndicatorRequests(folder / "first", requests);
    QM_FUZZ_CHECK(loadIndicatorRequests(folder / "first") == requests, "requests load back");
}

// x86-64's long double is the 80-bit extended format itself, so it can tell the right answer.
bool hardwareCanTell(const ExtendedBytes& bytes) {
    const int exponent = (bytes[9] & 0x7f) << 8 | bytes[8];
    const bool integerBit = (bytes[7] & 0x80) != 0;
    // Unnormals and pseudo-denormals are no values the hardware converts as such.
    return exponent == 0 ? !integerBit : integerBit;
}

void checkExtended(const ExtendedBytes& bytes) {
    if (!hardwareCanTell(bytes)) return;
    long double value = 0;
    static_assert(sizeof(long double) >= 10);
    std::memcpy(&value, bytes.data(), bytes.size());
    if (std::isnan(value)) return;
    const double d = extendedToDouble(bytes);
    const float f = extendedToSingle(bytes);
    QM_FUZZ_CHECK(std::bit_cast<std::uint64_t>(d) == std::bit_cast<std::uint64_t>(double(value)),
                  "extended to double rounds to nearest");
    QM_FUZZ_CHECK(std::bit_cast<std::uint32_t>(f) == std::bit_cast<std::uint32_t>(float(value)),
                  "extended to single rounds to nearest");
    QM_FUZZ_CHECK(std::bit_cast<std::uint64_t>(extendedToDouble(toExtended(d))) ==
                      std::bit_cast<std::uint64_t>(d),
                  "a double survives the extended format");
}

// Reads values in the order the operation bytes give, checking that what is read is written
// back and read again as the same value.
void walkStream(std::string_view operations, std::string_view stream) {
    SettingsReader reader{std::string(stream)};
    try {
        for (const char op : operations) {
            SettingsWriter writer;
            switch (static_cast<unsigned char>(op) % 8) {
            case 0:
                reader.readListBegin();
                break;
            case 1:
                (void)reader.endOfList();
                break;
            case 2:
                reader.readListEnd();
                break;
            case 3: {
                const std::int32_t v = reader.readInteger();
                writer.writeInteger(v);
                QM_FUZZ_CHECK(SettingsReader(writer.bytes()).readInteger() == v, "integer");
                break;
            }
            case 4:
                (void)reader.readBoolean();
                break;
            case 5: {
                const double v = reader.readFloat();
                writer.writeFloat(v);
                const double back = SettingsReader(writer.bytes()).readFloat();
                QM_FUZZ_CHECK(std::isnan(v) ? std::isnan(back) : back == v, "float");
                break;
            }
            case 6: {
                const float v = reader.readSingle();
                QM_FUZZ_CHECK(std::isfinite(v), "a single read is finite");
                writer.writeFloat(v);
                QM_FUZZ_CHECK(SettingsReader(writer.bytes()).readSingle() == v, "single");
                break;
            }
            default: {
                const std::string v = reader.readText();
                QM_FUZZ_CHECK(validUtf8(v) == v, "texts are read as well-formed UTF-8");
                writer.writeText(v);
                QM_FUZZ_CHECK(SettingsReader(writer.bytes()).readText() == v, "text");
                break;
            }
            }
        }
    } catch (const SettingsError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::filesystem::path folder = fuzz::freshFolder("settings");
    switch (data[0] % 6) {
    case 0:
        fuzz::writeBytes(folder / "input", bytes);
        loadAndResave<TParamRecList>(folder);
        break;
    case 1:
        fuzz::writeBytes(folder / "input", bytes);
        loadAndResave<TSignalRecList>(folder);
        break;
    case 2:
        fuzz::writeBytes(folder / "input", bytes);
        loadAndResave<TGroupRecList>(folder);
        break;
    case 3:
        fuzz::writeBytes(folder / "input", bytes);
        loadAndResave<TPlotRecList>(folder);
        break;
    case 4:
        fuzz::writeBytes(folder / "input", bytes);
        loadRequests(folder);
        break;
    default: {
        if (bytes.empty()) break;
        const std::size_t count =
            std::min<std::size_t>(static_cast<unsigned char>(bytes[0]), bytes.size() - 1);
        walkStream(bytes.substr(1, count), bytes.substr(1 + count));
        if (bytes.size() >= 11) {
            ExtendedBytes extended;
            std::memcpy(extended.data(), bytes.data() + bytes.size() - 10, 10);
            checkExtended(extended);
        }
        break;
    }
    }
    return 0;
}
