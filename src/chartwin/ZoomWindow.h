#pragma once
// The zoom window: a still copy of one chart's picture, lines drawn with the tools included,
// magnified 1 to 4 times by Page Up and Page Down or the wheel and scrolled by the arrow keys.
// It belongs to the chart window it was opened from and closes with it. The picture is handed
// over in memory, so every zoom window keeps its own and leaves no file behind.

#include <QAbstractScrollArea>
#include <QImage>
#include <QWidget>
#include <algorithm>

namespace qm {

namespace zoom {
inline constexpr double kStep = 1.1;
inline constexpr double kMinScale = 1.0;
inline constexpr double kMaxScale = 4.0;
inline constexpr int kScrollStep = 10; // pixels per arrow key

constexpr double enlarged(double scale) {
    return std::min(scale * kStep, kMaxScale);
}
constexpr double reduced(double scale) {
    return std::max(scale / kStep, kMinScale);
}
} // namespace zoom

// The scrollable picture: scaled as a whole by its scale, with the nearest pixel (no
// smoothing), placed by its scroll offset.
class ChartViewer final : public QAbstractScrollArea {
    Q_OBJECT

public:
    ChartViewer(QImage picture, QWidget* parent);

    double scale() const { return scale_; }
    void setScale(double scale);
    QPoint scrollOffset() const;
    void scrollBy(int dx, int dy);
    // The picture's size in the window's pixels at scale 1.
    QSize pictureSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void updateScrollBars();

    QImage picture_;
    double scale_ = zoom::kMinScale;
    int wheelRest_ = 0; // part of a wheel notch not acted on yet
};

class TfrmChartZoom final : public QWidget {
    Q_OBJECT

public:
    // Opens a zoom window of `picture` owned by `owner` (a chart window), captioned after the
    // owner's `caption`, at the picture's size in the middle of the screen.
    static TfrmChartZoom* open(QWidget& owner, QImage picture, const QString& caption);

    ChartViewer* viewer() const { return viewer_; }

private:
    TfrmChartZoom(QWidget& owner, QImage picture, const QString& caption);

    ChartViewer* viewer_ = nullptr;
};

} // namespace qm
