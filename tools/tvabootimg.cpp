// tvabootimg: assembles, inspects and seeds boot image files.
//
//   tvabootimg build -o <output> [-C <dir>] [-n <image name>] <index file>
//   tvabootimg list <boot image file>
//   tvabootimg optrom -o <output> [-v <version>] [-d <device id>] [--efi]
//   tvabootimg firmware -o <output> -v <version> [-s <size>]
//   tvabootimg samples [-v <version>] <dir>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "tvabootimg_lib.h"

namespace fs = std::filesystem;
using namespace tvabootimg;

namespace {

const char *prog = "tvabootimg";

void usage(FILE *out)
{
    fprintf(out,
            "Usage: %s build -o <output> [-C <dir>] [-n <image name>] <index file>\n"
            "       %s list <boot image file>\n"
            "       %s optrom -o <output> [-v <version>] [-d <device id>] [--efi]\n"
            "       %s firmware -o <output> -v <version> [-s <size>]\n"
            "       %s samples [-v <version>] <dir>\n"
            "\n"
            "build     writes a boot image file: the image archive (the index as boot.txt,\n"
            "          then every member the index names, read from -C <dir> or the\n"
            "          index file's directory) and a hash document with its MD5 digest\n"
            "list      checks a boot image file and lists its members and card sections\n"
            "optrom    writes an option ROM chain: an x86 image (PCI data structure and\n"
            "          PnP header) and, with --efi, a second non-x86 image\n"
            "firmware  writes a firmware image carrying the version text\n"
            "samples   writes an index and sample partition images into <dir>\n",
            prog, prog, prog, prog, prog);
}

int fail(const std::string &msg)
{
    fprintf(stderr, "%s: %s\n", prog, msg.c_str());
    return 1;
}

bool read_file(const std::string &path, bytes &out, std::string &err)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err = path + ": " + strerror(errno);
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        err = path + ": read error";
        return false;
    }
    return true;
}

/* Writes next to the target and renames, so a failed run leaves no half
 * file under the real name. */
bool write_file(const std::string &path, const bytes &data, std::string &err)
{
    std::string tmp = path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            err = tmp + ": " + strerror(errno);
            return false;
        }
        out.write(reinterpret_cast<const char *>(data.data()), (std::streamsize)data.size());
        out.flush();
        if (!out) {
            err = tmp + ": write error";
            unlink(tmp.c_str());
            return false;
        }
    }
    if (rename(tmp.c_str(), path.c_str()) != 0) {
        err = path + ": " + strerror(errno);
        unlink(tmp.c_str());
        return false;
    }
    return true;
}

bool valid_version(const std::string &v)
{
    // single-digit components: the boot code spreads them over 02.03.00.00
    return v.size() == 7 && isdigit((unsigned char)v[0]) && v[1] == '.' &&
           isdigit((unsigned char)v[2]) && v[3] == '.' && isdigit((unsigned char)v[4]) &&
           v[5] == '.' && isdigit((unsigned char)v[6]);
}

struct Args {
    std::vector<std::string> pos;
    std::string out, dir, name = "tva_boot_image.tar", version, devid, size;
    bool efi = false;
};

/* Options take a value except --efi; anything else is positional. */
bool parse_args(int argc, char **argv, int first, Args &a, std::string &err)
{
    for (int i = first; i < argc; i++) {
        std::string w = argv[i];
        std::string *slot = nullptr;
        if (w == "-o") slot = &a.out;
        else if (w == "-C") slot = &a.dir;
        else if (w == "-n") slot = &a.name;
        else if (w == "-v") slot = &a.version;
        else if (w == "-d") slot = &a.devid;
        else if (w == "-s") slot = &a.size;
        else if (w == "--efi") { a.efi = true; continue; }
        else if (w.size() > 1 && w[0] == '-') { err = "unknown option " + w; return false; }
        else { a.pos.push_back(w); continue; }
        if (i + 1 >= argc) {
            err = "option " + w + " needs a value";
            return false;
        }
        *slot = argv[++i];
    }
    return true;
}

