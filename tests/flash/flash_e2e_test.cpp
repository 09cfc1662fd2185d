// tvcli flash under the emulated host: a write, read and erase round trip
// per partition type, the option walk of erase, read and update, the dump
// files, query, option ROM switch, ASIC dump, and write faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "sim_run.h"

using sim::Host;
using sim::Result;
using bytes = std::vector<uint8_t>;

namespace {

class FlashE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!sim::HaveEmulator())
            GTEST_SKIP() << "tvasim or tvcli not built";
    }
};

bytes Pattern(size_t n, uint8_t seed)
{
    bytes b(n);
    for (size_t i = 0; i < n; i++)
        b[i] = (uint8_t)(i * 7 + seed);
    return b;
}

std::string Prompt(const std::string &name)
{
    return "This operation will erase \"" + name + "\" part of flash, Do you wish to continue?[yes/no]\n";
}

std::string Erased(const std::string &name) { return "Successfully erased \"" + name + "\" part of the flash\n"; }

// Status column of "flash --query" per "type inst" ("fw 0" -> "good").
std::map<std::string, std::string> QueryStatus(const std::string &out)
{
    std::map<std::string, std::string> m;
    size_t pos = out.find("status\n");
    while (pos != std::string::npos && (pos = out.find('\n', pos)) != std::string::npos && ++pos < out.size()) {
        size_t end = out.find('\n', pos);
        std::string line = out.substr(pos, end - pos);
        size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
        m[line.substr(0, t1) + " " + line.substr(t1 + 1, t2 - t1 - 1)] = line.substr(line.rfind('\t') + 1);
    }
    return m;
}

const std::string kOneAdapter = sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825, "", 2)});

TEST_F(FlashE2e, WriteReadEraseRoundTripPerPartitionType)
{
    Host h(kOneAdapter);
    struct {
        const char *opt, *name;
    } parts[] = {{"-f", "fw"},    {"-t", "cfg"},    {"-o", "optrom"}, {"-o2", "optrom2"},
                 {"-c", "drv"},   {"-s", "asic"},   {"-m", "mfg"},    {"-p", "pbc"},
                 {"-l", "bootovl"}, {"-l2", "pxeovl"}, {"-v", "vpd"}};
    const size_t n = std::size(parts);
    auto size_of = [](size_t i) { return 700 + i; };

    // update in table order, at most six options a command line
    std::vector<std::vector<std::string>> updates;
    std::string updated;
    for (size_t i = 0; i < n; i++) {
        if (i % 6 == 0)
            updates.push_back({"flash", "--update", "1"});
        std::string file = std::string("in") + parts[i].opt + ".bin";
        sim::Spit(h.path(file), Pattern(size_of(i), (uint8_t)i));
        updates.back().push_back(parts[i].opt);
        updates.back().push_back(file);
        updated += std::string("\"") + parts[i].name + "\" updated successfully\n";
    }
    auto res = h.TvcliMany(updates);
    EXPECT_EQ(res[0].status, 0) << res[0].err;
    EXPECT_EQ(res[1].status, 0) << res[1].err;
    EXPECT_EQ(res[0].out + res[1].out, updated);

    std::vector<Host::Part> reads;
    for (size_t i = 0; i < n; i++)
        reads.push_back({1, parts[i].opt, size_of(i)});
    auto got = h.ReadParts(reads);
    for (size_t i = 0; i < n; i++)
        EXPECT_EQ(got[i], Pattern(size_of(i), (uint8_t)i)) << parts[i].name;

    // erase in its own table order, each confirmed
    std::string script = "T='" + sim::kBin + "tvcli'\n"
                         "yes y | $T flash --erase 1 -f -t -o -o2 -c -s -m\n"
                         "yes y | $T flash --erase 1 -l -l2 -v -p\n";
    Result r = h.Run({"/bin/sh", "-c", script});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char *name : {"fw", "cfg", "optrom", "optrom2", "drv", "asic", "mfg", "bootovl", "pxeovl", "vpd", "pbc"})
        EXPECT_NE(r.out.find(Prompt(name) + Erased(name)), std::string::npos) << name;
    got = h.ReadParts(reads);
    for (size_t i = 0; i < n; i++) {
        // erased flash reads as 0xff; PBC is read at its length, now 0
        bytes want = std::string(parts[i].opt) == "-p" ? bytes() : bytes(size_of(i), 0xff);
        EXPECT_EQ(got[i], want) << parts[i].name;
    }
}

