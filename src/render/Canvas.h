#pragma once
// The drawing surface of one chart: a QPainter on an image or a page, with the pen rules the
// chart's pixel arithmetic assumes (no antialiasing; one-pixel pens cover both end points,
// wider pens have round ends) and text placed by its top-left corner.

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
    void line(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }
    void lines(const std::vector<QLine>& batch) {
        if (!batch.empty()) painter_.drawLines(batch.data(), static_cast<int>(batch.size()));
    }
    void polyline(const QPoint* points, int count) { painter_.drawPolyline(points, count); }
    // Outlined in the current pen and filled with `fill`.
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
    QPainter painter_;
    QFontMetrics metrics_;
};

} // namespace qm::chart
