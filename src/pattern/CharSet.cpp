#include "CharSet.h"

#include <algorithm>

bool CharSet::HasWide(uint32_t c) const
{
    auto it = std::upper_bound(wide_.begin(), wide_.end(), c,
                               [](uint32_t v, const std::pair<uint32_t, uint32_t> &r) { return v < r.first; });
    if (it == wide_.begin())
        return false;
    --it;
    return c <= it->second;
}

bool CharSet::Empty() const
{
    return !(bits_[0] | bits_[1] | bits_[2] | bits_[3]) && wide_.empty();
}

void CharSet::Add(uint32_t c)
{
    if (c < 256)
        bits_[c >> 6] |= uint64_t(1) << (c & 63);
    else
        AddRange(c, c);
}

void CharSet::AddRange(uint32_t lo, uint32_t hi)
{
    if (lo > hi)
        return;
    for (; lo < 256 && lo <= hi; lo++)
        bits_[lo >> 6] |= uint64_t(1) << (lo & 63);
    if (lo > hi || lo < 256)
        return;
    wide_.emplace_back(lo, hi);
    Normalize();
}

void CharSet::AddSorted(std::vector<uint32_t> codes)
{
    std::sort(codes.begin(), codes.end());
    size_t i = 0;
    while (i < codes.size()) {
        uint32_t lo = codes[i], hi = lo;
        while (++i < codes.size() && codes[i] <= hi + 1)
            hi = codes[i];
        wide_.emplace_back(lo, hi);
    }
    Normalize();
}

void CharSet::Normalize()
{
    std::sort(wide_.begin(), wide_.end());
    std::vector<std::pair<uint32_t, uint32_t>> out;
    for (const auto &r : wide_) {
        if (!out.empty() && (out.back().second == UINT32_MAX || r.first <= out.back().second + 1))
            out.back().second = std::max(out.back().second, r.second);
        else
            out.push_back(r);
    }
    wide_.swap(out);
}

void CharSet::Union(const CharSet &other)
{
    for (int i = 0; i < 4; i++)
        bits_[i] |= other.bits_[i];
    if (!other.wide_.empty()) {
        wide_.insert(wide_.end(), other.wide_.begin(), other.wide_.end());
        Normalize();
    }
}

void CharSet::Intersect(const CharSet &other)
{
    for (int i = 0; i < 4; i++)
        bits_[i] &= other.bits_[i];
    std::vector<std::pair<uint32_t, uint32_t>> out;
    size_t a = 0, b = 0;
    while (a < wide_.size() && b < other.wide_.size()) {
        uint32_t lo = std::max(wide_[a].first, other.wide_[b].first);
        uint32_t hi = std::min(wide_[a].second, other.wide_[b].second);
        if (lo <= hi)
            out.emplace_back(lo, hi);
        if (wide_[a].second < other.wide_[b].second)
            a++;
        else
            b++;
    }
    wide_.swap(out);
}

void CharSet::Complement255()
{
    for (auto &w : bits_)
        w = ~w;
    wide_.clear();
}

uint64_t CharSet::Count() const
{
    uint64_t n = 0;
    for (auto w : bits_)
        n += static_cast<uint64_t>(__builtin_popcountll(w));
    for (const auto &r : wide_)
        n += uint64_t(r.second) - r.first + 1;
    return n;
}