/* ---- build ------------------------------------------------------------------ */

int cmd_build(const Args &a)
{
    if (a.out.empty() || a.pos.size() != 1)
        return usage(stderr), 2;
    if (a.name.empty() || a.name.size() > 99 || a.name.find("boot.txt") != std::string::npos)
        return fail("image name must be 1 to 99 characters and not contain boot.txt");
    std::string err;
    bytes index;
    if (!read_file(a.pos[0], index, err))
        return fail(err);

    CARD_DATA_T *cards;
    int count;
    int rc = tval_parse_boot_index(reinterpret_cast<const char *>(index.data()), index.size(), &cards, &count);
    if (rc == TVA_STATUS_BOOT_VERSION || rc == TVA_STATUS_BAD_FILE)
        return fail(a.pos[0] + ": the first line must be Version=" TVAL_BOOT_INDEX_VERSION);
    if (rc != TVA_STATUS_OK)
        return fail(a.pos[0] + ": a keyword appears twice in a section or outside any CARDTYPE section");
    if (count == 0) {
        tval_free_carddata(cards, count);
        return fail(a.pos[0] + ": no CARDTYPE section");
    }

    std::vector<std::string> names;
    std::set<std::string> seen;
    for (int i = 0; i < count; i++) {
        const CARD_DATA_T &c = cards[i];
        for (const char *n : {c.firmware_name, c.option_rom_name, c.option_rom_2_name, c.boot_overlay_name,
                              c.pxe_overlay_name, c.fw_config_name, c.asic_block_name})
            if (*n && seen.insert(n).second)
                names.push_back(n);
    }
    tval_free_carddata(cards, count);

    fs::path dir = a.dir.empty() ? fs::path(a.pos[0]).parent_path() : fs::path(a.dir);
    std::vector<member> members{{"boot.txt", index}};
    for (const auto &n : names) {
        if (n.size() > 99 || n.find("boot.txt") != std::string::npos)
            return fail("member name \"" + n + "\" cannot be stored (at most 99 characters, not boot.txt)");
        member m{n, {}};
        if (!read_file((dir / n).string(), m.data, err))
            return fail("member named in the index: " + err);
        members.push_back(std::move(m));
    }
    bytes image = tar_archive(members);
    if (!write_file(a.out, boot_image(a.name, image), err))
        return fail(err);
    printf("%s: %zu members, md5 %s\n", a.out.c_str(), members.size(), md5_hex(image).c_str());
    return 0;
}

/* ---- list ------------------------------------------------------------------- */

