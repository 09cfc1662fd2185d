// The adapter scan on emulated hosts: scan_dump runs inside `tvasim run`
// and prints the tree, a few lookups and the setting lines of /etc/tva.conf.
#include <gtest/gtest.h>

#include "run_command.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using SimRun = tvatest::CommandResult;

SimRun tvasim(const std::string &args, const std::string &dump_args = "")
{
    std::string cmd = std::string(TVA_BINARY_DIR) + "/bin/tvasim run " + args + " -- " +
                      TVA_BINARY_DIR + "/bin/scan_dump " + dump_args + " 2>&1";
    return tvatest::RunCommand(cmd);
}

std::string scenario(const char *name)
{
    return std::string("--scenario ") + TVA_SOURCE_DIR + "/tests/scan/" + name;
}

// The order of the driver directories decides adapter indexes, driver
// instances and configuration record numbers, and it differs between file
// systems. canon() puts a dump into an order-free form: those numbers become
// "#" (after checking they are consistent: ad= matches its adapter, indexes
// run 1..n, instances and record numbers are 0..k-1 per kind), adapters are
// sorted by their text, and so are the configuration lines.
std::string canon(const std::string &out)
{
    std::istringstream in(out);
    std::string line, head, tail, problems;
    std::vector<std::string> blocks, conf;
    std::set<int> inst[2], rec[2];
    int adapters = 0;
    std::smatch m;
    static const std::regex ad_re("^adapter (\\d+) "), slot_re(" (fc|eth) (.*) inst=(\\d+) (.*) ad=(\\d+) "),
        conf_re("^conf (tva|tvn)(\\d+)-");
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, ad_re)) {
            if (std::stoi(m[1]) != ++adapters)
                problems += "adapter index out of order\n";
            blocks.push_back("adapter # " + m.suffix().str() + "\n");
        } else if (line.rfind("  ", 0) == 0 && !blocks.empty()) {
            if (std::regex_search(line, m, slot_re)) {
                if (std::stoi(m[5]) != adapters)
                    problems += "ad= differs from its adapter\n";
                bool eth = m[1] == "eth";
                if (!inst[eth].insert(std::stoi(m[3])).second)
                    problems += "instance used twice\n";
                line = m.prefix().str() + " " + m[1].str() + " " + m[2].str() + " inst=# " +
                       m[4].str() + " ad=# " + m.suffix().str();
            }
            blocks.back() += line + "\n";
        } else if (std::regex_search(line, m, conf_re)) {
            bool eth = m[1] == "tvn";
            rec[eth].insert(std::stoi(m[2]));
            conf.push_back("conf " + m[1].str() + "#-" + m.suffix().str() + "\n");
        } else if (blocks.empty()) {
            head += line + "\n";
        } else {
            tail += line + "\n";
        }
    }
    for (const auto *set : {&inst[0], &inst[1], &rec[0], &rec[1]})
        if (!set->empty() && (*set->begin() != 0 || *set->rbegin() != (int)set->size() - 1))
            problems += "numbers do not run from 0\n";
    std::sort(blocks.begin(), blocks.end());
    std::sort(conf.begin(), conf.end());
    std::string r = head;
    for (const auto &b : blocks)
        r += b;
    r += tail;
    for (const auto &c : conf)
        r += c;
    return r + problems;
}

struct ScanCase {
    const char *what;
    std::string args;
    int status;
    std::string out;
};

