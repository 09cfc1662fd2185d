// The real tvcli binary: help and version texts byte for byte, command-line
// errors with their exit statuses, the interactive shell, and identifier
// resolution over an emulated host with an FC HBA and a converged adapter.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kBin = TVA_BINARY_DIR "/bin/";
const std::string kTvcli = kBin + "tvcli";
const std::string kDir = TVA_SOURCE_DIR "/tests/cli/";

struct Result {
    int status = -1;
    std::string out, err;
};

std::string Slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Result Run(const std::vector<std::string> &argv, const std::string &input = "")
{
    char inPath[] = "/tmp/clirun-in.XXXXXX", outPath[] = "/tmp/clirun-out.XXXXXX",
         errPath[] = "/tmp/clirun-err.XXXXXX";
    int in = mkstemp(inPath), out = mkstemp(outPath), err = mkstemp(errPath);
    Result r;
    if (in < 0 || out < 0 || err < 0)
        return r;
    if (!input.empty() && write(in, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        return r;
    lseek(in, 0, SEEK_SET);
    std::vector<char *> av;
    for (const std::string &a : argv)
        av.push_back(const_cast<char *>(a.c_str()));
    av.push_back(nullptr);
    fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execv(av[0], av.data());
        _exit(127);
    }
    int ws = 0;
    waitpid(pid, &ws, 0);
    r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
    r.out = Slurp(outPath);
    r.err = Slurp(errPath);
    close(in);
    close(out);
    close(err);
    unlink(inPath);
    unlink(outPath);
    unlink(errPath);
    return r;
}

// tvcli on this machine, which has no adapter driver, inside a private
// mount namespace so that nothing it might write reaches the host.
Result Bare(const std::vector<std::string> &args, const std::string &input = "")
{
    std::vector<std::string> argv = {"/bin/sh", TVA_SOURCE_DIR "/tests/common/nsrun.sh", "--", kTvcli};
    argv.insert(argv.end(), args.begin(), args.end());
    return Run(argv, input);
}

bool HaveEmulator()
{
    return access((kBin + "tvasim").c_str(), X_OK) == 0;
}

// A command inside the emulated host described by a scenario file.
Result Sim(const std::string &scenario, const std::vector<std::string> &cmd, const std::string &input = "",
           const std::string &fault = "")
{
    std::vector<std::string> argv = {kBin + "tvasim", "run", "--scenario", kDir + scenario};
    if (!fault.empty()) {
        argv.push_back("--fault");
        argv.push_back(fault);
    }
    argv.push_back("--");
    argv.insert(argv.end(), cmd.begin(), cmd.end());
    return Run(argv, input);
}

std::vector<std::string> Tvcli(std::vector<std::string> args)
{
    args.insert(args.begin(), kTvcli);
    return args;
}

const char kHelp[] =
    "\nAvailable command options are:"
    "\n\nCommon Adapter (HBA/CNA) Commands:\n"
    "adapter  auth     bios     boot     debug    diag     \n"
    "log      pcifn    port     "
    "\n\nCNA specific Commands:\n"
    "dcb      fcoe     phy      "
    "\n\nFC/FCoE specific Commands:\n"
    "fabric   fcdiag   fcpim    lport    qos      ratelim  \n"
    "rport    trunk    vhba     vport    "
    "\n\nETH specific Commands:\n"
    "ethboot  vnic     "
    "\n\n";

const char kExtendedHelp[] =
    "\nAvailable command options are:"
    "\n\nCommon Adapter (HBA/CNA) Commands:\n"
    "adapter  auth     bios     boot     bootdup  debug    \n"
    "diag     flash    fruvpd   log      mfg      pcifn    \n"
    "port     "
    "\n\nCNA specific Commands:\n"
    "dcb      fcoe     phy      "
    "\n\nFC/FCoE specific Commands:\n"
    "fabric   fcdiag   fcpim    ipfc     lport    qos      \n"
    "ratelim  rport    trunk    vhba     vport    "
    "\n\nETH specific Commands:\n"
    "ethboot  vnic     "
    "\n\n";

const char kVersion[] = "\nTelvarn CLI utility\nVersion:3.1.0.0 06/15/2012 08.53.43\n\n";

const char kAdapterUsageHead[] =
    "\nUsage: tvcli adapter [OPTIONS] [ARGUMENTS] ...\n"
    "Example: tvcli adapter --list\n\n"
    "Available commands are:\n";

// The scan numbers adapters in the order the driver directories list their
// functions, which the host decides; cases name adapter x1 "{x}" and adapter
// cna2 "{c}" and take their indexes from the probe.
struct Indexes {
    std::string x, c;
};

Indexes AdapterIndexes()
{
    Result r = Sim("two_adapters.json", {CLI_PROBE}, "adapter --query x1\nadapter --query cna2\n");
    Indexes ix;
    std::istringstream lines(r.out);
    std::string word, rc, what;
    while (lines >> word) {
        if (word == "scan") {
            lines >> rc >> what;
            continue;
        }
        lines >> rc >> what;
        std::string idx = what.rfind("adapter", 0) == 0 ? what.substr(7) : "?";
        (word == "x1" ? ix.x : ix.c) = idx;
    }
    return ix;
}

std::string Sub(std::string s, const Indexes &ix)
{
    for (auto [key, value] : {std::pair<std::string, std::string>{"{x}", ix.x}, {"{c}", ix.c}})
        for (size_t at; (at = s.find(key)) != std::string::npos;)
            s.replace(at, key.size(), value);
    return s;
}

} // namespace