int cmd_list(const Args &a)
{
    if (a.pos.size() != 1)
        return usage(stderr), 2;
    FILE *fp = fopen(a.pos[0].c_str(), "rb");
    if (!fp)
        return fail(a.pos[0] + ": " + strerror(errno));
    tar_header_t h;
    uint8_t *first = nullptr, *second = nullptr;
    long fsize, ssize, next, unused;
    int end;
    int rc = tval_tar_read_member(fp, 0, &h, &first, &fsize, &next, &end);
    std::string first_name(h.filename, strnlen(h.filename, 99));
    if (rc == TVA_STATUS_OK && !end)
        rc = tval_tar_read_member(fp, next, &h, &second, &ssize, &unused, &end);
    fclose(fp);
    if (rc != TVA_STATUS_OK || end) {
        free(first);
        free(second);
        return fail(a.pos[0] + ": not a boot image file (two ustar members expected)");
    }
    bytes image(first, first + fsize);
    std::string hashdoc(reinterpret_cast<char *>(second), (size_t)ssize);
    free(first);
    free(second);
    bool direct = first_name.find("boot.txt") != std::string::npos;
    std::string digest = md5_hex(image);
    size_t at = hashdoc.find("<hash>");
    bool hash_ok = at != std::string::npos && hashdoc.compare(at + 6, 32, digest) == 0;
    printf("image archive: %s (%ld bytes)%s\n", first_name.c_str(), fsize,
           direct ? ", the file itself" : "");
    printf("md5: %s %s\n", digest.c_str(), hash_ok ? "(matches the hash document)" : "(DOES NOT match the hash document)");

    if (direct) {
        // the hash covers only boot.txt; the archive is the whole file
        std::string err;
        if (!read_file(a.pos[0], image, err))
            return fail(err);
    }
    FILE *img = fmemopen(image.data(), image.size(), "rb");
    IMAGEFILE_DATA_T *members;
    int n;
    rc = img ? tval_read_image_archive(img, &members, &n) : TVA_STATUS_ENOMEM;
    if (img)
        fclose(img);
    if (rc != TVA_STATUS_OK)
        return fail("image archive: not a valid ustar archive");
    for (int i = 0; i < n; i++)
        printf("  %10d  %s\n", members[i].isize, members[i].iname);
    CARD_DATA_T *cards = nullptr;
    int count = 0;
    rc = strstr(members[0].iname, "boot.txt")
             ? tval_parse_boot_index(reinterpret_cast<char *>(members[0].ibuf), (size_t)members[0].isize, &cards, &count)
             : TVA_STATUS_BAD_FILE;
    for (int i = 0; i < count; i++) {
        const CARD_DATA_T &c = cards[i];
        printf("card type %u:", c.card_type);
        struct { const char *kw, *name; } f[] = {{"FIRMWARE", c.firmware_name}, {"OPTROM", c.option_rom_name},
            {"OPTROM2", c.option_rom_2_name}, {"BOOTOVL", c.boot_overlay_name}, {"PXEOVL", c.pxe_overlay_name},
            {"FWCFG", c.fw_config_name}, {"ASICBLOCK", c.asic_block_name}};
        for (const auto &e : f)
            if (*e.name)
                printf(" %s=%s%s", e.kw, e.name, tval_boot_find_image(members, n, e.name) ? "" : "(missing)");
        printf(" PORT=");
        for (int p = 0; p < c.portcnt; p++)
            printf("%s%x", p ? "," : "", c.port[p]);
        printf("\n");
    }
    tval_free_carddata(cards, count);
    tval_free_imagefiledata(members, n);
    if (rc != TVA_STATUS_OK)
        return fail(std::string("index: ") + tval_status_to_string(rc));
    return hash_ok ? 0 : 1;
}

/* ---- generators --------------------------------------------------------------- */

bool parse_devid(const std::string &s, uint16_t &out)
{
    if (s.empty())
        return true;
    char *end;
    errno = 0;
    unsigned long v = strtoul(s.c_str(), &end, 16);
    if (errno || *end || v > 0xffff)
        return false;
    out = (uint16_t)v;
    return true;
}

bytes make_optrom(const std::string &version, uint16_t devid, bool efi)
{
    std::vector<rom_image> imgs{{4, TVAL_OPTROM_CODETYPE_X86, 0x1657, devid, version}};
    if (efi)
        imgs.push_back({3, 3, 0x1657, devid, ""});
    return option_rom(imgs);
}

bytes make_firmware(const std::string &version, size_t size)
{
    bytes fw(size, 0);
    memcpy(fw.data(), "TVFW", 4);
    snprintf(reinterpret_cast<char *>(fw.data() + 4), 32, "%s", version.c_str());
    for (size_t i = 64; i < size; i++)
        fw[i] = (uint8_t)(i * 131 + (i >> 9));
    return fw;
}

int cmd_optrom(const Args &a)
{
    if (a.out.empty() || !a.pos.empty())
        return usage(stderr), 2;
    std::string version = a.version.empty() ? "3.3.0.0" : a.version;
    uint16_t devid = 0x13;
    if (!valid_version(version))
        return fail("version must look like 3.3.0.0 (single-digit fields)");
    if (!parse_devid(a.devid, devid))
        return fail("device id must be hexadecimal, at most ffff");
    std::string err;
    if (!write_file(a.out, make_optrom(version, devid, a.efi), err))
        return fail(err);
    return 0;
}

