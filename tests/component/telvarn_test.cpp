#include "console_texts.h"
#include "scratch_dir.h"
#include "telvarncomp.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/utsname.h>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(TelvarnParseVersion, TakesTheLastFourNumberVersion)
{
    struct Case {
        const wchar_t *text, *expect;
    } cases[] = {
        {L"3.0.3.0", L"3.0.3.0"},
        {L"BIOS 3.0.3.0", L"3.0.3.0"},
        {L"BIOS 1.2.3.4 UEFI 5.6.7.8 (x)", L"5.6.7.8"},
        {L"ROM\n3.0.3.0\n", L"3.0.3.0"},
        // A first field of several digits stays whole.
        {L"10.2.0.1", L"10.2.0.1"},
        {L"v123.45.6.7-beta", L"123.45.6.7"},
        // Without four dotted numbers the text is kept as it is.
        {L"3.0.3", L"3.0.3"},
        {L"Undefined", L"Undefined"},
        {L"", L""},
    };
    TelvarnComp::CComponent cmp;
    for (const Case &c : cases)
        EXPECT_EQ(cmp.ParseVersion(c.text), c.expect) << testing::PrintToString(std::wstring(c.text));
}

TEST(TelvarnKernel, PicksTheUtilityBuildByRelease)
{
    struct Case {
        const char *release;
        bool noIoctl;
        std::string log;
    } cases[] = {
        {"2.6.18-194.el5", false, "Kernel : 2  major : 6  minor : 18\n"},
        {"2.6.32-71.el6.x86_64", true, "Kernel : 2  major : 6  minor : 32\n"},
        {"3.0.13-0.27-default", true, "Kernel : 3  major : 0  minor : 13\n"},
        {"2.6.9-89.ELsmp", false, "Kernel : 2  major : 6  minor : 9\n"},
        {"2.6.31.14", false, "Kernel : 2  major : 6  minor : 31\n"},
        {"2.7.0", true, "Kernel : 2  major : 7  minor : 0\n"},
        {"6.1.0-13-amd64", true, "Kernel : 6  major : 1  minor : 0\n"},
        {"99999999999.0.0", true, "Kernel : 2147483647  major : 0  minor : 0\n"},
        {"2.6", false, "uname -r: 2.6 is not in a proper format.\n"},
        {"linux-2.6.32", false, "uname -r: linux-2.6.32 is not in a proper format.\n"},
        {"", false, "uname -r:  is not in a proper format.\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.release);
        TelvarnComp::CComponent cmp;
        const std::string before = ComponentLogText();
        CaptureStdout();
        EXPECT_EQ(cmp.KernelReleaseNeedsNoIoctl(c.release), c.noIoctl);
        EXPECT_EQ(GetCapturedStdout(), c.log);
        EXPECT_EQ(ComponentLogText(), before + c.log);
    }
}

TEST(TelvarnFlash, RunsTheUtilityWithItsOutputInTheLog)
{
    struct utsname u;
    ASSERT_EQ(uname(&u), 0);

    struct Case {
        const char *name;
        const char *tail;  // last line of the fake utility
        int result;
        std::string exitLine;
        std::string shellSays = "";
    } cases[] = {
        {"success", "exit 0", ExitFlashed, "Flash Engine exit code: 0\n"},
        {"failure", "exit 3", ExitFailed, "Flash Engine exit code: 3\n"},
        {"utility killed", "kill -9 $$", ExitFailed, "Flash Engine exit code: 137\n", "Killed\n"},
        // The shell itself killed: no exit status at all, which is no success.
        {"shell killed", "[ \"$(cat /proc/$PPID/comm)\" = sh ] && kill -9 $PPID; exit 0", ExitFailed,
         "Flash Engine exit code: 137\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        for (const char *build : {"ioctl", "noioctl"}) {
            dir.Write(std::string(build) + "/tvcli", std::string("#!/bin/sh\n") + "echo \"" + build +
                                                         " build: $*\"\necho progress >&2\necho three >&3\n" +
                                                         c.tail + "\n");
            chmod((dir / build + "/tvcli").c_str(), 0755);
        }
        TelvarnComp::CComponent cmp;
        CaptureStdout();
        const bool noIoctl = cmp.KernelReleaseNeedsNoIoctl(u.release);
        const std::string kernelLine = GetCapturedStdout();
        const std::string before = ComponentLogText();

        CaptureStdout();
        EXPECT_EQ(cmp.Flash(), c.result);
        const std::string announce = "Executing flash engine: ./tvcli boot --update tva_boot_fw -a\n";
        // The utility's lines go to the log only, between the two messages.
        EXPECT_EQ(GetCapturedStdout(), kernelLine + announce + c.exitLine);
        EXPECT_EQ(ComponentLogText(), before + kernelLine + announce + (noIoctl ? "noioctl" : "ioctl") +
                                 " build: boot --update tva_boot_fw -a\nprogress\nthree\n" + c.shellSays +
                                 c.exitLine);
        struct stat st;
        ASSERT_EQ(stat("tvcli", &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0777u);
    }
}

TEST(TelvarnFlash, MissingUtilityFails)
{
    ScratchDir dir;
    TelvarnComp::CComponent cmp;
    cmp.Log().SetSilent(true);
    testing::internal::CaptureStderr();  // cp and chmod complain there
    EXPECT_EQ(cmp.Flash(), ExitFailed);
    testing::internal::GetCapturedStderr();
    EXPECT_NE(ComponentLogText().find("Flash Engine exit code: 127\n"), std::string::npos) << ComponentLogText();
}