// Every top-level form answers without the library: on this machine a scan
// would fail (no driver), so a clean exit 0 with nothing on standard error
// also shows that none of them scanned.
TEST(CliRun, TopLevelTexts)
{
    struct Case {
        std::vector<std::string> args;
        const char *out;
    } cases[] = {
        {{}, kHelp},
        {{"--help"}, kHelp},
        {{"--ehelp"}, kExtendedHelp},
        {{"-v"}, kVersion},
        {{"--version"}, kVersion},
    };
    for (const Case &c : cases) {
        Result r = Bare(c.args);
        std::string what = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(r.status, 0) << what;
        EXPECT_EQ(r.out, c.out) << what;
        EXPECT_EQ(r.err, "") << what;
    }
}

TEST(CliRun, ClassUsageWithoutScan)
{
    Result r = Bare({"adapter"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind(kAdapterUsageHead, 0), 0u) << r.out;
    EXPECT_EQ(r.out.find("--autostart"), std::string::npos);

    Result help = Bare({"adapter", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, r.out);

    Result ext = Bare({"adapter", "--ehelp"});
    EXPECT_EQ(ext.status, 0);
    EXPECT_EQ(ext.err, "");
    EXPECT_NE(ext.out.find("\t--autostart <ad_id> <on | off>\n"), std::string::npos);
    EXPECT_NE(ext.out.find("\t--power <ad_id> [-m {on | off | save1 | save2}]\n"), std::string::npos);

    // Classes whose usage is extended only print nothing for the normal one.
    Result mfg = Bare({"mfg"});
    EXPECT_EQ(mfg.status, 0);
    EXPECT_EQ(mfg.out, "");
}

TEST(CliRun, CommandLineErrors)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        const char *err;
        bool usage; // the adapter usage follows on standard output
    } cases[] = {
        {{"nosuch"}, 185, "ERROR: \"nosuch\" Command class not supported\n\n", false},
        {{"nosuch", "--list"}, 185, "ERROR: \"nosuch\" Command class not supported\n\n", false},
        {{"Adapter", "--list"}, 185, "ERROR: \"Adapter\" Command class not supported\n\n", false},
        {{"adapter", "--bogus"}, 162, "ERROR: \"--bogus\" Command not supported\n\n", false},
        {{"adapter", "--query"}, 166, "ERROR: Incorrect argument count for command \"--query\"\n", true},
        {{"adapter", "--list", "extra"}, 166, "ERROR: Incorrect argument count for command \"--list\"\n", true},
        // Past the checks the scan runs, and this machine has no driver.
        {{"adapter", "--list"}, 133, "ERROR: Telvarn adapter/driver not installed or loaded \n", false},
    };
    for (const Case &c : cases) {
        Result r = Bare(c.args);
        std::string what = c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : "");
        EXPECT_EQ(r.status, c.status) << what;
        EXPECT_EQ(r.err, c.err) << what;
        if (c.usage)
            EXPECT_EQ(r.out.rfind(kAdapterUsageHead, 0), 0u) << what << ": " << r.out;
        else
            EXPECT_EQ(r.out, "") << what;
    }
}

