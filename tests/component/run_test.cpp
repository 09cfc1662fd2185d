#include "console_texts.h"
#include "scratch_dir.h"
#include "test_component.h"

#include <gtest/gtest.h>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

using namespace console;

namespace {

const char *const MinimalReference =
    "<qvdeploy_fchba_reference><devices><device><device_id value=\"1.2\"/></device></devices>"
    "</qvdeploy_fchba_reference>";

} // namespace

TEST(ParseCommandLine, ReadsEveryOptionSpelling)
{
    struct Case {
        std::vector<const char *> args;
        int result;
        bool silent, force, discovery;
        std::string path;
        bool usage;
    } cases[] = {
        {{}, 1, false, false, false, "", false},
        {{"/s"}, 1, true, false, false, "", false},
        {{"-s"}, 1, true, false, false, "", false},
        {{"/f"}, 1, false, true, false, "", false},
        {{"-f"}, 1, false, true, false, "", false},
        {{"/e"}, 1, false, true, false, "", false},
        {{"-e"}, 1, false, true, false, "", false},
        {{"/g"}, 1, false, true, false, "", false},
        {{"-g"}, 1, false, true, false, "", false},
        {{"/d", "out.xml"}, 1, false, false, true, "out.xml", false},
        {{"-d", "out.xml", "/s"}, 1, true, false, true, "out.xml", false},
        // /h stops parsing: what follows is not examined.
        {{"/h", "/d", "/s"}, 2, false, false, false, "", true},
        {{"/s", "-h"}, 2, true, false, false, "", true},
        // /d as the last word makes the command line unusable.
        {{"/d"}, 0, false, false, true, "", true},
        {{"/d", "x.xml", "/d"}, 0, false, false, true, "x.xml", true},
        // The path word is examined too and acts as the option it spells.
        {{"/d", "/s"}, 1, true, false, true, "/s", false},
        {{"/d", "/h"}, 2, false, false, true, "/h", true},
        // Words that spell no option exactly are ignored.
        {{"/S", "/F", "-x", "/ff", "--s", "/d5", "d", "/"}, 1, false, false, false, "", false},
    };
    for (const Case &c : cases) {
        std::string words;
        for (const char *a : c.args)
            words += std::string(a) + " ";
        SCOPED_TRACE("args: " + words);
        TestCmp cmp;
        CaptureStdout();
        EXPECT_EQ(cmp.Parse(c.args), c.result);
        EXPECT_EQ(GetCapturedStdout(), c.usage ? Usage : "");
        EXPECT_EQ(cmp.IsSilent(), c.silent);
        EXPECT_EQ(cmp.Log().IsSilent(), c.silent);
        EXPECT_EQ(cmp.IsForced(), c.force);
        EXPECT_EQ(cmp.IsDiscoveryRequested(), c.discovery);
        EXPECT_EQ(cmp.DiscoveryPath(), c.path);
    }
}

TEST(RunSequence, EndsWithTheExitCodeAndMessagesOfEachOutcome)
{
    using Actions = std::vector<std::vector<std::wstring>>;
    struct Case {
        const char *name;
        std::vector<const char *> args;
        bool reference;
        bool discoverOk;
        Actions devices;
        int flashResult;
        bool xmlOk;
        int exitCode;
        std::string console;
        int flashes, documents;
    } cases[] = {
        {"no catalogue", {}, false, true, {{L"upgrade"}}, 1, true, 7,
         Rule + "Loading references...FAILED!\n", 0, 0},
        {"discovery fails", {}, true, false, {}, 1, true, 7, Loaded, 0, 0},
        {"discovery document", {"/d", "out.xml"}, true, true, {{L"upgrade"}}, 1, true, 3,
         Loaded + "Generating self-discovery XML...done.\n", 0, 1},
        {"discovery document not written", {"/d", "out.xml", "/f"}, true, true, {{L"upgrade"}}, 1, false, 3,
         Loaded + "Generating self-discovery XML...FAILED!\ndone.\n", 0, 1},
        {"nothing to upgrade", {}, true, true, {{L"rewrite"}, {L"downgrade"}}, 1, true, 3,
         Loaded + "NOTICE : No operation was done.\n", 0, 0},
        {"no device, not forced", {}, true, true, {}, 1, true, 3, Loaded + "NOTICE : No operation was done.\n", 0, 0},
        {"no device, forced", {"/f"}, true, true, {}, 1, true, 3,
         Loaded + "ERROR! : No supported hardware was found.\n", 0, 0},
        {"one upgrade among others", {}, true, true, {{L"rewrite", L"downgrade"}, {L"upgrade"}}, 1, true, 1,
         Loaded + "Performing flash -- DO NOT INTERRUPT!\nFlash complete [1]\n", 1, 0},
        {"forced rewrite", {"/g"}, true, true, {{L"rewrite"}}, 1, true, 1,
         Loaded + "Performing flash -- DO NOT INTERRUPT!\nFlash complete [1]\n", 1, 0},
        {"flash fails", {"-e"}, true, true, {{L"downgrade"}}, 7, true, 7,
         Loaded + "Performing flash -- DO NOT INTERRUPT!\nFlash complete [7]\n", 1, 0},
        {"negative flash result", {}, true, true, {{L"upgrade"}}, -2, true, -2,
         Loaded + "Performing flash -- DO NOT INTERRUPT!\nFlash complete [-2]\n", 1, 0},
    };
    for (const Case &c : cases) {
        for (bool silent : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (silent ? " (silent)" : ""));
            ScratchDir dir;
            if (c.reference)
                dir.Write("reference.xml", MinimalReference);
            TestCmp cmp;
            cmp.discoverResult = c.discoverOk;
            cmp.deviceActions = c.devices;
            cmp.flashResult = c.flashResult;
            cmp.xmlResult = c.xmlOk;
            std::vector<const char *> args = c.args;
            if (silent)
                args.push_back("-s");
            ASSERT_EQ(cmp.Parse(args), 1);

            const std::string before = ComponentLogText();
            CaptureStdout();
            EXPECT_EQ(cmp.Run(), c.exitCode);
            EXPECT_EQ(GetCapturedStdout(), silent ? "" : c.console);
            EXPECT_EQ(ComponentLogText(), before + c.console);
            EXPECT_EQ(cmp.discoverCalls, c.reference ? 1 : 0);
            EXPECT_EQ(cmp.flashCalls, c.flashes);
            EXPECT_EQ(cmp.xmlCalls, c.documents);
        }
    }
}

