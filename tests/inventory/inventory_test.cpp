// The HBA API dispatch layer, the adapter records and the PCI lookup, against
// the configurable test library (testhba.cpp) and a small sysfs tree. Runs in
// a private mount namespace: /etc is a throw-away overlay, and the suite lays
// its own overlay over /usr/lib64 (where the vendor libraries are looked for)
// and a tmpfs over /sys.
#include "fchbainfo.h"
#include "fchbamra.h"
#include "hbadispatch.h"
#include "pciid.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string g_base;        // per-run scratch directory (tmpfs)
std::string g_skip;        // why the isolated cases cannot run

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string &path, const std::string &text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::trunc) << text;
}

bool MountedAs(const std::string &point, const std::string &type)
{
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream ws(line);
        std::string f[5];
        for (std::string &s : f)
            ws >> s;
        if (f[4] != point)
            continue;
        std::string w;
        while (ws >> w && w != "-") {
        }
        std::string fstype;
        ws >> fstype;
        if (fstype == type)
            return true;
    }
    return false;
}

// Lays the suite's mounts once. Refuses to touch anything unless /etc is
// already a private overlay (the test runs through nsrun.sh).
class IsolatedHost : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (getuid() != 0 || !MountedAs("/etc", "overlay")) {
            g_skip = "needs root in the private namespace of tests/common/nsrun.sh (run it through ctest)";
            return;
        }
        // Library paths are cut at a hyphen, so none may appear here.
        char tmpl[] = "/tmp/inventorytest.XXXXXX";
        if (!mkdtemp(tmpl) || mount("inventory", tmpl, "tmpfs", 0, nullptr) != 0) {
            g_skip = "cannot mount a scratch tmpfs";
            return;
        }
        g_base = tmpl;
        fs::create_directories(g_base + "/lib64.up");
        fs::create_directories(g_base + "/lib64.work");
        std::string opts = "lowerdir=/usr/lib64,upperdir=" + g_base + "/lib64.up,workdir=" + g_base + "/lib64.work";
        if (mount("inventory", "/usr/lib64", "overlay", 0, opts.c_str()) != 0 ||
            mount("inventory", "/sys", "tmpfs", 0, nullptr) != 0) {
            g_skip = "cannot lay the overlay on /usr/lib64 or the tmpfs on /sys";
            return;
        }
        // Management libraries a host may have installed must not answer.
        for (const char *p : {"/usr/lib/libqlsdm.so", "/usr/lib/libemsdm.so", "/usr/lib/tvahbaapi.so"})
            if (access(p, F_OK) == 0)
                mount("/dev/null", p, nullptr, MS_BIND, nullptr);
        if (access("/usr/lib/cim", F_OK) == 0)
            mount("inventory", "/usr/lib/cim", "tmpfs", 0, nullptr);
    }
};

const auto *g_env = ::testing::AddGlobalTestEnvironment(new IsolatedHost);

// A copy of one test library variant with its setup text; calls go to
// `<path>.log`.
struct TestLibrary {
    std::string path;

    TestLibrary(const std::string &path_, const std::string &setup, const char *variant = "testhba") : path(path_)
    {
        fs::create_directories(fs::path(path).parent_path());
        fs::copy_file(std::string(TESTHBA_DIR) + "/" + variant + ".so", path, fs::copy_options::overwrite_existing);
        WriteFile(path + ".conf", setup);
        fs::remove(path + ".log");
    }

    std::vector<std::string> Calls() const
    {
        std::vector<std::string> calls;
        std::istringstream in(ReadFile(path + ".log"));
        std::string line;
        while (std::getline(in, line))
            calls.push_back(line);
        return calls;
    }

    int Count(const std::string &prefix) const
    {
        auto calls = Calls();
        return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                              [&](const std::string &c) { return c.rfind(prefix, 0) == 0; }));
    }

    // Opens that handed out a handle.
    int Opened(const std::string &entry) const
    {
        auto calls = Calls();
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string &c) {
            return c.rfind(entry + " ", 0) == 0 && !c.ends_with(" 0x0");
        }));
    }

    void ClearLog() const { fs::remove(path + ".log"); }
};

// Every adapter opened through a library was closed again.
void ExpectBalanced(const TestLibrary &lib)
{
    EXPECT_EQ(lib.Opened("OpenAdapter"), lib.Count("CloseAdapter")) << ReadFile(lib.path + ".log");
    EXPECT_EQ(lib.Opened("ZQMFC_OpenAdapter"), lib.Count("ZQMFC_CloseAdapter")) << ReadFile(lib.path + ".log");
}

