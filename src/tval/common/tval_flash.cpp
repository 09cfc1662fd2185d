/* Flash partition requests. Reads and writes build one allocation: the
 * 24-byte record followed by the data, and the transport moves it whole. */
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "tval_adapter.h"
#include "tval_flash.h"
#include "tval_transport.h"

#define TVAL_PCI_DEVID_ORRIM 0x22

namespace {

/* Record plus data area; buf_ptr points at the data, as the driver expects. */
tva_ioctl_flash_t *flash_request_alloc(tval_t *ioc, int type, uint8_t instance, uint32_t size)
{
    if (size > UINT32_MAX - sizeof(tva_ioctl_flash_t))
        return nullptr;
    uint8_t *mem = static_cast<uint8_t *>(calloc(1, sizeof(tva_ioctl_flash_t) + size));
    if (!mem)
        return nullptr;
    auto *req = reinterpret_cast<tva_ioctl_flash_t *>(mem);
    req->tvad_num = (uint16_t)ioc->instance;
    req->instance = instance;
    req->type = (uint32_t)type;
    req->bufsz = size;
    req->buf_ptr = (uint64_t)(uintptr_t)(mem + sizeof(tva_ioctl_flash_t));
    return req;
}

uint8_t *flash_request_data(tva_ioctl_flash_t *req)
{
    return reinterpret_cast<uint8_t *>(req) + sizeof(*req);
}

int flash_send(tval_t *ioc, uint32_t code, tva_ioctl_flash_t *req, uint32_t data_len)
{
    return tval_ioctl(ioc, code, req, 0, 0, (uint32_t)sizeof(*req) + data_len);
}

int write_file(const char *file, const uint8_t *data, size_t len)
{
    FILE *fp = fopen(file, "wb");
    if (!fp)
        return TVA_STATUS_EFOPEN;
    size_t n = len ? fwrite(data, 1, len, fp) : 0;
    int closed = fclose(fp);
    return n == len && closed == 0 ? TVA_STATUS_OK : TVA_STATUS_FAILED;
}

} // namespace

int tval_flash_get_attr(tval_t *ioc, tva_flash_attr_t *attr)
{
    tva_ioctl_flash_attr_t req;
    memset(&req, 0, sizeof(req));
    req.tvad_num = (uint16_t)ioc->instance;
    int rc = tval_ioctl(ioc, TVA_IOCTL_FLASH_GET_ATTR, &req, 0, 0, sizeof(req));
    if (rc != TVA_STATUS_OK)
        return rc;
    memcpy(attr, &req.attr, sizeof(*attr));
    return (int)req.status;
}

int tval_file_read(const char *file, uint32_t *size, uint8_t **buf)
{
    struct stat st;
    *buf = nullptr;
    *size = 0;
    if (stat(file, &st) != 0)
        return TVA_STATUS_EFOPEN;
    if ((uint64_t)st.st_size > UINT32_MAX - sizeof(tva_ioctl_flash_t))
        return TVA_STATUS_FLASH_BAD_LEN;
    size_t len = (size_t)st.st_size;
    uint8_t *data = static_cast<uint8_t *>(malloc(len ? len : 1));
    if (!data)
        return TVA_STATUS_ENOMEM;
    FILE *fp = fopen(file, "rb");
    if (!fp) {
        free(data);
        return TVA_STATUS_EFOPEN;
    }
    size_t n = len ? fread(data, 1, len, fp) : 0;
    fclose(fp);
    if (n == 0) {
        free(data);
        return TVA_STATUS_FAILED;
    }
    *buf = data;
    *size = (uint32_t)n;
    return TVA_STATUS_OK;
}

int tval_flash_read_part(tval_t *ioc, int type, uint8_t instance, void *buf, uint32_t size,
                         int to_file)
{
    tva_ioctl_flash_t *req = flash_request_alloc(ioc, type, instance, size);
    if (!req)
        return TVA_STATUS_ENOMEM;
    int rc = flash_send(ioc, TVA_IOCTL_FLASH_READ_PART, req, size);
    if (rc != TVA_STATUS_OK) {
        free(req);
        return rc;
    }
    /* The driver reports how much it returned; never trust it past what
     * was allocated. */
    uint32_t got = req->bufsz < size ? req->bufsz : size;
    if (to_file) {
        rc = write_file(static_cast<const char *>(buf), flash_request_data(req), got);
    } else {
        memcpy(buf, flash_request_data(req), size);
    }
    if (rc == TVA_STATUS_OK)
        rc = (int)req->status;
    free(req);
    return rc;
}