TEST_F(FlashE2e, EraseTakesOptionsInTableOrderOnce)
{
    struct {
        const char *what;
        std::vector<std::string> words;
        std::string input;
        int status;
        std::vector<std::string> erased; // "type inst" whose status becomes empty
    } cases[] = {
        {"-o then -f: the walk ends at -f", {"-o", "-f"}, "y\ny\n", 0, {"optrom 0"}},
        {"-f then -o: both", {"-f", "-o"}, "y\ny\n", 0, {"fw 0", "optrom 0"}},
        {"instance from -i", {"-i", "1", "-t"}, "yes\n", 0, {"cfg 1"}},
        {"declined", {"-f"}, "no\n", 0, {}},
        {"-i as the last word", {"-t", "-i"}, "", 167, {}},
        {"unknown option", {"-x"}, "", 167, {}},
        {"-a declined", {"-a"}, "n\n", 0, {}},
        // every partition is erased with the one instance of the command (0),
        // so instance 1 of cfg is left as it was
        {"-a", {"-a"}, "y\n", 0, {"fw 0", "optrom 0", "cfg 0", "asic 0", "mfg 0", "log 0", "pbc 0"}},
    };
    for (const auto &c : cases) {
        Host h(kOneAdapter);
        sim::Spit(h.path("a.bin"), Pattern(100, 1));
        // fill the partitions the cases look at, then erase, then query
        std::string script = "T='" + sim::kBin + "tvcli'\n"
                             "$T flash --update 1 -f a.bin -o a.bin -s a.bin >/dev/null\n"
                             "$T flash --update 1 -t a.bin >/dev/null\n"
                             "$T flash --update 1 -i 1 -t a.bin >/dev/null\n"
                             "printf '" + c.input + "' | $T flash --erase 1";
        for (const auto &w : c.words)
            script += " " + w;
        script += " >.eout 2>.eerr; echo $? >.erc\n$T flash --query 1\n";
        Result r = h.Run({"/bin/sh", "-c", script});
        ASSERT_EQ(r.status, 0) << c.what << r.err;
        EXPECT_EQ(atoi(sim::Slurp(h.path(".erc")).c_str()), c.status) << c.what;
        auto status = QueryStatus(r.out);
        for (const char *part : {"fw 0", "optrom 0", "cfg 0", "cfg 1", "asic 0", "mfg 0", "log 0"}) {
            bool want_erased = std::find(c.erased.begin(), c.erased.end(), part) != c.erased.end();
            EXPECT_EQ(status[part], want_erased ? "empty" : "good") << c.what << ": " << part;
        }
        std::string eout = sim::Slurp(h.path(".eout"));
        if (std::string(c.what) == "-a") {
            EXPECT_EQ(eout, "This operation will erase all parts of flash, Do you wish to continue?[yes/no]\n"
                            "Flash Erase successful\n");
        } else if (std::string(c.what) == "-o then -f: the walk ends at -f") {
            EXPECT_EQ(eout, Prompt("optrom") + Erased("optrom"));
        } else if (std::string(c.what) == "declined") {
            EXPECT_EQ(eout, Prompt("fw"));
        }
    }
}

TEST_F(FlashE2e, ReadSizesAndDumpFiles)
{
    Host h(kOneAdapter);
    auto results = h.TvcliMany({
        {"flash", "--read", "1", "-f", "fw.bin"},
        {"flash", "--read", "1", "-d", "4096", "-f", "fw4k.bin"},
        {"flash", "--read", "1", "-d", "4096", "-r", "log.bin"},
        {"flash", "--read", "1", "-p", "pbc.bin"},
        {"flash", "--read", "1", "-f", "x.bin", "-d"},
        {"flash", "--read", "1", "-q", "x.bin"},
    });
    EXPECT_EQ(results[0].status, 0);
    EXPECT_EQ(results[0].out, "\"fw\" read successfully to \"fw.bin\"\n");
    EXPECT_EQ(sim::SlurpBytes(h.path("fw.bin")).size(), 512u);
    EXPECT_EQ(sim::SlurpBytes(h.path("fw4k.bin")).size(), 4096u);
    // the log's length comes from the flash attributes, whatever -d says
    EXPECT_EQ(sim::SlurpBytes(h.path("log.bin")).size(), 1000u);
    // PBC also gets a hex dump: 16-bit little-endian words, eight a line
    bytes pbc = sim::SlurpBytes(h.path("pbc.bin"));
    ASSERT_EQ(pbc.size(), 64u);
    std::string hex;
    for (size_t off = 0; off < pbc.size(); off += 2) {
        char b[32];
        if (off % 16 == 0) {
            snprintf(b, sizeof(b), "%s%08zx\t", off ? "\n" : "", off);
            hex += b;
        }
        snprintf(b, sizeof(b), "%04x\t", pbc[off] | pbc[off + 1] << 8);
        hex += b;
    }
    EXPECT_EQ(sim::Slurp(h.path("pbc.bin.hex")), hex);
    EXPECT_EQ(results[4].status, 167); // -d without a value
    EXPECT_EQ(results[5].status, 167); // nothing recognised
}

