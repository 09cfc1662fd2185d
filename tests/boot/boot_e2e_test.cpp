// tvcli boot under the emulated host: argument and file errors with their
// exit statuses, what lands in each flash partition, the VPD of models
// M11 and M12, the all-adapters report and exit status, the time-out, and
// the boot-LUN zone line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "sim_run.h"
#include "tval_boot.h"
#include "tvabootimg_lib.h"

using namespace tvabootimg;
using sim::Host;
using sim::Result;

namespace {

const char kWarning[] = "\n\nBoot code update can take a lot of time to complete. \n"
                        "Please don't terminate the command as it could result in\n"
                        "undesirable adapter state.\n\n"
                        "Updating boot code...\n\n";
const char kReboot[] = "A reboot of the system is needed for the newly updated image to be effective\n\n";

bytes Firmware(const std::string &version, size_t size = 8192)
{
    bytes fw(size, 0);
    memcpy(fw.data(), "TVFW", 4);
    memcpy(fw.data() + 4, version.data(), version.size());
    for (size_t i = 64; i < size; i++)
        fw[i] = (uint8_t)(i * 37);
    return fw;
}

bytes Swapped(bytes b)
{
    tval_swap32(b.data(), b.size());
    return b;
}

bytes Pattern(size_t n, uint8_t seed)
{
    bytes b(n);
    for (size_t i = 0; i < n; i++)
        b[i] = (uint8_t)(i * 11 + seed);
    return b;
}

// The members most tests use; an index text picks among them.
struct Image {
    bytes fw = Firmware("3.3.0.0");
    bytes rom = option_rom({{2, TVAL_OPTROM_CODETYPE_X86, 0x1657, 0x13, "2.3.0.0"}, {1, 3, 0x1657, 0x13, ""}});
    bytes rom2 = option_rom({{1, TVAL_OPTROM_CODETYPE_X86, 0x1657, 0x13, "4.4.0.0"}});
    bytes ovl = Pattern(1024, 1), pxeovl = Pattern(1028, 2), cfg = Pattern(512, 3), asic = Pattern(600, 4);

    bytes Archive(const std::string &index) const
    {
        return tar_archive({{"boot.txt", text_bytes(index)},
                            {"fw.bin", fw},
                            {"rom.bin", rom},
                            {"rom2.bin", rom2},
                            {"ovl.bin", ovl},
                            {"pxeovl.bin", pxeovl},
                            {"cfg.bin", cfg},
                            {"asic.bin", asic},
                            {"asic_PORT.bin", asic}});
    }
    bytes File(const std::string &index) const { return boot_image("tva_boot_image.tar", Archive(index)); }
};

const std::string kFullIndex = "Version=3.0.0.0\n"
                               "CARDTYPE=825\n"
                               "FIRMWARE=fw.bin\nOPTROM=rom.bin\nOPTROM2=rom2.bin\nBOOTOVL=ovl.bin\n"
                               "PXEOVL=pxeovl.bin\nFWCFG=cfg.bin\nPORT=0,1\nASICBLOCK=asic.bin\n";

const std::string kSimpleIndex = "Version=3.0.0.0\nCARDTYPE=825\nFIRMWARE=fw.bin\nOPTROM=rom.bin\n";

class BootE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!sim::HaveEmulator())
            GTEST_SKIP() << "tvasim or tvcli not built";
    }
};

uint16_t Le16(const bytes &b, size_t off) { return (uint16_t)(b[off] | b[off + 1] << 8); }

TEST_F(BootE2e, ArgumentErrors)
{
    Host h(sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825)}));
    Image img;
    sim::Spit(h.path("img"), img.File(kSimpleIndex));
    struct {
        std::vector<std::string> words;
        int status;
    } cases[] = {
        {{"1", "img", "-a"}, 167},         // adapter and -a
        {{"img", "1"}, 167},               // image then an adapter
        {{"1", "img", "-d"}, 161},         // -d without a value
        {{"1", "img", "-d", "1a"}, 167},   // not decimal digits
        {{"img", "-a", "-x", "13"}, 167},  // not -d
        {{"1", "img", "-d", "22"}, 91},    // 0x22 is no override
        {{"1", "img", "-d", "10013"}, 91}, // must not wrap into 0x13
        {{"1", "missing"}, 105},
        {{"9", "img"}, 172},
    };
    std::vector<std::vector<std::string>> commands;
    for (const auto &c : cases) {
        commands.push_back({"boot", "--update"});
        commands.back().insert(commands.back().end(), c.words.begin(), c.words.end());
    }
    auto results = h.TvcliMany(commands);
    for (size_t i = 0; i < results.size(); i++) {
        std::string joined;
        for (const auto &w : cases[i].words)
            joined += w + " ";
        EXPECT_EQ(results[i].status, cases[i].status) << joined << results[i].err;
    }
    EXPECT_EQ(results[5].err, "ERROR: Invalid device id provided \n");
}