TEST(OverallAction, UpgradeWinsThenDowngradeThenRewrite)
{
    using Actions = std::vector<std::vector<std::wstring>>;
    struct Case {
        Actions devices;
        int expect;
    } cases[] = {
        {{}, ActionNone},
        {{{}}, ActionNone},
        {{{L"rewrite"}}, ActionRewrite},
        {{{L"rewrite"}, {L"downgrade"}}, ActionDowngrade},
        {{{L"rewrite", L"downgrade"}, {L"rewrite", L"upgrade"}}, ActionUpgrade},
        // Only the exact words count.
        {{{L"Upgrade", L"upgrade "}}, ActionNone},
    };
    for (const Case &c : cases) {
        TestCmp cmp;
        cmp.deviceActions = c.devices;
        cmp.Discover();
        EXPECT_EQ(cmp.OverallAction(), c.expect) << testing::PrintToString(c.devices.size()) << " devices";
        EXPECT_EQ(cmp.HasSupportedDevices(), !c.devices.empty());
    }
}

TEST(BootRomItems, MatchAdaptersToTheCatalogueByDeviceId)
{
    ScratchDir dir;
    dir.Write("reference.xml",
              "<qvdeploy_fchba_reference><devices>"
              "<device><device_id value=\"1657.0013.ABCD.0014\"/><model value=\"first\"/>"
              "<bios value=\"3.0.3.0\"/><duration value=\"90\"/></device>"
              "<device><device_id value=\"1657.0013.abcd.0014\"/><model value=\"second\"/></device>"
              "<device><device_id value=\"1657.0017.1657.0018\"/><model value=\"cna\"/>"
              "<bios value=\"3.0.3.0\"/></device>"
              "</devices></qvdeploy_fchba_reference>");
    ModelCmp cmp;
    ASSERT_TRUE(cmp.LoadReference());
    cmp.AddAdapter("16570013", "abcd0014", "3.0.3.0");  // upper-case catalogue id, first entry wins
    cmp.AddAdapter("16570099", "abcd0014", "1.0.0.0");  // not in the catalogue
    cmp.AddAdapter("16570017", "16570018", "2.1.0.0");
    cmp.AddAdapter("16570017", "16570018", "Undefined");  // second function of the same card
    cmp.BuildBootRom(false);

    const std::vector<CDevice> &devs = cmp.Discovery().devices;
    ASSERT_EQ(devs.size(), 3u);
    struct Expect {
        const wchar_t *id, *product, *version, *active, *action, *duration;
    } expect[] = {
        {L"1657.0013.abcd.0014", L"first", L"3.0.3.0", L"3.0.3.0", L"rewrite", L"90"},
        {L"1657.0017.1657.0018", L"cna", L"3.0.3.0", L"2.1.0.0", L"upgrade", L""},
        {L"1657.0017.1657.0018", L"cna", L"3.0.3.0", L"Undefined", L"downgrade", L""},
    };
    for (size_t i = 0; i < devs.size(); i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(devs[i].deviceId, expect[i].id);
        EXPECT_EQ(devs[i].productId, expect[i].product);
        EXPECT_EQ(devs[i].busNumber, L"");
        EXPECT_EQ(devs[i].funcNumber, L"");
        ASSERT_EQ(devs[i].items.size(), 1u);
        const CFwItem &it = devs[i].items[0];
        EXPECT_EQ(it.type, L"Boot BIOS ROM");
        EXPECT_EQ(it.firmwareId, L"");
        EXPECT_EQ(it.version, expect[i].version);
        EXPECT_EQ(it.activeVersion, expect[i].active);
        EXPECT_EQ(it.action, expect[i].action);
        EXPECT_EQ(it.duration, expect[i].duration);
        EXPECT_EQ(it.message, L"");
        EXPECT_EQ(it.shared, L"no");
    }

    // With the catalogue's id instead of the adapter's.
    cmp.Model().devices.clear();
    cmp.BuildBootRom(true);
    ASSERT_FALSE(cmp.Discovery().devices.empty());
    EXPECT_EQ(cmp.Discovery().devices[0].deviceId, L"1657.0013.ABCD.0014");
    EXPECT_EQ(cmp.FindReferenceDevice(L"1657.0013.1657.001"), -1);
    EXPECT_EQ(cmp.FindReferenceDevice(L"1657.0017.1657.0018"), 2);
}
