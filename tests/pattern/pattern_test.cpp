// Pattern engine: syntax, matching semantics, the program's own patterns,
// syntax-error reports, the extra operations, and long subjects.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "NFANode.h"
#include "Pattern.h"

namespace {

constexpr unsigned long CI = Pattern::IgnoreCase;
constexpr unsigned long LIT = Pattern::Literal;
constexpr unsigned long DA = Pattern::DotAll;
constexpr unsigned long ML = Pattern::Multiline;
constexpr unsigned long UL = Pattern::UnixLines;

std::wstring W(const std::string &s)
{
    return std::wstring(s.begin(), s.end());
}

std::vector<std::wstring> W(const std::vector<std::string> &v)
{
    std::vector<std::wstring> out;
    for (const auto &s : v)
        out.push_back(W(s));
    return out;
}

// One whole-text match: does SUBJECT match, and (when it does) the groups
// from group 0.
struct WholeCase {
    const char *pattern;
    unsigned long flags;
    std::string subject;
    bool matches;
    std::vector<std::string> groups;
};

void PrintTo(const WholeCase &c, std::ostream *os)
{
    *os << "/" << c.pattern << "/ flags " << c.flags << " on \"" << c.subject << "\"";
}

// Every case runs through both widths: the same engine must give the same
// answer for narrow and wide text.
void CheckWhole(const WholeCase &c)
{
    std::ostringstream name;
    PrintTo(c, &name);
    SCOPED_TRACE(name.str());
    auto p = Pattern::Compile(c.pattern, c.flags);
    ASSERT_TRUE(p);
    auto m = p->NewMatcher(c.subject);
    ASSERT_EQ(m->Matches(), c.matches);
    if (c.matches) {
        EXPECT_EQ(m->Groups(true), c.groups);
    } else {
        EXPECT_EQ(m->Group(0), "");
    }

    auto up = UPattern::Compile(W(c.pattern), c.flags);
    ASSERT_TRUE(up);
    auto um = up->NewMatcher(W(c.subject));
    ASSERT_EQ(um->Matches(), c.matches);
    if (c.matches) {
        EXPECT_EQ(um->Groups(true), W(c.groups));
    }
}

// The constructs of the syntax, one or two cases each.
const WholeCase kSyntaxCases[] = {
        // characters, dot and its flags
        WholeCase{"abc", 0, "abc", true, {"abc"}},
        WholeCase{"abc", 0, "abd", false, {}},
        WholeCase{"a.c", 0, "a\nc", false, {}},
        WholeCase{"a.c", 0, "a\rc", false, {}},
        WholeCase{"a.c", UL, "a\rc", true, {"a\rc"}},
        WholeCase{"a.c", UL, "a\nc", false, {}},
        WholeCase{"a.c", DA, "a\nc", true, {"a\nc"}},
        WholeCase{"a.c", DA | UL, "a\nc", true, {"a\nc"}},
        // classes: ranges, escapes, nesting, intersection, complement
        WholeCase{"[a-c]+", 0, "abcba", true, {"abcba"}},
        WholeCase{"[a-c]+", 0, "abd", false, {}},
        WholeCase{"[\\d.]+", 0, "1.2.3", true, {"1.2.3"}},
        WholeCase{"[a[0-9]]+", 0, "a1b", false, {}},
        WholeCase{"[a[0-9]]+", 0, "a19a", true, {"a19a"}},
        WholeCase{"[a-z&&[^aeiou]]+", 0, "bcd", true, {"bcd"}},
        WholeCase{"[a-z&&[^aeiou]]+", 0, "bad", false, {}},
        WholeCase{"[^a]", 0, "b", true, {"b"}},
        WholeCase{"[^a]", 0, "a", false, {}},
        WholeCase{"[]a]+", 0, "]a]", true, {"]a]"}},
        WholeCase{"[a-]+", 0, "-a-", true, {"-a-"}},
        WholeCase{"[\\x41-\\x43]+", 0, "ABC", true, {"ABC"}},
        WholeCase{"[^\\d]", 0, "5", false, {}},
        WholeCase{"[A-Z]+", CI, "abC", true, {"abC"}},
        WholeCase{"[^a]", CI, "A", false, {}},
        WholeCase{"[^a]", CI, "B", true, {"B"}},
        // anchors and line boundaries
        WholeCase{"^abc$", 0, "abc", true, {"abc"}},
        WholeCase{"a$\\nb", 0, "a\nb", false, {}},
        WholeCase{"a$\\n^b", ML, "a\nb", true, {"a\nb"}},
        WholeCase{"a$\\r^b", ML, "a\rb", true, {"a\rb"}},
        WholeCase{"\\Aab\\z", 0, "ab", true, {"ab"}},
        WholeCase{"ab\\Z\\n", 0, "ab\n", true, {"ab\n"}},
        WholeCase{"ab\\Z\\r\\n", 0, "ab\r\n", true, {"ab\r\n"}},
        WholeCase{"ab\\z\\n", 0, "ab\n", false, {}},
        // word boundaries look at ASCII letters only; at the end of the
        // subject both forms succeed
        WholeCase{"x\\b1", 0, "x1", true, {"x1"}},
        WholeCase{"x\\B1", 0, "x1", false, {}},
        WholeCase{"ab\\Bc", 0, "abc", true, {"abc"}},
        WholeCase{"ab\\bc", 0, "abc", false, {}},
        WholeCase{"1\\B2", 0, "12", true, {"12"}},
        WholeCase{"a\\B", 0, "a", true, {"a"}},
        WholeCase{"a\\b", 0, "a", true, {"a"}},
        // predefined and named classes
        WholeCase{"\\d\\D\\s\\S\\w\\W", 0, "1x\tyz.", true, {"1x\tyz."}},
        WholeCase{"\\w+", 0, "a_Z9", true, {"a_Z9"}},
        WholeCase{"\\s", 0, "\v", false, {}},
        WholeCase{"\\p{Space}", 0, "\v", true, {"\v"}},
        WholeCase{"\\p{Lower}\\p{Upper}\\p{Alpha}\\p{Digit}\\p{Alnum}", 0, "aBc1z", true, {"aBc1z"}},
        WholeCase{"\\p{Punct}+", 0, "!/:@[`{~", true, {"!/:@[`{~"}},
        WholeCase{"\\p{Graph}", 0, " ", false, {}},
        WholeCase{"\\p{Blank}\\p{Cntrl}\\p{ASCII}\\p{XDigit}", 0, "\t\x7f~F", true, {"\t\x7f~F"}},
        WholeCase{"\\P{Digit}", 0, "7", false, {}},
        WholeCase{"[\\p{Digit}x]+", 0, "1x2", true, {"1x2"}},
        WholeCase{"\\P{Lower}", CI, "A", false, {}},
        // character escapes; \e is the carriage return here
        WholeCase{"\\t\\r\\n\\f\\a\\e", 0, "\t\r\n\f\a\r", true, {"\t\r\n\f\a\r"}},
        WholeCase{"\\0101\\041\\0411", 0, "A!!1", true, {"A!!1"}},
        WholeCase{"\\x41\\x7a", 0, "Az", true, {"Az"}},
        WholeCase{"\\Qa.b*\\E+", 0, "a.b*a.b*", true, {"a.b*a.b*"}},
        WholeCase{"\\Qa.b", 0, "a.b", true, {"a.b"}},
        WholeCase{"\\.\\\\\\(\\y", 0, ".\\(y", true, {".\\(y"}},
        // groups, back references
        WholeCase{"(a)(b(c))", 0, "abc", true, {"abc", "a", "bc", "c"}},
        WholeCase{"(?:a)(b)", 0, "ab", true, {"ab", "b"}},
        WholeCase{"(a+)b\\1", 0, "aabaa", true, {"aabaa", "aa"}},
        WholeCase{"(a+)b\\1", 0, "aaba", false, {}},
        WholeCase{"(a)?b\\1", 0, "b", true, {"b", ""}},
        WholeCase{"(a)\\1", CI, "aA", false, {}},
        WholeCase{"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\\10", 0, "abcdefghijj", true,
                  {"abcdefghijj", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
        // look-around and independent groups
        WholeCase{"a(?=b)b", 0, "ab", true, {"ab"}},
        WholeCase{"a(?!b).", 0, "ab", false, {}},
        WholeCase{"a(?!b).", 0, "ac", true, {"ac"}},
        WholeCase{"ab(?<=ab)c", 0, "abc", true, {"abc"}},
        WholeCase{"ab(?<!ab)c", 0, "abc", false, {}},
        WholeCase{"a\\)(?<=\\))b", 0, "a)b", true, {"a)b"}},
        WholeCase{"(?>a+)a", 0, "aaa", false, {}},
        WholeCase{"(?>a|ab)c", 0, "abc", false, {}},
        WholeCase{"(?:a|ab)c", 0, "abc", true, {"abc"}},
        // flag groups
        WholeCase{"(?i)abc", 0, "ABC", true, {"ABC"}},
        WholeCase{"a(?i)b", 0, "aB", true, {"aB"}},
        WholeCase{"a(?i)b", 0, "AB", false, {}},
        WholeCase{"(?i:a)b", 0, "Ab", true, {"Ab"}},
        WholeCase{"(?i:a)b", 0, "AB", false, {}},
        WholeCase{"((?i)a)b", 0, "AB", false, {}},
        WholeCase{"(?-i)a", CI, "A", false, {}},
        WholeCase{"(?s).", 0, "\n", true, {"\n"}},
        WholeCase{"(?d).", 0, "\r", true, {"\r"}},
        WholeCase{"(?m)a$\\n^b", 0, "a\nb", true, {"a\nb"}},
        WholeCase{"(?is-m:A.)", 0, "a\n", true, {"a\n"}},
        WholeCase{"abc", CI, "aBc", true, {"aBc"}},
        WholeCase{"a.c", LIT, "a.c", true, {"a.c"}},
        WholeCase{"a.c", LIT, "abc", false, {}},
        WholeCase{"A.C", LIT | CI, "a.c", true, {"a.c"}},
        // alternation
        WholeCase{"ab|cd|ef", 0, "cd", true, {"cd"}},
        WholeCase{"(a|)b", 0, "b", true, {"b", ""}},
        WholeCase{"a(b|c)*d", 0, "abcbd", true, {"abcbd", "b"}},
        // quantifiers: greedy, lazy, possessive, bounds, on groups
        WholeCase{"a*", 0, "", true, {""}},
        WholeCase{"a+", 0, "", false, {}},
        WholeCase{"a?b", 0, "b", true, {"b"}},
        WholeCase{"a{3}", 0, "aaa", true, {"aaa"}},
        WholeCase{"a{3}", 0, "aa", false, {}},
        WholeCase{"a{2,}", 0, "aaaa", true, {"aaaa"}},
        WholeCase{"a{,2}", 0, "aa", true, {"aa"}},
        WholeCase{"a{,2}", 0, "aaa", false, {}},
        WholeCase{"a{1,2}b", 0, "aab", true, {"aab"}},
        WholeCase{"(a*)(a*)", 0, "aaa", true, {"aaa", "aaa", ""}},
        WholeCase{"(a*?)(a*)", 0, "aaa", true, {"aaa", "", "aaa"}},
        WholeCase{"(a{2,3}?)(a*)", 0, "aaaa", true, {"aaaa", "aa", "aa"}},
        WholeCase{"a*+a", 0, "aaa", false, {}},
        WholeCase{"a{2,3}+a", 0, "aaaa", true, {"aaaa"}},
        WholeCase{"(ab)+", 0, "ababab", true, {"ababab", "ab"}},
        WholeCase{"(ab){2}", 0, "ababab", false, {}},
        WholeCase{"(ab){2,3}?(ab)*", 0, "abababab", true, {"abababab", "ab", "ab"}},
        WholeCase{"(a|ab)*+b", 0, "aab", true, {"aab", "a"}},
        // a possessive group loop keeps the first way its iterations ended
        WholeCase{"(a|ab)*+b", 0, "abb", false, {}},
        WholeCase{"(a|ab)*b", 0, "abb", true, {"abb", "ab"}},
        WholeCase{"(?:a|ab){1,2}+c", 0, "abc", false, {}},
        WholeCase{"(?:a|b)*?b", 0, "aab", true, {"aab"}},
        WholeCase{"(a?)*", 0, "aa", true, {"aa", ""}},
        WholeCase{"(?=a)*a", 0, "a", true, {"a"}},
        WholeCase{"(\\d+)\\.(\\d+)(?:\\.(\\d+))?", 0, "3.1", true, {"3.1", "3", "1", ""}}};

TEST(PatternWholeMatch, Syntax)
{
    for (const auto &c : kSyntaxCases)
        CheckWhole(c);
}

// The program's own patterns on realistic texts.
const WholeCase kProgramCases[] = {
        WholeCase{".*(\\d+\\.\\d+\\.\\d+\\.\\d+).*", DA, "Telvarn BIOS 3.0.3.0 (build 17)\n", true,
                  {"Telvarn BIOS 3.0.3.0 (build 17)\n", "3.0.3.0"}},
        // the greedy ".*" leaves only the last digit of a longer first field
        WholeCase{".*(\\d+\\.\\d+\\.\\d+\\.\\d+).*", DA, "fw 12.0.1.5", true, {"fw 12.0.1.5", "2.0.1.5"}},
        WholeCase{".*(\\d+\\.\\d+\\.\\d+\\.\\d+).*", DA, "3.0.3", false, {}},
        WholeCase{"(\\d+\\.\\d+\\.\\d+).*", DA, "2.6.32-5-amd64", true, {"2.6.32-5-amd64", "2.6.32"}},
        WholeCase{"(\\d+\\.\\d+\\.\\d+).*", DA, "3.0.13-0.27-default", true,
                  {"3.0.13-0.27-default", "3.0.13"}},
        WholeCase{"(\\d+\\.\\d+\\.\\d+).*", DA, "2.6.18-194.el5\n", true, {"2.6.18-194.el5\n", "2.6.18"}},
        WholeCase{"(\\d+\\.\\d+\\.\\d+).*", DA, "linux-2.6", false, {}},
        WholeCase{"\\d+", 0, "0123", true, {"0123"}},
        WholeCase{"\\d+", 0, "12a", false, {}},
        WholeCase{"\\d+", 0, "", false, {}},
        // a release file ending in a newline: ".*" runs over the line ends
        WholeCase{".*Linux.*", DA | ML, "NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n", true,
                  {"NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n"}},
        WholeCase{
            "HBA=(.+),.*PCI ID=(\\w{1,4}),.*VID=(\\w{1,4}),.*SSID=(\\w{1,4}),.*SVID=(\\w{1,4}),.*Firmware=(.+),.*"
            "Boot Code=([\\w\\.]+).*",
            DA,
            "HBA=LPe12002-M8, Port WWN=10:00:00:00:c9:9a:7e:2c, PCI ID=F100, VID=10DF, SSID=F100, SVID=10DF, "
            "Firmware=US2.02A2, Boot Code=UU5.12a3",
            true,
            {"HBA=LPe12002-M8, Port WWN=10:00:00:00:c9:9a:7e:2c, PCI ID=F100, VID=10DF, SSID=F100, SVID=10DF, "
             "Firmware=US2.02A2, Boot Code=UU5.12a3",
             "LPe12002-M8, Port WWN=10:00:00:00:c9:9a:7e:2c", "F100", "10DF", "F100", "10DF", "US2.02A2",
             "UU5.12a3"}},
        WholeCase{
            "HBA=(.+),.*PCI ID=(\\w{1,4}),.*VID=(\\w{1,4}),.*SSID=(\\w{1,4}),.*SVID=(\\w{1,4}),.*Firmware=(.+),.*"
            "Boot Code=([\\w\\.]+).*",
            DA, "HBA=OCe11102, PCI ID=0710, VID=10DF, SSID=E602, SVID=10DF, Firmware=4.1.450.7", false, {}}};

TEST(PatternWholeMatch, ProgramPatterns)
{
    for (const auto &c : kProgramCases)
        CheckWhole(c);
}

// Searching: the first match found, or none.
struct FindCase {
    const char *pattern;
    unsigned long flags;
    const char *subject;
    std::vector<std::string> all; // every group-0 text FindAll returns
};

void PrintTo(const FindCase &c, std::ostream *os)
{
    *os << "/" << c.pattern << "/ in \"" << c.subject << "\"";
}

void CheckFind(const FindCase &c)
{
    std::ostringstream name;
    PrintTo(c, &name);
    SCOPED_TRACE(name.str());
    auto p = Pattern::Compile(c.pattern, c.flags);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->NewMatcher(c.subject)->FindAll(), c.all);
    auto up = UPattern::Compile(W(c.pattern), c.flags);
    ASSERT_TRUE(up);
    EXPECT_EQ(up->NewMatcher(W(c.subject))->FindAll(), W(c.all));
}

const FindCase kFindCases[] = {FindCase{"a{2,3}?", 0, "aaa", {"aa"}}, FindCase{"a{2,3}+a", 0, "aaa", {}},
                    FindCase{"a{2,3}", 0, "aaaaaaa", {"aaa", "aaa"}}, FindCase{"\\d+", 0, "a1b22c333", {"1", "22", "333"}},
                    // \G pins each search to where the last match ended
                    FindCase{"\\Ga", 0, "aaba", {"a", "a"}}, FindCase{"a", 0, "aaba", {"a", "a", "a"}},
                    // an anchored pattern does not move forward
                    FindCase{"^a", 0, "aaa", {"a"}}, FindCase{"\\Aa", 0, "ba", {}},
                    FindCase{"^a", ML, "a\nb\na", {"a", "a"}},
                    // empty matches advance by one; none is tried at the very end
                    FindCase{"x*", 0, "ab", {"", ""}}, FindCase{"", 0, "", {""}},
                    FindCase{"\\bv\\w+", 0, "v1 vx av vy", {"v1", "vx", "vy"}},
                    FindCase{"(?<=\\$)\\d+", 0, "a$12 b$3", {"12", "3"}},
                    FindCase{"b(?=c)", 0, "bbc", {"b"}}, FindCase{"ab|b", CI, "AB b", {"AB", "b"}}};

TEST(PatternFind, AllMatchesInBothWidths)
{
    for (const auto &c : kFindCases)
        CheckFind(c);
}

TEST(PatternWide, ComplementStaysWithinByteCodes)
{
    // A complement covers the codes 0 to 255 only, in the wide variant too.
    EXPECT_FALSE(UPattern::Matches(L"[^a]", L"\u0394"));
    EXPECT_TRUE(UPattern::Matches(L"[^a]", L"\u00ff"));
    EXPECT_FALSE(UPattern::Matches(L"\\D", L"\u0394"));
    EXPECT_FALSE(UPattern::Matches(L"\\W", L"\u4e2d"));
    // ...while "." and listed wide characters take any code.
    EXPECT_TRUE(UPattern::Matches(L".", L"\u4e2d"));
    EXPECT_TRUE(UPattern::Matches(L"[\u0391-\u03a9]+", L"\u0394\u03a3"));
    EXPECT_TRUE(UPattern::Matches(L"\u4e2d+x", L"\u4e2d\u4e2dx"));
}

TEST(PatternWide, KernelReleaseAndVersionPatterns)
{
    auto p = UPattern::Compile(L"(\\d+\\.\\d+\\.\\d+).*", UPattern::DotAll);
    ASSERT_TRUE(p);
    auto m = p->NewMatcher(L"2.6.32-71.el6.x86_64");
    ASSERT_TRUE(m->Matches());
    EXPECT_EQ(m->Group(1), L"2.6.32");
    EXPECT_EQ(m->GroupStart(1), 0);
    EXPECT_EQ(m->GroupEnd(1), 6);
    EXPECT_EQ(m->Groups(false), std::vector<std::wstring>{L"2.6.32"});
}

TEST(PatternGroups, OutOfRangeAndFailedMatchGiveEmptyTexts)
{
    auto p = Pattern::Compile("(a)(b)?");
    ASSERT_TRUE(p);
    auto m = p->NewMatcher("a");
    ASSERT_TRUE(m->Matches());
    EXPECT_EQ(m->Group(2), "");
    EXPECT_EQ(m->GroupStart(2), -1);
    EXPECT_EQ(m->Group(3), "");
    EXPECT_EQ(m->Group(-1), "");
    EXPECT_EQ(m->GroupStart(7), -1);
    EXPECT_EQ(m->GroupCount(), 3);

    m->SetText("x");
    EXPECT_FALSE(m->Matches());
    EXPECT_EQ(m->Group(0), "");
    EXPECT_EQ(m->Group(1), "");
    EXPECT_EQ(m->GroupStart(0), -1);
}

TEST(PatternMatcher, FindNextContinuesAndStopsAndResetRestarts)
{
    auto p = Pattern::Compile("\\d");
    auto m = p->NewMatcher("1a2");
    EXPECT_TRUE(m->FindNext()); // nothing found yet: starts from the beginning
    EXPECT_EQ(m->Group(), "1");
    EXPECT_TRUE(m->FindNext());
    EXPECT_EQ(m->Group(), "2");
    EXPECT_EQ(m->GroupStart(), 2);
    EXPECT_FALSE(m->FindNext());
    EXPECT_FALSE(m->FindNext()); // stays exhausted
    m->Reset();
    EXPECT_TRUE(m->FindNext());
    EXPECT_EQ(m->Group(), "1");
    EXPECT_TRUE(m->FindFirst());
    EXPECT_EQ(m->Group(), "1");
    m->SetText("zz9");
    EXPECT_TRUE(m->FindFirst());
    EXPECT_EQ(m->GroupStart(), 2);
}

// Syntax errors: no pattern, and the pattern, a caret line and the message
// on standard error.
struct ErrorCase {
    const char *pattern;
    std::string report;
};


const char kPlain[] = "Syntax Error near here. \n";
const char kMeta[] = "Syntax Error near here. Possible unescaped meta character.\n";

void CheckError(const ErrorCase &c)
{
    SCOPED_TRACE(c.pattern);
    testing::internal::CaptureStderr();
    auto p = Pattern::Compile(c.pattern);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(p);
    EXPECT_EQ(err, c.report);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(UPattern::Compile(W(c.pattern)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.report);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(Pattern::Matches(c.pattern, "anything"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.report);
}

const ErrorCase kErrorCases[] = {ErrorCase{"(ab", std::string("(ab\n   ^\n") + kPlain},          // unclosed group
                    ErrorCase{"ab)", std::string("ab)\n  ^\n") + kMeta},           // ")" without "("
                    ErrorCase{"a**", std::string("a**\n  ^\n") + kMeta},           // quantifier, no element
                    ErrorCase{"x|?", std::string("x|?\n  ^\n") + kMeta},
                    ErrorCase{"(+)", std::string("(+)\n ^\n") + kMeta},
                    ErrorCase{"ab]", std::string("ab]\n  ^\n") + kMeta},
                    ErrorCase{"ab}", std::string("ab}\n  ^\n") + kMeta},
                    ErrorCase{"a{2,3x", std::string("a{2,3x\n     ^\n") + kPlain},  // non-digit in braces
                    ErrorCase{"a{2", std::string("a{2\n ^\n") + kPlain},           // "{" without "}"
                    ErrorCase{"a{3,2}", std::string("a{3,2}\n     ^\n") + kMeta},
                    ErrorCase{"{2}", std::string("{2}\n ^\n") + kPlain},
                    ErrorCase{"[abc", std::string("[abc\n    ^\n") + kPlain},       // unclosed class
                    ErrorCase{"[z-a]", std::string("[z-a]\n   ^\n") + kPlain},      // bad range
                    ErrorCase{"[\\d-z]", std::string("[\\d-z]\n   ^\n") + kPlain},
                    ErrorCase{"ab\\", std::string("ab\\\n  ^\n") + kPlain},         // backslash at the end
                    ErrorCase{"\\08", std::string("\\08\n  ^\n") + kPlain},          // bad octal
                    ErrorCase{"\\0", std::string("\\0\n  ^\n") + kPlain},
                    ErrorCase{"\\x4g", std::string("\\x4g\n   ^\n") + kPlain},       // \x without two hex digits
                    ErrorCase{"\\xz", std::string("\\xz\n  ^\n") + kPlain},
                    ErrorCase{"\\p{Vowel}", std::string("\\p{Vowel}\n   ^\n") + kPlain}, // unknown class
                    ErrorCase{"\\pL", std::string("\\pL\n  ^\n") + kPlain},
                    ErrorCase{"(?x)", std::string("(?x)\n  ^\n") + kPlain},          // unknown (? form
                    ErrorCase{"(?<a)", std::string("(?<a)\n   ^\n") + kPlain},
                    ErrorCase{"a{nothing}", std::string("a{nothing}\n  ^\n") + kPlain},
                    ErrorCase{"{nothing}", std::string("{nothing}\n ^\n") + kPlain}, // not registered
                    ErrorCase{"(a)\\2", std::string("(a)\\2\n   ^\n") + kPlain},     // no such group
                    ErrorCase{"*", std::string("*\n ^\n") + kMeta}};

TEST(PatternSyntaxError, ReportsAndGivesNoPattern)
{
    for (const auto &c : kErrorCases)
        CheckError(c);
}

TEST(PatternErrors, DeepNestingIsASyntaxErrorNotACrash)
{
    std::string deep(100000, '(');
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Pattern::Compile(deep));
    testing::internal::GetCapturedStderr();
    std::string classes(100000, '[');
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Pattern::Compile(classes));
    testing::internal::GetCapturedStderr();
}

TEST(PatternDump, PrintsTheNodeChain)
{
    testing::internal::CaptureStdout();
    Pattern::Compile("a{2,3}?")->Dump();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " NFAStartNode\n"
              " NFALazyQuantifierNode(min=2, max=3)\n"
              " inner\n"
              "  NFACharNode(0x61)\n"
              "  NFAAcceptNode\n"
              " NFAEndNode\n");

    testing::internal::CaptureStdout();
    UPattern::Compile(L"^(?:[^b]x)*+")->Dump();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " NFAStartOfInputUNode\n"
              " NFAGroupLoopPrologueUNode(gi=-1)\n"
              " NFAGroupLoopUNode(gi=-1, min=0, max=2147483647, type=possessive)\n"
              " inner\n"
              "  NFASubStartUNode\n"
              "  NFAClassUNode(255 vals, inv=false)\n"
              "  NFACharUNode(0x78)\n"
              " NFAEndUNode\n");
}

