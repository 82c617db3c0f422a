#pragma once
// The LZW string table of the GIF encoder: (prefix code, byte) -> code, held in an
// open-addressing hash table of fixed size so that no memory is allocated per code. At most
// 3,838 codes are in use between two clears, so the table never gets more than about a fifth
// full and a search always ends on a match or a free slot.

#include <array>
#include <cstdint>

namespace qm {

class GifStringTable {
public:
    static constexpr int kSlots = 17777; // 29 x 613
    static constexpr std::uint16_t kEmpty = 0xFFFF;

    GifStringTable() { clear(); }

    void clear() {
        for (Slot& s : slots_) s.code = kEmpty;
    }

    // Searches for (prefix, byte) and returns the slot the search ended on: the pair's slot
    // when it is stored, otherwise a free slot where it may be stored.
    int find(std::uint16_t prefix, std::uint8_t byte) const {
        int i = (byte << 4) ^ prefix; // below 4096, since prefix codes are
        // Stepping back by (size - first slot) visits the multiples of the first slot modulo the
        // size. When the first slot shares a factor with the size (or is 0) those are only a
        // part of the table, which could be full; such searches step by one instead.
        const int step = (i % 29 == 0 || i % 613 == 0) ? 1 : kSlots - i;
        for (;;) {
            const Slot& s = slots_[static_cast<std::size_t>(i)];
            if (s.code == kEmpty || (s.prefix == prefix && s.byte == byte)) return i;
            i -= step;
            if (i < 0) i += kSlots;
        }
    }

    bool isFree(int slot) const { return at(slot).code == kEmpty; }
    std::uint16_t code(int slot) const { return at(slot).code; }

    void store(int slot, std::uint16_t code, std::uint16_t prefix, std::uint8_t byte) {
        slots_[static_cast<std::size_t>(slot)] = {code, prefix, byte};
    }

private:
    struct Slot {
        std::uint16_t code;
        std::uint16_t prefix;
        std::uint8_t byte;
    };
    const Slot& at(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }

    std::array<Slot, kSlots> slots_;
};

} // namespace qm
