#include "MedianCut.h"

#include <algorithm>
#include <vector>

namespace qm {
namespace {

constexpr int kSide = 32; // cells per channel
constexpr int kShift = 3; // 8-bit channel to cell

struct Cell {
    std::uint64_t count = 0;
    std::uint64_t sum[3] = {0, 0, 0}; // red, green and blue of the pixels in the cell
};

int cellIndex(int r, int g, int b) {
    return (r * kSide + g) * kSide + b;
}

int cellOf(QRgb c) {
    return cellIndex(qRed(c) >> kShift, qGreen(c) >> kShift, qBlue(c) >> kShift);
}

struct Box {
    int lo[3];
    int hi[3]; // inclusive
    std::uint64_t count = 0;

    bool canBeCut() const { return lo[0] < hi[0] || lo[1] < hi[1] || lo[2] < hi[2]; }
};

class Grid {
public:
    explicit Grid(const QImage& rgb32) : cells_(kSide * kSide * kSide) {
        for (int y = 0; y < rgb32.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
            for (int x = 0; x < rgb32.width(); ++x) {
                Cell& cell = cells_[static_cast<std::size_t>(cellOf(line[x]))];
                ++cell.count;
                cell.sum[0] += static_cast<unsigned>(qRed(line[x]));
                cell.sum[1] += static_cast<unsigned>(qGreen(line[x]));
                cell.sum[2] += static_cast<unsigned>(qBlue(line[x]));
            }
        }
    }

    const Cell& at(const int p[3]) const {
        return cells_[static_cast<std::size_t>(cellIndex(p[0], p[1], p[2]))];
    }

    // Calls f(position) for every cell of the box.
    template <typename F> void forEachCell(const Box& box, F f) const {
        int p[3];
        for (p[0] = box.lo[0]; p[0] <= box.hi[0]; ++p[0])
            for (p[1] = box.lo[1]; p[1] <= box.hi[1]; ++p[1])
                for (p[2] = box.lo[2]; p[2] <= box.hi[2]; ++p[2]) f(p);
    }

    // Shrinks the box to the bounds of its non-empty cells and counts its pixels.
    void shrink(Box& box) const {
        Box bounds{{kSide, kSide, kSide}, {-1, -1, -1}, 0};
        forEachCell(box, [&](const int p[3]) {
            const std::uint64_t n = at(p).count;
            if (n == 0) return;
            bounds.count += n;
            for (int a = 0; a < 3; ++a) {
                bounds.lo[a] = std::min(bounds.lo[a], p[a]);
                bounds.hi[a] = std::max(bounds.hi[a], p[a]);
            }
        });
        box = bounds;
    }

    // Cuts the box across its longest side, where half of its pixels lie on each side; both
    // halves keep at least one non-empty cell.
    std::pair<Box, Box> cut(const Box& box) const {
        int axis = 0;
        for (int a = 1; a < 3; ++a)
            if (box.hi[a] - box.lo[a] > box.hi[axis] - box.lo[axis]) axis = a;

        std::vector<std::uint64_t> perSlice(kSide, 0);
        forEachCell(box, [&](const int p[3]) {
            perSlice[static_cast<std::size_t>(p[axis])] += at(p).count;
        });
        int last = box.lo[axis]; // last slice of the lower half
        std::uint64_t below = perSlice[static_cast<std::size_t>(last)];
        while (last + 1 < box.hi[axis] && 2 * below < box.count)
            below += perSlice[static_cast<std::size_t>(++last)];

        Box lower = box;
        Box upper = box;
        lower.hi[axis] = last;
        upper.lo[axis] = last + 1;
        shrink(lower);
        shrink(upper);
        return {lower, upper};
    }

    RgbColour meanColour(const Box& box) const {
        std::uint64_t sum[3] = {0, 0, 0};
        forEachCell(box, [&](const int p[3]) {
            for (int a = 0; a < 3; ++a) sum[a] += at(p).sum[a];
        });
        const auto mean = [&](int a) {
            return static_cast<std::uint8_t>((sum[a] + box.count / 2) / box.count);
        };
        return {mean(0), mean(1), mean(2)};
    }

private:
    std::vector<Cell> cells_;
};

} // namespace

void indexByMedianCut(const QImage& rgb32, IndexedBitmap& out) {
    const Grid grid(rgb32);
    Box all{{0, 0, 0}, {kSide - 1, kSide - 1, kSide - 1}, 0};
    grid.shrink(all);
    std::vector<Box> boxes{all};
    while (boxes.size() < out.colours.size()) {
        auto largest = boxes.end();
        for (auto it = boxes.begin(); it != boxes.end(); ++it)
            if (it->canBeCut() && (largest == boxes.end() || it->count > largest->count))
                largest = it;
        if (largest == boxes.end()) break;
        auto [lower, upper] = grid.cut(*largest);
        *largest = lower;
        boxes.push_back(upper);
    }

    // The boxes share no cell, so each cell of the grid belongs to at most one box.
    std::vector<std::uint8_t> boxOfCell(kSide * kSide * kSide, 0);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        out.colours[i] = grid.meanColour(boxes[i]);
        grid.forEachCell(boxes[i], [&](const int p[3]) {
            boxOfCell[static_cast<std::size_t>(cellIndex(p[0], p[1], p[2]))] =
                static_cast<std::uint8_t>(i);
        });
    }

    std::uint8_t* pixel = out.pixels.data();
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        for (int x = 0; x < rgb32.width(); ++x)
            *pixel++ = boxOfCell[static_cast<std::size_t>(cellOf(line[x]))];
    }
}

} // namespace qm
