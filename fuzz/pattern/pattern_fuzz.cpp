// Random pattern/subject pairs: compile and match in both widths, never
// crash. Input: one flags byte, then the pattern, a NUL byte, the subject.
// Syntax errors are reported on standard error; run libFuzzer with
// -close_fd_mask=2 to keep them out of sight.
#include <cstdint>
#include <string>

#include "Pattern.h"

namespace {

// Backtracking is exponential in the worst case; a small step budget and
// short subjects keep every input quick.
constexpr size_t kMaxSubject = 64;
constexpr long kSteps = 200000;
constexpr size_t kMaxPattern = 200;

template <class P> void Exercise(const typename P::String &pat, const typename P::String &subj, unsigned long flags)
{
    auto p = P::Compile(pat, flags);
    if (!p)
        return;
    auto m = p->NewMatcher(subj);
    m->SetStepLimit(kSteps);
    if (m->Matches()) {
        for (int i = 0; i < m->GroupCount(); i++) {
            int a = m->GroupStart(i), b = m->GroupEnd(i);
            if (a >= 0 && b >= a && static_cast<size_t>(b) > subj.size())
                __builtin_trap();
            (void)m->Group(i);
        }
    }
    int n = 0;
    for (bool ok = m->FindFirst(); ok && n < 64; ok = m->FindNext(), n++)
        (void)m->Groups(true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    unsigned long flags = data[0] & 31;
    std::string rest(reinterpret_cast<const char *>(data + 1), size - 1);
    size_t nul = rest.find('\0');
    std::string pat = rest.substr(0, nul);
    std::string subj = nul == std::string::npos ? std::string() : rest.substr(nul + 1);
    if (pat.size() > kMaxPattern || subj.size() > kMaxSubject)
        return 0;
    Exercise<Pattern>(pat, subj, flags);
    // Wide text: bytes above 0x7f become code points above 255 so that
    // complements and wide ranges get exercised too.
    std::wstring wpat, wsubj;
    for (unsigned char c : pat)
        wpat += static_cast<wchar_t>(c < 0xf0 ? c : 0x3000 + c);
    for (unsigned char c : subj)
        wsubj += static_cast<wchar_t>(c < 0xf0 ? c : 0x3000 + c);
    Exercise<UPattern>(wpat, wsubj, flags);
    return 0;
}
