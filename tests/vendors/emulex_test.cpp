// The Emulex component against stand-in kits: an elxflashStandalone*.zip
// holding lx/elxflash.sh, which prints chosen query lines for /q and exits
// with a chosen status otherwise. Every case runs in its own package
// directory, inside a private mount namespace (the log is never the host's).
#include "emulexcomp.h"
#include "scratch_dir.h"
#include "vendor_fixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

using namespace vendors;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

using Emulex = Open<EmulexComp::CComponent>;

const char *const KitDir = "elxflashStandalone-12.0.193.29";

// Zips the stand-in kit into the package directory. Every call of the
// script appends its arguments to ./elxflash.args.
void WriteKit(const ScratchDir &dir, const std::string &query, const std::string &updateTail = "exit 0")
{
    dir.Write(std::string("stage/") + KitDir + "/lx/elxflash.sh",
              "#!/bin/sh\n"
              "echo \"$*\" >> ./elxflash.args\n"
              "if [ \"$1\" = /q ]; then\ncat <<'EOQ'\n" +
                  query + "\nEOQ\nexit 0\nfi\necho 'elxflash: updating'\necho 'elxflash: to stderr' >&2\n" +
                  updateTail + "\n");
    const std::string zip = std::string("cd stage && zip -qr ../") + KitDir + ".zip " + KitDir + " && cd .. && rm -rf stage";
    ASSERT_EQ(std::system(zip.c_str()), 0);
}

const std::vector<RefDev> &Devices()
{
    static const std::vector<RefDev> devs = {
        {"10df.e200.10df.e20c", "LPe16002", "11.2.156.27", "11.2.156.27"},
        {"19A2.0710.10DF.E70E", "OCe11102", "4.9.416.0", "4.9.416.2"},
        {"10df.f100.10df.f100", "LPe12002", "2.02A1", "5.12A2"},
        {"10df.00e2.10df.0003", "LPe1150", "2.82X2", "1.71A1"},
        {"10df.e300.10df.e300", "LPe16000", "1121", "11.2.156.27"},
        {"10df.e400.10df.e400", "LPe11002", "2.82A4", ""},
    };
    return devs;
}

std::string Line(const std::string &name, const std::string &pci, const std::string &vid, const std::string &ssid,
                 const std::string &svid, const std::string &fw, const std::string &boot)
{
    return "HBA=" + name + ", Port Type=FC, WWN=10:00:00:00:c9:aa:bb:cc, PCI ID=" + pci + ", VID=" + vid +
           ", SSID=" + ssid + ", SVID=" + svid + ", Firmware=" + fw + ", Boot Code=" + boot + ", Status=OK";
}

struct DiscoverCase {
    const char *name;
    std::string line;
    std::wstring id, model;
    std::vector<Item> items;
};