TEST_F(BootE2e, FileAndIndexErrorsWriteNothing)
{
    Host h(sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825)}));
    Image img;
    bytes archive = img.Archive(kSimpleIndex);
    std::string upper = md5_hex(archive);
    for (auto &c : upper)
        c = (char)toupper(c);
    bytes index_only = text_bytes(kSimpleIndex);
    struct {
        const char *what;
        bytes file;
        int status;
        const char *message;
    } cases[] = {
        {"upper-case hash", tar_archive({{"a.tar", archive}, {"h", hash_document(upper)}}), 79,
         "Not a valid Telvarn Boot Code file "},
        {"not an archive", text_bytes("hello"), 79, "Not a valid Telvarn Boot Code file "},
        {"index not first", boot_image("a.tar", tar_archive({{"fw.bin", img.fw}, {"boot.txt", index_only}})), 79,
         "Not a valid Telvarn Boot Code file "},
        {"CR LF Version line", img.File("Version=3.0.0.0\r\nCARDTYPE=825\nFIRMWARE=fw.bin\n"), 168,
         "Boot code version not compatible with the driver installed "},
        {"FIRMWARE twice", img.File(kSimpleIndex + "FIRMWARE=rom.bin\n"), 1, "Operation failed "},
        {"FIRMWARE before CARDTYPE", img.File("Version=3.0.0.0\nFIRMWARE=fw.bin\nCARDTYPE=825\n"), 1,
         "Operation failed "},
        {"no section for the card", img.File("Version=3.0.0.0\nCARDTYPE=1020\nFIRMWARE=fw.bin\n"), 169,
         "Boot image is not for the adapter(s) installed "},
    };
    std::vector<std::vector<std::string>> commands;
    for (size_t i = 0; i < std::size(cases); i++) {
        sim::Spit(h.path("img" + std::to_string(i)), cases[i].file);
        commands.push_back({"boot", "--update", "1", "img" + std::to_string(i)});
    }
    auto results = h.TvcliMany(commands);
    for (size_t i = 0; i < results.size(); i++) {
        const auto &c = cases[i];
        const Result &r = results[i];
        EXPECT_EQ(r.status, c.status) << c.what;
        EXPECT_EQ(r.out, kWarning) << c.what;
        EXPECT_EQ(r.err, std::string("ERROR: ") + c.message + "\n") << c.what;
    }
    // none of them wrote the firmware partition, and no temporary file stayed
    EXPECT_EQ(h.ReadPart(1, "-f", 16), bytes(16, 0xff));
    Result ls = h.Run({"/bin/sh", "-c", "ls"});
    EXPECT_EQ(ls.out.find("tmp_"), std::string::npos) << ls.out;
}

