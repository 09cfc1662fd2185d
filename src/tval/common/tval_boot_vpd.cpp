/* VPD rebuilt after an option ROM update for models M11, M12 and M13: the
 * firmware version keyword follows the new boot code, and the M11 gets a
 * usable VPD even when its own is missing. */
#include <array>
#include <cstring>

#include "tval_boot.h"

namespace {

struct vpd_writer {
    std::array<uint8_t, TVAL_VPD_SIZE> b{};
    size_t pos = 0;

    constexpr void byte(uint8_t v) { b[pos++] = v; }
    /* len bytes: the text, then NULs. */
    constexpr void field(const char *s, size_t len)
    {
        for (size_t i = 0; i < len; i++)
            b[pos + i] = 0;
        for (size_t i = 0; i < len && s[i]; i++)
            b[pos + i] = (uint8_t)s[i];
        pos += len;
    }
    constexpr void keyword(const char *kw, uint8_t len, const char *data)
    {
        byte((uint8_t)kw[0]);
        byte((uint8_t)kw[1]);
        byte(len);
        field(data, len);
    }
};

constexpr std::array<uint8_t, TVAL_VPD_SIZE> build_m11_template()
{
    vpd_writer w;
    w.byte(0x82);
    w.byte(128);
    w.byte(0);
    w.field("Telvarn-M11 Dual Port 16Gb Fibre Channel Mezzanine Card", 128);
    w.byte(0x90);
    w.byte(TVAL_VPD_M11_VPDR_LEN);
    w.byte(0);
    w.keyword("V0", 16, "\x23");
    w.keyword("PN", 16, "TVM11-0A2B3C");
    w.keyword("EC", 16, "2");
    w.keyword("MN", 4, "1028");
    w.keyword("SN", 16, "ARC044SAMPLE");
    w.keyword("V1", 18, "DSV1028VPDR.VER1.0");
    w.keyword("V2", 14, "FFV02.03.00.00");
    w.keyword("V3", 4, "NPY2");
    w.keyword("V4", 4, "PMT2");
    w.keyword("V5", 39, "NMVTelvarn Communications Corporation");
    w.keyword("V6", 6, "DTINIC");
    w.keyword("V7", 43, "DCM" TVAL_VPD_DCM_TEXT);
    w.keyword("RV", 1, "");
    w.byte(0x78);
    uint8_t sum = 0;
    for (size_t i = 0; i < 369; i++)
        sum = (uint8_t)(sum + w.b[i]);
    w.b[369] = (uint8_t)(0x100 - sum);
    return w.b;
}

constexpr std::array<uint8_t, TVAL_VPD_SIZE> m11_template = build_m11_template();
static_assert(m11_template[131] == 0x90);
static_assert(m11_template[TVAL_VPD_M11_SN_OFF] == 'A');
static_assert(m11_template[366] == 'R' && m11_template[367] == 'V');
static_assert(m11_template[370] == 0x78);

int vpd_end(const uint8_t *vpd)
{
    int end = 153 + (vpd[132] | (vpd[133] << 8));
    /* The length comes from the adapter; never search past the image. */
    return end > TVAL_VPD_SIZE ? TVAL_VPD_SIZE : end;
}

} // namespace

const std::array<uint8_t, TVAL_VPD_SIZE> &dell_vpd_bin = m11_template;

int search_vpd_keyword(const char kw[2], const uint8_t *vpd, int *offset, int *len)
{
    const int end = vpd_end(vpd);
    int off = TVAL_VPD_KW_START;
    while (off + 2 < end) {
        if (vpd[off] == (uint8_t)kw[0] && vpd[off + 1] == (uint8_t)kw[1] && off + 3 < end) {
            *offset = off + 3;
            *len = vpd[off + 2];
            return 1;
        }
        off += vpd[off + 2] + 3;
    }
    return 0;
}