std::vector<DiscoverCase> DiscoverCases()
{
    const std::wstring fw = L"Firmware", rom = L"Boot BIOS ROM";
    return {
        {"LPe16002 keeps its firmware text, drops two of the boot text",
         Line("LPe16002-M6", "E200", "10DF", "E20C", "10DF", "11.2.156.27", "UB11.2.156.27"), L"10DF.E200.10DF.E20C",
         L"LPe16002",
         {{fw, L"11.2.156.27", L"11.2.156.27", L"rewrite", L"no"},
          {rom, L"11.2.156.27", L"11.2.156.27", L"rewrite", L""}}},
        {"OCe keeps both texts; a higher packaged bios is an upgrade",
         Line("OCe11102-FM", "0710", "19A2", "E70E", "10DF", "4.9.416.0", "4.9.416.0"), L"19A2.0710.10DF.E70E",
         L"OCe11102",
         {{fw, L"4.9.416.0", L"4.9.416.0", L"rewrite", L"no"}, {rom, L"4.9.416.2", L"4.9.416.0", L"upgrade", L""}}},
        {"other names drop two characters of both texts",
         Line("LPe12002", "F100", "10DF", "F100", "10DF", "US2.02A2", "UB5.12A2"), L"10DF.F100.10DF.F100", L"LPe12002",
         {{fw, L"2.02A1", L"2.02A2", L"downgrade", L"no"}, {rom, L"5.12A2", L"5.12A2", L"rewrite", L""}}},
        {"short ids are padded with zeros", Line("LPe1150", "E2", "10DF", "3", "10DF", "ZS2.82X2", "ZB1.71A0"),
         L"10DF.00E2.10DF.0003", L"LPe1150",
         {{fw, L"2.82X2", L"2.82X2", L"rewrite", L"no"}, {rom, L"1.71A1", L"1.71A0", L"upgrade", L""}}},
        {"packaged firmware without points compares against the text without points",
         Line("LPe16000", "E300", "10DF", "E300", "10DF", "1.1.20", "UB11.2.156.27"), L"10DF.E300.10DF.E300",
         L"LPe16000",
         {{fw, L"1121", L"1120", L"upgrade", L"no"}, {rom, L"11.2.156.27", L"11.2.156.27", L"rewrite", L""}}},
        {"empty packaged bios: the firmware item only",
         Line("LPe11002", "E400", "10DF", "E400", "10DF", "BS2.82A4", "BB1.71A1"), L"10DF.E400.10DF.E400", L"LPe11002",
         {{fw, L"2.82A4", L"2.82A4", L"rewrite", L"no"}}},
        {"texts of two characters or fewer become empty", Line("LPe12002", "F100", "10DF", "F100", "10DF", "U", "7"),
         L"10DF.F100.10DF.F100", L"LPe12002",
         {{fw, L"2.02A1", L"", L"upgrade", L"no"}, {rom, L"5.12A2", L"", L"upgrade", L""}}},
        {"no reference device for the id", Line("LPe16002", "E201", "10DF", "E20C", "10DF", "1.0", "UB1.0"), L"", L"", {}},
        {"an id longer than four characters", Line("LPe16002", "E2000", "10DF", "E20C", "10DF", "1.0", "UB1.0"), L"", L"",
         {}},
        {"fields out of order",
         "HBA=LPe16002, VID=10DF, PCI ID=E200, SSID=E20C, SVID=10DF, Firmware=1.0, Boot Code=UB1.0", L"", L"", {}},
        {"boot code missing", "HBA=LPe16002, PCI ID=E200, VID=10DF, SSID=E20C, SVID=10DF, Firmware=1.0, Status=OK", L"",
         L"", {}},
    };
}

} // namespace

TEST(EmulexDiscover, OneQueryLine)
{
    for (const DiscoverCase &c : DiscoverCases()) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        dir.Write("reference.xml", Catalogue(Devices()));
        WriteKit(dir, c.line);
        Emulex cmp;
        cmp.SetSilent(true);
        ASSERT_TRUE(cmp.LoadReference());
        ASSERT_TRUE(cmp.Discover());
        EXPECT_EQ(dir.Read("elxflash.args"), "/q\n");
        const CDiscovery &d = cmp.Discovery();
        if (c.items.empty()) {
            EXPECT_TRUE(d.devices.empty());
            continue;
        }
        ASSERT_EQ(d.devices.size(), 1u);
        EXPECT_EQ(d.devices[0].deviceId, c.id);
        EXPECT_EQ(d.devices[0].productId, c.model);
        EXPECT_EQ(d.devices[0].busNumber, L"");
        EXPECT_EQ(d.devices[0].funcNumber, L"");
        ExpectItems(d.devices[0], c.items);
    }
}

TEST(EmulexDiscover, EveryMatchingLineInOrder)
{
    ScratchDir dir;
    dir.Write("reference.xml", Catalogue(Devices()));
    WriteKit(dir, "Emulex flash utility, query mode\n" +
                      Line("OCe11102-FM", "0710", "19A2", "E70E", "10DF", "4.9.416.0", "4.9.416.0") + "\n\n" +
                      Line("LPe16002-M6", "E200", "10DF", "E20C", "10DF", "11.2.156.27", "UB11.2.156.27") + "\n" +
                      Line("LPe16002-M6", "E200", "10DF", "E20C", "10DF", "11.2.156.27", "UB11.2.156.27") + "\r\n" +
                      Line("Unknown", "9999", "10DF", "9999", "10DF", "1", "1") + "\n2 adapters found");
    Emulex cmp;
    CaptureStdout();
    ASSERT_TRUE(cmp.LoadReference());
    const LogWatch log;
    ASSERT_TRUE(cmp.Discover());
    EXPECT_EQ(GetCapturedStdout(), "Preparing the Emulex Kit...done\n");
    EXPECT_EQ(log.Added(), "Preparing the Emulex Kit...done\n");

    const CDiscovery &d = cmp.Discovery();
    ASSERT_EQ(d.devices.size(), 3u);
    EXPECT_EQ(d.devices[0].deviceId, L"19A2.0710.10DF.E70E");
    // Both functions of one card are devices of their own.
    EXPECT_EQ(d.devices[1].deviceId, L"10DF.E200.10DF.E20C");
    EXPECT_EQ(d.devices[2].deviceId, L"10DF.E200.10DF.E20C");
    EXPECT_EQ(d.devices[2].items.at(1).activeVersion, L"11.2.156.27");
    EXPECT_EQ(d.type, L"");
    EXPECT_EQ(d.altName, L"");
    EXPECT_EQ(d.version, L"");
    EXPECT_EQ(d.takesEffect, L"");
    EXPECT_TRUE(cmp.Adapters().empty());
    EXPECT_EQ(cmp.OverallAction(), ActionUpgrade);
}

