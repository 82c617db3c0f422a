#include "CursorTable.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <array>
#include <optional>

// The cursor images are compiled into this static library, whose resource initialiser the linker
// would drop unless something calls it.
static void registerCursorImages() {
    Q_INIT_RESOURCE(cursors);
}

namespace qm::platform {
namespace {

struct CursorArt {
    const char* name;
    QPoint hotspot; // in the 32 by 32 drawing
};

// In slot order. The hotspots are where each drawing points: the fingertip, the arrow's tip, a
// crossing, the eraser's rubbing edge, the middle of a palm or a bar.
constexpr std::array<CursorArt, kCursorSlotCount> kArt = {{
    {"CRHAND_1", {15, 15}},
    {"CRDROP_3", {1, 1}},
    {"CRHAND_2", {15, 15}},
    {"CRDROP_2", {1, 1}},
    {"CRERSR_1", {7, 26}},
    {"CRXHAIR_1", {15, 15}},
    {"CRFNGR_1", {9, 2}},
    {"CRCMPR_1", {15, 15}},
    {"CREXPD_1", {15, 15}},
    {"CRFIBB_1", {10, 10}},
    {"CRANDW_1", {10, 10}},
    {"CRHCRS_1", {15, 15}},
}};

const CursorArt& artOf(CursorSlot slot) {
    return kArt[static_cast<std::size_t>(slot) - 1];
}

// The highest device pixel ratio among the screens, so that a cursor stays sharp wherever the
// mouse goes.
qreal screensPixelRatio() {
    qreal ratio = 1.0;
    if (!QGuiApplication::instance()) return ratio;
    const auto screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) ratio = std::max(ratio, screen->devicePixelRatio());
    return ratio;
}

std::array<std::optional<QCursor>, kCursorSlotCount> cachedCursors;
bool forgetAtExit = false;

// Pixmaps must not outlive the application, so the cache empties as the application ends.
void forgetCursors() {
    for (std::optional<QCursor>& cursor : cachedCursors) cursor.reset();
    forgetAtExit = false;
}

} // namespace

QCursor loadCursor(CursorSlot slot, qreal devicePixelRatio) {
    static const bool registered = (registerCursorImages(), true);
    (void)registered;
    const CursorArt& art = artOf(slot);
    const bool doubleSize = devicePixelRatio > 1.0;
    const QString path =
        QStringLiteral(":/cursors/%1%2.png")
            .arg(QLatin1String(art.name), doubleSize ? QStringLiteral("@2x") : QString());
    QPixmap pixmap(path);
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    if (doubleSize) pixmap.setDevicePixelRatio(2.0);
    return QCursor(pixmap, art.hotspot.x(), art.hotspot.y());
}

QCursor cursorFor(CursorSlot slot) {
    if (!forgetAtExit) {
        qAddPostRoutine(forgetCursors);
        forgetAtExit = true;
    }
    std::optional<QCursor>& cursor = cachedCursors[static_cast<std::size_t>(slot) - 1];
    if (!cursor) cursor = loadCursor(slot, screensPixelRatio());
    return *cursor;
}

void loadCursorTable() {
    for (int slot = 1; slot <= kCursorSlotCount; ++slot) cursorFor(static_cast<CursorSlot>(slot));
}

} // namespace qm::platform
