// The deferred texts of a chart: collected while the panes are drawn, written at the end so
// that no line or bar covers them.

#include "render/DrawState.h"

namespace qm::chart {

void addLabel(DrawState& st, std::string text, QPoint at, bool boxed, std::uint8_t brush,
              Colour back, Colour font) {
    st.labels.push_back(TTxtRec{at.x(), at.y(), font, back, brush, std::move(text), boxed});
}

QPoint scaleLabelCorner(const DrawState& st, double logicalY) {
    return {st.scaleX + st.halfCharW, st.mapping.deviceY(logicalY) - st.halfTextH};
}

void drawScaleLine(DrawState& st, double logicalY, std::string text) {
    const int y = st.mapping.deviceY(logicalY);
    st.canvas->setPen(shade(st.backColor, 50), st.thinPen());
    st.canvas->line(kLeftMargin, y, st.scaleX - st.halfCharW, y);
    st.canvas->setPen(st.textColor, st.thinPen());
    st.canvas->line(st.scaleX, y, st.scaleX + st.halfCharW, y);
    addLabel(st, std::move(text), scaleLabelCorner(st, logicalY), false, 1, st.backColor,
             st.textColor);
}

void drawLabels(DrawState& st) {
    Canvas& canvas = *st.canvas;
    for (std::size_t i = 0; i < st.labels.size(); ++i) {
        const TTxtRec& label = st.labels[i];
        if (!label.boxed) {
            if (label.brush == 0)
                canvas.text(label.x, label.y, label.text, label.fontColor, label.backColor);
            else
                canvas.text(label.x, label.y, label.text, label.fontColor);
            continue;
        }
        // The last tag of the list, the last price, stands out in bold.
        if (i + 1 == st.labels.size()) {
            QFont bold = st.font;
            bold.setBold(true);
            canvas.setFont(bold);
            st.textH = canvas.metrics().height();
            st.halfTextH = st.textH / 2;
        }
        const int h = st.halfTextH;
        const int a = label.y + h;
        const int w = canvas.textWidth(label.text);
        canvas.setPen(label.fontColor, st.thinPen());
        canvas.polygon(QPolygon({QPoint(st.scaleX, a), QPoint(st.scaleX + h, a + h),
                                 QPoint(st.scaleX + h + w, a + h), QPoint(st.scaleX + h + w, a - h),
                                 QPoint(st.scaleX + h, a - h)}),
                       st.backColor);
        canvas.text(label.x, label.y, label.text, st.textColor);
    }
}

} // namespace qm::chart
