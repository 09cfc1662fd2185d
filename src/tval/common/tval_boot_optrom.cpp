/* Option ROM chains: device-id patching, checksums and the boot-code version
 * text taken from the first x86 image. */
#include <cstring>

#include "tval_boot.h"

thread_local char tval_boot_curr_fwver[TVAL_BOOT_FWVER_LEN + 1];
static thread_local bool fwver_captured;

void tval_boot_reset_fwver(void)
{
    memset(tval_boot_curr_fwver, '0', TVAL_BOOT_FWVER_LEN);
    tval_boot_curr_fwver[TVAL_BOOT_FWVER_LEN] = '\0';
    fwver_captured = false;
}

bool tval_boot_devid_patchable(uint16_t devid)
{
    return devid == 0x14 || devid == 0x17 || devid == 0x21 || devid == 0x22;
}

void tval_swap32(uint8_t *buf, size_t len)
{
    for (size_t i = 0; i + 4 <= len; i += 4) {
        uint8_t b0 = buf[i], b1 = buf[i + 1];
        buf[i] = buf[i + 3];
        buf[i + 1] = buf[i + 2];
        buf[i + 2] = b1;
        buf[i + 3] = b0;
    }
}

static uint8_t sum8(const uint8_t *p, size_t n)
{
    uint8_t s = 0;
    for (size_t i = 0; i < n; i++)
        s = (uint8_t)(s + p[i]);
    return s;
}

/* "2.3.0.0" with its NUL becomes "02.03.00.00" and a NUL. */
static void capture_version(const uint8_t ver[8])
{
    for (int i = 0; i < 4; i++) {
        tval_boot_curr_fwver[3 * i] = '0';
        tval_boot_curr_fwver[3 * i + 1] = (char)ver[2 * i];
        tval_boot_curr_fwver[3 * i + 2] = (char)ver[2 * i + 1];
    }
    fwver_captured = true;
}

/* True when [off, off + len) lies inside [0, size). */
static bool fits(size_t off, size_t len, size_t size)
{
    return off <= size && len <= size - off;
}

int tval_update_device_id_chksum(uint8_t *buf, size_t size, uint16_t devid, int capture)
{
    const bool patch = tval_boot_devid_patchable(devid);
    size_t off = 0;

    for (;;) {
        if (off >= size)
            return TVA_STATUS_BAD_BOOT_CODE;
        /* Every pointer in the chain comes from the file, so each structure
         * is checked to lie inside the buffer before it is touched. */
        pci_optrom_hdr_t rom;
        if (!fits(off, sizeof(rom), size))
            return TVA_STATUS_BAD_BOOT_CODE;
        memcpy(&rom, buf + off, sizeof(rom));

        size_t ds_off = off + rom.pcids;
        pci_3_0_ds_t ds;
        if (!fits(ds_off, sizeof(ds), size))
            return TVA_STATUS_BAD_BOOT_CODE;
        memcpy(&ds, buf + ds_off, sizeof(ds));
        size_t imglen = (size_t)ds.imglen * 512;
        if (imglen == 0 || !fits(off, imglen, size))
            return TVA_STATUS_BAD_BOOT_CODE;

        if (patch) {
            ds.devid = devid;
            memcpy(buf + ds_off + offsetof(pci_3_0_ds_t, devid), &ds.devid, sizeof(ds.devid));
        }

        if (ds.codetype == TVAL_OPTROM_CODETYPE_X86) {
            if (capture && !fwver_captured) {
                size_t voff = off + rom.verptr;
                if (!fits(voff, 8, size))
                    return TVA_STATUS_BAD_BOOT_CODE;
                capture_version(buf + voff);
            }
            if (!patch)
                return TVA_STATUS_OK;
            size_t pnp_off = off + rom.pnphdr;
            pnp_hdr_t pnp;
            if (!fits(pnp_off, sizeof(pnp), size))
                return TVA_STATUS_BAD_BOOT_CODE;
            memcpy(&pnp, buf + pnp_off, sizeof(pnp));
            size_t pnp_len = (size_t)pnp.len * 16;
            if (!fits(pnp_off, pnp_len, size))
                return TVA_STATUS_BAD_BOOT_CODE;
            buf[pnp_off + 12] = (uint8_t)devid;
            buf[pnp_off + 13] = (uint8_t)(devid >> 8);
            buf[pnp_off + offsetof(pnp_hdr_t, cksum)] = 0;
            buf[pnp_off + offsetof(pnp_hdr_t, cksum)] = (uint8_t)(0x100 - sum8(buf + pnp_off, pnp_len));
        }

        uint8_t *last = buf + off + imglen - 1;
        *last = 0;
        *last = (uint8_t)(0x100 - sum8(buf + off, imglen));

        off += imglen;
        if (ds.indr & TVAL_OPTROM_LAST_IMAGE)
            return TVA_STATUS_OK;
    }
}