TEST(PatternOperations, ReplaceSplitFindAllNth)
{
    EXPECT_EQ(Pattern::Replace("(\\w+)=(\\d+)", "a=1, b=22", "\\2:\\1"), "1:a, 22:b");
    EXPECT_EQ(Pattern::Replace("x", "axbx", "\\\\"), "a\\b\\");
    EXPECT_EQ(Pattern::Replace("(a)", "aa", "[\\12]"), "[a2][a2]"); // group 12 does not exist
    EXPECT_EQ(Pattern::Replace("z", "abc", "-"), "abc");
    EXPECT_EQ(UPattern::Replace(L"\\d", L"a1b2", L"#"), L"a#b#");

    using V = std::vector<std::string>;
    EXPECT_EQ(Pattern::Split(",", "a,,b,c"), (V{"a", "b", "c"}));
    EXPECT_EQ(Pattern::Split(",", "a,,b,c", true), (V{"a", "", "b", "c"}));
    EXPECT_EQ(Pattern::Split(",", "a,,b,c", true, 2), (V{"a", ",b,c"}));
    EXPECT_EQ(Pattern::Split(",", ",a,", true), (V{"", "a", ""}));
    EXPECT_EQ(Pattern::Split("\\s+", "no-separator"), (V{"no-separator"}));

    EXPECT_EQ(Pattern::FindAll("\\d+", "v1.22.333"), (V{"1", "22", "333"}));
    EXPECT_EQ(Pattern::FindNthMatch("\\d+", "v1.22.333", 1), std::optional<std::string>("22"));
    EXPECT_EQ(Pattern::FindNthMatch("\\d+", "v1.22.333", 3), std::nullopt);
}