TEST(AdapterScan, Scenarios)
{
    const std::vector<ScanCase> cases = {
        {"two functions on bus 0a form one adapter with two ports, bus 0b a second one",
         scenario("two_buses.json"), 0,
         "scan 2 last 133 flat 3\n"
         "adapter 1 sn=SCANA00001 name=hba-a hw=0000:0a:00.0 type=HBA ports=2 cna=0\n"
         "  port 0 type=1 iocs=1\n"
         "    slot 0 fc 0000:0a:00.0 inst=0 pcifn=0 ad=1 type=1 dev=/dev/bsg/fc_host3 "
         "pwwn=10:00:00:16:57:0a:00:00\n"
         "  port 1 type=1 iocs=1\n"
         "    slot 0 fc 0000:0a:00.1 inst=1 pcifn=1 ad=1 type=1 dev=/dev/fc_host4 "
         "pwwn=10:00:00:16:57:0a:00:01\n"
         "adapter 2 sn=SCANB00002 name=hba-b hw=0000:0b:00.0 type=AnyIO ports=1 cna=0\n"
         "  port 0 type=1 iocs=1\n"
         "    slot 0 fc 0000:0b:00.0 inst=2 pcifn=0 ad=2 type=1 dev=/dev/bsg/fc_host5 "
         "pwwn=10:00:00:16:57:0b:00:00\n"
         "lookup idx0=null above=null port-count-above=-1\n"
         "conf tva0-port-wwn = \"10:00:00:16:57:0a:00:00\";\n"
         "conf tva1-port-wwn = \"10:00:00:16:57:0a:00:01\";\n"
         "conf tva2-port-wwn = \"10:00:00:16:57:0b:00:00\";\n"},
        {"an FCoE and an Ethernet function of one port share the port record",
         scenario("cna_port.json"), 0,
         "scan 1 last 0 flat 2\n"
         "adapter 1 sn=SCANC00003 name=cna-c hw=0000:0c:00.0 type=CNA ports=1 cna=1\n"
         "  port 0 type=2 iocs=2\n"
         "    slot 0 fc 0000:0c:00.0 inst=0 pcifn=0 ad=1 type=2 dev=/dev/bsg/fc_host7 "
         "pwwn=10:00:00:16:57:0c:00:00 mac=00:16:57:0c:00:00\n"
         "    slot 1 eth 0000:0c:00.2 inst=0 pcifn=2 ad=1 type=3 dev=/dev/tvn "
         "mac=00:16:57:0c:00:02 eth=eth4\n"
         "lookup idx0=null above=null port-count-above=-1\n"
         "conf tva0-port-wwn = \"10:00:00:16:57:0c:00:00\";\n"
         "conf tvn0-port-mac = \"00:16:57:0c:00:02\";\n"},
        {"a storage function without a host entry is skipped", scenario("no_host_entry.json"), 0,
         "scan 1 last 133 flat 1\n"
         "adapter 1 sn=SCAND00004 name=hba-d hw=0000:0d:00.0 type=HBA ports=2 cna=0\n"
         "  port 1 type=1 iocs=1\n"
         "    slot 0 fc 0000:0d:00.1 inst=0 pcifn=1 ad=1 type=1 dev=/dev/bsg/fc_host4 "
         "pwwn=10:00:00:16:57:0d:00:01\n"
         "lookup idx0=null above=null port-count-above=-1\n"
         "conf tva0-port-wwn = \"10:00:00:16:57:0d:00:01\";\n"},
        {"only the Ethernet driver: the Ethernet adapters are found", scenario("eth_only.json"), 0,
         "scan 1 last 133 flat 1\n"
         "adapter 1 sn=SCANE00005 name=nic-e hw=0000:0e:00.0 type=NIC ports=1 cna=0\n"
         "  port 0 type=3 iocs=1\n"
         "    slot 0 eth 0000:0e:00.2 inst=0 pcifn=2 ad=1 type=3 dev=/dev/tvn "
         "mac=00:16:57:0e:00:02 eth=eth0\n"
         "lookup idx0=null above=null port-count-above=-1\n"
         "conf tvn0-port-mac = \"00:16:57:0e:00:02\";\n"},
        {"no driver at all gives 133", scenario("no_driver.json"), 1,
         "scan 0 last 133 flat 0\n"
         "lookup idx0=null above=null port-count-above=-1\n"},
        {"a function whose attributes cannot be read fails the whole scan",
         scenario("two_buses.json") + " --fault 0xc6504306@0000:0a:00.1=status:13", 1,
         "scan 0 last 13 flat 3\n"
         "lookup idx0=null above=null port-count-above=-1\n"
         "conf tva0-port-wwn = \"10:00:00:16:57:0a:00:00\";\n"
         "conf tva1-port-wwn = \"10:00:00:16:57:0a:00:01\";\n"
         "conf tva2-port-wwn = \"10:00:00:16:57:0b:00:00\";\n"},
        {"a function whose information cannot be read fails its pass",
         scenario("cna_port.json") + " --fault 0xc2104307@0000:0c:00.0=status:13", 0,
         "scan 1 last 13 flat 1\n"
         "adapter 1 sn=SCANC00003 name=cna-c hw=0000:0c:00.0 type=CNA ports=1 cna=1\n"
         "  port 0 type=3 iocs=1\n"
         "    slot 0 eth 0000:0c:00.2 inst=0 pcifn=2 ad=1 type=3 dev=/dev/tvn "
         "mac=00:16:57:0c:00:02 eth=eth4\n"
         "lookup idx0=null above=null port-count-above=-1\n"
         "conf tvn0-port-mac = \"00:16:57:0c:00:02\";\n"},
    };
    for (const ScanCase &c : cases) {
        SCOPED_TRACE(c.what);
        SimRun r = tvasim(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(canon(r.out), canon(c.out)) << r.out;
    }
}

// Identifier lookups on a converged port whose FCoE function is disabled:
// the operational-function rule moves to the Ethernet function of the port.
TEST(AdapterScan, LookupsAndOperationalFunction)
{
    SimRun r = tvasim(scenario("cna_disabled.json"),
                     "--lookups SCANC00003 cna-c 0000:0c:00.0 0000:0c:00.2 eth4 nothing");
    EXPECT_EQ(r.status, 0);
    const std::string want =
        "by-str SCANC00003: adapter 0000:0c:00.0 ioc 0000:0c:00.0\n"
        "by-str cna-c: adapter 0000:0c:00.0 ioc null\n"
        "by-str 0000:0c:00.0: adapter 0000:0c:00.0 ioc 0000:0c:00.0\n"
        "by-str 0000:0c:00.2: adapter null ioc 0000:0c:00.2\n"
        "by-str eth4: adapter null ioc null\n"
        "by-str nothing: adapter null ioc null\n"
        "adapter 0000:0c:00.0: first 0000:0c:00.0 by-pwwn 0000:0c:00.0 by-nwwn 0000:0c:00.0 "
        "by-inst 0000:0c:00.0\n"
        "  port 0: first 0000:0c:00.0 fc 0000:0c:00.0 eth 0000:0c:00.2 slot1 0000:0c:00.2 "
        "pcifn2 0000:0c:00.2 operational 0 -> 0000:0c:00.2\n"
        "wwn-0 null inst-99 null oper-null 0\n";
    EXPECT_NE(r.out.find(want), std::string::npos) << r.out;
}

// A second scan finds every function already registered: /etc/tva.conf
// keeps one record per IOC.
TEST(AdapterScan, RescanKeepsOneRecordPerIoc)
{
    char tmpl[] = "/tmp/scanstate.XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    std::string args = scenario("cna_port.json") + " --state " + tmpl;
    SimRun first = tvasim(args), second = tvasim(args);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(second.out, first.out);
    (void)!system((std::string("rm -rf ") + tmpl).c_str());
}

// Names recorded for an adapter and a port are found again by the checks
// that keep names unique, and survive the next scan.
TEST(AdapterScan, AdapterAndPortNamesAreRecorded)
{
    char tmpl[] = "/tmp/scanstate.XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    std::string args = scenario("two_buses.json") + " --state " + tmpl;
    SimRun named = tvasim(args, "--name-adapter SCANB00002 lab-b");
    EXPECT_EQ(named.status, 0);
    EXPECT_NE(named.out.find("sync 0\nad-name-exists same-serial=0 other-serial=1 "
                             "port-name-exists=1 other-port=0\n"),
              std::string::npos)
        << named.out;
    SimRun again = tvasim(args);
    for (const SimRun *r : {&named, &again}) {
        EXPECT_NE(r->out.find("conf adapter-SCANB00002-name = \"lab-b\";\n"), std::string::npos)
            << r->out;
        // The port name sits in the record of the adapter's function.
        size_t w = r->out.find("-port-wwn = \"10:00:00:16:57:0b:00:00\";");
        EXPECT_NE(w, std::string::npos) << r->out;
        if (w == std::string::npos)
            continue;
        size_t start = r->out.rfind("conf ", w);
        std::string rec = r->out.substr(start, w - start);
        EXPECT_NE(r->out.find(rec + "-port-name = \"lab-b\";\n"), std::string::npos) << r->out;
    }
    (void)!system((std::string("rm -rf ") + tmpl).c_str());
}

} // namespace
