/* tvasim end to end: commands run on the emulated host and see its sysfs,
 * nodes, state and faults. Needs root (mount namespace, FUSE). */
#include <gtest/gtest.h>

#include "run_command.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string bin = TVA_BINARY_DIR "/bin/";

using Result = tvatest::CommandResult;
using tvatest::ShellQuote;

/* tvasim run OPTIONS -- sh -c SCRIPT, with the probe on PATH. */
Result run(const std::vector<std::string> &opts, const std::string &script)
{
    std::string cmd = "PATH=" + ShellQuote(bin) + ":$PATH " + ShellQuote(bin + "tvasim") + " run";
    for (auto &o : opts)
        cmd += " " + ShellQuote(o);
    cmd += " -- sh -c " + ShellQuote(script) + " 2>&1";
    return tvatest::RunCommand(cmd);
}

class TempDir {
public:
    TempDir()
    {
        char t[] = "/tmp/tvasim-test.XXXXXX";
        path = mkdtemp(t);
    }
    ~TempDir()
    {
        std::string cmd = "rm -rf " + ShellQuote(path);
        if (std::system(cmd.c_str()) != 0)
            std::fprintf(stderr, "cannot remove %s\n", path.c_str());
    }
    std::string file(const std::string &name, const std::string &text) const
    {
        std::string p = path + "/" + name;
        std::ofstream(p) << text;
        return p;
    }
    std::string path;
};

class Tvasim : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "tvasim needs root";
    }
};

/* ---- layout of the default host ------------------------------------------ */

TEST_F(Tvasim, DefaultHostLayout)
{
    struct Case {
        const char *script;
        const char *expect;
    } cases[] = {
        {"ls /sys/bus/pci/drivers/tva | grep :", "0000:0a:00.0\n0000:0a:00.1\n0000:0b:00.0\n0000:0b:00.1\n"},
        {"ls /sys/bus/pci/drivers/tvn | grep :", "0000:0b:00.2\n0000:0b:00.3\n"},
        {"cat /sys/bus/pci/drivers/tva/0000:0a:00.1/vendor /sys/bus/pci/drivers/tva/0000:0a:00.1/device "
         "/sys/bus/pci/drivers/tva/0000:0a:00.1/subsystem_vendor /sys/bus/pci/drivers/tva/0000:0a:00.1/subsystem_device",
         "0x1657\n0x0013\n0x1657\n0x0015\n"},
        {"ls /sys/bus/pci/drivers/tva/0000:0b:00.1 | grep host", "host6\n"},
        {"find /sys -name subsystem_vendor | wc -l", "6\n"},
        {"cat /sys/class/fc_host/host3/port_name /sys/class/fc_host/host3/max_npiv_vports "
         "/sys/class/fc_host/host3/npiv_vports_inuse",
         "0x10000016570a0000\n16\n0\n"},
        {"ls /sys/class/scsi_device/3:0:0:1/device/scsi_generic /sys/class/scsi_device/3:0:0:1/device/block",
         "/sys/class/scsi_device/3:0:0:1/device/block:\nsdc\n\n/sys/class/scsi_device/3:0:0:1/device/scsi_generic:\nsg2\n"},
        {"cat /sys/class/fc_remote_ports/rport-3:0-0/port_name", "0x500601603b200001\n"},
        {"for n in /dev/bsg/fc_host3 /dev/bsg/fc_host4 /dev/bsg/fc_host5 /dev/bsg/fc_host6 /dev/bsg/rport-3:0-0 "
         "/dev/sg1 /dev/sg3 /dev/tvn /dev/tvaipfc; do test -c $n && echo $n; done | wc -l",
         "9\n"},
        {"ls /sys/kernel/debug/tvn/pci_dev:0000:0b:00.3", "drvtrc\nfwsave\nfwtrc\nregrd\nregwr\n"},
        {"cat /sys/class/net/eth3/address", "00:16:57:0b:00:03\n"},
        {"cat /etc/hba.conf | grep -v '^#'", "com.telvarn.tvahbaapi\t/usr/lib/tvahbaapi.so\n"},
        {"test -d /var/zqm && ls -A /var/zqm | wc -l && ls /etc/tva.conf 2>&1 | grep -c 'No such'", "0\n1\n"},
    };
    /* one run; each case's output follows a marker line */
    std::string script;
    for (const auto &c : cases)
        script += "echo @@; " + std::string(c.script) + ";";
    Result r = run({}, script);
    ASSERT_EQ(r.status, 0) << r.out;
    std::vector<std::string> outs;
    for (size_t pos = 0; (pos = r.out.find("@@\n", pos)) != std::string::npos;) {
        pos += 3;
        size_t next = r.out.find("@@\n", pos);
        outs.push_back(r.out.substr(pos, next == std::string::npos ? std::string::npos : next - pos));
    }
    ASSERT_EQ(outs.size(), std::size(cases)) << r.out;
    for (size_t i = 0; i < outs.size(); ++i)
        EXPECT_EQ(outs[i], cases[i].expect) << cases[i].script;
}