int cmd_firmware(const Args &a)
{
    if (a.out.empty() || a.version.empty() || !a.pos.empty())
        return usage(stderr), 2;
    size_t size = 64 * 1024;
    if (!a.size.empty()) {
        char *end;
        unsigned long v = strtoul(a.size.c_str(), &end, 10);
        if (*end || v < 64 || v > 16 * 1024 * 1024)
            return fail("size must be 64 to 16777216 bytes");
        size = v;
    }
    if (a.version.size() > 31)
        return fail("version text too long");
    std::string err;
    if (!write_file(a.out, make_firmware(a.version, size), err))
        return fail(err);
    return 0;
}

int cmd_samples(const Args &a)
{
    if (a.pos.size() != 1)
        return usage(stderr), 2;
    std::string version = a.version.empty() ? "3.3.0.0" : a.version;
    if (!valid_version(version))
        return fail("version must look like 3.3.0.0 (single-digit fields)");
    fs::path dir = a.pos[0];
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec)
        return fail(dir.string() + ": " + ec.message());

    // Card types of the adapters this package serves: two-port FC HBA (825),
    // converged adapter (1020), single-port HBA (815), 16Gb HBA (1860).
    std::string index = "Version=" TVAL_BOOT_INDEX_VERSION "\n"
                        "# Telvarn boot image " + version + "\n"
                        "CARDTYPE=825\nFIRMWARE=tva_fw_hba.bin\nOPTROM=tva_optrom.bin\nBOOTOVL=tva_bootovl.bin\n"
                        "FWCFG=tva_fwcfg.bin\nPORT=0,1\n\n"
                        "CARDTYPE=815\nFIRMWARE=tva_fw_hba.bin\nOPTROM=tva_optrom.bin\nFWCFG=tva_fwcfg.bin\n\n"
                        "CARDTYPE=1860\nFIRMWARE=tva_fw_hba.bin\nOPTROM=tva_optrom.bin\nBOOTOVL=tva_bootovl.bin\n"
                        "FWCFG=tva_fwcfg.bin\nPORT=0,1\n\n"
                        "CARDTYPE=1020\nFIRMWARE=tva_fw_cna.bin\nOPTROM=tva_optrom.bin\nOPTROM2=tva_pxe.bin\n"
                        "BOOTOVL=tva_bootovl.bin\nPXEOVL=tva_pxeovl.bin\nFWCFG=tva_fwcfg.bin\nPORT=0,1\n";
    bytes cfg(4096, 0);
    memcpy(cfg.data(), "TVCF", 4);
    bytes ovl(2048, 0xa5);
    bytes pxeovl(2048, 0x5a);
    struct {
        const char *name;
        bytes data;
    } files[] = {
        {"boot.txt", text_bytes(index)},
        {"tva_fw_hba.bin", make_firmware(version, 64 * 1024)},
        {"tva_fw_cna.bin", make_firmware(version, 96 * 1024)},
        {"tva_optrom.bin", make_optrom(version, 0x13, true)},
        {"tva_pxe.bin", make_optrom(version, 0x14, false)},
        {"tva_bootovl.bin", ovl},
        {"tva_pxeovl.bin", pxeovl},
        {"tva_fwcfg.bin", cfg},
    };
    std::string err;
    for (const auto &f : files)
        if (!write_file((dir / f.name).string(), f.data, err))
            return fail(err);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return usage(stderr), 2;
    std::string cmd = argv[1];
    if (cmd == "-h" || cmd == "--help" || cmd == "help")
        return usage(stdout), 0;
    Args a;
    std::string err;
    if (!parse_args(argc, argv, 2, a, err)) {
        fail(err);
        return usage(stderr), 2;
    }
    if (cmd == "build")
        return cmd_build(a);
    if (cmd == "list")
        return cmd_list(a);
    if (cmd == "optrom")
        return cmd_optrom(a);
    if (cmd == "firmware")
        return cmd_firmware(a);
    if (cmd == "samples")
        return cmd_samples(a);
    fail("unknown command " + cmd);
    return usage(stderr), 2;
}