TEST(CliRun, HugeWordsAreHandled)
{
    std::string huge(10 * 1024, 'a');
    Result cls = Bare({huge});
    EXPECT_EQ(cls.status, 185);
    EXPECT_EQ(cls.err, "ERROR: \"" + huge + "\" Command class not supported\n\n");

    Result cmd = Bare({"port", "--" + huge});
    EXPECT_EQ(cmd.status, 162);
}

TEST(CliRun, ShellScriptOnStandardInput)
{
    // "ab" is too short to run, "-v" is run, a failing command prints no
    // ERROR line, "quit" ends with the last result (4025 -> 185).
    Result r = Bare({"shell"}, "ab\n-v\nnosuch --x\nquit\nadapter\n");
    EXPECT_EQ(r.status, 185);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, std::string("\ntvcli> \ntvcli> ") + kVersion + "\ntvcli> \ntvcli> ");

    // "exit" ends the same way; "quit" before any command gives 0.
    EXPECT_EQ(Bare({"shell"}, "nosuch\nexit\n").status, 185);
    EXPECT_EQ(Bare({"shell"}, "quit\nnosuch\n").status, 0);

    // End of input returns the last result; runs of spaces make no words.
    Result eof = Bare({"shell"}, "   adapter    --bogus  \n");
    EXPECT_EQ(eof.status, 162);
    EXPECT_EQ(eof.err, "");
    EXPECT_EQ(eof.out, "\ntvcli> \ntvcli> ");

    // A blank line and a last line without newline.
    Result last = Bare({"shell"}, "     \nadapter");
    EXPECT_EQ(last.status, 0);
    EXPECT_NE(last.out.find(kAdapterUsageHead), std::string::npos);

    Result extra = Bare({"shell", "x"});
    EXPECT_EQ(extra.status, 166);
    EXPECT_EQ(extra.out, "too many arguments for command \"shell\"\n");
    EXPECT_EQ(extra.err, "");
}

TEST(CliRun, ShellRejectsOverlongLinesWhole)
{
    // The tail of a long line must not run as a command of its own.
    std::string line = "adapter --list " + std::string(300, ' ') + "nosuch\n";
    Result r = Bare({"shell"}, line + std::string(10 * 1024, 'x') + "\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "ERROR: line longer than 255 characters ignored\n"
              "ERROR: line longer than 255 characters ignored\n");
    EXPECT_EQ(r.out, "\ntvcli> \ntvcli> \ntvcli> ");
}