TEST_F(Tvasim, DefaultHostAnswersThroughTheLibrary)
{
    Result r = run({}, "tvasim_probe attr /dev/bsg/fc_host5; tvasim_probe eth-info 0; tvasim_probe eth-info 1;"
                       "tvasim_probe raw /dev/bsg/fc_host3 0xc0084399 0");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("status 0 serial TVA7654321 model TV-1020 type 2 state 6 port 0 pcifn 0 device 0014 "
                         "pwwn 10:00:00:16:57:0b:00:00\n"),
              std::string::npos)
        << r.out;
    /* the two Ethernet instances are the two Ethernet functions */
    EXPECT_NE(r.out.find("hwpath 0000:0b:00.2 eth eth2 mac 00:16:57:0b:00:02"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("hwpath 0000:0b:00.3 eth eth3 mac 00:16:57:0b:00:03"), std::string::npos) << r.out;
    /* a code nobody answers */
    EXPECT_NE(r.out.find("status 26\n"), std::string::npos) << r.out;
}

/* ---- a scenario file ------------------------------------------------------- */

TEST_F(Tvasim, SmallScenario)
{
    TempDir d;
    std::string sc = d.file("s.json", R"({
      "adapters": [ {
        "serial": "SN0000042", "name": "tiny", "model": "TV-7", "card_type": 7,
        "functions": [
          { "pci": "0000:21:00.0", "type": "fc", "host": 7, "node": "legacy",
            "pwwn": "21:00:00:00:00:00:00:01",
            "rports": [ { "pwwn": "50:00:00:00:00:00:00:09", "target": 2,
                          "luns": [ { "lun": 5, "sg": "sg40", "block": "sdq" } ] } ] },
          { "pci": "0000:21:00.1", "type": "fc", "port": 1, "host_entry": false },
          { "pci": "0000:21:00.2", "type": "eth", "eth_name": "enp33s0f2" }
        ] } ] })");
    Result r = run({"--scenario", sc},
                   "test -c /dev/fc_host7 && echo legacy; test -e /dev/bsg/fc_host7 || echo no-bsg;"
                   "ls /sys/bus/pci/drivers/tva/0000:21:00.1 | grep -c host;"
                   "ls /sys/class/scsi_device; ls /sys/class/scsi_device/7:0:2:5/device/scsi_generic;"
                   "tvasim_probe attr /dev/fc_host7; cat /sys/class/net/enp33s0f2/address");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "legacy\nno-bsg\n0\n7:0:2:5\nsg40\n"
                     "status 0 serial SN0000042 model TV-7 type 1 state 6 port 0 pcifn 0 device 0013 "
                     "pwwn 21:00:00:00:00:00:00:01\n"
                     "00:16:57:21:00:02\n");
}

TEST_F(Tvasim, BadScenarioIsRefusedBeforeTheCommandRuns)
{
    TempDir d;
    struct Case {
        const char *text;
        const char *message;
    } cases[] = {
        {"{ nope", "parse error"},
        {R"({"adapters": [ {"functions": [ {"pci": "0a:00.0"} ] } ] })", "PCI address like"},
        {R"({"adapters": [ {"functions": [ {"pci": "0000:0a:00.0", "pwwn": "10:00"} ] } ] })", "bad WWN"},
        {R"({"adapters": [ {"functions": [ {"pci": "0000:0a:00.0", "type": "scsi"} ] } ] })", "\"fc\", \"fcoe\" or \"eth\""},
        {R"({"adapters": [ {"functions": [ {"pci": "0000:0a:00.0"}, {"pci": "0000:0a:00.0"} ] } ] })", "used twice"},
        {R"({"adapters": [ {"functions": [ {"pci": "0000:0a:00.0", "host": 3}, {"pci": "0000:0a:00.1", "host": 3} ] } ] })",
         "host 3 used twice"},
        {R"({"adapters": [ {"functions": [] } ] })", "non-empty list"},
    };
    for (const auto &c : cases) {
        std::string sc = d.file("bad.json", c.text);
        Result r = run({"--scenario", sc}, "echo ran");
        EXPECT_EQ(r.status, 125) << c.text;
        EXPECT_EQ(r.out.find("ran"), std::string::npos) << c.text;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.text << "\n" << r.out;
    }
}

