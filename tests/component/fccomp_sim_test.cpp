// fccomp's main job on the emulated host: the package files in a working
// directory, every step run inside one `tvasim run`.
#include "console_texts.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <regex>

using namespace console;
namespace fs = std::filesystem;

namespace {

const std::string Bin = TVA_BINARY_DIR "/bin/";
const std::string BootImage = TVA_BINARY_DIR "/tva_boot_fw";
const std::string Catalogue = TVA_SOURCE_DIR "/package/reference.xml";

struct SimResult {
    int status = -1;
    std::string out, err;
};

// The package as make-package.sh lays it out, but without the boot image.
void LayOutPackage(const ScratchDir &dir)
{
    fs::copy_file(Bin + "fccomp", dir / "fccomp");
    fs::copy_file(Catalogue, dir / "reference.xml");
    for (const char *build : {"ioctl", "noioctl"}) {
        fs::create_directory(dir / build);
        fs::copy_file(Bin + "tvcli", dir / build + "/tvcli");
    }
}

// Runs SCRIPT with sh in DIR on the emulated host.
SimResult Sim(const ScratchDir &dir, const std::string &script, const std::vector<std::string> &tvasimOptions = {})
{
    std::vector<std::string> argv = {Bin + "tvasim", "run"};
    argv.insert(argv.end(), tvasimOptions.begin(), tvasimOptions.end());
    for (const std::string &a : {std::string("--"), std::string("sh"), std::string("-c"), script})
        argv.push_back(a);
    std::vector<char *> cargv;
    for (std::string &a : argv)
        cargv.push_back(a.data());
    cargv.push_back(nullptr);

    const std::string out = dir / ".sim-out", err = dir / ".sim-err";
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.Path().c_str()) != 0 || !freopen("/dev/null", "r", stdin) ||
            !freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr))
            _exit(126);
        execv(cargv[0], cargv.data());
        _exit(127);
    }
    int ws = 0;
    waitpid(pid, &ws, 0);
    SimResult r;
    r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
    r.out = dir.Read(".sim-out");
    r.err = dir.Read(".sim-err");
    return r;
}

// One fccomp run per entry; each step's console output lands in outN and its
// exit code in rcN, the component log in "log" at the end.
std::string Steps(const std::vector<std::string> &commands)
{
    std::string s;
    for (size_t i = 0; i < commands.size(); i++) {
        const std::string n = std::to_string(i + 1);
        s += commands[i] + " > out" + n + "; echo $? > rc" + n + "; ";
    }
    return s + "cp /var/zqm/Component.log log";
}

int Rc(const ScratchDir &dir, int step)
{
    return std::atoi(dir.Read("rc" + std::to_string(step)).c_str());
}

// The values of every ELEMENT of a discovery document, in order.
std::vector<std::string> Values(const std::string &doc, const std::string &element)
{
    std::vector<std::string> v;
    const std::regex re("<" + element + " value=\"([^\"]*)\"/>");
    for (auto it = std::sregex_iterator(doc.begin(), doc.end(), re); it != std::sregex_iterator(); ++it)
        v.push_back((*it)[1]);
    return v;
}

bool HaveEmulator()
{
    return access((Bin + "tvasim").c_str(), X_OK) == 0 && access((Bin + "tvcli").c_str(), X_OK) == 0 &&
           access((Bin + "fccomp").c_str(), X_OK) == 0;
}

} // namespace

// A package without the boot image in a scratch working directory.
class FccompOnEmulatedHost : public testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveEmulator())
            GTEST_SKIP() << "tvasim, tvcli or fccomp not built";
        LayOutPackage(dir);
    }
    ScratchDir dir;
};

TEST_F(FccompOnEmulatedHost, DiscoverFlashAndDiscoverAgain)
{
    if (access(BootImage.c_str(), R_OK) != 0)
        GTEST_SKIP() << "no boot image built";
    fs::copy_file(BootImage, dir / "tva_boot_fw");
    SimResult r = Sim(dir, Steps({"./fccomp /d discovery1.xml", "./fccomp", "./fccomp /d discovery2.xml",
                                  "./fccomp", "./fccomp /s /f"}));
    ASSERT_EQ(r.status, 0) << r.err;

    // Report: every adapter of the default host is an upgrade.
    EXPECT_EQ(Rc(dir, 1), 3);
    EXPECT_EQ(dir.Read("out1"), Loaded + "Generating self-discovery XML...done.\n");
    const std::string doc1 = dir.Read("discovery1.xml");
    // The adapters come in the order the host lists them, which may vary.
    std::vector<std::string> ids = Values(doc1, "device_id");
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::string>{"1657.0013.1657.0015", "1657.0014.1657.0016"}));
    EXPECT_EQ(Values(doc1, "action"), (std::vector<std::string>{"upgrade", "upgrade"}));

    // Install: the utility flashes every adapter; its lines go to the log only.
    EXPECT_EQ(Rc(dir, 2), 1);
    const std::string out2 = dir.Read("out2");
    const std::string announce = "Executing flash engine: ./tvcli boot --update tva_boot_fw -a\n";
    EXPECT_TRUE(std::regex_match(out2, std::regex(std::regex_replace(Loaded, std::regex("[.]"), "\\.") +
                                                  "Performing flash -- DO NOT INTERRUPT!\n"
                                                  "Kernel : \\d+  major : \\d+  minor : \\d+\n" +
                                                  std::regex_replace(announce, std::regex("[.]"), "\\.") +
                                                  "Flash Engine exit code: 0\nFlash complete \\[1\\]\n")))
        << out2;
    const std::string log = dir.Read("log");
    const size_t from = log.find(announce);
    const size_t to = log.find("Flash Engine exit code: 0\n");
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    const std::string engine = log.substr(from + announce.size(), to - from - announce.size());
    EXPECT_FALSE(engine.empty()) << "the utility wrote nothing to the log";
    EXPECT_EQ(out2.find(engine), std::string::npos);

    // Report again: now the packaged version is on every adapter.
    EXPECT_EQ(Rc(dir, 3), 3);
    const std::string doc2 = dir.Read("discovery2.xml");
    EXPECT_EQ(Values(doc2, "action"), (std::vector<std::string>{"rewrite", "rewrite"}));
    EXPECT_EQ(Values(doc2, "active_version"), (std::vector<std::string>{"3.3.0.0", "3.3.0.0"}));

    // Nothing to upgrade: no flash unless forced; silent keeps the console quiet.
    EXPECT_EQ(Rc(dir, 4), 3);
    EXPECT_EQ(dir.Read("out4"), Loaded + "NOTICE : No operation was done.\n");
    EXPECT_EQ(Rc(dir, 5), 1);
    EXPECT_EQ(dir.Read("out5"), "");
    EXPECT_NE(log.rfind("Flash complete [1]\n"), log.find("Flash complete [1]\n"));
}

