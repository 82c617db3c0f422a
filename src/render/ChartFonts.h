#pragma once
// The fonts a chart is written in: the chart font "Tahoma", the print font "Arial" and the
// marker font "Wingdings". On Linux the first and the last come from the fonts-wine package and
// are registered with the application; without them the nearest sans font stands in and the
// two marker arrows are drawn with arrow characters of that font.

#include <QFont>
#include <QString>

namespace qm::chart {

// Registers the font files found; needs a QGuiApplication; later calls do nothing.
void registerChartFonts();

// Pixel size of a font of `points` at `pixelsPerInch`, rounded as the platform does.
int pixelSizeFor(int points, int pixelsPerInch);

QFont chartFont(int pixelSize);
QFont printFont(int pixelSize);

// The marker font and the texts of its up and down arrows: characters 0xE9 and 0xEA of
// "Wingdings", or arrows of `fallback` when registerChartFonts() found no "Wingdings".
struct MarkerFont {
    QFont font;
    QString up;
    QString down;
};
MarkerFont markerFont(int pixelSize, const QFont& fallback);

} // namespace qm::chart