TEST_F(Tvasim, NoDriverLoaded)
{
    TempDir d;
    std::string sc = d.file("empty.json", R"({"adapters": []})");
    Result r = run({"--scenario", sc}, "ls /sys/bus/pci/drivers 2>&1; test -e /dev/tvn || echo no-tvn");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("no-tvn"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("tva"), std::string::npos) << r.out;
}

/* ---- exit status ---------------------------------------------------------- */

TEST_F(Tvasim, ExitStatusIsTheCommands)
{
    struct Case {
        const char *script;
        int status;
    } cases[] = {
        {"exit 0", 0}, {"exit 1", 1}, {"exit 3", 3}, {"exit 7", 7}, {"exit 255", 255},
        {"kill -TERM $$", 128 + 15}, {"exec /nonexistent/command", 127},
    };
    for (const auto &c : cases)
        EXPECT_EQ(run({}, c.script).status, c.status) << c.script;
    std::string cmd = ShellQuote(bin + "tvasim") + " run -- /nonexistent/program 2>&1";
    EXPECT_EQ(WEXITSTATUS(std::system(cmd.c_str())), 127);
    for (const char *bad : {" run", " run --fault", " frobnicate -- true", " run --bogus -- true"}) {
        std::string c = ShellQuote(bin + "tvasim") + bad + " >/dev/null 2>&1";
        EXPECT_EQ(WEXITSTATUS(std::system(c.c_str())), 125) << bad;
    }
}

/* ---- state ------------------------------------------------------------------ */

std::string host_file(const char *path)
{
    std::ifstream in(path);
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return in ? s : "(absent)";
}

TEST_F(Tvasim, StateIsKeptWithStateDirOnly)
{
    TempDir d;
    const std::string host_conf = host_file("/etc/tva.conf"), host_log = host_file("/var/zqm/Component.log");
    const std::string dir = d.path + "/state";
    const std::string regs = "/sys/kernel/debug/tva/pci_dev:0000:0a:00.1/";
    Result w = run({"--state", dir},
                   "echo 'tva0-port-speed = 8;' > /etc/tva.conf && echo log > /var/zqm/Component.log &&"
                   "printf 40:c0ffee > " + regs + "regwr &&"
                   "printf 2000000000000001:2000000000000002 > /sys/class/fc_host/host4/vport_create &&"
                   "echo vp-name > /sys/class/fc_vports/vport-4:0-0/symbolic_name && echo done");
    ASSERT_EQ(w.status, 0) << w.out;
    /* the host's own files are untouched */
    EXPECT_EQ(host_file("/etc/tva.conf"), host_conf);
    EXPECT_EQ(host_file("/var/zqm/Component.log"), host_log);

    Result r = run({"--state", dir},
                   "cat /etc/tva.conf /var/zqm/Component.log; exec 3<>" + regs + "regrd; printf 40:1 >&3;"
                   "od -An -tx4 <&3 | tr -d ' '; cat /sys/class/fc_host/host4/npiv_vports_inuse "
                   "/sys/class/fc_vports/vport-4:0-0/port_name /sys/class/fc_vports/vport-4:0-0/symbolic_name");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "tva0-port-speed = 8;\nlog\n00c0ffee\n1\n0x2000000000000001\nvp-name\n");

    /* a run without the state directory starts fresh */
    Result f = run({}, "cat /etc/tva.conf 2>/dev/null; ls /var/zqm; cat /sys/class/fc_host/host4/npiv_vports_inuse");
    EXPECT_EQ(f.out, "0\n");
}

/* ---- answering files ---------------------------------------------------------- */

