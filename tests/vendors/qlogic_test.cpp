// The QLogic component: reference matching, version text, the flash engine
// call and its exit statuses, and discovery through the HBA API test library
// over a /sys stand-in. Runs in a private mount namespace; the suite lays a
// tmpfs over /sys there.
#include "qlogiccomp.h"
#include "scratch_dir.h"
#include "vendor_fixture.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

using namespace vendors;
namespace fs = std::filesystem;

namespace {

using QLogic = Open<QLogicComp::CComponent>;

TEST(QLogicFindReferenceDevice, ExactFirstThenContainment)
{
    ScratchDir dir;
    dir.Write("reference.xml", Catalogue({
                                   {"1077.2532.103C.3262,1077.2532.103C.3263", "QLE2562"},
                                   {"old list: 1077.2432.103c.7040 1077.2432.103c.7041", "QLE2462 old"},
                                   {"1077.2432.103C.7040", "QLE2462"},
                                   {"", "no id"},
                               }));
    QLogic cmp;
    ASSERT_TRUE(cmp.LoadReference());
    const std::pair<const wchar_t *, int> cases[] = {
        {L"1077.2532.103c.3262", 0},  // first of the two ids, other case
        {L"1077.2532.103C.3263", 0},  // second of the two ids
        {L"1077.2432.103c.7040", 2},  // the exact rule wins over an earlier list
        {L"1077.2432.103C.7041", 1},
        {L"103c.3263", 0},            // PCI id unknown: the subsystem ids alone
        {L"1077.2532.103c.3264", -1},
        {L"1077.2532.103c.3262,1077", 0},
        {L"", 3},                      // only an empty reference id takes an empty id
    };
    for (const auto &[id, idx] : cases)
        EXPECT_EQ(cmp.FindReferenceDevice(id), idx) << testing::PrintToString(std::wstring(id));

    // Without a reference device of an empty id, an adapter without ids is
    // supported by nothing.
    dir.Write("reference.xml", Catalogue({{"1077.2532.103C.3262", "QLE2562"}}));
    QLogic other;
    ASSERT_TRUE(other.LoadReference());
    EXPECT_EQ(other.FindReferenceDevice(L""), -1);
}

TEST(QLogicParseVersion, CutAtSpaceThenFirstVDotRemoved)
{
    const std::pair<const wchar_t *, const wchar_t *> cases[] = {
        {L"v.2.02 BIOS 3.28 FCode 2.03", L"2.02"},
        {L"3.00.01", L"3.00.01"},
        {L"2.02v.1v.3", L"2.021v.3"},
        {L"BIOS v.2.02", L"BIOS"},
        {L"v.", L""},
        {L"V.2.02", L"V.2.02"},
        {L"", L""},
    };
    QLogicComp::CComponent cmp;
    for (const auto &[in, out] : cases)
        EXPECT_EQ(cmp.ParseVersion(in), out) << testing::PrintToString(std::wstring(in));
    EXPECT_EQ(QLogicComp::CComponent::UpperCase(L"1077.2532.103c.abcd, x"), L"1077.2532.103C.ABCD, X");
}

const std::string Redirections =
    " 1>> /var/zqm/Component.log 2>> /var/zqm/Component.log 3>> /var/zqm/Component.log";

void WriteEngine(const ScratchDir &dir, const std::string &tail)
{
    // Left without execute permission: the flash step grants it.
    dir.Write("qvqlafwupdate", "#!/bin/sh\necho \"$*\" > ./qvqlafwupdate.args\necho 'qvqlafwupdate: flashing'\n"
                               "echo 'qvqlafwupdate: stderr' >&2\n" + tail + "\n");
}

TEST(QLogicFlash, ExitStatusTable)
{
    const std::pair<int, int> cases[] = {
        {0, ExitFlashed}, {1, ExitNothingDone}, {2, ExitFailed},   {5, ExitFailed},  {10, ExitFailed},
        {11, 11},         {12, 12},             {13, 13},           {14, ExitFailed}, {15, 15},
        {16, ExitFailed}, {17, ExitFailed},     {18, 18},           {255, 255},
    };
    for (const auto &[status, result] : cases) {
        SCOPED_TRACE(status);
        ScratchDir dir;
        WriteEngine(dir, "exit " + std::to_string(status));
        QLogic cmp;
        cmp.SetSilent(true);
        const LogWatch log;
        EXPECT_EQ(cmp.Flash(), result);
        EXPECT_EQ(log.Added(), "Executing flash engine: ./qvqlafwupdate /s\nqvqlafwupdate: flashing\n"
                               "qvqlafwupdate: stderr\nFlash Engine exit code: " +
                                   std::to_string(status) + "\n");
        struct stat st;
        ASSERT_EQ(stat("qvqlafwupdate", &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0777u);
    }
}

TEST(QLogicFlash, OptionsAndFailuresOfTheEngine)
{
    struct Case {
        const char *name;
        bool silent, force;
        const char *tail;  // null: no engine in the package
        const char *command;
        int status, result;
    } cases[] = {
        {"plain", false, false, "exit 0", "./qvqlafwupdate", 0, ExitFlashed},
        {"silent", true, false, "exit 0", "./qvqlafwupdate /s", 0, ExitFlashed},
        {"force", false, true, "exit 0", "./qvqlafwupdate /f", 0, ExitFlashed},
        {"silent and force", true, true, "exit 0", "./qvqlafwupdate /s /f", 0, ExitFlashed},
        {"engine missing", true, true, nullptr, "./qvqlafwupdate /s /f", 127, 127},
        // The shell killed under the engine: no status at all, never a success.
        {"shell killed", true, false, "p=$PPID; [ \"$(cat /proc/$p/comm)\" = sh ] || p=$$; kill -9 $p",
         "./qvqlafwupdate /s", 128 + SIGKILL, 128 + SIGKILL},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        if (c.tail)
            WriteEngine(dir, c.tail);
        QLogic cmp;
        cmp.SetSilent(c.silent);
        cmp.SetForce(c.force);
        const LogWatch log;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();  // chmod complains there when the engine is missing
        EXPECT_EQ(cmp.Flash(), c.result);
        const std::string out = testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();
        const std::string announce = std::string("Executing flash engine: ") + c.command + "\n";
        const std::string exitLine = "Flash Engine exit code: " + std::to_string(c.status) + "\n";
        EXPECT_EQ(out, c.silent ? "" : announce + exitLine);
        const std::string added = log.Added();
        EXPECT_EQ(added.rfind(announce, 0), 0u) << added;
        EXPECT_TRUE(added.ends_with(exitLine)) << added;
        if (c.tail) {
            EXPECT_EQ(added, announce + "qvqlafwupdate: flashing\nqvqlafwupdate: stderr\n" + exitLine);
            const std::string args = dir.Read("qvqlafwupdate.args");
            EXPECT_EQ("./qvqlafwupdate" + (args == "\n" ? "" : " " + args.substr(0, args.size() - 1)), c.command);
        }
    }
}

// --- discovery through the HBA API ------------------------------------------

std::string g_skip;
std::string g_base;

// The test runs inside nsrun.sh's namespace, where /etc is an overlay.
bool EtcIsPrivate()
{
    struct statfs fs{};
    return statfs("/etc", &fs) == 0 && fs.f_type == OVERLAYFS_SUPER_MAGIC;
}

class IsolatedHost : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (getuid() != 0 || !EtcIsPrivate()) {
            g_skip = "needs root in the private namespace of tests/common/nsrun.sh (run it through ctest)";
            return;
        }
        // No hyphen in the library's path: configuration lines are cut there.
        char tmpl[] = "/tmp/vendortest.XXXXXX";
        if (!mkdtemp(tmpl) || mount("vendors", tmpl, "tmpfs", 0, nullptr) != 0 ||
            mount("vendors", "/sys", "tmpfs", 0, nullptr) != 0) {
            g_skip = "cannot mount the scratch and /sys tmpfs";
            return;
        }
        g_base = tmpl;
        // Copied once: a library file rewritten while it is loaded breaks it.
        fs::copy_file(TESTHBA_LIBRARY, g_base + "/libqlsdm.so");
    }
};