int tval_vpd_find_fw_ver_offset(const uint8_t *vpd, int *offset, int *len)
{
    static const char suffixes[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (const char *s = suffixes; *s; s++) {
        char kw[2] = {'V', *s};
        int off, n;
        if (!search_vpd_keyword(kw, vpd, &off, &n))
            continue;
        if (n >= 3 && off + 3 <= TVAL_VPD_SIZE && memcmp(vpd + off, "FFV", 3) == 0) {
            *offset = off;
            *len = n;
            return 1;
        }
    }
    return 0;
}

void tval_vpd_update_checksum(uint8_t *vpd)
{
    int off, len;
    if (!search_vpd_keyword("RV", vpd, &off, &len))
        return;
    vpd[off] = 0;
    uint8_t sum = 0;
    for (int i = 0; i <= off; i++)
        sum = (uint8_t)(sum + vpd[i]);
    vpd[off] = (uint8_t)(0 - sum);
}

void tval_update_adapter_falder1_sn(uint8_t *vpd, const char serial_num[12])
{
    memcpy(vpd + TVAL_VPD_M11_SN_OFF, serial_num, 12);
}

void tval_check_and_update_falder1_vpdr_len(uint8_t *vpd)
{
    if (vpd[TVAL_VPD_KW_START] == 'V' && vpd[TVAL_VPD_KW_START + 1] == '0')
        vpd[132] = TVAL_VPD_M11_VPDR_LEN;
}

void tval_update_falder1_dcm(uint8_t *vpd)
{
    const size_t text_len = sizeof(TVAL_VPD_DCM_TEXT) - 1;
    for (size_t i = 0; i + 6 + text_len <= TVAL_VPD_SIZE; i++) {
        if (vpd[i] == 'V' && vpd[i + 1] == '7' && memcmp(vpd + i + 3, "DCM", 3) == 0) {
            memcpy(vpd + i + 6, TVAL_VPD_DCM_TEXT, text_len);
            return;
        }
    }
}

tval_vpd_model_t tval_boot_vpd_model(const char *model_descr, size_t size)
{
    size_t n = strnlen(model_descr, size);
    auto is = [&](const char *m) { return n == strlen(m) && memcmp(model_descr, m, n) == 0; };
    if (is("Telvarn-M11"))
        return TVAL_VPD_MODEL_M11;
    if (is("Telvarn-M12"))
        return TVAL_VPD_MODEL_M12;
    if (is("Telvarn-M13"))
        return TVAL_VPD_MODEL_M13;
    return TVAL_VPD_MODEL_OTHER;
}

int tval_boot_build_vpd(tval_vpd_model_t model, uint32_t vpd_version, uint32_t vpd_len,
                        const uint8_t *vpd_data, const char serial_num[12],
                        const char fwver[TVAL_BOOT_FWVER_LEN], uint8_t out[TVAL_VPD_SIZE])
{
    switch (model) {
    case TVAL_VPD_MODEL_M11:
        if (vpd_version == 3 && vpd_len != 0) {
            memcpy(out, vpd_data, TVAL_VPD_SIZE);
        } else {
            memcpy(out, dell_vpd_bin.data(), TVAL_VPD_SIZE);
            tval_update_adapter_falder1_sn(out, serial_num);
        }
        tval_check_and_update_falder1_vpdr_len(out);
        break;
    case TVAL_VPD_MODEL_M12:
    case TVAL_VPD_MODEL_M13:
        if (vpd_len == 0)
            return 0;
        memcpy(out, vpd_data, TVAL_VPD_SIZE);
        break;
    default:
        return 0;
    }

    int off, len;
    if (tval_vpd_find_fw_ver_offset(out, &off, &len)) {
        int n = len - 3;
        if (n > TVAL_BOOT_FWVER_LEN)
            n = TVAL_BOOT_FWVER_LEN;
        if (n > TVAL_VPD_SIZE - (off + 3))
            n = TVAL_VPD_SIZE - (off + 3);
        if (n > 0 && memcmp(out + off + 3, fwver, (size_t)n) != 0)
            memcpy(out + off + 3, fwver, (size_t)n);
    }
    if (model == TVAL_VPD_MODEL_M11)
        tval_update_falder1_dcm(out);
    tval_vpd_update_checksum(out);
    if (model != TVAL_VPD_MODEL_M11)
        tval_swap32(out, TVAL_VPD_SIZE);
    return 1;
}