TEST_F(Tvasim, VirtualPortFiles)
{
    TempDir d;
    std::string sc = d.file("s.json", R"({"adapters": [ {"functions": [
        {"pci": "0000:0a:00.0", "host": 3, "max_vports": 1} ] } ] })");
    const std::string host = "/sys/class/fc_host/host3/";
    Result r = run({"--scenario", sc},
                   "printf 2000000000000001:2000000000000002 > " + host + "vport_create && echo created;"
                   "printf 2000000000000003:2000000000000004 > " + host + "vport_create 2>/dev/null || echo full;"
                   "printf garbage > " + host + "vport_create 2>/dev/null || echo refused;"
                   "cat " + host + "npiv_vports_inuse; ls /sys/class/fc_vports;"
                   "printf 2000000000000001:2000000000000002 > " + host + "vport_delete && echo deleted;"
                   "printf 2000000000000001:2000000000000002 > " + host + "vport_delete 2>/dev/null || echo unknown;"
                   "cat " + host + "npiv_vports_inuse; ls /sys/class/fc_vports | wc -l");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "created\nfull\nrefused\n1\nvport-3:0-0\ndeleted\nunknown\n0\n0\n");
}

TEST_F(Tvasim, DebugFiles)
{
    const std::string dir = "/sys/kernel/debug/tva/pci_dev:0000:0a:00.0/";
    Result r = run({}, "for f in drvtrc fwtrc fwsave; do wc -c < " + dir + "$f; done;"
                       "exec 3<>" + dir + "regrd; printf 100:2 >&3; od -An -tx4 <&3 | wc -w; exec 3>&-;"
                       "printf 104:1234abcd > " + dir + "regwr;"
                       "exec 3<>" + dir + "regrd; printf 100:2 >&3; od -An -tx4 <&3 | awk '{print $2}';"
                       "(exec 3<>" + dir + "regrd; printf 3:1 >&3) 2>/dev/null || echo unaligned;"
                       "test -e /sys/kernel/debug/tva/pci_dev:0000:0b:00.2 || echo eth-not-under-tva");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "65568\n65568\n65568\n2\n1234abcd\nunaligned\neth-not-under-tva\n");
}