class Inventory : public ::testing::Test {
protected:
    std::string dir;

    void SetUp() override
    {
        if (!g_skip.empty())
            GTEST_SKIP() << g_skip;
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        // A fresh directory per case, so no library object is shared between cases.
        dir = g_base + "/" + info->test_suite_name() + "_" + info->name();
        fs::create_directories(dir);
    }

    void TearDown() override
    {
        if (!g_skip.empty())
            return;
        HBA_FreeLibrary();
        for (const char *p : {"/usr/lib64/tvahbaapi.so", "/usr/lib64/libqlsdm-x86_64.so", "/usr/lib64/libemsdm.so"})
            fs::remove(p);
    }

    static void SetConf(const std::string &text) { WriteFile("/etc/hba.conf", text); }

    // Loads the libraries of `conf` and returns the adapter count.
    static HBA_UINT32 Load(const std::string &conf)
    {
        SetConf(conf);
        EXPECT_EQ(HBA_LoadLibrary(), HBA_STATUS_OK);
        return HBA_GetNumberOfAdapters();
    }

    static std::string NameOf(HBA_UINT32 index)
    {
        char name[kHbaAdapterNameSize] = {};
        return HBA_GetAdapterName(index, name) == HBA_STATUS_OK ? name : "<error>";
    }

    static std::string LibraryOf(HBA_UINT32 index)
    {
        char path[kHbaLibraryPathSize];
        HbaLibraryOfAdapter(index, path);
        return path;
    }
};

// --- text helpers -------------------------------------------------------------

TEST(CleanText, Table)
{
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {
        {"1.2.3.4   ", "1.2.3.4"},
        {"two  words", "two words"},
        {"a    b  c ", "a b c"},
        {" ", " "},
        {"", ""},
        {"x~", "x"},
        {"ver\t\r\n", "ver"},
        {"v1\x7f\x80\xff", "v1"},
        {"~~~", "~"},  // the first character always stays
        {"}", "}"},
        {"  lead", " lead"},
        {"in\tside  ", "in\tside"},
    };
    for (const Case &c : cases) {
        char buf[64];
        snprintf(buf, sizeof buf, "%s", c.in);
        CleanText(buf);
        EXPECT_STREQ(buf, c.out) << "input \"" << c.in << "\"";
    }
}

