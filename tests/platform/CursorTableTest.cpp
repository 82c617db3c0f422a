#include "platform/CursorTable.h"

#include "support/GuiApplication.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace qm::platform {
namespace {

class CursorTable : public testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureGuiApplication(); }
};

// Every slot has its drawing at both sizes: 32 by 32 device-independent pixels, in plain black
// and white, its hotspot inside the drawing and on or right beside a drawn pixel.
TEST_F(CursorTable, EverySlotLoadsWithItsHotspotOnTheDrawing) {
    for (const qreal ratio : {1.0, 2.0}) {
        for (int n = 1; n <= kCursorSlotCount; ++n) {
            SCOPED_TRACE(testing::Message() << "slot " << n << " at ratio " << ratio);
            const QCursor cursor = loadCursor(static_cast<CursorSlot>(n), ratio);
            ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
            const QPixmap pixmap = cursor.pixmap();
            EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(32, 32));

            const QPoint hot = cursor.hotSpot();
            ASSERT_TRUE(QRect(0, 0, 32, 32).contains(hot)) << hot.x() << "," << hot.y();

            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            const int scale = static_cast<int>(ratio);
            bool drawnNearHotspot = false;
            for (int y = hot.y() * scale - scale; y <= hot.y() * scale + scale; ++y)
                for (int x = hot.x() * scale - scale; x <= hot.x() * scale + scale; ++x)
                    if (image.valid(x, y) && qAlpha(image.pixel(x, y)) != 0)
                        drawnNearHotspot = true;
            EXPECT_TRUE(drawnNearHotspot);

            int greyPixels = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    const bool plain = qAlpha(p) == 0 ||
                                       (qAlpha(p) == 255 && qRed(p) == qGreen(p) &&
                                        qGreen(p) == qBlue(p) && (qRed(p) == 0 || qRed(p) == 255));
                    if (!plain) ++greyPixels;
                }
            EXPECT_EQ(greyPixels, 0);
        }
    }
}

TEST_F(CursorTable, CursorsAreKeptOnceLoaded) {
    loadCursorTable();
    const QCursor first = cursorFor(CursorSlot::ReadOut);
    EXPECT_EQ(first.shape(), Qt::BitmapCursor);
    EXPECT_EQ(first.pixmap().cacheKey(), cursorFor(CursorSlot::ReadOut).pixmap().cacheKey());
    EXPECT_NE(first.pixmap().cacheKey(), cursorFor(CursorSlot::LineCross).pixmap().cacheKey());
}

} // namespace
} // namespace qm::platform