TEST_F(FlashE2e, UpdateMissingFileAndWriteFaults)
{
    Host h(kOneAdapter);
    sim::Spit(h.path("a.bin"), Pattern(64, 3));
    Result r = h.Tvcli({"flash", "--update", "1", "-f", "missing.bin", "-t", "a.bin"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Error: Unable to open file \"missing.bin\"\n\"cfg\" updated successfully\n");

    // a failing write and a read-back that differs are reported per option;
    // the command itself still succeeds
    r = h.Tvcli({"flash", "--update", "1", "-f", "a.bin", "-o", "a.bin"}, "",
                {"0xc0184350=status:8,times=1", "0xc0184351=corrupt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Error: Flash not present \n\nError: Operation failed \n\n");
}

TEST_F(FlashE2e, QueryOptionRomSwitchAndAsicDump)
{
    std::string orrim = sim::Adapter(
        0x0b, "TVA000000022", 1860,
        "\"flash\": [ {\"type\": 2, \"size\": 4096, \"data\": \"TVFW\"}, {\"type\": 6, \"size\": 2048, \"data\": "
        "\"ASICDATA\"} ]",
        1, "0x0022");
    Host h(sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825), orrim}));
    std::vector<std::vector<std::string>> cmds;
    for (int ad : {1, 2}) {
        cmds.push_back({"flash", "--query", std::to_string(ad)});
        cmds.push_back({"flash", "--dumpasicblk", std::to_string(ad), "asic" + std::to_string(ad) + ".bin"});
    }
    cmds.push_back({"flash", "--eoptrom", "1"});
    cmds.push_back({"flash", "--doptrom", "1"});
    auto res = h.TvcliMany(cmds);

    // the Orrim adapter is the one whose query shows two partitions
    int orrim_ix = res[0].out.find("Total number of partitions are: 2\n") != std::string::npos ? 0 : 2;
    int other_ix = 2 - orrim_ix;
    EXPECT_EQ(res[orrim_ix].out, "Flash status: good\n"
                                 "Total number of partitions are: 2\n"
                                 "Part attributes:\n"
                                 "type\tinst\toffset\t\tsize\t\tlength\t\tstatus\n"
                                 "fw\t0\t0x0       \t0x1000    \t0x4       \tgood\n"
                                 "asic\t0\t0x0       \t0x800     \t0x8       \tgood\n");
    EXPECT_EQ(res[orrim_ix + 1].status, 0) << res[orrim_ix + 1].err;
    std::string dump = "asic" + std::to_string(orrim_ix / 2 + 1) + ".bin";
    EXPECT_EQ(res[orrim_ix + 1].out, "Asic block read successfully to \"" + dump + "\"\n");
    EXPECT_EQ(sim::Slurp(h.path(dump)), "ASICDATA"); // part_len bytes
    EXPECT_EQ(res[other_ix + 1].status, 192);
    EXPECT_EQ(res[other_ix + 1].err, "ERROR: This feature is not supported on this Model or Mode of the Adapter \n");

    EXPECT_EQ(res[4].out, "Successfully enabled the optrom\n");
    EXPECT_EQ(res[5].out, "Successfully disabled the optrom\n");
}

} // namespace

namespace {

// The capability characters of the manufacturing block: nic, cna, hba,
// fc16g, sriov, mezz at offsets 132 to 137.
TEST_F(FlashE2e, CapabilityMaskFromTheManufacturingBlock)
{
    struct {
        const char *chars; // offsets 132..137
        std::string want;  // "<status> <mask>"
    } cases[] = {
        {"nnynnn", "0 1\n"},
        {"yyyyyy", "0 3f\n"},
        {"n\0y\0ny", "0 21\n"},
        {"nnYnnn", "9 0\n"}, // upper case is no answer
        {"nnnnnn", "9 0\n"}, // nothing at all
        {"nnyxnn", "9 0\n"},
    };
    Host h(kOneAdapter);
    for (const auto &c : cases) {
        bytes mfg(256, 0);
        std::copy_n(c.chars, 6, mfg.begin() + 132);
        sim::Spit(h.path("mfg.bin"), mfg);
        std::string script = "'" + sim::kBin + "tvcli' flash --update 1 -m mfg.bin >/dev/null && '" CAP_PROBE "'";
        Result r = h.Run({"/bin/sh", "-c", script});
        EXPECT_EQ(r.out, c.want) << std::string(c.chars, 6) << r.err;
    }
}

} // namespace
