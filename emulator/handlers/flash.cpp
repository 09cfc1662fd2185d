/* Flash partitions of the emulated adapters: attributes, read, write, erase,
 * option ROM switch and the configuration version.
 *
 * An adapter whose scenario gives no "flash" list gets a default layout on
 * its first flash request. Writing the option ROM or firmware image changes
 * the versions the IOC attribute request reports.
 * Faults (a read-back that differs, a failing write, a slow adapter) come
 * from the core's --fault option on these request codes.
 */
#include <algorithm>

#include "tvasim.h"

namespace tvasim {
namespace {

constexpr uint32_t KiB = 1024;

/* The firmware image header the boot image tool writes: "TVFW" and the
 * version text. */
constexpr size_t FW_MAGIC_LEN = 4;
constexpr size_t FW_VERSION_LEN = 32;

void put_default(Adapter &a, uint32_t type, uint32_t inst, uint32_t size, std::vector<uint8_t> data = {})
{
    Partition p;
    p.type = type;
    p.instance = inst;
    p.size = size;
    p.offset = a.flash.empty() ? 0 : a.flash.back().offset + a.flash.back().size;
    if (data.size() > size)
        data.resize(size);
    p.data = std::move(data);
    a.flash.push_back(std::move(p));
}

/* Capability characters of the manufacturing block: nic, cna, hba, fc16g,
 * sriov, mezz at offsets 132..137. */
std::vector<uint8_t> default_mfg(const Adapter &a)
{
    std::vector<uint8_t> m(256, 0);
    auto yn = [](bool b) { return (uint8_t)(b ? 'y' : 'n'); };
    m[132] = yn(a.cap_bm & TVA_CAP_NIC);
    m[133] = yn(a.cap_bm & TVA_CAP_CNA);
    m[134] = yn(a.cap_bm & TVA_CAP_HBA);
    m[135] = yn(a.max_speed >= 16);
    m[136] = 'n';
    m[137] = yn(a.is_mezz);
    return m;
}

void ensure_flash(Adapter &a)
{
    if (!a.flash.empty())
        return;
    put_default(a, TVA_FLASH_PART_OPTROM, 0, 256 * KiB);
    put_default(a, TVA_FLASH_PART_FWIMG, 0, 1024 * KiB);
    for (uint32_t p = 0; p < std::max<uint32_t>(a.nports, 1); p++)
        put_default(a, TVA_FLASH_PART_FWCFG, p, 64 * KiB);
    put_default(a, TVA_FLASH_PART_DRV, 0, 64 * KiB);
    put_default(a, TVA_FLASH_PART_BOOT, 0, 4 * KiB);
    put_default(a, TVA_FLASH_PART_ASIC, 0, 64 * KiB);
    put_default(a, TVA_FLASH_PART_MFG, 0, 4 * KiB, default_mfg(a));
    put_default(a, TVA_FLASH_PART_OPTROM2, 0, 256 * KiB);
    put_default(a, TVA_FLASH_PART_VPD, 0, 4 * KiB, a.vpd);
    put_default(a, TVA_FLASH_PART_PBC, 0, 4 * KiB, std::vector<uint8_t>(64, 0x5a));
    put_default(a, TVA_FLASH_PART_BOOTOVL, 0, 64 * KiB);
    put_default(a, TVA_FLASH_PART_LOG, 0, 64 * KiB, std::vector<uint8_t>(1000, 0x4c));
    put_default(a, TVA_FLASH_PART_PXECFG, 0, 4 * KiB);
    put_default(a, TVA_FLASH_PART_PXEOVL, 0, 64 * KiB);
    put_default(a, TVA_FLASH_PART_PORTCFG, 0, 4 * KiB);
}

uint16_t le16(const uint8_t *p) { return (uint16_t)(p[0] | p[1] << 8); }

/* Version text of the first x86 image of an option ROM chain, as written
 * (the boot-code update writes it 32-bit swapped). Empty when none. */
std::string optrom_version(std::vector<uint8_t> rom)
{
    if (rom.size() >= 4 && rom[3] == 0x55 && rom[2] == 0xaa)
        for (size_t i = 0; i + 4 <= rom.size(); i += 4) {
            std::swap(rom[i], rom[i + 3]);
            std::swap(rom[i + 1], rom[i + 2]);
        }
    size_t off = 0;
    for (int guard = 0; guard < 64 && off + 28 <= rom.size(); guard++) {
        const uint8_t *img = rom.data() + off;
        if (img[0] != 0x55 || img[1] != 0xaa)
            break;
        size_t ds = off + le16(img + 24);
        if (ds + 28 > rom.size())
            break;
        const uint8_t *pcir = rom.data() + ds;
        size_t len = (size_t)le16(pcir + 16) * 512;
        if (pcir[20] == 0) {
            size_t v = off + le16(img + 22);
            std::string out;
            for (size_t i = v; i < rom.size() && i < v + 16 && rom[i]; i++)
                out += (char)rom[i];
            return out;
        }
        if (len == 0 || (pcir[21] & 0x80))
            break;
        off += len;
    }
    return {};
}

std::string firmware_version(const std::vector<uint8_t> &fw)
{
    if (fw.size() < FW_MAGIC_LEN + FW_VERSION_LEN || std::memcmp(fw.data(), "TVFW", FW_MAGIC_LEN) != 0)
        return {};
    const char *v = reinterpret_cast<const char *>(fw.data() + FW_MAGIC_LEN);
    return std::string(v, strnlen(v, FW_VERSION_LEN));
}

/* The data area of a read or write: right after the record when the sender
 * moved it along, else wherever buf_ptr points. */
uint8_t *flash_data(Request &r, const tva_ioctl_flash_t &rec)
{
    if (r.len >= sizeof(rec) + rec.bufsz)
        return r.data + sizeof(rec);
    return r.client_buffer(offsetof(tva_ioctl_flash_t, buf_ptr), rec.bufsz);
}

void flash_get_attr(Request &r)
{
    auto *p = r.payload<tva_ioctl_flash_attr_t>();
    if (!p)
        return r.set_status(TVA_STATUS_EINVAL);
    Adapter &a = *r.fn->adapter;
    ensure_flash(a);
    std::memset(&p->attr, 0, sizeof(p->attr));
    p->attr.status = TVA_FLASH_STATUS_GOOD;
    uint32_t n = 0;
    for (const auto &part : a.flash) {
        if (n == TVA_FLASH_PART_MAX)
            break;
        tva_flash_part_attr_t &e = p->attr.part[n++];
        e.part_type = part.type;
        e.part_instance = part.instance;
        e.part_off = part.offset;
        e.part_size = part.size;
        e.part_len = (uint32_t)part.data.size();
        e.part_status = part.data.empty() ? TVA_FLASH_STATUS_EMPTY : TVA_FLASH_STATUS_GOOD;
    }
    p->attr.npart = n;
    p->status = TVA_STATUS_OK;
}

Partition *addressed(Request &r, tva_ioctl_flash_t **rec)
{
    *rec = r.payload<tva_ioctl_flash_t>();
    if (!*rec) {
        r.set_status(TVA_STATUS_EINVAL);
        return nullptr;
    }
    Adapter &a = *r.fn->adapter;
    ensure_flash(a);
    Partition *p = a.partition((*rec)->type, (*rec)->instance);
    if (!p)
        (*rec)->status = TVA_STATUS_EINVAL;
    return p;
}

/* The versions the driver reports follow what was written, whichever path
 * wrote it (flash requests here, the Ethernet path through ethtool). */
void track_versions(Adapter &a, Partition &p)
{
    if (p.type == TVA_FLASH_PART_OPTROM) {
        std::string v = optrom_version(p.data);
        if (!v.empty())
            a.optrom_ver = a.bios_ver = p.version = v;
    } else if (p.type == TVA_FLASH_PART_FWIMG) {
        std::string v = firmware_version(p.data);
        if (!v.empty())
            a.fw_ver = p.version = v;
    }
}
TVASIM_ON_PARTITION_WRITE(track_versions);

void flash_update_part(Request &r)
{
    tva_ioctl_flash_t *rec;
    Partition *p = addressed(r, &rec);
    if (!p)
        return;
    if (rec->bufsz > p->size) {
        rec->status = TVA_STATUS_FLASH_BAD_LEN;
        return;
    }
    uint8_t *data = flash_data(r, *rec);
    if (!data && rec->bufsz) {
        rec->status = TVA_STATUS_EINVAL;
        return;
    }
    p->data.assign(data, data + rec->bufsz);
    track_versions(*r.fn->adapter, *p);
    rec->status = TVA_STATUS_OK;
}

void flash_read_part(Request &r)
{
    tva_ioctl_flash_t *rec;
    Partition *p = addressed(r, &rec);
    if (!p)
        return;
    uint8_t *data = flash_data(r, *rec);
    if (!data && rec->bufsz) {
        rec->status = TVA_STATUS_EINVAL;
        return;
    }
    /* Past what was written the flash reads as erased. */
    size_t n = std::min<size_t>(rec->bufsz, p->data.size());
    if (n)
        std::memcpy(data, p->data.data(), n);
    if (rec->bufsz > n)
        std::memset(data + n, 0xff, rec->bufsz - n);
    rec->status = TVA_STATUS_OK;
}

void flash_erase_part(Request &r)
{
    tva_ioctl_flash_t *rec;
    Partition *p = addressed(r, &rec);
    if (!p)
        return;
    p->data.clear();
    rec->status = TVA_STATUS_OK;
}

void optrom_switch(Request &r, bool on)
{
    auto *g = r.payload<tva_ioctl_gen_t>();
    if (!g)
        return r.set_status(TVA_STATUS_EINVAL);
    Adapter &a = *r.fn->adapter;
    if (!a.settings.is_object())
        a.settings = json::object();
    a.settings["optrom_enabled"] = on;
    g->status = TVA_STATUS_OK;
}

void flash_enable_optrom(Request &r) { optrom_switch(r, true); }
void flash_disable_optrom(Request &r) { optrom_switch(r, false); }

void boot_get_cfg_version(Request &r)
{
    auto *rec = r.payload<tva_ioctl_flash_t>();
    if (!rec)
        return r.set_status(TVA_STATUS_EINVAL);
    uint8_t *data = flash_data(r, *rec);
    if (!data || rec->bufsz < TVA_BOOT_CFG_VERSION_LEN) {
        rec->status = TVA_STATUS_EINVAL;
        return;
    }
    const Adapter &a = *r.fn->adapter;
    std::string v = a.raw.value("cfg_version", std::string("3.0.0.0"));
    std::memset(data, 0, TVA_BOOT_CFG_VERSION_LEN);
    std::memcpy(data, v.data(), std::min<size_t>(v.size(), TVA_BOOT_CFG_VERSION_LEN - 1));
    rec->status = TVA_STATUS_OK;
}

TVASIM_HANDLER(TVA_IOCTL_FLASH_GET_ATTR, flash_get_attr);
TVASIM_HANDLER(TVA_IOCTL_FLASH_UPDATE_PART, flash_update_part);
TVASIM_HANDLER(TVA_IOCTL_FLASH_READ_PART, flash_read_part);
TVASIM_HANDLER(TVA_IOCTL_FLASH_ERASE_PART, flash_erase_part);
TVASIM_HANDLER(TVA_IOCTL_FLASH_ENABLE_OPTROM, flash_enable_optrom);
TVASIM_HANDLER(TVA_IOCTL_FLASH_DISABLE_OPTROM, flash_disable_optrom);
TVASIM_HANDLER(TVA_IOCTL_BOOT_GET_CFG_VERSION, boot_get_cfg_version);

} // namespace
} // namespace tvasim