TEST(PciSearchCommand, Table)
{
    struct Case {
        uint8_t domain, bus, function;
        const char *pattern;
    } cases[] = {
        {0, 5, 1, "0000:05:\\(\\w\\)*\\.1"},
        {0, 0xaf, 0, "0000:af:\\(\\w\\)*\\.0"},
        {0x1b, 0x0c, 7, "001b:0c:\\(\\w\\)*\\.7"},
        {0xff, 0xff, 0xa, "00ff:ff:\\(\\w\\)*\\.a"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PciSearchCommand(c.domain, c.bus, c.function),
                  std::string("find /sys -name subsystem_vendor | grep -i -e '") + c.pattern + "'");
}

TEST(HbaConfLine, Table)
{
    struct Case {
        const char *line;
        bool row;
        const char *name;
        const char *path;
    } cases[] = {
        {"com.vendor /usr/lib/libv.so", true, "com.vendor", "/usr/lib/libv.so"},
        {"com.vendor\t/usr/lib/libv.so", true, "com.vendor", "/usr/lib/libv.so"},
        {"com.vendor    /usr/lib/libv.so", true, "com.vendor", "/usr/lib/libv.so"},
        {"com.vendor\t \t  /usr/lib/libv.so", true, "com.vendor", "/usr/lib/libv.so"},
        {"com.vendor\t\t/usr/lib/libv.so", true, "com.vendor", "/usr/lib/libv.so"},
        {"com.vendor /usr/lib/libv-x86_64.so", true, "com.vendor", "/usr/lib/libv"},
        {"com.vendor /usr/lib/libv.so trailing words", true, "com.vendor", "/usr/lib/libv.so"},
        {"com.vendor /opt/v_2/Lib9.so\r", true, "com.vendor", "/opt/v_2/Lib9.so"},
        {"two words\t/lib/x.so", true, "two words", "/lib/x.so"},  // a tab wins over an earlier space
        {"#com.vendor /usr/lib/libv.so", false, "", ""},
        {"", false, "", ""},
        {"single", false, "", ""},
        {"single ", false, "", ""},
        {" /usr/lib/libv.so", false, "", ""},
        {"com.vendor -x86_64.so", false, "", ""},
    };
    for (const Case &c : cases) {
        char name[kHbaLibraryNameSize] = {}, path[kHbaLibraryPathSize] = {};
        bool row = HbaParseConfLine(c.line, name, sizeof name, path, sizeof path);
        EXPECT_EQ(row, c.row) << "line \"" << c.line << "\"";
        if (row && c.row) {
            EXPECT_STREQ(name, c.name) << "line \"" << c.line << "\"";
            EXPECT_STREQ(path, c.path) << "line \"" << c.line << "\"";
        }
    }

    // Names keep 63 characters, paths 255.
    std::string longName(100, 'n'), longPath = "/" + std::string(300, 'p');
    std::string line = longName + " " + longPath;
    char name[kHbaLibraryNameSize], path[kHbaLibraryPathSize];
    ASSERT_TRUE(HbaParseConfLine(line.c_str(), name, sizeof name, path, sizeof path));
    EXPECT_EQ(std::string(name), longName.substr(0, 63));
    EXPECT_EQ(std::string(path), longPath.substr(0, 255));
}

// --- dispatch layer -------------------------------------------------------------

TEST_F(Inventory, LibrariesNumberTheirAdaptersInTableOrder)
{
    TestLibrary a(dir + "/liba.so", "adapter A0 1000000000000a00\nadapter A1 1000000000000a01\n");
    TestLibrary b(dir + "/libb.so", "adapter B0 1000000000000b00\nadapter B1 1000000000000b01\n");
    TestLibrary c(dir + "/libc", "adapter C0 1000000000000c00\n");
    HBA_UINT32 n = Load("# comment line\n"
                        "\n"
                        "singleword\n"
                        "org.a\t" + a.path + "\n" +
                        "org.b " + b.path + "\n" +
                        "org.c   " + c.path + "-x86_64.so\n");
    ASSERT_EQ(n, 5u);
    const char *names[] = {"A0", "A1", "B0", "B1", "C0"};
    const std::string libs[] = {a.path, a.path, b.path, b.path, c.path};
    for (HBA_UINT32 i = 0; i < n; i++) {
        EXPECT_EQ(NameOf(i), names[i]);
        EXPECT_EQ(LibraryOf(i), libs[i]);
    }
    char name[kHbaAdapterNameSize];
    EXPECT_EQ(HBA_GetAdapterName(5, name), HBA_STATUS_ERROR_ILLEGAL_INDEX);
    EXPECT_EQ(LibraryOf(5), "");

    // The library row sits in the upper 16 bits: comment, empty and
    // single-word lines took no row.
    char a1[] = "A1", b0[] = "B0", c0[] = "C0", unknown[] = "A";
    EXPECT_EQ(HBA_OpenAdapter(a1), 0x00000101u);
    EXPECT_EQ(HBA_OpenAdapter(b0), 0x00010100u);
    EXPECT_EQ(HBA_OpenAdapter(c0), 0x00020100u);
    EXPECT_EQ(HBA_OpenAdapter(unknown), 0u);

    HBA_ADAPTERATTRIBUTES attr{};
    ASSERT_EQ(HBA_GetAdapterAttributes(0x00010101, &attr), HBA_STATUS_OK);
    EXPECT_STREQ(attr.Model, "Model-B1");
    EXPECT_EQ(b.Count("GetAdapterAttributes 0x101"), 1);
}

TEST_F(Inventory, HandleChecksComeBeforeAnyCall)
{
    TestLibrary a(dir + "/liba.so", "adapter A0 1000000000000a00\nport 2000000000000a00\n");
    ASSERT_EQ(Load("org.a " + a.path + "\n"), 1u);
    a.ClearLog();

    HBA_ADAPTERATTRIBUTES attr;
    HBA_PORTATTRIBUTES port;
    HBA_PORTSTATISTICS stats;
    struct Case {
        HBA_HANDLE handle;
        HBA_STATUS status;
    } cases[] = {
        {0x00200100, HBA_STATUS_ERROR_INVALID_HANDLE},  // library part 32
        {0xFFFF0100, HBA_STATUS_ERROR_INVALID_HANDLE},
        {0x00010100, HBA_STATUS_ERROR},                 // a row that holds no library
        {0x001F0100, HBA_STATUS_ERROR},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(HBA_GetAdapterAttributes(c.handle, &attr), c.status) << std::hex << c.handle;
        EXPECT_EQ(HBA_GetAdapterPortAttributes(c.handle, 0, &port), c.status) << std::hex << c.handle;
        EXPECT_EQ(HBA_GetPortStatistics(c.handle, 0, &stats), c.status) << std::hex << c.handle;
        HBA_CloseAdapter(c.handle);
    }
    EXPECT_TRUE(a.Calls().empty()) << ReadFile(a.path + ".log");

    // The library's own handle is the lower 16 bits.
    EXPECT_EQ(HBA_GetAdapterPortAttributes(0x00000100, 0, &port), HBA_STATUS_OK);
    EXPECT_EQ(HBA_GetAdapterPortAttributes(0x00000100, 1, &port), HBA_STATUS_ERROR_ILLEGAL_INDEX);
}

TEST_F(Inventory, UnusableLibrariesAreSkipped)
{
    TestLibrary noRegister(dir + "/libnoreg.so", "adapter N0 1000000000000e00\n", "testhba_noregister");
    TestLibrary version0(dir + "/libv0.so", "version 0\nadapter V0 1000000000000e01\n");
    TestLibrary loadFails(dir + "/libload.so", "load 1\nadapter L0 1000000000000e02\n");
    TestLibrary regFails(dir + "/libreg.so", "register 1\nadapter R0 1000000000000e03\n");
    TestLibrary good(dir + "/libgood.so", "adapter G0 1000000000000e04\n");
    HBA_UINT32 n = Load("org.missing " + dir + "/libmissing.so\n" +
                        "org.noreg " + noRegister.path + "\n" +
                        "org.v0 " + version0.path + "\n" +
                        "org.load " + loadFails.path + "\n" +
                        "org.reg " + regFails.path + "\n" +
                        "org.good " + good.path + "\n");
    ASSERT_EQ(n, 1u);
    EXPECT_EQ(NameOf(0), "G0");
    char g0[] = "G0";
    EXPECT_EQ(HBA_OpenAdapter(g0) >> 16, 5u);  // every listed line took its row

    EXPECT_EQ(version0.Count("GetVersion"), 1);
    EXPECT_EQ(version0.Count("LoadLibrary"), 0);
    EXPECT_EQ(loadFails.Count("LoadLibrary"), 1);
    EXPECT_EQ(regFails.Count("GetVersion"), 0);

    // Only the usable library is asked to free itself.
    HBA_FreeLibrary();
    EXPECT_EQ(good.Count("FreeLibrary"), 1);
    EXPECT_EQ(loadFails.Count("FreeLibrary"), 0);
    HBA_ADAPTERATTRIBUTES attr;
    EXPECT_EQ(HBA_GetAdapterAttributes(0x00050100, &attr), HBA_STATUS_ERROR);
}

TEST_F(Inventory, TablesStopAtTheirLimits)
{
    std::string setup;
    for (int i = 0; i < 40; i++) {
        char line[64];
        snprintf(line, sizeof line, "adapter X%d 10000000000000%02x\n", i, i);
        setup += line;
    }
    TestLibrary a(dir + "/liba.so", setup);
    TestLibrary b(dir + "/libb.so", setup);
    EXPECT_EQ(Load("org.a " + a.path + "\norg.b " + b.path + "\n"), 64u);
    EXPECT_EQ(NameOf(63), "X23");

    // 33 usable lines: the last is ignored.
    std::string conf;
    for (int i = 0; i < 32; i++)
        conf += "org.none " + dir + "/none.so\n";
    EXPECT_EQ(Load(conf + "org.a " + a.path + "\n"), 0u);

    // A line longer than 511 characters is one line: what follows its first
    // 511 characters does not become a line of its own.
    std::string head = "org.a " + a.path + " ";
    EXPECT_EQ(Load(head + std::string(511 - head.size(), 'x') + "org.b\t" + b.path + "\n"), 40u);
}

// --- adapter records --------------------------------------------------------------

TEST_F(Inventory, RefreshFillsAdapterAndPorts)
{
    TestLibrary a(dir + "/liba.so",
                  "adapter A0 1000000000000a00\n"
                  "text FirmwareVersion 1.2.3.4   \n"
                  "text Manufacturer Telvarn  Corp~\n"
                  "text OptionROMVersion 3.0\\x00\n"
                  "text DriverVersion 2.1  keep  \n"
                  "nports 3\n"
                  "port 2000000000000a00 10 -1 30 40 50 60 70 80 90 100 110 120 130 140 150\n"
                  "port 2000000000000a01\n"
                  "port 2000000000000a02 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\n"
                  "fail GetAdapterPortAttributes 1\n"
                  "fail GetPortStatistics 2\n");
    ASSERT_EQ(Load("org.a " + a.path + "\n"), 1u);

    FcHbaAdapter adapter(0);
    EXPECT_EQ(adapter.Refresh(), 1);  // port 1 and the statistics of port 2 failed
    EXPECT_EQ(adapter.name, "A0");
    EXPECT_EQ(adapter.firmwareVersion, "1.2.3.4");
    EXPECT_EQ(adapter.manufacturer, "Telvarn Corp");
    EXPECT_EQ(adapter.driverVersion, "2.1  keep  ");  // not one of the cleaned texts
    EXPECT_EQ(adapter.model, "Model-A0");
    EXPECT_EQ(adapter.numberOfPorts, 3u);
    EXPECT_EQ(adapter.subsystemIds, 0xABCD1234u);
    const uint8_t node[8] = {0x10, 0, 0, 0, 0, 0, 0x0a, 0};
    EXPECT_EQ(memcmp(adapter.nodeWwn, node, 8), 0);

    ASSERT_EQ(adapter.ports.size(), 2u);
    const FcHbaPort &p0 = adapter.ports.front();
    const FcHbaPort &p2 = adapter.ports.back();
    EXPECT_EQ(p0.portIndex, 0);
    EXPECT_EQ(p0.portWwn[7], 0x00);
    EXPECT_EQ(p0.portFcId, 0x010200u);
    EXPECT_EQ(p0.portType, static_cast<uint32_t>(HBA_PORTTYPE_NPORT));
    EXPECT_EQ(p0.symbolicName, "A0 port 0");
    EXPECT_EQ(p0.maxFrameSize, 2048u);
    EXPECT_EQ(p0.activeFc4Types[2], 1);
    EXPECT_EQ(p0.statistics[0], 10);
    EXPECT_EQ(p0.statistics[1], 0);  // -1: not supported, keeps its value
    EXPECT_EQ(p0.statistics[14], 150);
    EXPECT_EQ(p2.portIndex, 2);
    EXPECT_EQ(p2.portWwn[7], 0x02);
    for (int64_t v : p2.statistics)
        EXPECT_EQ(v, 0);
    ExpectBalanced(a);

    // A second refresh rebuilds the port list rather than appending to it.
    adapter.Refresh();
    EXPECT_EQ(adapter.ports.size(), 2u);
    ExpectBalanced(a);
}

TEST_F(Inventory, FailedRefreshKeepsInitialValues)
{
    TestLibrary a(dir + "/liba.so",
                  "adapter A0 1000000000000a00\nport 2000000000000a00\nfail GetAdapterAttributes A0\n"
                  "adapter A1 1000000000000a01\nfail OpenAdapter A1\n");
    ASSERT_EQ(Load("org.a " + a.path + "\n"), 2u);
    for (int i : {0, 1, 2}) {
        FcHbaAdapter adapter(i);
        EXPECT_EQ(adapter.Refresh(), 1) << i;
        EXPECT_EQ(adapter.name, i == 2 ? "Undefined" : NameOf(i));
        EXPECT_EQ(adapter.firmwareVersion, "Undefined");
        EXPECT_EQ(adapter.driverName, "Undefined");
        EXPECT_EQ(adapter.subsystemIds, 0u);
        EXPECT_TRUE(adapter.ports.empty());
    }
    ExpectBalanced(a);  // the handle of A0 is closed although its attributes failed
    EXPECT_EQ(a.Count("CloseAdapter 0x100"), 1);
}

TEST_F(Inventory, WalkReturnsEveryAdapterOnce)
{
    TestLibrary a(dir + "/liba.so",
                  "adapter A0 1000000000000a00\nadapter A1 1000000000000a01\nfail GetAdapterAttributes A1\n"
                  "adapter A2 1000000000000a02\n");
    SetConf("org.a " + a.path + "\n");
    FcHbaMRA mra;
    ASSERT_TRUE(mra.ready);
    ASSERT_EQ(mra.count, 3u);
    std::vector<std::pair<int, int>> seen;
    int status = -1;
    for (auto adapter = mra.FirstAdapter(status); adapter; adapter = mra.NextAdapter(*adapter, status))
        seen.emplace_back(adapter->index, status);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 0}}));

    SetConf("");
    FcHbaMRA empty;
    EXPECT_TRUE(empty.ready);
    EXPECT_EQ(empty.count, 0u);
    EXPECT_EQ(empty.FirstAdapter(status), nullptr);
}

