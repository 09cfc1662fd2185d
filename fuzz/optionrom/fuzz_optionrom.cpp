// Option ROM chain patcher and the VPD fix-up. The first byte picks the
// device id and the capture flag; the rest is the chain (or, from 512 bytes
// on, also an adapter's VPD).
#include <cstdlib>
#include <cstring>

#include "tval_boot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const uint16_t ids[] = {0x13, 0x14, 0x17, 0x21, 0x22, 0x00, 0xffff, 0x1657};
    uint16_t devid = ids[data[0] & 7];
    int capture = (data[0] >> 3) & 1;
    size_t len = size - 1;
    uint8_t *buf = static_cast<uint8_t *>(malloc(len ? len : 1));
    if (!buf)
        return 0;
    if (len)
        memcpy(buf, data + 1, len);
    tval_boot_reset_fwver();
    if (tval_update_device_id_chksum(buf, len, devid, capture) == TVA_STATUS_OK)
        tval_swap32(buf, len);
    if (len >= TVAL_VPD_SIZE) {
        uint8_t out[TVAL_VPD_SIZE];
        static const char sn[12] = {'F', 'U', 'Z', 'Z'};
        tval_vpd_model_t model = (tval_vpd_model_t)((data[0] >> 4) & 3);
        tval_boot_build_vpd(model, data[0] >> 6, len & 0xff, data + 1, sn, tval_boot_curr_fwver, out);
    }
    free(buf);
    return 0;
}