TEST_F(Tvasim, EthtoolEepromThroughTheShim)
{
    TempDir d;
    std::string sc = d.file("s.json", R"({"adapters": [ {
        "flash": [ {"type": 1, "offset": 0, "size": 64}, {"type": 2, "offset": "0x100", "size": 64} ],
        "functions": [ {"pci": "0000:0b:00.2", "type": "eth", "device_id": "0x14", "eth_name": "eth2"} ] } ] })");
    /* a write carries its length first, 4 bytes ahead of the partition
     * (at 0 for the partition at 0); reads come from the partition */
    Result r = run({"--scenario", sc},
                   "export MAGIC=0x00141657;"
                   "tvasim_probe eeprom eth2 0 8 0400000011223344 && tvasim_probe eeprom eth2 0 6;"
                   "tvasim_probe eeprom eth2 0xfc 6 02000000abcd && tvasim_probe eeprom eth2 0x100 3;"
                   "MAGIC=0x1 tvasim_probe eeprom eth2 0 4; tvasim_probe eeprom nosuchif0 0 4");
    EXPECT_NE(r.out.find("data 11223344ffff\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("data abcdff\n"), std::string::npos) << r.out;
    /* a wrong magic is refused by the driver; an unknown interface reaches the real kernel */
    EXPECT_NE(r.out.find("errno 22\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("errno 19\n"), std::string::npos) << r.out;
}

/* ---- pass-through: the remote port behind the SCSI generic and bsg nodes ---- */

TEST_F(Tvasim, PassThroughThroughTheLibrary)
{
    const std::string rp = "50:06:01:60:3b:20:00:01";
    struct Case {
        std::vector<std::string> faults;
        std::string args;
        const char *expect;
    } cases[] = {
        {{}, "scsi /dev/bsg/fc_host3 " + rp + " 1 0x12", "status 0 scsi 0 vendor TELVARN  product EMUDISK         \n"},
        {{}, "scsi /dev/bsg/fc_host3 " + rp + " 0 0xa0", "status 0 scsi 0 luns 0 1 2\n"},
        /* an unknown operation code: CHECK CONDITION, illegal request */
        {{}, "scsi /dev/bsg/fc_host3 " + rp + " 2 0x77", "status 1 scsi 2\n"},
        /* ELS ECHO to the remote port comes back; through the host node too */
        {{}, "fcpt /dev/bsg/fc_host3 " + rp + " 1", "status 0 len 16 data 02000000a5a5a5a5a5a5a5a5a5a5a5a5\n"},
        {{}, "fcpt /dev/bsg/fc_host3 0 1", "status 0 len 16 data 02000000a5a5a5a5a5a5a5a5a5a5a5a5\n"},
        /* the name server lists the one remote port (last entry flagged) */
        {{}, "fcpt /dev/bsg/fc_host3 0 0x20", "status 0 len 20 data 01000000fc020000800200000000000080010200\n"},
        {{"--fault", "0xc060ba02=status:5"}, "fcpt /dev/bsg/fc_host3 " + rp + " 1", "status 5 len 0\n"},
        {{"--fault", "0xc060ba02=errno:EIO"}, "fcpt /dev/bsg/fc_host3 0 1", "status 42 len 0\n"},
        {{"--fault", "0xc050ba01=errno:ENXIO"}, "scsi /dev/bsg/fc_host3 " + rp + " 0 0x12", "status 44 scsi 255\n"},
    };
    for (const auto &c : cases) {
        Result r = run(c.faults, "tvasim_probe " + c.args);
        EXPECT_EQ(r.out, c.expect) << c.args;
    }
}

/* ---- faults ------------------------------------------------------------------ */

TEST_F(Tvasim, Faults)
{
    struct Case {
        std::vector<std::string> faults;
        const char *script;
        const char *expect;
    } cases[] = {
        {{"--fault", "0xc6504306=status:52"}, "tvasim_probe attr /dev/bsg/fc_host3 | cut -c1-9", "status 52\n"},
        /* ENOTTY maps to status 43 in the library */
        {{"--fault", "0xc6504306=errno:ENOTTY"}, "tvasim_probe attr /dev/bsg/fc_host3", "transport 43\n"},
        {{"--fault", "0xc6504306=errno:5"}, "tvasim_probe attr /dev/bsg/fc_host3", "transport 42\n"},
        /* only one function */
        {{"--fault", "0xc6504306@0000:0a:00.1=status:1"},
         "tvasim_probe attr /dev/bsg/fc_host3 | cut -c1-8; tvasim_probe attr /dev/bsg/fc_host4 | cut -c1-8",
         "status 0\nstatus 1\n"},
        /* the first request passes, the next one fails, then it is over */
        {{"--fault", "*=status:13,after=1,times=1"},
         "for i in 1 2 3; do tvasim_probe attr /dev/bsg/fc_host3 | cut -c1-9; done", "status 0 \nstatus 13\nstatus 0 \n"},
        {{"--fault", "0xc0204310=errno:EACCES"},
         "(exec 3<>/sys/kernel/debug/tva/pci_dev:0000:0a:00.0/regrd) 2>/dev/null || echo denied", "denied\n"},
        {{"--fault", "0xc0184351=errno:EIO"}, "MAGIC=0x00141657 tvasim_probe eeprom eth2 0 4", "errno 5\n"},
    };
    for (const auto &c : cases) {
        Result r = run(c.faults, c.script);
        EXPECT_EQ(r.out, c.expect) << c.faults[1];
    }
    auto t0 = std::chrono::steady_clock::now();
    Result d = run({"--fault", "0xc6504306=delay:400"}, "tvasim_probe attr /dev/bsg/fc_host3 | cut -c1-8");
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_EQ(d.out, "status 0\n");
    EXPECT_GE(ms, 400);

    for (const char *bad : {"0xc6504306", "0xc6504306=status:300", "zzz=status:1", "0xc6504306=errno:ENOPE",
                            "0xc6504306=delay:x", "0xc6504306=status:1,times=x", "0xc6504306@=status:1"}) {
        Result r = run({"--fault", bad}, "echo ran");
        EXPECT_EQ(r.status, 125) << bad;
        EXPECT_NE(r.out.find("fault"), std::string::npos) << bad << "\n" << r.out;
    }
}

/* ---- load ---------------------------------------------------------------------- */

TEST_F(Tvasim, SixteenThreadsGetTheirOwnAnswers)
{
    Result r = run({}, "tvasim_probe load 16 60");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "good 960 bad 0 functions 6\n");
}

TEST_F(Tvasim, DelayedRequestDoesNotHoldUpOthers)
{
    /* one function answers slowly; the others keep answering meanwhile */
    Result r = run({"--fault", "0xc2104307@0000:0a:00.0=delay:1500"},
                   "tvasim_probe raw /dev/bsg/fc_host3 0xc2104307 0 >/dev/null & sleep 0.3; start=$(date +%s%N);"
                   "tvasim_probe attr /dev/bsg/fc_host4 | cut -c1-8; end=$(date +%s%N); wait;"
                   "test $(( (end - start) / 1000000 )) -lt 1000 && echo quick");
    EXPECT_NE(r.out.find("status 0\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("quick\n"), std::string::npos) << r.out;
}

} // namespace
