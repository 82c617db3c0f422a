#include "PlainLine.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace qm {
namespace {

constexpr std::uint64_t kEachByte = 0x0101010101010101;

constexpr std::uint64_t kPowersOfTen[kMaxPlainDigits + 1] = {1,
                                                             10,
                                                             100,
                                                             1000,
                                                             10000,
                                                             100000,
                                                             1000000,
                                                             10000000,
                                                             100000000,
                                                             1000000000,
                                                             10000000000,
                                                             100000000000,
                                                             1000000000000,
                                                             10000000000000,
                                                             100000000000000,
                                                             1000000000000000};

// A run of digits: how many there are and their value.
struct DigitRun {
    std::size_t length;
    std::uint64_t value;
};

// The value of the first `length` bytes of `digits` (1 to 8), each byte a digit's value, the
// first byte the most significant, without a branch per byte.
std::uint64_t digitsValue(std::uint64_t digits, std::size_t length) {
    // The digits shifted to the top of the word (the bytes beyond them drop out), then summed in
    // pairs, fours and eights.
    std::uint64_t v = digits << (8 * (8 - length));
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FF;
    v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFF;
    return (v * 10000 + (v >> 32)) & 0xFFFFFFFF;
}

// The digits from `p` on, up to eight of them, read as one little-endian word. The eight bytes
// from `p` on must be readable.
DigitRun eightDigits(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const std::uint64_t less = word - '0' * kEachByte; // each digit byte now 0 to 9
    // A byte is no digit when taking '0' from it or adding 0x46 to it ('9' + 0x46 is 0x7F)
    // sets its top bit. Borrows and carries run only towards later bytes, and none comes out
    // of a digit, so the bytes up to the first that is no digit are judged right.
    const std::uint64_t notDigit = (less | (word + 0x46 * kEachByte)) & 0x80 * kEachByte;
    const std::size_t length = notDigit == 0 ? 8 : std::countr_zero(notDigit) / 8;
    if (length == 0) return {0, 0};
    return {length, digitsValue(less, length)};
}

// The digits from `p` on, up to sixteen of them; sixteen stands for sixteen or more. The
// sixteen bytes from `p` on must be readable, or eight when there are fewer than eight digits.
DigitRun digitRun(const char* p) {
    const DigitRun first = eightDigits(p);
    if (first.length < 8) return first;
    const DigitRun more = eightDigits(p + 8);
    return {8 + more.length, first.value * kPowersOfTen[more.length] + more.value};
}

// The end of the field from `p` on: the next separator, or the line's end.
const char* fieldEnd(const char* p, const char* end, char separator) {
    const void* hit = std::memchr(p, separator, static_cast<std::size_t>(end - p));
    return hit ? static_cast<const char*>(hit) : end;
}

// Blanks around a field are trimmed, and a quote first begins a quoted field: not plain.
bool plainEdges(const char* first, const char* last) {
    return first == last || (*first != '"' && !isBlank(*first) && !isBlank(last[-1]));
}

// Digits with an optional "." and more digits from `at` on, read a run of digits at a time;
// `at` moves past them.
bool readNumberByRuns(const char*& at, float& value) {
    const DigitRun whole = digitRun(at);
    if (whole.length == 0 || whole.length > kMaxPlainDigits) return false;
    const char* p = at + whole.length;
    if (*p != '.') {
        value = static_cast<float>(whole.value);
        at = p;
        return true;
    }
    const DigitRun decimals = digitRun(p + 1);
    if (decimals.length == 0 || whole.length + decimals.length > kMaxPlainDigits) return false;
    value = exactDecimalAsSingle(whole.value * kPowersOfTen[decimals.length] + decimals.value,
                                 decimals.length);
    at = p + 1 + decimals.length;
    return true;
}

// readPlainNumber, inlined where a line's fields are read so that the numbers of a line are
// read side by side.
[[gnu::always_inline]] inline bool plainNumber(const char* first, const char* end, float& value) {
    const auto length = static_cast<std::size_t>(end - first);
    if (length == 0) return false;
    if (length > 8) return readNumberByRuns(first, value) && first == end;
    // A field of eight bytes or fewer is read as one word.
    std::uint64_t word;
    std::memcpy(&word, first, sizeof word);
    const std::uint64_t x = word ^ '0' * kEachByte; // each digit byte now 0 to 9
    const std::uint64_t inField =
        length == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << 8 * length) - 1;
    // 0x80 in each byte of the field that is no digit (x above 9), without a carry from one
    // byte into the next.
    const std::uint64_t notDigit =
        (((x & 0x7F * kEachByte) + 0x76 * kEachByte) | x) & 0x80 * kEachByte & inField;
    if (notDigit == 0) {
        value = static_cast<float>(digitsValue(x, length));
        return true;
    }
    // Else one "." with digits before and after it, taken out by moving the decimals down.
    const std::size_t dot = static_cast<std::size_t>(std::countr_zero(notDigit)) / 8;
    if ((notDigit & (notDigit - 1)) != 0 || first[dot] != '.' || dot == 0 || dot + 1 == length)
        return false;
    const std::uint64_t before = (std::uint64_t{1} << 8 * dot) - 1;
    const std::uint64_t digits = (x & before) | ((x >> 8) & ~before);
    value = exactDecimalAsSingle(digitsValue(digits, length - 1), length - 1 - dot);
    return true;
}

} // namespace

