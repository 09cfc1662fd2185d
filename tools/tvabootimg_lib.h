/* Writers behind tvabootimg: ustar archives, hash documents, boot image
 * files and option ROM chains. Header-only so tests can build the same
 * files the tool does. */
#ifndef TVABOOTIMG_LIB_H
#define TVABOOTIMG_LIB_H

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tval_boot.h"

namespace tvabootimg {

using bytes = std::vector<uint8_t>;

struct member {
    std::string name;
    bytes data;
};

/* One ustar header block for a regular file. */
inline void tar_header(bytes &out, const std::string &name, size_t size)
{
    tar_header_t h;
    memset(&h, 0, sizeof(h));
    snprintf(h.filename, sizeof(h.filename), "%.99s", name.c_str());
    memcpy(h.filemode, "0000644", 8);
    memcpy(h.ouserid, "0000000", 8);
    memcpy(h.guserid, "0000000", 8);
    snprintf(h.filesize, sizeof(h.filesize), "%011lo", (unsigned long)size);
    memcpy(h.modifytime, "00000000000", 12);
    h.linkindicator = '0';
    memcpy(h.magic, "ustar", 6);
    h.rsvd[0] = '0'; /* version "00" */
    h.rsvd[1] = '0';
    memset(h.cheksum, ' ', sizeof(h.cheksum));
    unsigned sum = 0;
    const uint8_t *p = reinterpret_cast<const uint8_t *>(&h);
    for (size_t i = 0; i < sizeof(h); i++)
        sum += p[i];
    snprintf(h.cheksum, sizeof(h.cheksum), "%06o", sum);
    h.cheksum[7] = ' ';
    out.insert(out.end(), p, p + sizeof(h));
}

inline void tar_pad(bytes &out)
{
    while (out.size() % TVAL_TAR_BLOCK)
        out.push_back(0);
}

/* A ustar archive of the members in order, with the two zero end blocks. */
inline bytes tar_archive(const std::vector<member> &members)
{
    bytes out;
    for (const auto &m : members) {
        tar_header(out, m.name, m.data.size());
        out.insert(out.end(), m.data.begin(), m.data.end());
        tar_pad(out);
    }
    out.resize(out.size() + 2 * TVAL_TAR_BLOCK, 0);
    return out;
}

inline std::string md5_hex(const bytes &data)
{
    char hex[32];
    tval_compute_md5_hash(data.size(), data.data(), hex);
    return std::string(hex, sizeof(hex));
}

inline bytes hash_document(const std::string &hex)
{
    std::string doc = "<?xml version=\"1.0\"?>\n<bootimage>\n  <hash>" + hex +
                      "</hash>\n</bootimage>\n";
    return bytes(doc.begin(), doc.end());
}

/* The outer archive: the image archive and the hash document. */
inline bytes boot_image(const std::string &image_name, const bytes &image_archive,
                        const std::string &hash_name = "hash.xml")
{
    return tar_archive({{image_name, image_archive},
                        {hash_name, hash_document(md5_hex(image_archive))}});
}

inline bytes text_bytes(const std::string &s) { return bytes(s.begin(), s.end()); }

/* ---- option ROM images ---------------------------------------------------- */

struct rom_image {
    unsigned blocks = 2;      /* image length in 512-byte units */
    uint8_t codetype = TVAL_OPTROM_CODETYPE_X86;
    uint16_t vendor = 0x1657;
    uint16_t devid = 0x13;
    std::string version = "2.3.0.0"; /* x86 images only */
};

/* Layout of the images written here. */
constexpr size_t ROM_VER_OFF = 0x40;
constexpr size_t ROM_PCIDS_OFF = 0x60;
constexpr size_t ROM_PNP_OFF = 0x80;
constexpr uint8_t ROM_PNP_LEN = 2; /* in 16-byte units */

inline uint8_t sum8(const uint8_t *p, size_t n)
{
    uint8_t s = 0;
    for (size_t i = 0; i < n; i++)
        s = (uint8_t)(s + p[i]);
    return s;
}

/* A chain of images with valid checksums; the last carries the last-image
 * flag. */
inline bytes option_rom(const std::vector<rom_image> &images)
{
    bytes out;
    for (size_t k = 0; k < images.size(); k++) {
        const rom_image &ri = images[k];
        size_t len = (size_t)ri.blocks * 512;
        bytes img(len, 0);

        pci_optrom_hdr_t hdr = {};
        hdr.sig = 0xaa55;
        hdr.len = (uint8_t)ri.blocks;
        hdr.inivec[0] = 0xeb; /* jmp short over the header */
        hdr.inivec[1] = 0x3b;
        hdr.inivec[2] = 0x90;
        memcpy(hdr.vendor_sig, "TVRN", 4);
        hdr.verptr = ri.codetype == TVAL_OPTROM_CODETYPE_X86 ? ROM_VER_OFF : 0;
        hdr.verlen = (uint16_t)(ri.version.size() + 1);
        hdr.pcids = ROM_PCIDS_OFF;
        hdr.pnphdr = ri.codetype == TVAL_OPTROM_CODETYPE_X86 ? ROM_PNP_OFF : 0;
        memcpy(img.data(), &hdr, sizeof(hdr));

        pci_3_0_ds_t ds = {};
        memcpy(&ds.sig, "PCIR", 4);
        ds.vendid = ri.vendor;
        ds.devid = ri.devid;
        ds.len = sizeof(ds);
        ds.rev = 3;
        ds.clcode[0] = 0x00;
        ds.clcode[1] = 0x04;
        ds.clcode[2] = 0x0c; /* serial bus, Fibre Channel */
        ds.imglen = (uint16_t)ri.blocks;
        ds.coderev = 0x0203;
        ds.codetype = ri.codetype;
        ds.indr = k + 1 == images.size() ? TVAL_OPTROM_LAST_IMAGE : 0;
        ds.mrtimglen = (uint16_t)ri.blocks;
        memcpy(img.data() + ROM_PCIDS_OFF, &ds, sizeof(ds));

        if (ri.codetype == TVAL_OPTROM_CODETYPE_X86) {
            snprintf(reinterpret_cast<char *>(img.data() + ROM_VER_OFF), 32, "%s",
                     ri.version.c_str());
            pnp_hdr_t pnp = {};
            memcpy(&pnp.signature, "$PnP", 4);
            pnp.rev = 1;
            pnp.len = ROM_PNP_LEN;
            pnp.pnp_dev_id = (uint32_t)ri.vendor | ((uint32_t)ri.devid << 16);
            pnp.devtype[0] = 0x00;
            pnp.devtype[1] = 0x04;
            pnp.devtype[2] = 0x0c;
            pnp.devind = 0x14;
            pnp.bcventr = 0x0100;
            memcpy(img.data() + ROM_PNP_OFF, &pnp, sizeof(pnp));
            img[ROM_PNP_OFF + offsetof(pnp_hdr_t, cksum)] =
                (uint8_t)(0x100 - sum8(img.data() + ROM_PNP_OFF, ROM_PNP_LEN * 16));
            /* recognisable code bytes so the image is not all zeros */
            for (size_t i = 0x100; i + 1 < len; i++)
                img[i] = (uint8_t)(i * 7 + k);
        } else {
            for (size_t i = 0x80; i + 1 < len; i++)
                img[i] = (uint8_t)(i * 13 + k);
        }
        img[len - 1] = (uint8_t)(0x100 - sum8(img.data(), len - 1));
        out.insert(out.end(), img.begin(), img.end());
    }
    return out;
}

} // namespace tvabootimg

#endif