namespace {

int g_inputWriter = -1;
volatile sig_atomic_t g_inputClosedByAlarm = 0;

void CloseInputOnAlarm(int)
{
    close(g_inputWriter);
    g_inputClosedByAlarm = 1;
}

} // namespace

TEST(EmulexDiscover, KitUnpackedAndMadeExecutable)
{
    ScratchDir dir;
    dir.Write("reference.xml", Catalogue(Devices()));
    WriteKit(dir, Line("LPe16002", "E200", "10DF", "E20C", "10DF", "11.2.156.27", "UB11.2.156.27"));
    Emulex cmp;
    cmp.SetSilent(true);
    ASSERT_TRUE(cmp.LoadReference());
    EXPECT_EQ(cmp.PrepareKit(), 0);
    struct stat st;
    ASSERT_EQ(stat((dir / KitDir + "/lx/elxflash.sh").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0777u);

    // Unpacking again over the first copy must not wait for an answer on
    // standard input, even when that input stays open. Should it wait, the
    // alarm closes the input, so the case fails instead of hanging.
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);  // no child may hold the writer
    g_inputWriter = fds[1];
    g_inputClosedByAlarm = 0;
    struct sigaction sa {}, old {};
    sa.sa_handler = CloseInputOnAlarm;
    sigaction(SIGALRM, &sa, &old);
    const int saved = dup(0);
    dup2(fds[0], 0);
    close(fds[0]);
    alarm(20);
    EXPECT_TRUE(cmp.Discover());
    alarm(0);
    sigaction(SIGALRM, &old, nullptr);
    dup2(saved, 0);
    close(saved);
    if (!g_inputClosedByAlarm)
        close(fds[1]);
    EXPECT_FALSE(g_inputClosedByAlarm) << "unzip waited for an answer";
    EXPECT_EQ(cmp.Discovery().devices.size(), 1u);
}

TEST(EmulexDiscover, MissingKitFindsNothing)
{
    ScratchDir dir;
    dir.Write("reference.xml", Catalogue(Devices()));
    Emulex cmp;
    cmp.SetSilent(true);
    ASSERT_TRUE(cmp.LoadReference());
    testing::internal::CaptureStderr();  // unzip and the shell complain there
    EXPECT_TRUE(cmp.Discover());
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(cmp.Discovery().devices.empty());
}

TEST(EmulexParseVersion, TextUpToTheFirstSpace)
{
    EmulexComp::CComponent cmp;
    EXPECT_EQ(cmp.ParseVersion(L"11.2.156.27 (B3)"), L"11.2.156.27");
    EXPECT_EQ(cmp.ParseVersion(L"5.12A2"), L"5.12A2");
    EXPECT_EQ(cmp.ParseVersion(L" x"), L"");
    EXPECT_EQ(cmp.ParseVersion(L""), L"");
}

TEST(EmulexPadId, ZerosInFrontUpToFourCharacters)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", "0000"}, {"3", "0003"}, {"E2", "00E2"}, {"e20", "0e20"}, {"E200", "E200"}, {"E2000", "E2000"}};
    for (const auto &[in, out] : cases)
        EXPECT_EQ(EmulexComp::CComponent::PadId(in), out) << in;
}