TEST_F(BootE2e, ImageArchiveGivenDirectly)
{
    Host h(sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825)}));
    Image img;
    bytes index = text_bytes(kSimpleIndex);
    // the second member is the hash document of boot.txt, the rest follows
    sim::Spit(h.path("direct"), tar_archive({{"boot.txt", index}, {"hash.xml", hash_document(md5_hex(index))},
                                              {"fw.bin", img.fw}, {"rom.bin", img.rom}}));
    Result r = h.Tvcli({"boot", "--update", "1", "direct"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(h.ReadPart(1, "-f", img.fw.size()), img.fw);

    sim::Spit(h.path("nohash"), tar_archive({{"boot.txt", index}, {"fw.bin", img.fw}}));
    EXPECT_EQ(h.Tvcli({"boot", "--update", "1", "nohash"}).status, 79);
}

TEST_F(BootE2e, EveryPartitionLandsPatchedAndSwappedWhereItBelongs)
{
    // device id 0x14 is patched into the option ROMs; 0x13 given with -d is not
    Host h(sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825, "", 2, "0x0014")}));
    Image img;
    sim::Spit(h.path("img"), img.File(kFullIndex));
    Result r = h.Tvcli({"boot", "--update", "1", "img"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string(kWarning) + "\nBoot code updated successfully\n" + kReboot);
    EXPECT_EQ(r.err, "");

    auto got = h.ReadParts({{1, "-f", img.fw.size()},
                            {1, "-o", img.rom.size()},
                            {1, "-o2", img.rom2.size()},
                            {1, "-l", img.ovl.size()},
                            {1, "-l2", img.pxeovl.size()},
                            {1, "-t", img.cfg.size(), 0},
                            {1, "-t", img.cfg.size(), 1},
                            {1, "-s", img.asic.size()}});
    EXPECT_EQ(got[0], img.fw);
    bytes rom = Swapped(got[1]);
    for (size_t image : {0u, 1024u}) {
        EXPECT_EQ(Le16(rom, image + ROM_PCIDS_OFF + 6), 0x14) << image;
    }
    EXPECT_EQ(Le16(rom, ROM_PNP_OFF + 12), 0x14);
    EXPECT_EQ(sum8(rom.data(), 1024), 0);
    EXPECT_EQ(sum8(rom.data() + 1024, 512), 0);
    EXPECT_EQ(sum8(rom.data() + ROM_PNP_OFF, ROM_PNP_LEN * 16), 0);
    bytes rom2 = Swapped(got[2]);
    EXPECT_EQ(Le16(rom2, ROM_PCIDS_OFF + 6), 0x14);
    EXPECT_EQ(got[3], Swapped(img.ovl));
    EXPECT_EQ(got[4], Swapped(img.pxeovl));
    EXPECT_EQ(got[5], img.cfg);
    EXPECT_EQ(got[6], img.cfg);
    EXPECT_EQ(got[7], img.asic);

    // -d 13: not patchable, so the option ROM goes in exactly as stored
    r = h.Tvcli({"boot", "--update", "1", "img", "-d", "13"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(h.ReadPart(1, "-o", img.rom.size()), Swapped(img.rom));
}

TEST_F(BootE2e, MissingMembersAreSkippedAndPortListsPickInstances)
{
    // flash with FWCFG instances 0, 1 and 10 only
    std::string flash = "\"flash\": [ {\"type\": 2, \"size\": 65536}, {\"type\": 1, \"size\": 65536},"
                        " {\"type\": 3, \"instance\": 0, \"size\": 4096}, {\"type\": 3, \"instance\": 1, \"size\": 4096},"
                        " {\"type\": 3, \"instance\": 10, \"size\": 4096}, {\"type\": 6, \"size\": 4096} ]";
    Image img;
    struct {
        const char *what;
        std::string index;
        std::vector<int> written; // FWCFG instances out of 0, 1, 10
        bool asic;
    } cases[] = {
        {"no PORT line: instance 0", "Version=3.0.0.0\nCARDTYPE=825\nFIRMWARE=gone.bin\nFWCFG=cfg.bin\n", {0}, false},
        {"PORT=a", "Version=3.0.0.0\nCARDTYPE=825\nFWCFG=cfg.bin\nPORT=a\n", {10}, false},
        {"asic_PORT.bin reads as a port list",
         "Version=3.0.0.0\nCARDTYPE=825\nFWCFG=cfg.bin\nASICBLOCK=asic_PORT.bin\n", {10}, false},
        {"PORT=0,1", "Version=3.0.0.0\nCARDTYPE=825\nFWCFG=cfg.bin\nPORT=0,1\nASICBLOCK=asic.bin\n", {0, 1}, true},
    };
    for (const auto &c : cases) {
        Host h(sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825, flash)}));
        sim::Spit(h.path("img"), img.File(c.index));
        Result r = h.Tvcli({"boot", "--update", "1", "img"});
        ASSERT_EQ(r.status, 0) << c.what << r.err;
        auto got = h.ReadParts({{1, "-t", img.cfg.size(), 0}, {1, "-t", img.cfg.size(), 1},
                                {1, "-t", img.cfg.size(), 10}, {1, "-s", img.asic.size()}});
        int i = 0;
        for (int inst : {0, 1, 10}) {
            bool want = std::find(c.written.begin(), c.written.end(), inst) != c.written.end();
            EXPECT_EQ(got[i++], want ? img.cfg : bytes(img.cfg.size(), 0xff)) << c.what << " instance " << inst;
        }
        EXPECT_EQ(got[3], c.asic ? img.asic : bytes(img.asic.size(), 0xff)) << c.what;
    }
}