const auto *g_env = ::testing::AddGlobalTestEnvironment(new IsolatedHost);

void WriteFile(const std::string &path, const std::string &text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::trunc) << text;
}

void PciFunction(const std::string &path, const char *vendor, const char *device, const char *subVendor,
                 const char *subDevice)
{
    const std::string d = "/sys/devices/pci0000:00/0000:00:03.0/" + path;
    WriteFile(d + "/vendor", std::string(vendor) + "\n");
    WriteFile(d + "/device", std::string(device) + "\n");
    WriteFile(d + "/subsystem_vendor", std::string(subVendor) + "\n");
    WriteFile(d + "/subsystem_device", std::string(subDevice) + "\n");
}

class QLogicHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!g_skip.empty())
            GTEST_SKIP() << g_skip;
        fs::remove_all("/sys/devices");
        PciFunction("0000:05:00.0", "0x1077", "0x2532", "0x103c", "0x3263");
        PciFunction("0000:05:00.1", "0x1077", "0x2532", "0x103c", "0x3263");
        PciFunction("0000:06:00.0", "0x1077", "0x2031", "0x1077", "0x015c");
        // QLogic's management library owns the adapters: its path names it.
        const std::string lib = g_base + "/libqlsdm.so";
        WriteFile(lib + ".conf", "adapter qlogic-QLE2562-0 2000001b32aaaa01\n"
                                 "text OptionROMVersion v.2.02 BIOS 3.28 FCode 2.03\n"
                                 "port 2100001b32aaaa01\n"
                                 "ext 3263103c 5 0 0\n"
                                 "adapter qlogic-QLE2562-1 2000001b32aaaa02\n"
                                 "text OptionROMVersion 3.00.01\n"
                                 "port 2100001b32aaaa02\n"
                                 "ext 3263103c 5 1 0\n"
                                 "adapter qlogic-QLE8362 2000001b32aaaa03\n"
                                 "text OptionROMVersion v.3.00\n"
                                 "ext 015c1077 6 0 0\n");
        WriteFile("/etc/hba.conf", "com.qlogic " + lib + "\n");
        dir.Write("reference.xml", Catalogue({
                                       {"1077.2432.103C.7040", "QLE2462", "", "1.26"},
                                       {"1077.2532.103C.3262,1077.2532.103C.3263", "QLE2562", "", "3.00.01"},
                                   }));
    }

    ScratchDir dir;
};

