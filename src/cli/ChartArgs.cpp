#include "ChartArgs.h"

#include "Commands.h"
#include "KindNames.h"
#include "imaging/ChartImage.h"
#include "indicators/EditorParams.h"

#include <array>
#include <charconv>
#include <string_view>

namespace qm::cli {

const char* const kChartOptionsHelp =
    "  --vs FILE2               relative strength of PRICEFILE to FILE2\n"
    "  --interval daily|weekly|monthly\n"
    "  --type line|hl|hlc|ohlc|candle\n"
    "                           price chart type (default: the settings' own)\n"
    "  --spacing 0|1|2          bar spacing: reduced, normal (default), increased\n"
    "  --add KIND[:P1,P2,...]   add an indicator: a kind number 1 to 30 or its short name\n"
    "                           (quillmar-cli kinds), optionally with its parameters as\n"
    "                           the settings editor shows them (ma:20, bollinger:20,20,2);\n"
    "                           repeatable; oscillators get panes of their own, three at most\n"
    "  --indicators FILE.osl    the indicators of an indicator request file\n"
    "  --settings-dir DIR       folder of Defaults.prm, PrmsList.Lst and symbol settings\n"
    "                           (default: ~/.local/share/Quillmar/Quillmar7)\n"
    "  --offset N               newest bar shown: N-th from the end (default 1, the last)\n"
    "  --size WxH               chart size in pixels (default 1024x600)\n"
    "  --show-values            indicators' last values as tags on the scale\n"
    "  --show-params            indicators' parameters in their legends\n"
    "  --help                   this text\n";

namespace {

std::optional<int> parseInt(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Numbers separated by commas: "20", "20,20,2".
std::optional<std::vector<float>> parseFloats(std::string_view text) {
    std::vector<float> values;
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        float value = 0;
        const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
        if (item.empty() || ec != std::errc() || end != item.data() + item.size())
            return std::nullopt;
        values.push_back(value);
        if (comma == std::string_view::npos) return values;
        text.remove_prefix(comma + 1);
    }
}

template <std::size_t N>
std::optional<int> indexOf(std::string_view word, const std::array<std::string_view, N>& names) {
    for (std::size_t i = 0; i < N; ++i)
        if (word == names[i]) return static_cast<int>(i);
    return std::nullopt;
}

constexpr std::array<std::string_view, 3> kIntervals = {"daily", "weekly", "monthly"};
constexpr std::array<std::string_view, 5> kChartTypes = {"line", "hl", "hlc", "ohlc", "candle"};

bool parseSize(std::string_view text, int& width, int& height) {
    const auto x = text.find('x');
    if (x == std::string_view::npos) return false;
    const auto w = parseInt(text.substr(0, x));
    const auto h = parseInt(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxChartSide || *h > kMaxChartSide) return false;
    width = *w;
    height = *h;
    return true;
}

// Sets `error` to the mistake in the value of one option; empty when the value is good.
std::string applyOption(std::string_view name, std::string_view value, ChartArgs& a) {
    const std::string bad = "bad value '" + std::string(value) + "' for " + std::string(name);
    if (name == "--vs") {
        a.vsFile = value;
    } else if (name == "--interval") {
        const auto i = indexOf(value, kIntervals);
        if (!i) return bad + " (daily, weekly or monthly)";
        a.interval = static_cast<Interval>(*i);
    } else if (name == "--type") {
        const auto i = indexOf(value, kChartTypes);
        if (!i) return bad + " (line, hl, hlc, ohlc or candle)";
        a.chartType = static_cast<std::uint8_t>(*i);
    } else if (name == "--spacing") {
        const auto s = parseInt(value);
        if (!s || *s < 0 || *s > 2) return bad + " (0, 1 or 2)";
        a.spacing = *s;
    } else if (name == "--add") {
        const std::size_t colon = value.find(':');
        const auto kind = parseKind(value.substr(0, colon));
        if (!kind) return bad + " (a kind 1 to 30 or a short name; see quillmar-cli kinds)";
        AddedIndicator added{*kind, {}};
        if (colon != std::string_view::npos) {
            const auto params = parseFloats(value.substr(colon + 1));
            if (!params) return bad + " (parameters are numbers separated by commas)";
            added.params = *params;
            if (const auto mistake = checkShownParams(*kind, added.params))
                return bad + ": " + *mistake;
        }
        a.added.push_back(std::move(added));
    } else if (name == "--indicators") {
        a.indicatorsFile = value;
    } else if (name == "--settings-dir") {
        a.settingsDir = value;
    } else if (name == "--offset") {
        const auto n = parseInt(value);
        if (!n || *n < 1) return bad + " (a number of bars, 1 or more)";
        a.offset = *n;
    } else if (name == "--size") {
        if (!parseSize(value, a.width, a.height))
            return bad + " (WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxChartSide) + ")";
    } else if (name == "-o" || name == "--output") {
        a.output = value;
    }
    return {};
}

bool takesValue(std::string_view name, bool withOutput) {
    static constexpr std::array<std::string_view, 9> kValued = {
        "--vs",         "--interval",     "--type",   "--spacing", "--add",
        "--indicators", "--settings-dir", "--offset", "--size"};
    if (indexOf(name, kValued)) return true;
    return withOutput && (name == "-o" || name == "--output");
}

} // namespace

std::optional<ChartArgs> parseChartArgs(std::span<char*> args, bool withOutput,
                                        std::string& error) {
    ChartArgs a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (isHelp(arg)) {
            a.help = true;
            return a;
        }
        if (arg == "--show-values") {
            a.showValues = true;
        } else if (arg == "--show-params") {
            a.showParams = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            // "--name value" or "--name=value".
            const auto equals = arg.find('=');
            const std::string_view name = arg.substr(0, equals);
            if (!takesValue(name, withOutput)) {
                error = "unknown option '" + std::string(name) + "'";
                return std::nullopt;
            }
            std::string_view value;
            if (equals != std::string_view::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            }
            if (value.empty()) {
                error = "option " + std::string(name) + " needs a value";
                return std::nullopt;
            }
            error = applyOption(name, value, a);
            if (!error.empty()) return std::nullopt;
        } else if (a.priceFile.empty()) {
            a.priceFile = arg;
        } else {
            error = "one price file only; '" + std::string(arg) + "' is one too many";
            return std::nullopt;
        }
    }
    if (a.priceFile.empty()) {
        error = "no price file given";
        return std::nullopt;
    }
    if (withOutput && a.output.empty()) {
        error = "no output file given (-o FILE)";
        return std::nullopt;
    }
    if (withOutput && !chartFileFormat(a.output)) {
        error = "the output file's name must end in .png, .bmp, .gif, .jpg or .pdf";
        return std::nullopt;
    }
    return a;
}

} // namespace qm::cli