TEST_F(BootE2e, OptionRomRunningPastItsMemberFailsAfterFirmware)
{
    Host h(sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825, "", 1, "0x0017")}));
    Image img;
    img.rom = option_rom({{2, 3, 0x1657, 0x13, ""}});
    img.rom[ROM_PCIDS_OFF + 21] = 0; // last image without the last-image flag
    sim::Spit(h.path("img"), img.File(kSimpleIndex));
    Result r = h.Tvcli({"boot", "--update", "1", "img"});
    EXPECT_EQ(r.status, 182);
    EXPECT_EQ(r.err, "ERROR: Boot code is corrupted please retry with a good boot code image before rebooting "
                     "the system. \n");
    auto got = h.ReadParts({{1, "-f", img.fw.size()}, {1, "-o", 4}});
    EXPECT_EQ(got[0], img.fw);
    EXPECT_EQ(got[1], bytes(4, 0xff));
}

// Bytes 0 through the RV data byte add up to 0.
bool VpdChecksumOk(const bytes &v)
{
    int off, len;
    return search_vpd_keyword("RV", v.data(), &off, &len) && sum8(v.data(), (size_t)off + 1) == 0;
}

TEST_F(BootE2e, VpdOfModelsM11AndM12)
{
    // M12 carries its own VPD with an old FFV version; M11's VPD version is
    // not 3, so it gets the template with its serial number; the second M12
    // has no VPD (len 0) and gets no VPD write.
    bytes m12vpd(dell_vpd_bin.begin(), dell_vpd_bin.end());
    std::copy_n("OWNSERIAL012", 12, m12vpd.begin() + 201);
    std::copy_n("01.01.00.00", 11, m12vpd.begin() + 244);
    std::string hex;
    for (uint8_t b : m12vpd) {
        char x[3];
        snprintf(x, sizeof(x), "%02x", b);
        hex += x;
    }
    Host h(sim::Scenario({
        sim::Adapter(0x0a, "TVA00000011", 825, "\"model_descr\": \"Telvarn-M11\", \"vpd\": {\"version\": 1, \"data\": \"OLD VPD\"}"),
        sim::Adapter(0x0b, "TVA000000012", 825,
                     "\"model_descr\": \"Telvarn-M12\", \"vpd\": {\"version\": 3, \"data\": {\"hex\": \"" + hex + "\"}}"),
        // three bytes of VPD are no 32-bit word: its len reads 0
        sim::Adapter(0x0c, "TVA000000013", 825, "\"model_descr\": \"Telvarn-M12\", \"vpd\": {\"data\": \"XYZ\"}"),
    }));
    Image img;
    sim::Spit(h.path("img"), img.File(kSimpleIndex));
    Result r = h.Tvcli({"boot", "--update", "img", "-a"});
    ASSERT_EQ(r.status, 0) << r.err;

    // adapter numbers follow the scan, so each VPD is recognised by content
    int m11 = 0, m12 = 0, none = 0;
    auto vpds = h.ReadParts({{1, "-v", 512}, {2, "-v", 512}, {3, "-v", 512}});
    for (bytes &v : vpds) {
        if (v[0] == 'X') { // as it was: "XYZ", then erased flash
            none++;
            EXPECT_EQ(std::string(v.begin(), v.begin() + 4), "XYZ\xff");
            continue;
        }
        if (v[0] == 0x82) { // not swapped: M11
            m11++;
            // the serial number field is 12 characters; this one is 11 and its NUL
            EXPECT_EQ(std::string(v.begin() + 201, v.begin() + 213), std::string("TVA00000011", 12));
            EXPECT_EQ(std::string(v.begin() + 241, v.begin() + 255), "FFV02.03.00.00");
            EXPECT_TRUE(VpdChecksumOk(v));
            continue;
        }
        m12++;
        v = Swapped(v);
        EXPECT_EQ(std::string(v.begin() + 201, v.begin() + 213), "OWNSERIAL012");
        EXPECT_EQ(std::string(v.begin() + 241, v.begin() + 255), "FFV02.03.00.00");
        EXPECT_TRUE(VpdChecksumOk(v));
    }
    EXPECT_EQ(m11, 1);
    EXPECT_EQ(m12, 1);
    EXPECT_EQ(none, 1);
}

// Serials of adapters 1..n as the scan numbers them (each adapter's VPD
// holds its serial number).
std::vector<std::string> SerialsInScanOrder(const Host &h, int n)
{
    std::vector<sim::Host::Part> parts;
    for (int ad = 1; ad <= n; ad++)
        parts.push_back({ad, "-v", 12});
    std::vector<std::string> out;
    for (const bytes &v : h.ReadParts(parts))
        out.emplace_back(v.begin(), v.end());
    return out;
}