// Identifier resolution, as the dispatcher does it, over the two-adapter
// host: adapter x1 (FC, 0a:00.0 port 0, 0a:00.1 port 1), adapter
// cna2 (port 0: FCoE 0b:00.0 not operational + Ethernet 0b:00.2; port 1:
// Ethernet 0b:00.1 only).
TEST(CliResolve, IdentifierTable)
{
    if (!HaveEmulator())
        GTEST_SKIP() << "tvasim not built";
    struct Case {
        const char *query; // class command word
        const char *want;  // result [resolved]
    } cases[] = {
        // port identifiers, storage first then Ethernet
        {"port --query {x}/0", "0 0000:0a:00.0"},
        {"port --query {x}/1", "0 0000:0a:00.1"},
        {"port --query {x}/1/1", "0 0000:0a:00.1"},
        {"port --query {x}/0/1", "4011"},
        {"port --query 1/5", "4011"},
        {"port --query 0/0", "4011"},
        {"port --query 3/0", "4011"},
        {"port --query 1", "4011"},
        {"port --query {x}/", "4011"},
        {"port --query {c}/1", "0 0000:0b:00.1"},
        {"port --query {c}/0/2", "0 0000:0b:00.2"},
        {"port --query x1-port1", "0 0000:0a:00.1"},
        {"port --query TVA0000002", "0 0000:0b:00.0"},
        {"port --query 0000:0b:00.1", "0 0000:0b:00.1"},
        {"port --query 0000:0b:00.9", "4011"},
        {"port --query 10:00:00:16:57:0a:00:01", "0 0000:0a:00.1"},
        {"port --query 20:00:00:16:57:0b:00:00", "0 0000:0b:00.0"},
        {"port --query 10:00:00:16:57:0f:00:01", "4011"},
        {"port --query {x}/0-{x}/1", "0 0000:0a:00.0 last=0000:0a:00.1"},
        {"port --query {x}/1-{c}/0", "0 0000:0a:00.1 last=0000:0b:00.0"},
        {"port --speed {x}/0-{x}/7", "4011"},
        {"port --speed {x}/7-{x}/0", "4011"},
        {"port --speed {x}/0-0000:0a:00.1", "4011"}, // with ":" the word is a path
        {"port --speed {x}/0-nosuch", "0 0000:0a:00.0"}, // a last part that is a name may miss
        // storage only
        {"port --speed {c}/1", "4017"},
        {"port --speed cna2-port1-eth", "4017"},
        {"port --speed 0000:0b:00.2", "4017"},
        {"port --speed {c}/0", "0 0000:0b:00.0"},
        {"lport --list {x}/0", "0 0000:0a:00.0"},
        // Ethernet only
        {"ethboot --query 10:00:00:16:57:0a:00:00", "4011"},
        {"ethboot --query {c}/0", "0 0000:0b:00.2"},
        {"ethboot --query {x}/0", "4018"},
        {"ethboot --query x1-port0", "4018"},
        // operational function of the same port
        {"dcb --query {c}/0", "0 0000:0b:00.2"},
        {"dcb --query {x}/1", "0 0000:0a:00.1"},
        // adapters
        {"adapter --query 1", "0 adapter1"},
        {"adapter --query 2", "0 adapter2"},
        {"adapter --query 12", "4012"},
        {"adapter --query 0", "4012"},
        {"adapter --query 1a", "4012"},
        {"adapter --query 99999999999999999999", "4012"},
        {"adapter --query x1", "0 adapter{x}"},
        {"adapter --query TVA0000002", "0 adapter{c}"},
        {"adapter --query 0000:0b:00.0", "0 adapter{c}"},
        {"adapter --query 1/0", "4012"},
        // first IOC of port 0, the named port and function beside it
        {"vhba --create {x}/1", "0 0000:0a:00.0 port=1"},
        {"vhba --create {x}/1/1", "4011"},
        {"vhba --create {c}/1", "0 0000:0b:00.0 port=1"},
        {"vhba --create 7/0", "4011"},
        {"vhba --delete {x}/1/1", "0 0000:0a:00.0 port=1 pcifn=1"},
        {"vhba --delete {c}/0/2", "0 0000:0b:00.0 port=0 pcifn=2"},
        {"vhba --delete {x}/1", "4013"},
        {"vhba --delete x1-port1", "4011"}, // a name is no PCI function and no a/p/f
        // no identifier resolution at all
        {"boot --update whatever", "0"},
    };
    const Indexes ix = AdapterIndexes();
    ASSERT_TRUE((ix.x == "1" && ix.c == "2") || (ix.x == "2" && ix.c == "1")) << ix.x << " " << ix.c;
    std::string input;
    for (const Case &c : cases)
        input += Sub(c.query, ix) + "\n";
    Result r = Sim("two_adapters.json", {CLI_PROBE}, input);
    ASSERT_EQ(r.status, 0) << r.err;

    std::istringstream lines(r.out);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "scan 2 0");
    for (const Case &c : cases) {
        std::string q = Sub(c.query, ix);
        ASSERT_TRUE(std::getline(lines, line)) << q;
        std::string word = q.substr(q.rfind(' ') + 1);
        EXPECT_EQ(line, word + " " + Sub(c.want, ix)) << q;
    }
}