TEST_F(QLogicHost, DiscoverBuildsBootItemsWithTheReferenceId)
{
    QLogic cmp;
    cmp.SetSilent(true);
    ASSERT_TRUE(cmp.LoadReference());
    ASSERT_TRUE(cmp.Discover());
    ASSERT_EQ(cmp.Adapters().size(), 3u);
    EXPECT_EQ(cmp.DeviceIdOf(0), L"1077.2532.103c.3263");

    const CDiscovery &d = cmp.Discovery();
    EXPECT_EQ(d.type, L"FC HBA");
    // The third adapter (1077.2031.1077.015c) is not in the catalogue.
    ASSERT_EQ(d.devices.size(), 2u);
    for (const CDevice &dev : d.devices) {
        EXPECT_EQ(dev.deviceId, L"1077.2532.103C.3262,1077.2532.103C.3263");
        EXPECT_EQ(dev.productId, L"QLE2562");
        EXPECT_EQ(dev.busNumber, L"");
        EXPECT_EQ(dev.funcNumber, L"");
    }
    ExpectItems(d.devices[0], {{L"Boot BIOS ROM", L"3.00.01", L"2.02", L"upgrade", L"no"}});
    ExpectItems(d.devices[1], {{L"Boot BIOS ROM", L"3.00.01", L"3.00.01", L"rewrite", L"no"}});
}

TEST_F(QLogicHost, RunFlashesOnAnUpgrade)
{
    WriteEngine(dir, "exit 0");
    QLogic cmp;
    const char *argv[] = {"fccomp", "/s"};
    ASSERT_EQ(cmp.ParseCommandLine(2, argv), 1);
    const LogWatch log;
    EXPECT_EQ(cmp.Run(), ExitFlashed);
    EXPECT_EQ(dir.Read("qvqlafwupdate.args"), "/s\n");
    const std::string added = log.Added();
    EXPECT_NE(added.find("Performing flash -- DO NOT INTERRUPT!\nExecuting flash engine: ./qvqlafwupdate /s\n"
                         "qvqlafwupdate: flashing\nqvqlafwupdate: stderr\nFlash Engine exit code: 0\n"
                         "Flash complete [1]\n"),
              std::string::npos)
        << added;
}

TEST_F(QLogicHost, NoSupportedAdapterNothingDone)
{
    WriteEngine(dir, "exit 0");
    dir.Write("reference.xml", Catalogue({{"1077.2432.103C.7040", "QLE2462", "", "1.26"}}));
    QLogic cmp;
    const char *argv[] = {"fccomp", "/s", "/f"};
    ASSERT_EQ(cmp.ParseCommandLine(3, argv), 1);
    const LogWatch log;
    EXPECT_EQ(cmp.Run(), ExitNothingDone);
    EXPECT_NE(log.Added().find("ERROR! : No supported hardware was found.\n"), std::string::npos) << log.Added();
    EXPECT_FALSE(fs::exists(dir / "qvqlafwupdate.args"));
}

} // namespace