// --- extended attributes ------------------------------------------------------------

struct ExtendedCase {
    const char *label;
    const char *adapterName;
    std::string setup;  // extra setup lines of the owning library
    int result;
    const char *message;
    bool copied;
};

// Route A: the owning library's path names the expected vendor library.
TEST_F(Inventory, ExtendedAttributesFromTheOwningLibrary)
{
    const ExtendedCase cases[] = {
        {"match", "Telvarn-1", "", 0, "read adapter attribs Success! handle used is 0x100", true},
        {"mixed-case QLogic is Telvarn", "QLogic-QLE", "", 0, "read adapter attribs Success! handle used is 0x100",
         true},
        {"node WWN differs", "Telvarn-1", "zwwn 1000000000000fff\n", -6,
         "read adapter attribs Success! handle used is 0x100", false},
        {"read fails", "Telvarn-1", "fail ZQMFC_GetAdapterAttributes2\n", -3,
         "fail to read adapter attribs: handle used is 0x100: retStatus is 0x2a", false},
        {"open fails", "Telvarn-1", "fail OpenAdapter\n", -4, "dlsym for ZQMFC_GetAdapterAttributes2 success!", false},
    };
    for (const ExtendedCase &c : cases) {
        SCOPED_TRACE(c.label);
        std::string sub = dir + "/" + std::to_string(&c - cases);
        TestLibrary lib(sub + "/tvahbaapi_v2.so",
                        std::string("adapter ") + c.adapterName + " 1000000000000a00\next 00221234 5 1 0\n" + c.setup);
        ASSERT_EQ(Load("org.tva " + lib.path + "\n"), 1u);
        FcHbaAdapter adapter(0);
        adapter.Refresh();
        uint32_t refreshed = adapter.subsystemIds;
        char message[kExtendedMessageSize];
        EXPECT_EQ(ReadExtendedAttributes(adapter, message), c.result);
        EXPECT_STREQ(message, c.message);
        EXPECT_EQ(adapter.subsystemIds, c.copied ? 0x00221234u : refreshed);
        EXPECT_EQ(adapter.bus, c.copied ? 5 : 0);
        EXPECT_EQ(adapter.function, c.copied ? 1 : 0);
        EXPECT_EQ(lib.Count("LoadLibrary"), 1);  // route A never reloads
        ExpectBalanced(lib);
    }

    TestLibrary noEntry(dir + "/x/tvahbaapi.so", "adapter Telvarn-1 1000000000000a00\n", "testhba_nozqmfc");
    ASSERT_EQ(Load("org.tva " + noEntry.path + "\n"), 1u);
    FcHbaAdapter adapter(0);
    adapter.Refresh();
    char message[kExtendedMessageSize];
    EXPECT_EQ(ReadExtendedAttributes(adapter, message), -2);
    EXPECT_STREQ(message, "unable to dlsym for ZQMFC_GetAdapterAttributes2");
    EXPECT_EQ(noEntry.Count("OpenAdapter"), 1);  // only the refresh's
}