TEST_F(FccompOnEmulatedHost, FlashEngineFailureExitsWithSeven)
{
    struct Case {
        const char *name;
        bool bootImage;
        std::vector<std::string> faults;
    } cases[] = {
        {"no boot image", false, {}},
        {"every flash write fails", true, {"--fault", "0xc0184350=status:1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.bootImage) {
            if (access(BootImage.c_str(), R_OK) != 0)
                continue;
            fs::copy_file(BootImage, dir / "tva_boot_fw", fs::copy_options::overwrite_existing);
        }
        SimResult r = Sim(dir, Steps({"./fccomp"}), c.faults);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Rc(dir, 1), 7);
        const std::string out = dir.Read("out1");
        std::smatch m;
        ASSERT_TRUE(std::regex_search(out, m, std::regex("Flash Engine exit code: (\\d+)\nFlash complete \\[7\\]\n$")))
            << out;
        EXPECT_NE(m[1], "0");
        EXPECT_NE(dir.Read("log").find(m[0].str()), std::string::npos);
    }
}

TEST_F(FccompOnEmulatedHost, AdaptersOutsideTheCatalogue)
{
    // The adapters of the default host are not in this catalogue.
    dir.Write("reference.xml", "<qvdeploy_fchba_reference><devices><device><type value=\"FC\"/>"
                               "<device_id value=\"1657.00ff.1657.00ff\"/><bios value=\"3.3.0.0\"/>"
                               "</device></devices></qvdeploy_fchba_reference>");
    SimResult r = Sim(dir, Steps({"./fccomp /d discovery.xml", "./fccomp", "./fccomp -f"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Rc(dir, 1), 3);
    EXPECT_NE(dir.Read("discovery.xml").find("  <type value=\"FC\"/>\n  <alt_name value=\"\"/>\n  <version value=\"\"/>\n"
                                             "  <takes_effect value=\"\"/>\n  <devices/>\n"),
              std::string::npos)
        << dir.Read("discovery.xml");
    EXPECT_EQ(Rc(dir, 2), 3);
    EXPECT_EQ(dir.Read("out2"), Loaded + "NOTICE : No operation was done.\n");
    EXPECT_EQ(Rc(dir, 3), 3);
    EXPECT_EQ(dir.Read("out3"), Loaded + "ERROR! : No supported hardware was found.\n");
}

TEST_F(FccompOnEmulatedHost, DiscoveryDocumentEscapingAndSaveFailure)
{
    dir.Write("reference.xml", "<qvdeploy_fchba_reference><devices><device>"
                               "<device_id value=\"1657.0013.1657.0015\"/><model value=\"TV&amp;825 &quot;C&quot;\"/>"
                               "<bios value=\"3.3.0.0\"/></device></devices></qvdeploy_fchba_reference>");
    SimResult r = Sim(dir, Steps({"./fccomp /d discovery.xml", "./fccomp /d no/such/dir/discovery.xml 2>/dev/null"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Rc(dir, 1), 3);
    EXPECT_EQ(Values(dir.Read("discovery.xml"), "product_id"),
              (std::vector<std::string>{"TV&amp;825 &quot;C&quot;"}));
    // A document that cannot be saved is reported; the exit code stays 3.
    EXPECT_EQ(Rc(dir, 2), 3);
    EXPECT_EQ(dir.Read("out2"), Loaded + "Generating self-discovery XML...FAILED!\ndone.\n");
}

TEST_F(FccompOnEmulatedHost, NoAdapterAtAll)
{
    dir.Write("empty.json", "{\"adapters\": []}");
    SimResult r = Sim(dir, Steps({"./fccomp /d discovery.xml", "./fccomp /f"}), {"--scenario", "empty.json"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (int step : {1, 2}) {
        EXPECT_EQ(Rc(dir, step), 7);
        EXPECT_EQ(dir.Read("out" + std::to_string(step)), Loaded + "WARNING! : No supported adapters found.\n");
    }
    EXPECT_FALSE(fs::exists(dir / "discovery.xml"));
}