TEST(PatternOperations, CacheGivesOneCompiledPatternPerTextAndFlags)
{
    Pattern::ClearCache();
    auto a = Pattern::Cached("a+b");
    auto b = Pattern::Cached("a+b");
    auto c = Pattern::Cached("a+b", Pattern::IgnoreCase);
    ASSERT_TRUE(a && c);
    EXPECT_EQ(a.get(), b.get());
    EXPECT_NE(a.get(), c.get());
    Pattern::ClearCache();
    EXPECT_TRUE(a->NewMatcher("aab")->Matches()); // still usable after the cache let go
}

TEST(PatternOperations, NamedPatterns)
{
    ASSERT_TRUE(Pattern::RegisterPattern("ver", "(\\d+)\\.(\\d+)"));
    auto p = Pattern::Compile("v{ver}-{ver}");
    ASSERT_TRUE(p);
    auto m = p->NewMatcher("v1.2-3.4");
    ASSERT_TRUE(m->Matches());
    // groups inside a named pattern count in the enclosing one
    EXPECT_EQ(m->Groups(false), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_TRUE(Pattern::Matches("{ver}{3}", "1.22.33.4"));

    // a named pattern keeps its own flags
    ASSERT_TRUE(Pattern::RegisterPattern("hex", "[0-9a-f]+", Pattern::IgnoreCase));
    EXPECT_TRUE(Pattern::Matches("0x{hex}", "0xBEEF"));
    EXPECT_FALSE(Pattern::Matches("0X{hex}", "0xBEEF"));

    // a name that refers back to itself is refused, not expanded forever
    ASSERT_TRUE(Pattern::RegisterPattern("loop", "x"));
    ASSERT_TRUE(Pattern::RegisterPattern("loop2", "{loop}"));
    ASSERT_TRUE(Pattern::RegisterPattern("loop", "{loop2}"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Pattern::Compile("{loop}"));
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");

    testing::internal::CaptureStderr();
    EXPECT_FALSE(Pattern::RegisterPattern("bad", "(")); // must compile on its own
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(Pattern::RegisterPattern("a}b", "x"));

    Pattern::UnregisterPattern("ver");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Pattern::Compile("{ver}"));
    testing::internal::GetCapturedStderr();
    Pattern::ClearRegisteredPatterns();

    ASSERT_TRUE(UPattern::RegisterPattern(L"d", L"\\d"));
    EXPECT_TRUE(UPattern::Matches(L"{d}+", L"123"));
    UPattern::ClearRegisteredPatterns();
}

TEST(PatternNodes, PatternOwnsEveryReachableNode)
{
    // A group loop links its inner chain back to itself; collecting must
    // still find each node exactly once (ASan checks the deletes).
    auto p = Pattern::Compile("(a|b(?=c)|(?<=x)d)*+(?>e|f){2}\\1");
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->Head() && !p->Head()->IsGroupHead());
    EXPECT_TRUE(Pattern::Compile("^a")->Head()->IsStartOfInput());
    EXPECT_FALSE(Pattern::Compile("^a|b")->Head()->IsStartOfInput());
}