// Route B: the owning library is not the vendor's, so its management library
// is loaded from the fixed paths.
TEST_F(Inventory, ExtendedAttributesFromTheVendorLibrary)
{
    struct Case {
        ExtendedCase c;
        const char *vendorPath;  // null: none installed
        const char *variant;
        bool freed;  // ZQMFC_FreeLibrary expected
    };
    const Case cases[] = {
        {{"second vendor index matches", "QLogic-1", "", 0, "pass", true},
         "/usr/lib64/tvahbaapi.so", "testhba", true},
        {{"qlogic", "qlogic-qle", "", 0, "pass", true}, "/usr/lib64/libqlsdm-x86_64.so", "testhba", true},
        {{"Emulex", "Emulex-LPe", "", 0, "pass", true}, "/usr/lib64/libemsdm.so", "testhba", true},
        {{"no tvahbaapi", "Telvarn-1", "", -1, "unable to load tvahbaapi", false}, nullptr, "", false},
        {{"no qlsdm", "qlogic-1", "", -1, "unable to load qlsdm", false}, nullptr, "", false},
        {{"no emsdm", "Emulex-1", "", -1, "unable to load emsdm", false}, nullptr, "", false},
        {{"entry missing", "Telvarn-1", "", -2, "unable to dlsym for ZQMFC_OpenAdapter", false},
         "/usr/lib64/tvahbaapi.so", "testhba_noopen", false},
        {{"read fails", "Telvarn-1", "fail ZQMFC_GetAdapterAttributes2\n", -3,
          "fail to read adapter attribs, adapterHandle 0x100, retStatus 0x2a", false},
         "/usr/lib64/tvahbaapi.so", "testhba", true},
        {{"open fails", "Telvarn-1", "fail ZQMFC_OpenAdapter\n", -4, "fail to open adapter", false},
         "/usr/lib64/tvahbaapi.so", "testhba", true},
        {{"name fails", "Telvarn-1", "fail ZQMFC_GetAdapterName\n", -5, "fail to get adapter number", false},
         "/usr/lib64/tvahbaapi.so", "testhba", true},
        {{"no node WWN matches", "Telvarn-1", "zwwn 1000000000000fff\n", -6, "could not find WWNN match", false},
         "/usr/lib64/tvahbaapi.so", "testhba", true},
        {{"no adapters", "Telvarn-1", "fail ZQMFC_GetNumberOfAdapters\n", -6, "could not find WWNN match", false},
         "/usr/lib64/tvahbaapi.so", "testhba", true},
        {{"load fails", "Telvarn-1", "fail ZQMFC_LoadLibrary\n", -7, "fail to load library", false},
         "/usr/lib64/tvahbaapi.so", "testhba", false},
    };
    for (const Case &k : cases) {
        const ExtendedCase &c = k.c;
        SCOPED_TRACE(c.label);
        std::string sub = dir + "/" + std::to_string(&k - cases);
        // The HBA API library: a path without the vendor's word.
        TestLibrary hba(sub + "/libhbavendor.so", std::string("adapter ") + c.adapterName + " 1000000000000a00\n");
        std::unique_ptr<TestLibrary> vendor;
        if (k.vendorPath)
            vendor = std::make_unique<TestLibrary>(
                k.vendorPath,
                std::string("adapter Other 1000000000000b00\next 0 9 9 9\n") + "adapter " + c.adapterName +
                    " 1000000000000a00\next 00561234 5 1 2\n" + c.setup,
                k.variant);
        ASSERT_EQ(Load("org.hba " + hba.path + "\n"), 1u);
        FcHbaAdapter adapter(0);
        adapter.Refresh();
        char message[kExtendedMessageSize];
        EXPECT_EQ(ReadExtendedAttributes(adapter, message), c.result);
        EXPECT_STREQ(message, c.message);
        EXPECT_EQ(adapter.subsystemIds, c.copied ? 0x00561234u : 0xABCD1234u);
        EXPECT_EQ(adapter.domain, c.copied ? 2 : 0);
        EXPECT_EQ(adapter.function, c.copied ? 1 : 0);

        // The HBA API libraries were freed and loaded again; the adapter-name
        // table is the one from before.
        EXPECT_EQ(hba.Count("FreeLibrary"), 1);
        EXPECT_EQ(hba.Count("LoadLibrary"), 2);
        EXPECT_EQ(NameOf(0), c.adapterName);
        FcHbaAdapter again(0);
        EXPECT_EQ(again.Refresh(), 0);
        ExpectBalanced(hba);
        if (vendor) {
            EXPECT_EQ(vendor->Count("ZQMFC_FreeLibrary"), k.freed ? 1 : 0);
            ExpectBalanced(*vendor);
            fs::remove(k.vendorPath);
        }
    }
}

