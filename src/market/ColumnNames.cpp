#include "ColumnNames.h"

#include "PriceText.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qm {
namespace {

struct KnownName {
    std::string_view name; // as normalised: lower case, single blanks
    ColumnRole role;
};

// Column names of the usual free sources in English, German, French, Spanish, Italian,
// Portuguese, Dutch, Polish, Russian and Turkish.
constexpr KnownName kKnownNames[] = {
    {"date", ColumnRole::Date},
    {"datum", ColumnRole::Date},
    {"data", ColumnRole::Date},
    {"fecha", ColumnRole::Date},
    {"datetime", ColumnRole::Date},
    {"date time", ColumnRole::Date},
    {"date/time", ColumnRole::Date},
    {"trade date", ColumnRole::Date},
    {"tradedate", ColumnRole::Date},
    {"day", ColumnRole::Date},
    {"dtyyyymmdd", ColumnRole::Date},
    {"\xD0\xB4\xD0\xB0\xD1\x82\xD0\xB0", ColumnRole::Date}, // дата
    {"tarih", ColumnRole::Date},
    {"time", ColumnRole::Time},
    {"timestamp", ColumnRole::Time},
    {"unix", ColumnRole::Time},
    {"unix time", ColumnRole::Time},
    {"open time", ColumnRole::Time},
    {"close time", ColumnRole::Time},
    {"open", ColumnRole::Open},
    {"opening", ColumnRole::Open},
    {"open price", ColumnRole::Open},
    {"opening price", ColumnRole::Open},
    {"er\xC3\xB6"
     "ffnung",
     ColumnRole::Open}, // Eröffnung
    {"er\xC3\xB6"
     "ffn.",
     ColumnRole::Open},
    {"er\xC3\xB6"
     "ffnungskurs",
     ColumnRole::Open},
    {"erster", ColumnRole::Open},
    {"ouverture", ColumnRole::Open},
    {"ouv.", ColumnRole::Open},
    {"apertura", ColumnRole::Open},
    {"abertura", ColumnRole::Open},
    {"otwarcie", ColumnRole::Open},
    {"\xD0\xBE\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD0\xB8\xD0\xB5",
     ColumnRole::Open},                                       // открытие
    {"\xD0\xBE\xD1\x82\xD0\xBA\xD1\x80.", ColumnRole::Open},  // откр.
    {"a\xC3\xA7\xC4\xB1l\xC4\xB1\xC5\x9F", ColumnRole::Open}, // açılış
    {"high", ColumnRole::High},
    {"high price", ColumnRole::High},
    {"hoch", ColumnRole::High},
    {"h\xC3\xB6"
     "chst",
     ColumnRole::High}, // höchst
    {"tageshoch", ColumnRole::High},
    {"max", ColumnRole::High},
    {"max.", ColumnRole::High},
    {"plus haut", ColumnRole::High},
    {"haut", ColumnRole::High},
    {"m\xC3\xA1ximo", ColumnRole::High}, // máximo
    {"m\xC3\xA1x.", ColumnRole::High},
    {"maximo", ColumnRole::High},
    {"massimo", ColumnRole::High},
    {"m\xC3\xA1xima", ColumnRole::High}, // máxima
    {"maxima", ColumnRole::High},
    {"hoog", ColumnRole::High},
    {"najwyzszy", ColumnRole::High},
    {"najwy\xC5\xBCszy", ColumnRole::High},                  // najwyższy
    {"\xD0\xBC\xD0\xB0\xD0\xBA\xD1\x81.", ColumnRole::High}, // макс.
    {"\xD0\xBC\xD0\xB0\xD0\xBA\xD1\x81\xD0\xB8\xD0\xBC\xD1\x83\xD0\xBC",
     ColumnRole::High},                  // максимум
    {"y\xC3\xBCksek", ColumnRole::High}, // yüksek
    {"low", ColumnRole::Low},
    {"low price", ColumnRole::Low},
    {"tief", ColumnRole::Low},
    {"tiefst", ColumnRole::Low},
    {"tagestief", ColumnRole::Low},
    {"min", ColumnRole::Low},
    {"min.", ColumnRole::Low},
    {"plus bas", ColumnRole::Low},
    {"bas", ColumnRole::Low},
    {"m\xC3\xADnimo", ColumnRole::Low}, // mínimo
    {"m\xC3\xADn.", ColumnRole::Low},
    {"minimo", ColumnRole::Low},
    {"m\xC3\xADnima", ColumnRole::Low}, // mínima
    {"minima", ColumnRole::Low},
    {"laag", ColumnRole::Low},
    {"najnizszy", ColumnRole::Low},
    {"najni\xC5\xBCszy", ColumnRole::Low},                                         // najniższy
    {"\xD0\xBC\xD0\xB8\xD0\xBD.", ColumnRole::Low},                                // мин.
    {"\xD0\xBC\xD0\xB8\xD0\xBD\xD0\xB8\xD0\xBC\xD1\x83\xD0\xBC", ColumnRole::Low}, // минимум
    {"d\xC3\xBC\xC5\x9F\xC3\xBCk", ColumnRole::Low},                               // düşük
    {"close", ColumnRole::Close},
    {"close price", ColumnRole::Close},
    {"closing price", ColumnRole::Close},
    {"close/last", ColumnRole::Close},
    {"schluss", ColumnRole::Close},
    {"schlusskurs", ColumnRole::Close},
    {"cl\xC3\xB4ture", ColumnRole::Close}, // clôture
    {"cloture", ColumnRole::Close},
    {"cierre", ColumnRole::Close},
    {"chiusura", ColumnRole::Close},
    {"fechamento", ColumnRole::Close},
    {"fecho", ColumnRole::Close},
    {"slot", ColumnRole::Close},
    {"slotkoers", ColumnRole::Close},
    {"zamkniecie", ColumnRole::Close},
    {"zamkni\xC4\x99"
     "cie",
     ColumnRole::Close}, // zamknięcie
    {"\xD0\xB7\xD0\xB0\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD0\xB8\xD0\xB5",
     ColumnRole::Close},                          // закрытие
    {"kapan\xC4\xB1\xC5\x9F", ColumnRole::Close}, // kapanış
    {"last", ColumnRole::Last},
    {"last price", ColumnRole::Last},
    {"price", ColumnRole::Last},
    {"settle", ColumnRole::Last},
    {"settlement", ColumnRole::Last},
    {"zuletzt", ColumnRole::Last},
    {"letzter", ColumnRole::Last},
    {"dernier", ColumnRole::Last},
    {"\xC3\xBAltimo", ColumnRole::Last}, // último
    {"ultimo", ColumnRole::Last},
    {"koers", ColumnRole::Last},
    {"\xD1\x86\xD0\xB5\xD0\xBD\xD0\xB0", ColumnRole::Last}, // цена
    {"\xC5\x9Fimdi", ColumnRole::Last},                     // şimdi
    {"adj close", ColumnRole::AdjustedClose},
    {"adj. close", ColumnRole::AdjustedClose},
    {"adjclose", ColumnRole::AdjustedClose},
    {"adjusted close", ColumnRole::AdjustedClose},
    {"adj close price", ColumnRole::AdjustedClose},
    {"adjusted", ColumnRole::AdjustedClose},
    {"volume", ColumnRole::Volume},
    {"vol", ColumnRole::Volume},
    {"vol.", ColumnRole::Volume},
    {"volumen", ColumnRole::Volume},
    {"wolumen", ColumnRole::Volume},
    {"\xD0\xBE\xD0\xB1\xD1\x8A\xD1\x91\xD0\xBC", ColumnRole::Volume}, // объём
    {"\xD0\xBE\xD0\xB1\xD1\x8A\xD0\xB5\xD0\xBC", ColumnRole::Volume}, // объем
    {"hacim", ColumnRole::Volume},
    {"openint", ColumnRole::OpenInterest},
    {"open int", ColumnRole::OpenInterest},
    {"open interest", ColumnRole::OpenInterest},
    {"oi", ColumnRole::OpenInterest},
    {"ticker", ColumnRole::Ticker},
    {"symbol", ColumnRole::Ticker},
    {"per", ColumnRole::Period},
    {"period", ColumnRole::Period},
    {"change", ColumnRole::Change},
    {"change %", ColumnRole::Change},
    {"change%", ColumnRole::Change},
    {"chg", ColumnRole::Change},
    {"chg %", ColumnRole::Change},
    {"chg%", ColumnRole::Change},
    {"% change", ColumnRole::Change},
    {"+/- %", ColumnRole::Change},
    {"var. %", ColumnRole::Change},
    {"var%", ColumnRole::Change},
    {"% var.", ColumnRole::Change},
    {"variation %", ColumnRole::Change},
    {"\xD0\xB8\xD0\xB7\xD0\xBC. %", ColumnRole::Change}, // изм. %
    {"fark %", ColumnRole::Change},
};

// Lower case for ASCII, the Latin-1 letters and the Russian alphabet, which is all the names
// above need; blanks and underscores become single blanks.
std::string normalised(std::string_view name) {
    name = trimBlanks(name);
    if (name.size() >= 2 && name.front() == '<' && name.back() == '>')
        name = trimBlanks(name.substr(1, name.size() - 2));
    while (!name.empty() && name.back() == '*') name.remove_suffix(1);
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        auto c = static_cast<unsigned char>(name[i]);
        const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
        if (c == ' ' || c == '_' || c == '\t') {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c + 32);
        } else if (c == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) { // À..Þ but ×
            out += static_cast<char>(c);
            out += static_cast<char>(next + 0x20);
            ++i;
        } else if (c == 0xD0 && next >= 0x90 && next <= 0x9F) { // А..П
            out += static_cast<char>(0xD0);
            out += static_cast<char>(next + 0x20);
            ++i;
        } else if (c == 0xD0 && next >= 0xA0 && next <= 0xAF) { // Р..Я
            out += static_cast<char>(0xD1);
            out += static_cast<char>(next - 0x20);
            ++i;
        } else if (c == 0xD0 && next == 0x81) { // Ё
            out += static_cast<char>(0xD1);
            out += static_cast<char>(0x91);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// Separators worth trying on a header line: those outside quotes, most frequent first, and
// the blank last, since names such as "Adj Close" hold blanks themselves.
std::vector<char> separatorsOf(std::string_view line) {
    std::array<std::pair<long, char>, 4> counts = {std::pair{0L, ','}, std::pair{0L, ';'},
                                                   std::pair{0L, '\t'}, std::pair{0L, '|'}};
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        for (auto& [count, separator] : counts)
            if (c == separator) ++count;
    }
    std::stable_sort(counts.begin(), counts.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<char> out;
    for (const auto& [count, separator] : counts)
        if (count > 0) out.push_back(separator);
    if (line.find(' ') != std::string_view::npos) out.push_back(' ');
    return out;
}

} // namespace

ColumnRole roleOfColumnName(std::string_view name) {
    std::string_view text = trimBlanks(name);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    const std::string key = normalised(text);
    for (const KnownName& known : kKnownNames)
        if (known.name == key) return known.role;
    return ColumnRole::Unknown;
}

int ColumnMap::fieldsNeeded() const {
    return 1 + std::max({date, open, high, low, close, volume});
}

std::optional<NamedHeader> recogniseHeader(std::string_view line) {
    for (const char separator : separatorsOf(line)) {
        LineFields fields;
        splitFields(line, separator, fields);
        if (fields.count < 2 || fields.count > LineFields::kKept) continue;
        NamedHeader header;
        header.separator = separator;
        std::int8_t time = -1, last = -1;
        for (std::size_t i = 0; i < fields.count; ++i) {
            const std::string_view name = fields[i];
            header.names.emplace_back(name);
            if (name.size() >= 2 && name.front() == '<' && name.back() == '>')
                header.bracketed = true;
            ColumnMap& m = header.columns;
            const auto take = [i](std::int8_t& column) {
                if (column < 0) column = static_cast<std::int8_t>(i);
            };
            switch (roleOfColumnName(name)) {
            case ColumnRole::Date:
                take(m.date);
                break;
            case ColumnRole::Time:
                take(time);
                break;
            case ColumnRole::Open:
                take(m.open);
                break;
            case ColumnRole::High:
                take(m.high);
                break;
            case ColumnRole::Low:
                take(m.low);
                break;
            case ColumnRole::Close:
                take(m.close);
                break;
            case ColumnRole::Last:
                take(last);
                break;
            case ColumnRole::Volume:
                take(m.volume);
                break;
            default:
                break;
            }
        }
        ColumnMap& m = header.columns;
        if (m.date < 0) m.date = time;
        if (m.close < 0) m.close = last;
        if (m.date >= 0 && m.close >= 0) return header;
    }
    return std::nullopt;
}

} // namespace qm
