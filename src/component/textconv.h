// Narrow <-> wide text as the component carries it: catalogue and model texts
// are widened byte by byte and narrowed back the same way, so any byte
// sequence survives the round trip.
#pragma once

#include <string>

inline std::wstring WidenBytes(const std::string &s)
{
    std::wstring w;
    w.reserve(s.size());
    for (unsigned char c : s)
        w.push_back(static_cast<wchar_t>(c));
    return w;
}

inline std::string NarrowBytes(const std::wstring &w)
{
    std::string s;
    s.reserve(w.size());
    for (wchar_t c : w)
        s.push_back(static_cast<unsigned long>(c) < 0x100 ? static_cast<char>(c) : '?');
    return s;
}

// The C library's multibyte-to-wide conversion in the current locale; the
// result ends at the first byte that does not convert.
std::wstring WidenLocale(const std::string &s);
