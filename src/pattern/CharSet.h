// Character sets of the pattern engine: a bitmap for codes 0..255 and a
// sorted list of disjoint ranges above that (wide text only).
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class CharSet {
public:
    bool Has(uint32_t c) const
    {
        if (c < 256)
            return (bits_[c >> 6] >> (c & 63)) & 1;
        return HasWide(c);
    }
    bool Empty() const;
    void Add(uint32_t c);
    void AddRange(uint32_t lo, uint32_t hi);
    void Union(const CharSet &other);
    void Intersect(const CharSet &other);
    // Complement within the codes 0..255; wide members are dropped.
    void Complement255();
    // Number of codes in the set.
    uint64_t Count() const;
    // Calls FN(lo, hi) for every run of consecutive members, in order.
    template <class Fn> void ForEachRange(Fn fn) const
    {
        int lo = -1;
        for (int c = 0; c <= 256; c++) {
            bool in = c < 256 && Has(static_cast<uint32_t>(c));
            if (in && lo < 0)
                lo = c;
            else if (!in && lo >= 0) {
                fn(static_cast<uint32_t>(lo), static_cast<uint32_t>(c - 1));
                lo = -1;
            }
        }
        for (const auto &r : wide_)
            fn(r.first, r.second);
    }
    // The set with every member replaced by MAP(member).
    template <class Map> CharSet Mapped(Map map) const
    {
        CharSet out;
        std::vector<uint32_t> wide;
        ForEachRange([&](uint32_t lo, uint32_t hi) {
            // Case mapping ends at the last Unicode code point; codes past it
            // stay as they are.
            uint32_t top = hi > 0x10FFFF ? 0x10FFFF : hi;
            for (uint64_t c = lo; c <= top; c++) {
                uint32_t m = map(static_cast<uint32_t>(c));
                if (m < 256)
                    out.Add(m);
                else
                    wide.push_back(m);
            }
            if (hi > 0x10FFFF)
                out.AddRange(lo > 0x10FFFF ? lo : 0x110000, hi);
        });
        out.AddSorted(std::move(wide));
        return out;
    }

private:
    bool HasWide(uint32_t c) const;
    void AddSorted(std::vector<uint32_t> codes);
    void Normalize();

    uint64_t bits_[4] = {0, 0, 0, 0};
    std::vector<std::pair<uint32_t, uint32_t>> wide_;
};
