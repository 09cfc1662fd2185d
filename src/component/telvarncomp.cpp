#include "telvarncomp.h"
#include "textconv.h"

#include "Pattern.h"

#include <sys/utsname.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace TelvarnComp {

namespace {

// A decimal number, saturated instead of overflowing.
int ReadNumber(const std::wstring &s, size_t &pos)
{
    long v = 0;
    while (pos < s.size() && s[pos] >= L'0' && s[pos] <= L'9') {
        v = v * 10 + (s[pos] - L'0');
        if (v > INT_MAX)
            v = INT_MAX;
        pos++;
    }
    return static_cast<int>(v);
}

// Matches SUBJECT as a whole against PATTERN (with DotAll); on a match GROUP
// receives group 1.
bool MatchWholeGroup1(const wchar_t *pattern, const std::wstring &subject, std::wstring &group)
{
    std::unique_ptr<UPattern> p = UPattern::Compile(pattern, UPattern::DotAll);
    if (!p)
        return false;
    std::unique_ptr<UMatcher> m = p->NewMatcher(subject);
    if (!m->Matches())
        return false;
    group = m->Group(1);
    return true;
}

int RunShell(const std::string &command)
{
    // Console text written so far must precede anything the child prints.
    std::fflush(stdout);
    return std::system(command.c_str());
}

} // namespace

std::wstring CComponent::ParseVersion(const std::wstring &text)
{
    // The last four-number version of the text, with its first field whole
    // (a bare leading ".*" would keep only the last digit of "10.2.0.1").
    std::wstring group;
    if (MatchWholeGroup1(L"(?:.*\\D)?(\\d+\\.\\d+\\.\\d+\\.\\d+).*", text, group))
        return group;
    return text;
}

void CComponent::BuildFirmwareItems()
{
    BuildBootRomItems(false);
}

bool CComponent::KernelNeedsNoIoctl()
{
    struct utsname u;
    if (uname(&u) != 0) {
        log.Write("Failed to read kernel version.\n");
        return false;
    }
    return KernelReleaseNeedsNoIoctl(u.release);
}

bool CComponent::KernelReleaseNeedsNoIoctl(const std::string &release)
{
    std::wstring group;
    if (!MatchWholeGroup1(L"(\\d+\\.\\d+\\.\\d+).*", WidenLocale(release), group)) {
        log.Write("uname -r: ").Write(release).Write(" is not in a proper format.\n");
        return false;
    }
    // The group is digits, one separator, digits, one separator, digits.
    size_t pos = 0;
    const int major = ReadNumber(group, pos);
    pos++;
    const int minor = ReadNumber(group, pos);
    pos++;
    const int patch = ReadNumber(group, pos);

    log.Write("Kernel : ").Write(major).Write("  ").Write("major : ").Write(minor).Write("  ")
        .Write("minor : ").Write(patch).Write("\n");
    return major > 2 || (major == 2 && minor > 6) || (major == 2 && minor == 6 && patch >= 32);
}

int CComponent::Flash()
{
    std::string command = "./tvcli boot --update ";
    command += "tva_boot_fw";
    command += " -a";

    RunShell(KernelNeedsNoIoctl() ? "cp ./noioctl/tvcli ." : "cp ./ioctl/tvcli .");
    log.Write("Executing flash engine: ").Write(command).Write("\n");

    command += LogRedirections();
    RunShell("chmod 777 ./tvcli");
    const int code = RunFlashEngine(command);
    return code == 0 ? ExitFlashed : ExitFailed;
}

} // namespace TelvarnComp