// Long subjects: a 100 kB line must not overflow the stack. Repetitions of
// single elements run in loops and complete; recursion through group loops
// is bounded and, past the budget, fails cleanly.
TEST(PatternLongSubject, SingleElementRepetitionsComplete)
{
    std::string big(100000, 'x');
    big.replace(50000, 7, "3.0.3.0");
    auto p = Pattern::Compile(".*(\\d+\\.\\d+\\.\\d+\\.\\d+).*", Pattern::DotAll);
    auto m = p->NewMatcher(big);
    ASSERT_TRUE(m->Matches());
    EXPECT_EQ(m->Group(1), "3.0.3.0");
    EXPECT_FALSE(m->Aborted());

    EXPECT_TRUE(Pattern::Matches("[a-z]*?y", std::string(100000, 'q') + "y"));
    EXPECT_TRUE(Pattern::Matches("x++", big.substr(0, 50000)));

    std::wstring wbig(100000, L'\u4e2d');
    EXPECT_TRUE(UPattern::Matches(L".*\u4e2d", wbig));
}

TEST(PatternLongSubject, GroupLoopsCompleteOrFailCleanly)
{
    std::string ab;
    for (int i = 0; i < 50000; i++)
        ab += "ab";
    for (const char *pat : {"(ab)*", "(?:a|b)*", "(a|b)+c?", "(?:ab)*?$", "(ab)*+"}) {
        auto p = Pattern::Compile(pat);
        ASSERT_TRUE(p) << pat;
        auto m = p->NewMatcher(ab);
        bool ok = m->Matches();
        EXPECT_TRUE(ok || m->Aborted()) << pat;
        if (!ok) {
            EXPECT_EQ(m->Group(0), "") << pat;
        }
    }
    // A pattern with a very long chain of nodes behaves the same way.
    std::string longpat(200000, 'a');
    auto p = Pattern::Compile(longpat);
    ASSERT_TRUE(p);
    auto m = p->NewMatcher(longpat);
    EXPECT_TRUE(m->Matches() || m->Aborted());
}