bool readPlainNumber(const char* first, const char* end, float& value) {
    return plainNumber(first, end, value);
}

bool PlainLineReader::prepare(char separator, char decimalMark, std::size_t fields,
                              const ColumnMap& columns, char dateSeparator) {
    fields_ = 0;
    if (separator == ' ' || decimalMark != '.' || fields > kinds_.size() ||
        static_cast<std::size_t>(columns.fieldsNeeded()) > fields)
        return false;
    separator_ = separator;
    dateSeparator_ = dateSeparator == separator || isBlank(dateSeparator) || isDigit(dateSeparator)
                         ? '\0'
                         : dateSeparator;
    kinds_.fill(Field::Other);
    const auto value = [&](std::int8_t column, float PriceBar::*member) {
        if (column < 0) return;
        kinds_[static_cast<std::size_t>(column)] = Field::Value;
        values_[static_cast<std::size_t>(column)] = member;
    };
    value(columns.open, &PriceBar::open);
    value(columns.high, &PriceBar::high);
    value(columns.low, &PriceBar::low);
    value(columns.close, &PriceBar::close);
    value(columns.volume, &PriceBar::volume);
    kinds_[static_cast<std::size_t>(columns.date)] = Field::Date;
    fields_ = fields;
    return true;
}

// Three numbers of at most eight digits between single date separators, from `p` on; `p`
// moves past them.
[[gnu::always_inline]] inline bool PlainLineReader::readDateNumbers(const char*& p,
                                                                    PlainDate& date) const {
    const char* q = p;
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && *q++ != dateSeparator_) return false;
        const DigitRun run = eightDigits(q);
        if (run.length == 0 || (run.length == 8 && isDigit(q[8]))) return false;
        date.numbers.value[i] = static_cast<int>(run.value);
        date.numbers.digits[i] = static_cast<int>(run.length);
        q += run.length;
    }
    date.numbers.count = 3;
    p = q;
    return true;
}

// Where each field of the line starts, the separator after it being the byte before the next
// field's start; false unless the line has exactly as many fields as the header.
bool PlainLineReader::cutFields(const char* line, std::size_t length) {
    starts_[0] = line;
    starts_[fields_] = line + length + 1;
    if (length > kMaskedLength) {
        const char* p = line;
        for (std::size_t i = 1; i < fields_; ++i) {
            p = fieldEnd(p, line + length, separator_);
            if (p == line + length) return false;
            starts_[i] = ++p;
        }
        return fieldEnd(p, line + length, separator_) == line + length;
    }
    // One bit per byte of the line, set for each separator: the fields are cut without a
    // branch per byte or per field.
    std::uint64_t separators = 0;
    for (std::size_t at = 0; at < length; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, line + at, sizeof word);
        const std::uint64_t x = word ^ (static_cast<unsigned char>(separator_) * kEachByte);
        // 0x80 in each byte of x that is 0, without a carry from one byte into the next.
        const std::uint64_t zero =
            ~(((x & 0x7F * kEachByte) + 0x7F * kEachByte) | x) & 0x80 * kEachByte;
        // The top bits of the eight bytes gathered into eight bits, the first byte's lowest.
        separators |= ((zero >> 7) * 0x0102040810204080) >> 56 << at;
    }
    if (length < kMaskedLength) separators &= (std::uint64_t{1} << length) - 1;
    for (std::size_t i = 1; i < fields_; ++i) {
        if (separators == 0) return false;
        starts_[i] = line + std::countr_zero(separators) + 1;
        separators &= separators - 1;
    }
    return separators == 0;
}

bool PlainLineReader::read(std::string_view line, PriceBar& bar, PlainDate& date) {
    if (fields_ == 0 || line.size() > LineReader::kMaxLineLength ||
        !cutFields(line.data(), line.size()))
        return false;
    bar = PriceBar{};
    // Each field is read from its own start, so the fields of a line are read side by side.
    for (std::size_t i = 0; i < fields_; ++i) {
        const char* stop = starts_[i];
        const char* const end = starts_[i + 1] - 1;
        switch (kinds_[i]) {
        case Field::Value: {
            if (!plainNumber(stop, end, bar.*values_[i])) return false;
            break;
        }
        case Field::Date: {
            const char* const start = starts_[i];
            date.read = dateSeparator_ != '\0' && readDateNumbers(stop, date) && stop == end;
            if (!date.read && (start == end || !plainEdges(start, end))) return false;
            date.text = {start, static_cast<std::size_t>(end - start)};
            break;
        }
        case Field::Other:
            if (!plainEdges(stop, end)) return false;
            break;
        }
    }
    return true;
}

} // namespace qm
