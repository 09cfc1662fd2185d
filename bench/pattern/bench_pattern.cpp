// Times whole-text matches of the program's own patterns, on realistic and
// on 10 kB subjects, with this engine, std::regex (ECMAScript) and PCRE2's
// interpreter (no JIT), and prints the figures and the ratios.
//
//   bench_pattern [milliseconds per measurement, default 300]
#define PCRE2_CODE_UNIT_WIDTH 0
#include <pcre2.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "Pattern.h"

namespace {

using Clock = std::chrono::steady_clock;
double g_budget_ms = 300;

// Nanoseconds per call of FN (which returns whether it matched); EXPECT is
// the answer every engine must give.
template <class Fn> double Time(Fn fn, bool expect, bool *agree)
{
    if (fn() != expect)
        *agree = false;
    long n = 0;
    auto t0 = Clock::now();
    double elapsed = 0;
    do {
        for (int i = 0; i < 16; i++)
            fn();
        n += 16;
        elapsed = std::chrono::duration<double, std::nano>(Clock::now() - t0).count();
    } while (elapsed < g_budget_ms * 1e6);
    return elapsed / n;
}

struct Pcre8 {
    pcre2_code_8 *code;
    pcre2_match_data_8 *md;
    Pcre8(const std::string &pat, uint32_t opts)
    {
        int err;
        PCRE2_SIZE off;
        code = pcre2_compile_8(reinterpret_cast<PCRE2_SPTR8>(pat.c_str()), pat.size(), opts, &err, &off, nullptr);
        if (!code) {
            std::fprintf(stderr, "pcre2 compile failed: %s\n", pat.c_str());
            std::exit(1);
        }
        md = pcre2_match_data_create_from_pattern_8(code, nullptr);
    }
    ~Pcre8()
    {
        pcre2_match_data_free_8(md);
        pcre2_code_free_8(code);
    }
    bool operator()(const std::string &s) const
    {
        return pcre2_match_8(code, reinterpret_cast<PCRE2_SPTR8>(s.data()), s.size(), 0,
                             PCRE2_ANCHORED | PCRE2_ENDANCHORED, md, nullptr) >= 0;
    }
};

struct Pcre32 {
    pcre2_code_32 *code;
    pcre2_match_data_32 *md;
    Pcre32(const std::wstring &pat, uint32_t opts)
    {
        int err;
        PCRE2_SIZE off;
        code = pcre2_compile_32(reinterpret_cast<PCRE2_SPTR32>(pat.c_str()), pat.size(), opts, &err, &off, nullptr);
        if (!code) {
            std::fprintf(stderr, "pcre2 compile failed\n");
            std::exit(1);
        }
        md = pcre2_match_data_create_from_pattern_32(code, nullptr);
    }
    ~Pcre32()
    {
        pcre2_match_data_free_32(md);
        pcre2_code_free_32(code);
    }
    bool operator()(const std::wstring &s) const
    {
        return pcre2_match_32(code, reinterpret_cast<PCRE2_SPTR32>(s.data()), s.size(), 0,
                              PCRE2_ANCHORED | PCRE2_ENDANCHORED, md, nullptr) >= 0;
    }
};

int g_slower = 0;

void Report(const char *name, double ours, double stdre, double pcre, bool agree)
{
    std::printf("%-34s %12.0f %12.0f %12.0f %8.2f %8.2f%s\n", name, ours, stdre, pcre, ours / stdre, ours / pcre,
                agree ? "" : "  (engines disagree!)");
    if (ours > stdre || ours > 3 * pcre)
        g_slower++;
}

// One narrow case: our pattern text (DotAll), the same for std::regex with
// "." spelled [\s\S], and the subject.
void Narrow(const char *name, const std::string &pat, const std::string &ecma, const std::string &subject,
            bool expect)
{
    auto p = Pattern::Compile(pat, Pattern::DotAll);
    auto m = p->NewMatcher(subject);
    std::regex re(ecma, std::regex::ECMAScript);
    Pcre8 pc(pat, PCRE2_DOTALL);
    bool agree = true;
    double ours = Time([&] { return m->Matches(); }, expect, &agree);
    double stdre = Time([&] { return std::regex_match(subject, re); }, expect, &agree);
    double pcre = Time([&] { return pc(subject); }, expect, &agree);
    Report(name, ours, stdre, pcre, agree);
}

void Wide(const char *name, const std::wstring &pat, const std::wstring &ecma, const std::wstring &subject,
          bool expect)
{
    auto p = UPattern::Compile(pat, UPattern::DotAll);
    auto m = p->NewMatcher(subject);
    std::wregex re(ecma, std::regex::ECMAScript);
    Pcre32 pc(pat, PCRE2_DOTALL);
    bool agree = true;
    double ours = Time([&] { return m->Matches(); }, expect, &agree);
    double stdre = Time([&] { return std::regex_match(subject, re); }, expect, &agree);
    double pcre = Time([&] { return pc(subject); }, expect, &agree);
    Report(name, ours, stdre, pcre, agree);
}

std::wstring Widen(const std::string &s)
{
    return std::wstring(s.begin(), s.end());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1)
        g_budget_ms = std::atof(argv[1]);