int tval_flash_update_part(tval_t *ioc, int type, uint8_t instance, const void *buf, int from_file,
                           uint32_t size)
{
    uint8_t *file_data = nullptr;
    const uint8_t *data = static_cast<const uint8_t *>(buf);
    int rc;

    if (from_file) {
        rc = tval_file_read(static_cast<const char *>(buf), &size, &file_data);
        if (rc != TVA_STATUS_OK)
            return rc;
        data = file_data;
    }

    tva_ioctl_flash_t *req = flash_request_alloc(ioc, type, instance, size);
    if (!req) {
        free(file_data);
        return TVA_STATUS_ENOMEM;
    }
    if (size)
        memcpy(flash_request_data(req), data, size);
    rc = flash_send(ioc, TVA_IOCTL_FLASH_UPDATE_PART, req, size);
    if (rc == TVA_STATUS_OK)
        rc = (int)req->status;
    free(req);

    if (rc == TVA_STATUS_OK) {
        bool check = true;
        if (type == TVA_FLASH_PART_ASIC) {
            tva_ioc_attr_t attr;
            rc = tval_ioc_get_attr(ioc, &attr);
            if (rc == TVA_STATUS_OK && attr.pci_attr.device_id == TVAL_PCI_DEVID_ORRIM)
                check = false;
        }
        if (rc == TVA_STATUS_OK && check) {
            uint8_t *back = static_cast<uint8_t *>(malloc(size ? size : 1));
            if (!back) {
                rc = TVA_STATUS_ENOMEM;
            } else {
                rc = tval_flash_read_part(ioc, type, instance, back, size, 0);
                if (rc == TVA_STATUS_OK && size && memcmp(back, data, size) != 0)
                    rc = TVA_STATUS_FAILED;
                free(back);
            }
        }
    }
    free(file_data);
    return rc;
}

int tval_flash_erase_part(tval_t *ioc, int type, uint8_t instance)
{
    tva_ioctl_flash_t req;
    memset(&req, 0, sizeof(req));
    req.tvad_num = (uint16_t)ioc->instance;
    req.instance = instance;
    req.type = (uint32_t)type;
    int rc = tval_ioctl(ioc, TVA_IOCTL_FLASH_ERASE_PART, &req, 0, 0, sizeof(req));
    return rc != TVA_STATUS_OK ? rc : (int)req.status;
}

static int flash_optrom_request(tval_t *ioc, uint32_t code)
{
    tva_ioctl_gen_t req;
    memset(&req, 0, sizeof(req));
    req.tvad_num = (uint16_t)ioc->instance;
    int rc = tval_ioctl(ioc, code, &req, 0, 0, sizeof(req));
    return rc != TVA_STATUS_OK ? rc : (int)req.status;
}

int tval_flash_enable_optrom(tval_t *ioc)
{
    return flash_optrom_request(ioc, TVA_IOCTL_FLASH_ENABLE_OPTROM);
}

int tval_flash_disable_optrom(tval_t *ioc)
{
    return flash_optrom_request(ioc, TVA_IOCTL_FLASH_DISABLE_OPTROM);
}

int tval_flash_clr_cfg(tval_t *ioc)
{
    tva_flash_attr_t attr;
    int rc = tval_flash_get_attr(ioc, &attr);
    if (rc != TVA_STATUS_OK)
        return rc;
    uint32_t n = attr.npart < TVA_FLASH_PART_MAX ? attr.npart : TVA_FLASH_PART_MAX;
    for (uint32_t i = 0; i < n; i++) {
        switch (attr.part[i].part_type) {
        case TVA_FLASH_PART_OPTROM:
        case TVA_FLASH_PART_ASIC:
        case TVA_FLASH_PART_MFG:
        case TVA_FLASH_PART_FWIMG:
        case TVA_FLASH_PART_VPD:
        case TVA_FLASH_PART_BOOTOVL:
        case TVA_FLASH_PART_LOG:
        case TVA_FLASH_PART_OPTROM2:
        case TVA_FLASH_PART_PXEOVL:
        case TVA_FLASH_PART_PORTCFG:
        case TVA_FLASH_PART_ASICBK:
            continue;
        default:
            break;
        }
        rc = tval_flash_erase_part(ioc, (int)attr.part[i].part_type, (uint8_t)ioc->port_num);
        if (rc != TVA_STATUS_OK)
            return rc;
    }
    return TVA_STATUS_OK;
}

int tval_flash_read_adapter_capability(tval_t *ioc, uint32_t *mask)
{
    uint8_t mfg[TVAL_FLASH_MFG_BLOCK_SIZE];
    int rc = tval_flash_read_part(ioc, TVA_FLASH_PART_MFG, 0, mfg, sizeof(mfg), 0);
    if (rc != TVA_STATUS_OK)
        return rc;
    /* cap_hba, cap_cna, cap_nic, cap_fc16g, cap_sriov, cap_mezz */
    static const struct {
        int offset;
        uint32_t bit;
    } caps[] = {{134, TVAL_CAP_HBA}, {133, TVAL_CAP_CNA},   {132, TVAL_CAP_NIC},
                {135, TVAL_CAP_FC16G}, {136, TVAL_CAP_SRIOV}, {137, TVAL_CAP_MEZZ}};
    uint32_t m = 0;
    for (const auto &c : caps) {
        uint8_t v = mfg[c.offset];
        if (v == 'y')
            m |= c.bit;
        else if (v != 'n' && v != '\0')
            return TVA_STATUS_BADFLASH;
    }
    if (m == 0)
        return TVA_STATUS_BADFLASH;
    *mask = m;
    return TVA_STATUS_OK;
}
