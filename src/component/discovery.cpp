#include "discovery.h"

namespace {

// Fields of a dotted version: empty fields between points are kept, an empty
// text after the last point is not a field.
std::vector<std::wstring> SplitFields(const std::wstring &s)
{
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        size_t dot = s.find(L'.', start);
        if (dot == std::wstring::npos) {
            if (start < s.size())
                fields.push_back(s.substr(start));
            return fields;
        }
        fields.push_back(s.substr(start, dot - start));
        start = dot + 1;
    }
}

bool AllDigits(const std::wstring &s)
{
    if (s.empty())
        return false;
    for (wchar_t c : s)
        if (c < L'0' || c > L'9')
            return false;
    return true;
}

// Numeric comparison of two digit strings of any length (no overflow).
int CompareDecimal(const std::wstring &a, const std::wstring &b)
{
    size_t ia = a.find_first_not_of(L'0');
    size_t ib = b.find_first_not_of(L'0');
    std::wstring_view va = ia == std::wstring::npos ? std::wstring_view() : std::wstring_view(a).substr(ia);
    std::wstring_view vb = ib == std::wstring::npos ? std::wstring_view() : std::wstring_view(b).substr(ib);
    if (va.size() != vb.size())
        return va.size() > vb.size() ? 1 : -1;
    int c = va.compare(vb);
    return c > 0 ? 1 : c < 0 ? -1 : 0;
}

} // namespace

int CompareVersions(const std::wstring &a, const std::wstring &b)
{
    const std::vector<std::wstring> fa = SplitFields(a);
    const std::vector<std::wstring> fb = SplitFields(b);
    for (size_t k = 0;; k++) {
        if (k >= fa.size())
            return fa.size() < fb.size() ? -1 : 0;
        if (k >= fb.size())
            return 1;
        int c;
        if (AllDigits(fa[k]) && AllDigits(fb[k]))
            c = CompareDecimal(fa[k], fb[k]);
        else
            c = fa[k].compare(fb[k]);
        if (c != 0)
            return c > 0 ? 1 : -1;
    }
}

const wchar_t *ActionWord(int comparison)
{
    if (comparison > 0)
        return L"upgrade";
    if (comparison < 0)
        return L"downgrade";
    return L"rewrite";
}
