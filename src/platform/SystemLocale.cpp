#include "SystemLocale.h"

#include <QLocale>
#include <QString>

namespace qm::platform {
namespace {

// The character as one byte when it is plain ASCII; `fallback` otherwise.
char asciiOr(const QString& text, char fallback) {
    if (text.size() != 1) return fallback;
    const QChar c = text.front();
    if (c == QChar(0x00A0) || c == QChar(0x202F)) return ' '; // no-break spaces
    return c.unicode() > 0x20 && c.unicode() < 0x7F ? static_cast<char>(c.unicode()) : fallback;
}

bool isPatternLetter(QChar c) {
    return c.isLetter();
}

// Qt's date pattern letters are those of the chart's patterns (d, M, y); only the separator
// becomes "/", which the chart's patterns read as the locale's date separator.
void convertDatePattern(const QString& qtPattern, FormatSettings& fs) {
    QChar separator;
    bool quoted = false;
    for (const QChar c : qtPattern) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c != QLatin1Char('\'') && !isPatternLetter(c) && !c.isSpace()) {
            separator = c;
            break;
        }
    }
    const char sep = asciiOr(QString(separator), '\0');
    if (separator.isNull() || sep == '\0') return; // keep the United States pattern
    std::string pattern;
    quoted = false;
    for (const QChar c : qtPattern) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == separator)
            pattern += '/';
        else
            pattern += QString(c).toStdString();
    }
    fs.shortDatePattern = pattern;
    fs.dateSeparator = sep;
}

} // namespace

FormatSettings formatSettingsOf(const QLocale& locale) {
    FormatSettings fs = FormatSettings::unitedStates();
    if (locale.language() == QLocale::C) return fs;
    convertDatePattern(locale.dateFormat(QLocale::ShortFormat), fs);
    fs.decimalSeparator = asciiOr(locale.decimalPoint(), '.');
    fs.thousandSeparator = asciiOr(locale.groupSeparator(), fs.decimalSeparator == ',' ? '.' : ',');
    for (int m = 1; m <= 12; ++m)
        fs.shortMonthNames[static_cast<std::size_t>(m - 1)] =
            locale.monthName(m, QLocale::ShortFormat).toStdString();
    return fs;
}

FormatSettings systemFormatSettings() {
    return formatSettingsOf(QLocale::system());
}

} // namespace qm::platform