TEST(CliResolve, MessagesThroughTvcli)
{
    if (!HaveEmulator())
        GTEST_SKIP() << "tvasim not built";
    const Indexes ix = AdapterIndexes();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"port", "--query", "9/0"}, 171, "ERROR: port id \"9/0\" in command is incorrect\n"},
        {{"ethboot", "--query", "10:00:00:16:57:0a:00:00"}, 171,
         "ERROR: port id \"10:00:00:16:57:0a:00:00\" in command is incorrect\n"},
        {{"port", "--speed", "cna2-port1-eth"}, 4017 & 255,
         "ERROR: Could not find Storage functionality on the port (or adapter) \"cna2-port1-eth\"\n"},
        {{"ethboot", "--query", ix.x + "/0"}, 4018 & 255,
         "ERROR: Could not find Ethernet functionality on the port (or adapter) \"" + ix.x + "/0\"\n"},
        {{"adapter", "--query", "12"}, 172, "ERROR: adapter id \"12\" in command is incorrect\n"},
        {{"vhba", "--delete", ix.x + "/1"}, 173, "ERROR: pcifn id \"" + ix.x + "/1\" in command is incorrect\n"},
    };
    for (const Case &c : cases) {
        Result r = Sim("two_adapters.json", Tvcli(c.args));
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.args[2];
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }

    // A 10 kB identifier names nothing; the message still names it whole.
    std::string huge(10 * 1024, '7');
    Result big = Sim("two_adapters.json", Tvcli({"port", "--query", huge}));
    EXPECT_EQ(big.status, 171);
    EXPECT_TRUE(big.err == "ERROR: port id \"" + huge + "\" in command is incorrect\n")
        << big.err.substr(0, 200);

    // A hidden class runs like any other.
    Result flash = Sim("two_adapters.json", Tvcli({"flash", "--query", "1"}));
    EXPECT_EQ(flash.err.find("Command class not supported"), std::string::npos) << flash.err;
    EXPECT_NE(flash.status, 185);
}

// Both drivers are loaded but no function is bound to them.
TEST(CliResolve, HostWithoutAdapters)
{
    if (!HaveEmulator())
        GTEST_SKIP() << "tvasim not built";
    for (const char *cls : {"port", "adapter"}) {
        Result r = Sim("no_adapters.json", Tvcli({cls, "--query", "1/0"}));
        EXPECT_EQ(r.err, "ERROR: No Telvarn adapter Found\n") << cls;
        EXPECT_EQ(r.status, std::string(cls) == "port" ? 171 : 172) << cls;
    }
}

// A scan that fails with a status ends the command with it before the
// identifier is looked at; the usage needs no scan and still works.
TEST(CliResolve, ScanFailureEndsTheCommand)
{
    if (!HaveEmulator())
        GTEST_SKIP() << "tvasim not built";
    const std::string fault = "0xc2104307=status:56"; // the information request
    for (const char *word : {"1/0", "nosuch"}) {
        Result r = Sim("two_adapters.json", Tvcli({"port", "--query", word}), "", fault);
        EXPECT_EQ(r.status, 56) << word;
        EXPECT_EQ(r.err, "ERROR: IOC failure - Retry if persists contact support \n") << word;
    }
    Result usage = Sim("two_adapters.json", Tvcli({"port"}), "", fault);
    EXPECT_EQ(usage.status, 0);
    EXPECT_EQ(usage.err, "");
}