// Backtracking can take exponential time; a match that runs past its step
// budget fails cleanly instead of hanging the caller.
TEST(PatternLongSubject, StepBudgetEndsPathologicalMatches)
{
    auto p = Pattern::Compile("(x+x+)+y");
    ASSERT_TRUE(p);
    auto m = p->NewMatcher(std::string(40, 'x'));
    m->SetStepLimit(2000000); // the default is larger; this keeps the test quick
    EXPECT_FALSE(m->Matches());
    EXPECT_TRUE(m->Aborted());
    EXPECT_EQ(m->Group(1), "");

    // The same match with a small budget fails cleanly, and a budget that
    // suffices changes nothing.
    m->SetText("xxxxy");
    m->SetStepLimit(3);
    EXPECT_FALSE(m->Matches());
    EXPECT_TRUE(m->Aborted());
    m->SetStepLimit(0);
    EXPECT_TRUE(m->Matches());
    EXPECT_FALSE(m->Aborted());
    EXPECT_EQ(m->Group(1), "xxxx");

    // A quadratic scan (digits with no point to find) stops too.
    auto v = Pattern::Compile(".*(\\d+\\.\\d+\\.\\d+\\.\\d+).*", Pattern::DotAll);
    auto vm = v->NewMatcher(std::string(100000, '1'));
    vm->SetStepLimit(2000000);
    EXPECT_FALSE(vm->Matches());
    EXPECT_TRUE(vm->Aborted());
}

} // namespace
