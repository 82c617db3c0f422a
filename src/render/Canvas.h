#pragma once
// The drawing surface of one chart: a QPainter on an image or a page, with the pixel rules the
// chart's arithmetic assumes. Nothing is antialiased except text. A line covers both of its end
// points; a wide line runs centred on its points. Lines along an axis, which are nearly all a
// chart draws, are filled as rectangles: exact, and much quicker than stroking. Other lines
// wider than a pixel get round ends, so that joined segments leave no notches. Text is placed
// by its top-left corner.

#include "render/Layout.h"

#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QPolygon>
#include <string>
#include <vector>

namespace qm::chart {

QColor toQColor(Colour colour);

class Canvas {
public:
    explicit Canvas(QPaintDevice* device);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void setPen(Colour colour, int width);
    void line(int x1, int y1, int x2, int y2);
    void lines(const std::vector<QLine>& batch);
    // A rectangle between two corners, outlined with the current pen and filled with `fill`.
    void box(int x1, int y1, int x2, int y2, Colour fill);
    // Outlined with the current pen and filled with `fill`.
    void polygon(const QPolygon& points, Colour fill);
    void fillRect(int x, int y, int w, int h, Colour colour);

    void setFont(const QFont& font);
    const QFontMetrics& metrics() const { return metrics_; }
    int textWidth(const std::string& text) const;
    // Text with its top-left corner at (x, y), transparently or on `back`.
    void text(int x, int y, const std::string& text, Colour colour);
    void text(int x, int y, const std::string& text, Colour colour, Colour back);
    void text(int x, int y, const QString& text, Colour colour);

private:
    // Fills an axis-aligned line as a rectangle; false for any other line.
    bool fillAxisLine(int x1, int y1, int x2, int y2);

    QPainter painter_;
    QFontMetrics metrics_;
    QColor penColour_;
    int penWidth_ = 1;
};

} // namespace qm::chart
