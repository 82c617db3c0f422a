#include "ChartFonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>

namespace qm::chart {
namespace {

// Where Debian's fonts-wine puts its files.
constexpr const char* kWineFontDir = "/usr/share/wine/fonts";
constexpr const char* kWineFontFiles[] = {"tahoma.ttf", "tahomabd.ttf", "wingding.ttf"};

const QString kChartFamily = QStringLiteral("Tahoma");
const QString kPrintFamily = QStringLiteral("Arial");
const QString kMarkerFamily = QStringLiteral("Wingdings");

// Looked up once, after registration: asking the font database is not cheap.
std::atomic<bool> markerFamilyPresent{false};

QFont sansFont(const QString& family, int pixelSize) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(pixelSize, 1));
    return font;
}

} // namespace

void registerChartFonts() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const char* name : kWineFontFiles) {
            const std::filesystem::path file = std::filesystem::path(kWineFontDir) / name;
            std::error_code ec;
            if (std::filesystem::exists(file, ec))
                QFontDatabase::addApplicationFont(QString::fromStdString(file.string()));
        }
        markerFamilyPresent =
            QFontDatabase::families().contains(kMarkerFamily, Qt::CaseInsensitive);
    });
}

int pixelSizeFor(int points, int pixelsPerInch) {
    // The product divided by 72, rounded half away from zero.
    const long long product = static_cast<long long>(points) * pixelsPerInch;
    return static_cast<int>((product + (product >= 0 ? 36 : -36)) / 72);
}

QFont chartFont(int pixelSize) {
    return sansFont(kChartFamily, pixelSize);
}

QFont printFont(int pixelSize) {
    return sansFont(kPrintFamily, pixelSize);
}

MarkerFont markerFont(int pixelSize, const QFont& fallback) {
    if (markerFamilyPresent) {
        QFont font(kMarkerFamily);
        font.setPixelSize(std::max(pixelSize, 1));
        return {font, QString(QChar(0xE9)), QString(QChar(0xEA))};
    }
    QFont font = fallback;
    font.setPixelSize(std::max(pixelSize, 1));
    return {font, QString(QChar(0x2191)), QString(QChar(0x2193))};
}

} // namespace qm::chart