// --- PCI ids and the adapter list -------------------------------------------------------

class Sysfs : public Inventory {
protected:
    void SetUp() override
    {
        Inventory::SetUp();
        if (IsSkipped())
            return;
        fs::remove_all("/sys/devices");
    }

    // One PCI function directory; `omit` names a file left out.
    static void Function(const std::string &path, const char *vendor, const char *device, const char *subVendor,
                         const char *subDevice, const char *omit = "")
    {
        std::string d = "/sys/devices/" + path;
        const std::pair<const char *, const char *> files[] = {
            {"vendor", vendor}, {"device", device}, {"subsystem_vendor", subVendor}, {"subsystem_device", subDevice}};
        for (const auto &[file, value] : files)
            if (strcmp(file, omit) != 0)
                WriteFile(d + "/" + file, std::string(value) + "\n");
    }
};

TEST_F(Sysfs, PciIdComesFromTheFunctionWithBothSubsystemIds)
{
    // The bridge above the adapter and the card's other function share the
    // pattern; only the adapter's function carries both subsystem ids.
    Function("pci0000:00/0000:00:1c.1", "0x8086", "0x1234", "0x1657", "0x0000");
    Function("pci0000:00/0000:00:1c.1/0000:05:00.1", "0x1234", "0x0056", "0x1657", "0x0022");
    Function("pci0000:00/0000:00:1c.1/0000:05:01.1", "0x1234", "0x0057", "0x1657", "0x0023");
    Function("pci0000:00/0000:00:1c.1/0000:05:02.1", "0x1234", "0x0058", "0x1657", "0x0022", "device");
    Function("pci0000:00/0000:00:1c.1/0000:05:03.2", "0x1234", "0x0059", "0x1657", "0x0022");
    struct Case {
        uint8_t domain, bus, function;
        uint16_t subVendor, subDevice;
        const char *id;
    } cases[] = {
        {0, 5, 1, 0x1657, 0x0022, "12340056"},
        {0, 5, 1, 0x1657, 0x0023, "12340057"},
        {0, 5, 2, 0x1657, 0x0022, "12340059"},
        {0, 5, 1, 0x1657, 0x0099, "N/A"},  // no function with both ids
        {0, 6, 1, 0x1657, 0x0022, "N/A"},  // no directory at that location
        {1, 5, 1, 0x1657, 0x0022, "N/A"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PciIdOf(c.domain, c.bus, c.function, c.subVendor, c.subDevice), c.id)
            << int(c.domain) << ":" << int(c.bus) << "." << int(c.function);
}

TEST_F(Sysfs, PciIdNeedsReadableIdFiles)
{
    Function("pci0000:00/0000:07:00.0", "0x1234", "garbage", "0x1657", "0x0022");
    Function("pci0000:00/0000:08:00.0", "1234", "56", "1657", "0022");
    EXPECT_EQ(PciIdOf(0, 7, 0, 0x1657, 0x0022), "N/A");
    EXPECT_EQ(PciIdOf(0, 8, 0, 0x1657, 0x0022), "12340056");  // no "0x" prefix
}

TEST_F(Sysfs, DiscoverAdaptersBuildsOneRecordPerAdapter)
{
    Function("pci0000:00/0000:00:02.0/0000:05:00.1", "0x1234", "0x0056", "0x1234", "0x0022");
    TestLibrary lib(dir + "/tvahbaapi.so",
                    "adapter Telvarn-1 100000e0deadbe01\n"
                    "text FirmwareVersion 4.1.2   \n"
                    "text OptionROMVersion 3.2  beta\\x7f\n"
                    "text Model TV-1862\n"
                    "text HardwareVersion rev  B\n"
                    "text DriverVersion 3.2.7.1\n"
                    "port 200000e0deadbe01\nport 200000e0deadbe02\n"
                    "ext 00221234 5 1 0\n"
                    "adapter Telvarn-2 100000e0deadbe02\n"
                    "ext 00331234 9 0 0\n"
                    "fail GetAdapterAttributes Telvarn-2\n");
    SetConf("org.tva " + lib.path + "\n");

    FcHbaInfoList adapters;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(DiscoverAdapters(adapters));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "MRA get returned failed status!\n");
    ASSERT_EQ(adapters.size(), 2u);

    const FcHbaInfo &a = *adapters.front();
    EXPECT_STREQ(a.nodeWwn, "10:00:00:E0:DE:AD:BE:01");
    EXPECT_STREQ(a.portWwn, "20:00:00:E0:DE:AD:BE:01");
    EXPECT_STREQ(a.pciId, "12340056");
    EXPECT_STREQ(a.subsystemIds, "12340022");
    EXPECT_STREQ(a.driverVersion, "3.2.7.1");
    EXPECT_STREQ(a.firmwareVersion, "4.1.2");
    EXPECT_STREQ(a.optionRomVersion, "3.2 beta");
    EXPECT_STREQ(a.model, "TV-1862");
    EXPECT_STREQ(a.hardwareVersion, "rev B");

    // The refresh failed: initial texts, no ports, and with no node WWN to
    // match the extended values are not taken.
    const FcHbaInfo &b = *adapters.back();
    EXPECT_STREQ(b.nodeWwn, "00:00:00:00:00:00:00:00");
    EXPECT_STREQ(b.portWwn, "");
    EXPECT_STREQ(b.pciId, "N/A");
    EXPECT_STREQ(b.subsystemIds, "00000000");
    EXPECT_STREQ(b.firmwareVersion, "Undefined");
    EXPECT_STREQ(b.model, "Undefined");
    ExpectBalanced(lib);

    for (FcHbaInfo *info : adapters)
        delete info;
}

TEST_F(Sysfs, DiscoverAdaptersWithoutConfiguration)
{
    fs::remove("/etc/hba.conf");
    FcHbaMRA mra;
    EXPECT_FALSE(mra.ready);
    EXPECT_EQ(mra.count, 0u);
    FcHbaInfoList adapters;
    EXPECT_TRUE(DiscoverAdapters(adapters));
    EXPECT_TRUE(adapters.empty());
}

}  // namespace