    const std::string version = ".*(\\d+\\.\\d+\\.\\d+\\.\\d+).*";
    const std::string version_ecma = "[\\s\\S]*(\\d+\\.\\d+\\.\\d+\\.\\d+)[\\s\\S]*";
    const std::string kernel = "(\\d+\\.\\d+\\.\\d+).*";
    const std::string kernel_ecma = "(\\d+\\.\\d+\\.\\d+)[\\s\\S]*";
    const std::string query = "HBA=(.+),.*PCI ID=(\\w{1,4}),.*VID=(\\w{1,4}),.*SSID=(\\w{1,4}),.*SVID=(\\w{1,4}),"
                              ".*Firmware=(.+),.*Boot Code=([\\w\\.]+).*";
    std::string query_ecma;
    for (char c : query)
        query_ecma += c == '.' ? std::string("[\\s\\S]") : std::string(1, c);
    // Keep escaped points as points.
    for (size_t at; (at = query_ecma.find("\\[\\s\\S]")) != std::string::npos;)
        query_ecma.replace(at, 7, "\\.");

    // Realistic subjects.
    const std::string bios = "Telvarn BIOS 3.0.3.0 (build 17)";
    const std::string release = "2.6.32-71.el6.x86_64";
    const std::string line = "HBA=LPe12002-M8, Port WWN=10:00:00:00:c9:9a:7e:2c, Node WWN=20:00:00:00:c9:9a:7e:2c, "
                             "PCI ID=F100, VID=10DF, SSID=F100, SVID=10DF, Firmware=US2.02A2, Boot Code=UU5.12a3";
    // 10 kB subjects: a version in the middle of tool output, a long release
    // suffix, a query line with a long run of extra fields.
    std::string filler;
    while (filler.size() < 5000)
        filler += "adapter state ok; link up; speed auto; temperature 41 C\n";
    const std::string bios10k = filler + "BIOS 3.0.3.0\n" + filler;
    const std::string release10k = "3.0.13-" + std::string(10000, 'x');
    std::string fields;
    while (fields.size() < 10000)
        fields += "Port Speed=8G, Link=Up, ";
    const std::string line10k = "HBA=LPe12002-M8, " + fields +
                                "PCI ID=F100, VID=10DF, SSID=F100, SVID=10DF, Firmware=US2.02A2, Boot Code=UU5.12a3";

    std::printf("ns per whole-text match (ratio = this engine / other; goals: <= 1 vs std::regex, "
                "<= 3 vs PCRE2)\n");
    std::printf("%-34s %12s %12s %12s %8s %8s\n", "case", "engine", "std::regex", "pcre2", "/regex", "/pcre2");
    Narrow("version, realistic", version, version_ecma, bios, true);
    Narrow("version, 10 kB", version, version_ecma, bios10k, true);
    Narrow("version, 10 kB, no version", version, version_ecma, filler + filler, false);
    Narrow("kernel release, realistic", kernel, kernel_ecma, release, true);
    Narrow("kernel release, 10 kB", kernel, kernel_ecma, release10k, true);
    Narrow("query line, realistic", query, query_ecma, line, true);
    Narrow("query line, 10 kB", query, query_ecma, line10k, true);
    Wide("wide version, realistic", Widen(version), Widen(version_ecma), Widen(bios), true);
    Wide("wide version, 10 kB", Widen(version), Widen(version_ecma), Widen(bios10k), true);
    Wide("wide kernel release, realistic", Widen(kernel), Widen(kernel_ecma), Widen(release), true);
    Wide("wide kernel release, 10 kB", Widen(kernel), Widen(kernel_ecma), Widen(release10k), true);
    std::printf("cases missing a goal: %d\n", g_slower);
    return 0;
}