namespace {

const std::string NoteLine = std::string("For MX710 or MX720 CNAs, please use the \"Firmware image for offline update\" "
                                         "(OneConnect ISO) tool available on ") +
                             EmulexComp::CComponent::OfflineToolHost + "\n";

struct FlashCase {
    const char *tail;
    int result;
    std::string messages;
    int status = -1;  // the logged exit status when it is not "exit N" of the tail
};

std::vector<FlashCase> FlashCases()
{
    const std::string skipped = "  Skipped any MX710 or MX720 CNAs.\n";
    return {
        {"exit 0", ExitFlashed, ""},
        {"exit 1", ExitNothingDone, ""},
        {"exit 2", ExitFailed, ""},
        {"exit 4", ExitFailed, ""},
        {"exit 6", ExitFailed, ""},
        {"exit 7", 7, ""},
        {"exit 8", 8, ""},
        {"exit 10", 10, ""},
        {"exit 11", ExitFailed, "All updates were successful." + skipped + NoteLine},
        {"exit 12", ExitFailed, "No updates needed." + skipped + NoteLine},
        {"exit 13", ExitFailed, "All updates failed." + skipped + NoteLine},
        {"exit 14", ExitFailed, "Some updates failed." + skipped + NoteLine},
        {"exit 15", ExitFailed, "No supported hardware found." + skipped + NoteLine},
        {"exit 16", ExitFailed, "No updates available." + skipped + NoteLine},
        {"exit 17", 17, ""},
        {"exit 200", 200, ""},
        // The shell killed under the script: no status at all, never a success.
        {"p=$PPID; [ \"$(cat /proc/$p/comm)\" = sh ] || p=$$; kill -9 $p", 128 + SIGKILL, "", 128 + SIGKILL},
    };
}

const std::string Redirections =
    "1>> /var/zqm/Component.log 2>> /var/zqm/Component.log 3>> /var/zqm/Component.log";

} // namespace

TEST(EmulexFlash, ExitStatusTable)
{
    for (const FlashCase &c : FlashCases()) {
        SCOPED_TRACE(c.tail);
        ScratchDir dir;
        WriteKit(dir, "", c.tail);
        Emulex cmp;
        cmp.SetSilent(true);
        cmp.PrepareKit();
        const LogWatch log;
        EXPECT_EQ(cmp.Flash(), c.result);
        const std::string code = std::to_string(c.status >= 0 ? c.status : std::atoi(c.tail + 5));
        EXPECT_EQ(log.Added(), "Executing flash engine: ./elxflashStandalone*/lx/elxflash.sh  /update " + Redirections +
                                   "\nelxflash: updating\nelxflash: to stderr\nFlash Engine exit code: " + code + "\n" +
                                   c.messages);
        EXPECT_EQ(dir.Read("elxflash.args"), "/update\n");
    }
}

TEST(EmulexFlash, ForceCallsTheScriptWithF)
{
    ScratchDir dir;
    WriteKit(dir, "", "exit 12");
    Emulex cmp;
    cmp.SetForce(true);
    CaptureStdout();
    cmp.PrepareKit();
    const LogWatch log;
    EXPECT_EQ(cmp.Flash(), ExitFailed);
    const std::string announce =
        "Executing flash engine: ./elxflashStandalone*/lx/elxflash.sh  /f " + Redirections + "\n";
    const std::string after = "Flash Engine exit code: 12\nNo updates needed.  Skipped any MX710 or MX720 CNAs.\n" +
                              NoteLine;
    // The script's own lines reach the log only.
    EXPECT_EQ(GetCapturedStdout(), "Preparing the Emulex Kit...done\n" + announce + after);
    EXPECT_EQ(log.Added(), announce + "elxflash: updating\nelxflash: to stderr\n" + after);
    EXPECT_EQ(dir.Read("elxflash.args"), "/f\n");
}

TEST(EmulexRun, WholeRunFromQueryToFlash)
{
    struct Case {
        const char *name;
        bool kit;
        std::vector<const char *> args;
        int result;
        std::string tail;  // how the log ends
        std::string calls;
    } cases[] = {
        {"an upgrade is flashed", true, {"/s"}, ExitFlashed,
         "Flash Engine exit code: 0\nFlash complete [1]\n", "/q\n/update\n"},
        {"no kit, nothing to do", false, {"/s"}, ExitNothingDone, "NOTICE : No operation was done.\n", ""},
        {"no kit, forced", false, {"/s", "/f"}, ExitNothingDone, "ERROR! : No supported hardware was found.\n", ""},
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        dir.Write("reference.xml", Catalogue(Devices()));
        if (c.kit)
            WriteKit(dir, Line("OCe11102-FM", "0710", "19A2", "E70E", "10DF", "4.9.416.0", "4.9.416.0"));
        EmulexComp::CComponent cmp;
        c.args.insert(c.args.begin(), "fccomp");
        ASSERT_EQ(cmp.ParseCommandLine(static_cast<int>(c.args.size()), c.args.data()), 1);
        const LogWatch log;
        testing::internal::CaptureStderr();  // unzip and the shell complain there without a kit
        EXPECT_EQ(cmp.Run(), c.result);
        testing::internal::GetCapturedStderr();
        EXPECT_TRUE(log.Added().ends_with(c.tail)) << log.Added();
        EXPECT_EQ(dir.Read("elxflash.args"), c.calls);
    }
}
