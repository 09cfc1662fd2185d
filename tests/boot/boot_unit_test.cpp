// Boot image readers, index parser, option ROM patcher, VPD fix-up and MD5.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "tval_boot.h"
#include "tvabootimg_lib.h"

namespace fs = std::filesystem;
using namespace tvabootimg;

namespace {

std::string md5(const std::string &s)
{
    char out[32];
    tval_compute_md5_hash(s.size(), reinterpret_cast<const uint8_t *>(s.data()), out);
    return std::string(out, 32);
}

TEST(Md5, Rfc1321Vectors)
{
    struct {
        const char *in;
        const char *digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(md5(c.in), c.digest) << '"' << c.in << '"';
}

TEST(Md5, PiecewiseUpdatesMatchOneShot)
{
    std::string text;
    for (int i = 0; i < 1000; i++)
        text += (char)(i * 31);
    // Piece sizes that straddle the 64-byte block and the 56-byte pad point.
    for (size_t piece : {1u, 7u, 55u, 56u, 63u, 64u, 65u, 200u}) {
        MD5Context ctx;
        MD5Init(&ctx);
        for (size_t off = 0; off < text.size(); off += piece)
            MD5Update(&ctx, reinterpret_cast<const uint8_t *>(text.data()) + off,
                      std::min(piece, text.size() - off));
        uint8_t d[16];
        MD5Final(d, &ctx);
        char hex[33];
        for (int i = 0; i < 16; i++)
            snprintf(hex + 2 * i, 3, "%02x", d[i]);
        EXPECT_EQ(std::string(hex), md5(text)) << "piece " << piece;
    }
}

// ---- tar readers ----------------------------------------------------------

struct MemFile {
    bytes data;
    FILE *fp;
    explicit MemFile(const bytes &d) : data(d)
    {
        fp = fmemopen(data.empty() ? nullptr : data.data(), data.size(), "rb");
    }
    ~MemFile()
    {
        if (fp)
            fclose(fp);
    }
};

TEST(TarReader, ReadsEveryMemberInOrder)
{
    bytes big(1500, 0x5a);
    MemFile f(tar_archive({{"boot.txt", text_bytes("Version=3.0.0.0\n")},
                           {"empty.bin", {}},
                           {"big.bin", big}}));
    IMAGEFILE_DATA_T *img;
    int n;
    ASSERT_EQ(tval_read_image_archive(f.fp, &img, &n), TVA_STATUS_OK);
    ASSERT_EQ(n, 3);
    EXPECT_STREQ(img[0].iname, "boot.txt");
    EXPECT_EQ(img[0].isize, 16);
    EXPECT_EQ(img[1].isize, 0);
    EXPECT_EQ(bytes(img[2].ibuf, img[2].ibuf + img[2].isize), big);
    tval_free_imagefiledata(img, n);
}

TEST(TarReader, DamagedArchivesAreBadFiles)
{
    bytes good = tar_archive({{"boot.txt", text_bytes("Version=3.0.0.0\n")},
                              {"fw.bin", bytes(700, 1)}});
    struct {
        const char *what;
        bytes data;
    } cases[] = {
        {"empty file", {}},
        {"no end blocks", bytes(good.begin(), good.begin() + 512 * 4)},
        {"truncated member data", bytes(good.begin(), good.begin() + 512 * 3 + 100)},
        {"no ustar magic", [&] { bytes b = good; memcpy(b.data() + 1024 + 257, "xxxxx", 5); return b; }()},
        {"size beyond the file", [&] { bytes b = good; memcpy(b.data() + 124, "77777777777", 11); return b; }()},
        {"size not octal", [&] { bytes b = good; memcpy(b.data() + 124, "0000000001 ", 11); return b; }()},
        {"end block first", bytes(2048, 0)},
    };
    for (const auto &c : cases) {
        MemFile f(c.data);
        IMAGEFILE_DATA_T *img = nullptr;
        int n = -1;
        EXPECT_EQ(tval_read_image_archive(f.fp, &img, &n), TVA_STATUS_BAD_FILE) << c.what;
        EXPECT_EQ(img, nullptr) << c.what;
    }
}

TEST(TarReader, UnterminatedNameIsCutTo99Characters)
{
    bytes b = tar_archive({{"x", bytes(10, 2)}});
    memset(b.data(), 'n', 100);
    MemFile f(b);
    IMAGEFILE_DATA_T *img;
    int n;
    ASSERT_EQ(tval_read_image_archive(f.fp, &img, &n), TVA_STATUS_OK);
    EXPECT_EQ(std::string(img[0].iname), std::string(99, 'n'));
    tval_free_imagefiledata(img, n);
}

// The outer check works on files and makes its temporary file in the
// current directory, so each case runs in a scratch directory.
class OuterArchive : public ::testing::Test {
protected:
    fs::path dir, old;
    void SetUp() override
    {
        old = fs::current_path();
        char tmpl[] = "/tmp/bootouter.XXXXXX";
        dir = mkdtemp(tmpl);
        fs::current_path(dir);
    }
    void TearDown() override
    {
        fs::current_path(old);
        fs::remove_all(dir);
    }
    std::string write(const std::string &name, const bytes &b)
    {
        std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char *>(b.data()), (std::streamsize)b.size());
        return (dir / name).string();
    }
    int check(const std::string &path, bytes *image = nullptr, int *tmp = nullptr)
    {
        FILE *img;
        int tmp_made;
        char tmpname[256];
        int rc = tval_check_file_contains_tar(path.c_str(), &img, &tmp_made, tmpname);
        if (img) {
            if (image) {
                image->clear();
                int c;
                while ((c = fgetc(img)) != EOF)
                    image->push_back((uint8_t)c);
            }
            fclose(img);
        }
        if (tmp_made) {
            EXPECT_EQ(unlink(tmpname), 0);
        }
        if (tmp)
            *tmp = tmp_made;
        return rc;
    }
};

TEST_F(OuterArchive, AcceptsMatchingHashAndHandsBackTheImageArchive)
{
    bytes inner = tar_archive({{"boot.txt", text_bytes("Version=3.0.0.0\n")}});
    bytes got;
    int tmp;
    EXPECT_EQ(check(write("img", boot_image("tva_boot.tar", inner)), &got, &tmp), TVA_STATUS_OK);
    EXPECT_EQ(got, inner);
    EXPECT_EQ(tmp, 1);
}

TEST_F(OuterArchive, RejectsBadHashes)
{
    bytes inner = tar_archive({{"boot.txt", text_bytes("Version=3.0.0.0\n")}});
    std::string hex = md5_hex(inner);
    std::string upper = hex;
    for (auto &c : upper)
        c = (char)toupper(c);
    std::string wrong = hex;
    wrong[31] = wrong[31] == '0' ? '1' : '0';
    struct {
        const char *what;
        bytes hashdoc;
    } cases[] = {
        {"upper-case digits", hash_document(upper)},
        {"one digit differs", hash_document(wrong)},
        {"no <hash> tag", text_bytes(hex)},
        {"digest cut short", text_bytes("<hash>" + hex.substr(0, 20))},
    };
    for (const auto &c : cases) {
        bytes outer = tar_archive({{"tva_boot.tar", inner}, {"hash.xml", c.hashdoc}});
        int tmp = -1;
        EXPECT_EQ(check(write("img", outer), nullptr, &tmp), TVA_STATUS_BAD_FILE) << c.what;
        // the temporary archive was made before the hash was read, and the
        // caller is told so it can remove it
        EXPECT_EQ(tmp, 1) << c.what;
    }
    EXPECT_EQ(check(write("one", tar_archive({{"tva_boot.tar", inner}}))), TVA_STATUS_BAD_FILE);
    EXPECT_EQ(check(write("junk", text_bytes("not an archive"))), TVA_STATUS_BAD_FILE);
    EXPECT_EQ(check((dir / "missing").string()), TVA_STATUS_FAILED);
}

TEST_F(OuterArchive, ImageArchiveGivenDirectlyNeedsTheIndexHash)
{
    bytes index = text_bytes("Version=3.0.0.0\n");
    bytes direct = tar_archive({{"boot.txt", index}, {"hash.xml", hash_document(md5_hex(index))}});
    bytes got;
    int tmp;
    std::string path = write("direct", direct);
    EXPECT_EQ(check(path, &got, &tmp), TVA_STATUS_OK);
    EXPECT_EQ(got, direct); // the file itself is the image archive
    EXPECT_EQ(tmp, 0);

    bytes nohash = tar_archive({{"boot.txt", index}, {"fw.bin", bytes(10, 1)}});
    EXPECT_EQ(check(write("nohash", nohash)), TVA_STATUS_BAD_FILE);
}

// ---- index ------------------------------------------------------------------

struct Parsed {
    int rc;
    CARD_DATA_T *cards = nullptr;
    int count = 0;
    explicit Parsed(const std::string &t) { rc = tval_parse_boot_index(t.data(), t.size(), &cards, &count); }
    ~Parsed() { tval_free_carddata(cards, count); }
    std::vector<int> ports(int i) const { return std::vector<int>(cards[i].port, cards[i].port + cards[i].portcnt); }
};

TEST(BootIndex, StatusOfEachMalformedText)
{
    struct {
        const char *text;
        int rc;
    } cases[] = {
        {"", TVA_STATUS_BAD_FILE},
        {"CARDTYPE=1\n", TVA_STATUS_BAD_FILE},
        {"Version\n", TVA_STATUS_BAD_FILE},
        {"Version=\n", TVA_STATUS_BAD_FILE},
        {"version=3.0.0.0\n", TVA_STATUS_BAD_FILE},
        {"Version=3.0.0.1\n", TVA_STATUS_BOOT_VERSION},
        {"Version=3.0.0.0\r\n", TVA_STATUS_BOOT_VERSION},
        {"Version= 3.0.0.0\n", TVA_STATUS_BOOT_VERSION},
        {"Version=3.0.0.0\nFIRMWARE=fw.bin\n", TVA_STATUS_FAILED},
        {"Version=3.0.0.0\nCARDTYPE=1\nFIRMWARE=a\nFIRMWARE=b\n", TVA_STATUS_FAILED},
        {"Version=3.0.0.0\nCARDTYPE=1\nPORT=0\nPORT=1\n", TVA_STATUS_FAILED},
        {"Version=3.0.0.0\nCARDTYPE=1\nFIRMWARE=a\n\nOPTROM=o\n", TVA_STATUS_FAILED},
        {"Version=3.0.0.0\nCARDTYPE=1\nPORT=0\nASICBLOCK=asic_PORT.bin\n", TVA_STATUS_FAILED},
        {"Version=3.0.0.0", TVA_STATUS_OK},
        {"Version=3.0.0.0\nCARDTYPE=1\nFIRMWARE=a\nCARDTYPE=1\nFIRMWARE=b\n", TVA_STATUS_OK},
        {"Version=3.0.0.0\n# FIRMWARE=x\nCARDTYPE=1\nOPTROM=a\nOPTROM2=b\n", TVA_STATUS_OK},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Parsed(c.text).rc, c.rc) << c.text;
}

TEST(BootIndex, SectionsNamesAndPorts)
{
    Parsed p("Version=3.0.0.0\n"
             "free text passes\n"
             "CARDTYPE = 42\n"
             "FIRMWARE = fw 42.bin\r\n"
             "OPTROM=\trom.bin\n"
             "OPTROM2=rom2.bin\n"
             "BOOTOVL=bovl.bin\n"
             "PXEOVL=pxe.bin\n"
             "FWCFG=cfg.bin\n"
             "PORT=0,1\n"
             "ASICBLOCK=asic.bin\n"
             "\n"
             "# a comment with CARDTYPE=7\n"
             "CARDTYPE=7\n"
             "ASICBLOCK=asic_PORT.bin\n"
             "\n"
             "CARDTYPE=9\n"
             "PORT=a\n");
    ASSERT_EQ(p.rc, TVA_STATUS_OK);
    ASSERT_EQ(p.count, 3);
    const CARD_DATA_T &c = p.cards[0];
    EXPECT_EQ(c.card_type, 42u);
    EXPECT_STREQ(c.firmware_name, "fw42.bin");
    EXPECT_STREQ(c.option_rom_name, "rom.bin");
    EXPECT_STREQ(c.option_rom_2_name, "rom2.bin");
    EXPECT_STREQ(c.boot_overlay_name, "bovl.bin");
    EXPECT_STREQ(c.pxe_overlay_name, "pxe.bin");
    EXPECT_STREQ(c.fw_config_name, "cfg.bin");
    EXPECT_STREQ(c.asic_block_name, "asic.bin");
    EXPECT_EQ(p.ports(0), (std::vector<int>{0, 1}));
    // PORT is tested before ASICBLOCK: asic_PORT.bin reads as a port list
    EXPECT_EQ(p.cards[1].card_type, 7u);
    EXPECT_STREQ(p.cards[1].asic_block_name, "");
    EXPECT_EQ(p.ports(1), (std::vector<int>{0xa}));
    EXPECT_EQ(p.ports(2), (std::vector<int>{0xa}));
    EXPECT_EQ(tval_boot_find_card(p.cards, p.count, 9), &p.cards[2]);
    EXPECT_EQ(tval_boot_find_card(p.cards, p.count, 8), nullptr);
}

TEST(BootIndex, DefaultPortsRestartAndLongValues)
{
    std::string longname(80, 'x');
    Parsed p("Version=3.0.0.0\n"
             "CARDTYPE=1\nFWCFG=c\n\n"
             "CARDTYPE=2\nFIRMWARE=first\nCARDTYPE=3\nFIRMWARE=second\nPORT=1,2,ff,\n"
             "\nCARDTYPE=4\nFIRMWARE=" + longname + "\n");
    ASSERT_EQ(p.rc, TVA_STATUS_OK);
    ASSERT_EQ(p.count, 3); // the CARDTYPE inside section 2 restarted it
    EXPECT_EQ(p.ports(0), (std::vector<int>{0}));
    EXPECT_EQ(p.cards[1].card_type, 3u);
    EXPECT_STREQ(p.cards[1].firmware_name, "second");
    EXPECT_EQ(p.ports(1), (std::vector<int>{1, 2, 0xff, 0}));
    EXPECT_EQ(std::string(p.cards[2].firmware_name), std::string(63, 'x'));
    EXPECT_EQ(p.ports(2), (std::vector<int>{0})); // open at the end
}

TEST(BootIndex, LongLinesAreReadInPiecesOf511)
{
    // 511 characters and the LF: the LF alone is the next piece, an empty
    // line that closes the section, so the FIRMWARE after it has none.
    std::string filler(511 - 8, 'y');
    EXPECT_EQ(Parsed("Version=3.0.0.0\nCARDTYPE=1\n" + filler + "PXEOVL=p\nFIRMWARE=f\n").rc,
              TVA_STATUS_FAILED);
    EXPECT_EQ(Parsed("Version=3.0.0.0\nCARDTYPE=1\n" + filler.substr(1) + "PXEOVL=p\nFIRMWARE=f\n").rc,
              TVA_STATUS_OK);
}

// ---- option ROM ---------------------------------------------------------------

bool image_sums_to_zero(const bytes &b, size_t off, size_t len)
{
    return sum8(b.data() + off, len) == 0;
}

uint16_t le16(const bytes &b, size_t off) { return (uint16_t)(b[off] | b[off + 1] << 8); }

TEST(OptionRom, PatchesDeviceIdsAndChecksumsAcrossTheChain)
{
    bytes rom = option_rom({{2, 0, 0x1657, 0x13, "2.3.0.0"}, {3, 3, 0x1657, 0x13, ""}});
    tval_boot_reset_fwver();
    ASSERT_EQ(tval_update_device_id_chksum(rom.data(), rom.size(), 0x17, 1), TVA_STATUS_OK);
    EXPECT_STREQ(tval_boot_curr_fwver, "02.03.00.00");
    EXPECT_EQ(le16(rom, ROM_PCIDS_OFF + 6), 0x17);
    EXPECT_EQ(le16(rom, 1024 + ROM_PCIDS_OFF + 6), 0x17);
    EXPECT_EQ(le16(rom, ROM_PNP_OFF + 12), 0x17);
    EXPECT_EQ(sum8(rom.data() + ROM_PNP_OFF, ROM_PNP_LEN * 16), 0);
    EXPECT_TRUE(image_sums_to_zero(rom, 0, 1024));
    EXPECT_TRUE(image_sums_to_zero(rom, 1024, 1536));
}

TEST(OptionRom, NonPatchableIdLeavesTheChainAsStoredButCapturesTheVersion)
{
    bytes rom = option_rom({{2, 0, 0x1657, 0x13, "4.1.2.0"}, {2, 3, 0x1657, 0x13, ""}});
    bytes before = rom;
    tval_boot_reset_fwver();
    ASSERT_EQ(tval_update_device_id_chksum(rom.data(), rom.size(), 0x13, 1), TVA_STATUS_OK);
    EXPECT_EQ(rom, before);
    EXPECT_STREQ(tval_boot_curr_fwver, "04.01.02.00");

    // captured once per reset; without capture nothing changes
    bytes other = option_rom({{1, 0, 0x1657, 0x13, "9.9.9.9"}});
    ASSERT_EQ(tval_update_device_id_chksum(other.data(), other.size(), 0x13, 1), TVA_STATUS_OK);
    EXPECT_STREQ(tval_boot_curr_fwver, "04.01.02.00");
    tval_boot_reset_fwver();
    EXPECT_STREQ(tval_boot_curr_fwver, "000000000000");
    ASSERT_EQ(tval_update_device_id_chksum(other.data(), other.size(), 0x21, 0), TVA_STATUS_OK);
    EXPECT_STREQ(tval_boot_curr_fwver, "000000000000");
}

TEST(OptionRom, MalformedChainsAreBadBootCode)
{
    auto efi_only = [] { return option_rom({{1, 3, 0x1657, 0x13, ""}}); };
    struct {
        const char *what;
        bytes rom;
        uint16_t devid;
    } cases[] = {
        {"last image without the last-image flag",
         [&] { bytes b = efi_only(); b[ROM_PCIDS_OFF + 21] = 0; return b; }(), 0x13},
        {"PCI data structure outside the buffer",
         [&] { bytes b = efi_only(); b[24] = 0xf0; b[25] = 0xff; return b; }(), 0x17},
        {"image length zero", [&] { bytes b = efi_only(); b[ROM_PCIDS_OFF + 16] = 0; return b; }(), 0x17},
        {"image longer than the buffer",
         [&] { bytes b = efi_only(); b[ROM_PCIDS_OFF + 16] = 9; return b; }(), 0x17},
        {"PnP header outside the buffer",
         [] { bytes b = option_rom({{1, 0, 0x1657, 0x13, "1.0.0.0"}}); b[26] = 0xff; b[27] = 0x7f; return b; }(), 0x17},
        {"version text outside the buffer",
         [] { bytes b = option_rom({{1, 0, 0x1657, 0x13, "1.0.0.0"}}); b[22] = 0xfc; b[23] = 0x01; return b; }(), 0x13},
        {"too short for a header", bytes(10, 0x55), 0x17},
        {"empty", bytes(), 0x17},
    };
    for (auto &c : cases) {
        tval_boot_reset_fwver();
        EXPECT_EQ(tval_update_device_id_chksum(c.rom.data(), c.rom.size(), c.devid, 1),
                  TVA_STATUS_BAD_BOOT_CODE)
            << c.what;
    }
}

TEST(OptionRom, Swap32LeavesTheRemainder)
{
    bytes b = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    tval_swap32(b.data(), b.size());
    EXPECT_EQ(b, (bytes{4, 3, 2, 1, 8, 7, 6, 5, 9, 10}));
}

// ---- VPD ------------------------------------------------------------------------

const char kSerial[12] = {'S', 'N', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0'};
const char kVer[12] = {'0', '2', '.', '0', '3', '.', '0', '0', '.', '0', '0', '\0'};

// Adds up bytes 0 through the RV data byte, as a host would check it.
uint8_t rv_sum(const uint8_t *v)
{
    int off, len;
    EXPECT_TRUE(search_vpd_keyword("RV", v, &off, &len));
    return sum8(v, (size_t)off + 1);
}

// An adapter's own VPD: the template with another product, firmware version
// 01.01.00.00 in V3 and a stale DCM.
bytes own_vpd()
{
    bytes v(dell_vpd_bin.begin(), dell_vpd_bin.end());
    memcpy(v.data() + 241, "NPY2", 4); // V2 no longer FFV
    memcpy(v.data() + 258, "FFV9", 4); // V3 len 4: "FFV" + one byte
    memcpy(v.data() + 326, "0000", 4);
    return v;
}

TEST(Vpd, M11FallsBackToTheTemplateWithItsSerialNumber)
{
    uint8_t out[TVAL_VPD_SIZE];
    for (uint32_t version : {2u, 3u}) {
        uint32_t len = version == 3 ? 0 : 200; // either reason to distrust it
        bytes junk(512, 0xee);
        ASSERT_EQ(tval_boot_build_vpd(TVAL_VPD_MODEL_M11, version, len, junk.data(), kSerial, kVer, out), 1);
        EXPECT_EQ(0, memcmp(out + 201, kSerial, 12));
        EXPECT_EQ(0, memcmp(out + 241, "FFV02.03.00.00", 14));
        EXPECT_EQ(rv_sum(out), 0);
        EXPECT_EQ(out[0], 0x82); // M11 is not swapped
    }
}

TEST(Vpd, M11OwnVpdGetsVersionDcmLengthAndChecksum)
{
    bytes v = own_vpd();
    v[132] = 200; // stale read-only length
    uint8_t out[TVAL_VPD_SIZE];
    ASSERT_EQ(tval_boot_build_vpd(TVAL_VPD_MODEL_M11, 3, 64, v.data(), kSerial, kVer, out), 1);
    EXPECT_EQ(out[132], 236);
    EXPECT_EQ(out[261], '0'); // V3: one version byte after FFV
    EXPECT_EQ(0, memcmp(out + 201, "ARC044SAMPLE", 12)); // own serial kept
    EXPECT_EQ(0, memcmp(out + 326, TVAL_VPD_DCM_TEXT, 40));
    EXPECT_EQ(rv_sum(out), 0);
}

TEST(Vpd, M12AndM13UseTheirOwnVpdSwappedAndSkipWithoutOne)
{
    bytes v(dell_vpd_bin.begin(), dell_vpd_bin.end());
    memcpy(v.data() + 244, "01.01.00.00", 11);
    uint8_t out[TVAL_VPD_SIZE];
    EXPECT_EQ(tval_boot_build_vpd(TVAL_VPD_MODEL_M12, 3, 0, v.data(), kSerial, kVer, out), 0);
    EXPECT_EQ(tval_boot_build_vpd(TVAL_VPD_MODEL_OTHER, 3, 100, v.data(), kSerial, kVer, out), 0);
    for (auto model : {TVAL_VPD_MODEL_M12, TVAL_VPD_MODEL_M13}) {
        ASSERT_EQ(tval_boot_build_vpd(model, 1, 100, v.data(), kSerial, kVer, out), 1);
        tval_swap32(out, TVAL_VPD_SIZE);
        EXPECT_EQ(0, memcmp(out + 241, "FFV02.03.00.00", 14));
        EXPECT_EQ(rv_sum(out), 0);
    }
}

TEST(Vpd, ModelNamesMatchExactly)
{
    EXPECT_EQ(tval_boot_vpd_model("Telvarn-M11", 128), TVAL_VPD_MODEL_M11);
    EXPECT_EQ(tval_boot_vpd_model("Telvarn-M13", 128), TVAL_VPD_MODEL_M13);
    EXPECT_EQ(tval_boot_vpd_model("Telvarn-M11x", 128), TVAL_VPD_MODEL_OTHER);
    char full[128];
    memset(full, 'M', sizeof(full)); // unterminated field
    EXPECT_EQ(tval_boot_vpd_model(full, sizeof(full)), TVAL_VPD_MODEL_OTHER);
}

TEST(Vpd, KeywordSearchStaysInsideTheImage)
{
    bytes v(512, 0);
    v[132] = 0xff;
    v[133] = 0xff; // read-only length far past the image
    for (size_t i = 134; i < 512; i++)
        v[i] = (uint8_t)(i % 3 ? 'V' : 0xf0);
    int off, len;
    search_vpd_keyword("RV", v.data(), &off, &len);
    tval_vpd_find_fw_ver_offset(v.data(), &off, &len);
    tval_vpd_update_checksum(v.data());
    SUCCEED(); // the sanitizers watch the reads
}

} // namespace