std::string Tagged(int bus, const std::string &serial, int card_type)
{
    return sim::Adapter(bus, serial, card_type, "\"vpd\": {\"data\": \"" + serial + "\"}");
}

TEST_F(BootE2e, AllAdaptersReportAndExitStatus)
{
    Image img;
    struct {
        const char *what;
        std::vector<int> card_types;  // adapters TVA00000000<i+1> on buses 0x0a + i
        std::vector<int> failing;     // by serial number 1..n
        std::string fault;            // %s: PCI address of the first failing adapter
        std::string index;
        int status;
        const char *message;
    } cases[] = {
        {"all updated", {825, 825, 825}, {}, "", kSimpleIndex, 0, ""},
        {"read-back differs on one of three", {825, 825, 825}, {2}, "0xc0184351@%s=corrupt", kSimpleIndex, 1,
         "Operation failed "},
        {"no card section for one of two", {825, 1020}, {2}, "", kSimpleIndex, 169,
         "Boot image is not for the adapter(s) installed "},
        {"every write fails", {825, 825, 825}, {1, 2, 3}, "0xc0184350=status:8", kSimpleIndex, 8, "Flash not present "},
        {"file-level failure", {825, 825, 825}, {1, 2, 3}, "", "Version=2.0.0.0\n", 168,
         "Boot code version not compatible with the driver installed "},
    };
    for (const auto &c : cases) {
        std::vector<std::string> adapters, serials;
        for (size_t i = 0; i < c.card_types.size(); i++) {
            serials.push_back("TVA00000000" + std::to_string(i + 1));
            adapters.push_back(Tagged(0x0a + (int)i, serials.back(), c.card_types[i]));
        }
        Host h(sim::Scenario(adapters));
        std::vector<std::string> order = SerialsInScanOrder(h, (int)adapters.size());
        std::vector<std::string> faults;
        if (!c.fault.empty()) {
            char pci[32], spec[128];
            snprintf(pci, sizeof(pci), "0000:%02x:00.0", 0x0a + (c.failing.empty() ? 0 : c.failing[0] - 1));
            snprintf(spec, sizeof(spec), c.fault.c_str(), pci);
            faults.push_back(spec);
        }
        sim::Spit(h.path("tva_boot_fw"), img.File(c.index));
        Result r = h.Tvcli({"boot", "--update", "tva_boot_fw", "-a"}, "", faults);

        std::string out = kWarning, err;
        int ok = 0;
        for (size_t id = 1; id <= order.size(); id++) {
            bool fails = false;
            for (int f : c.failing)
                fails |= order[id - 1] == serials[(size_t)f - 1];
            if (fails) {
                out += "adapter id " + std::to_string(id) + " boot update failed\n";
                err += std::string("ERROR: ") + c.message + "\n\n";
            } else {
                ok++;
            }
        }
        int n = (int)order.size();
        if (ok == n)
            out += "Boot code successfully updated for " + std::to_string(n) + " adapters\n" + kReboot;
        else if (ok > 0)
            out += "Boot code successfully updated for " + std::to_string(ok) + " out of " + std::to_string(n) +
                   " adapters\n" + kReboot;
        if (c.status != 0) // the command's own error line closes the report
            err += std::string("ERROR: ") + c.message + "\n";
        EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.err;
        EXPECT_EQ(r.out, out) << c.what;
        EXPECT_EQ(r.err, err) << c.what;
    }
}

// The package as a deployment tool runs it: fccomp starts tvcli boot
// --update tva_boot_fw -a, and an adapter that fails makes the run fail.
TEST_F(BootE2e, PartialFailureFailsTheComponentRun)
{
    const std::string pkg = TVA_BINARY_DIR "/package";
    if (access((pkg + "/fccomp").c_str(), X_OK) != 0 || access((pkg + "/tva_boot_fw").c_str(), R_OK) != 0)
        GTEST_SKIP() << "package directory not built";
    std::vector<std::string> adapters;
    for (int i = 0; i < 3; i++)
        adapters.push_back(sim::Adapter(0x0a + i, "TVA00000000" + std::to_string(i + 1), 825, "", 2));
    Host h(sim::Scenario(adapters));
    Result cp = h.Run({"/bin/cp", "-r", pkg, h.path("pkg")});
    ASSERT_EQ(cp.status, 0) << cp.err;
    std::string script = "cd pkg && ./fccomp /f /s; echo \"exit $?\"; cat /var/zqm/Component.log";
    Result r = h.Run({"/bin/sh", "-c", script}, "", {"0xc0184351@0000:0b:00.0=corrupt"});
    EXPECT_NE(r.out.find("exit 7\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" boot update failed\nERROR: Operation failed \n\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Boot code successfully updated for 2 out of 3 adapters\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Flash Engine exit code: 1"), std::string::npos) << r.out;

    r = h.Run({"/bin/sh", "-c", script + "; ./fccomp /d d.xml >/dev/null; cat d.xml"});
    EXPECT_NE(r.out.find("exit 1\n"), std::string::npos) << r.out; // flashed
    EXPECT_NE(r.out.find("Boot code successfully updated for 3 adapters\n"), std::string::npos) << r.out;
    // the adapters now report the option ROM version of the written image
    size_t rewrites = 0;
    for (size_t p = 0; (p = r.out.find("<active_version value=\"3.3.0.0\"/>", p)) != std::string::npos; p++)
        rewrites++;
    EXPECT_EQ(rewrites, 3u) << r.out;
}

TEST_F(BootE2e, WorkerStillRunningAfter1200StepsTimesOut)
{
    Host h(sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825)}));
    h.preload = FASTCLOCK; // one step per millisecond
    Image img;
    sim::Spit(h.path("img"), img.File(kSimpleIndex));
    Result r = h.Tvcli({"boot", "--update", "1", "img"}, "", {"0xc0184350=delay:6000"});
    EXPECT_EQ(r.status, 177);
    EXPECT_NE(r.out.find("|\r/\r-\r\\\r|\r"), std::string::npos);
    EXPECT_NE(r.out.find("boot code update timed out \n"), std::string::npos);
    EXPECT_EQ(r.out.find("Boot code updated successfully"), std::string::npos);
    EXPECT_EQ(r.err, "ERROR: Boot update has timed out please try later \n");
}

TEST_F(BootE2e, BootLunZoneLine)
{
    Host h(sim::Scenario({sim::Adapter(0x0a, "TVA000000001", 825)}));
    const std::string head = "\nPlease copy the following line and run this command from the switch command line\n"
                             "to create the zone.\n"
                             "The zone name created below should be included in an effective cfg.\n"
                             "\nzonecreate \"TVA_2000001122334455_BLUN\", ";
    std::vector<std::vector<std::string>> commands = {
        {"boot", "--blunZone", "-c", "BLUN", "-p", "20:00:00:11:22:33:44:55", "-r", "50:01:02:03:04:05:06:07", "-l",
         "09AABBCCDDEEFF00"},
        {"boot", "--blunZone", "-c", "BLUN", "-p", "20:00:00:11:22:33:44:55", "-r", "50:01:02:03:04:05:06:07", "-l",
         "FF"}};
    for (const auto &words : std::vector<std::vector<std::string>>{
             {"-c", "ZONE", "-p", "20:00:00:11:22:33:44:55", "-r", "50:01:02:03:04:05:06:07", "-l", "FF"},
             {"-c", "BLUN", "-p", "20:00:00:11", "-r", "50:01:02:03:04:05:06:07", "-l", "FF"},
             {"-c", "BLUN", "-p", "20:00:00:11:22:33:44:55", "-r", "50:01:02:03:04:05:06:0g", "-l", "FF"},
             {"-c", "BLUN", "-p", "20:00:00:11:22:33:44:55", "-r", "50:01:02:03:04:05:06:07", "-l", "FFF"},
             {"-p", "20:00:00:11:22:33:44:55", "-c", "BLUN", "-r", "50:01:02:03:04:05:06:07", "-l", "FF"}}) {
        commands.push_back({"boot", "--blunZone"});
        commands.back().insert(commands.back().end(), words.begin(), words.end());
    }
    auto results = h.TvcliMany(commands);
    EXPECT_EQ(results[0].status, 0);
    EXPECT_EQ(results[0].out, head + "\"00:00:00:00:50:01:02:03; 00:00:00:01:04:05:06:07; 00:00:00:02:09:aa:bb:cc; "
                                     "00:00:00:03:dd:ee:ff:00\" \n\n");
    EXPECT_NE(results[1].out.find("00:00:00:02:00:ff:00:00; 00:00:00:03:00:00:00:00\" \n\n"), std::string::npos)
        << results[1].out;
    for (size_t i = 2; i < results.size(); i++)
        EXPECT_EQ(results[i].status, 166) << commands[i][3] << commands[i][5] << commands[i][7] << commands[i][9];
}

} // namespace
