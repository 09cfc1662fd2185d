/* SCSI commands to a remote LUN through its SCSI generic node. */
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <scsi/sg.h>
#include <sys/ioctl.h>

#include "tval_linux.h"
#include "tval_transport.h"

namespace {

const uint8_t op_report_luns = 0xa0;
const uint8_t scsi_status_good = 0;

/* Operation codes that only send data to the device. */
bool is_data_out(uint8_t opcode)
{
    switch (opcode) {
    case 0x0a: /* WRITE(6) */
    case 0x10: /* WRITE FILEMARKS */
    case 0x2a: /* WRITE(10) */
    case 0x8a: /* WRITE(16) */
    case 0xaa: /* WRITE(12) */
        return true;
    default:
        return false;
    }
}

uint32_t get_be32(const uint8_t *p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

void put_be32(uint8_t *p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

bool lun_is_masked_in(const tva_lunmask_cfg_t &cfg, wwn_t lpwwn, wwn_t rpwwn, const uint8_t *lun)
{
    static const uint8_t lun0[8] = {};
    if (std::memcmp(lun, lun0, 8) == 0)
        return true;
    for (const tva_lun_mask_t &e : cfg.lun_list) {
        if (e.state == TVA_LUNMASK_ENTRY_ACTIVE && e.lp_wwn == lpwwn && e.rp_wwn == rpwwn &&
            std::memcmp(e.lun, lun, 8) == 0)
            return true;
    }
    return false;
}

/* With LUN masking enabled, the host sees LUN 0 and the masked-in LUNs of
 * this port pair only. */
void filter_report_luns(tval_t *ioc, const tva_ioctl_scsi_t *pt, uint8_t *data)
{
    if (pt->iosz < 8)
        return;
    tva_ioctl_fcpim_lunmask_query_t q;
    if (tval_fcpim_lunmask_query(ioc, &q) != TVA_STATUS_OK ||
        q.lun_mask.status != TVA_LUNMASK_ENABLED)
        return;
    const uint32_t len = get_be32(data);
    if (uint64_t(len) + 8 > pt->iosz)
        return;
    uint32_t kept = 0;
    for (uint32_t i = 0; i < len / 8; i++) {
        const uint8_t *lun = data + 8 + 8 * size_t(i);
        if (lun_is_masked_in(q.lun_mask, pt->lpwwn, pt->rpwwn, lun)) {
            std::memmove(data + 8 + 8 * size_t(kept), lun, 8);
            kept++;
        }
    }
    put_be32(data, kept * 8);
    std::memset(data + 8 + 8 * size_t(kept), 0, pt->iosz - 8 - 8 * size_t(kept));
}

} // namespace

int tval_scsi_passthru_ioctl(tval_t *ioc, tva_ioctl_scsi_t *pt)
{
    tva_itnim_attr_t itn;
    int rc = tval_itnim_get_attr(ioc, pt->vf_id, pt->lpwwn, pt->rpwwn, &itn);
    if (rc != TVA_STATUS_OK)
        return rc;
    if (itn.state != TVA_ITNIM_ONLINE) {
        pt->status = TVA_STATUS_NO_FCPIM_NEXUS;
        return TVA_STATUS_OK;
    }
    uint32_t host = 0, bus = 0, target = 0;
    rc = tval_rport_get_scsi_address(ioc, pt->vf_id, pt->lpwwn, pt->rpwwn, &host, &bus, &target);
    if (rc != TVA_STATUS_OK)
        return rc;
    const int lun = (pt->lun[0] << 8) | pt->lun[1];

    char path[TVAL_DEVPATH_LEN] = "";
    tval_fd fd;
    if (tval_get_rport_lun_sg(int(host), int(bus), int(target), lun, path, sizeof(path)) == TVA_STATUS_OK)
        fd.reset(tval_open_node(path));
    if (!fd.ok()) {
        std::printf("Opening file %s failed\n", path);
        return TVA_STATUS_FAILED;
    }

    uint8_t *data = reinterpret_cast<uint8_t *>(static_cast<uintptr_t>(pt->iobuf_ptr));
    if (pt->iosz && !data)
        return TVA_STATUS_EINVAL;
    sg_io_hdr_t hdr;
    std::memset(&hdr, 0, sizeof(hdr));
    hdr.interface_id = 'S';
    hdr.dxfer_direction = is_data_out(pt->cdb[0]) ? SG_DXFER_TO_DEV : SG_DXFER_TO_FROM_DEV;
    hdr.cmd_len = sizeof(pt->cdb);
    hdr.cmdp = pt->cdb;
    hdr.dxfer_len = pt->iosz;
    hdr.dxferp = data;
    hdr.mx_sb_len = static_cast<unsigned char>(pt->snssz & 0xff);
    hdr.sbp = hdr.mx_sb_len ? reinterpret_cast<unsigned char *>(static_cast<uintptr_t>(pt->snsbuf_ptr)) : nullptr;
    hdr.timeout = TVAL_SCSI_TIMEOUT_MS;
    if (hdr.mx_sb_len && !hdr.sbp)
        return TVA_STATUS_EINVAL;

    if (::ioctl(fd.get(), SG_IO, &hdr) < 0)
        return tval_get_status(errno);
    fd.reset();
    pt->status = (hdr.host_status == 0 && hdr.driver_status == 0) ? TVA_STATUS_OK : TVA_STATUS_FAILED;
    pt->scsi_status = hdr.status;
    pt->snssz = hdr.sb_len_wr;
    if (pt->cdb[0] == op_report_luns && pt->status == TVA_STATUS_OK && hdr.status == scsi_status_good)
        filter_report_luns(ioc, pt, data);
    return TVA_STATUS_OK;
}

int tval_scsi_cmnd(tval_t *ioc, uint16_t vf_id, wwn_t lpwwn, wwn_t rpwwn, const uint8_t lun[8],
                   const uint8_t cdb[16], int write, void *buf, uint32_t bufsz, uint8_t *scsi_status,
                   void *sns_buf, uint32_t *sns_len)
{
    if (!ioc || !lun || !cdb || (bufsz && !buf))
        return TVA_STATUS_FAILED;
    tva_ioctl_scsi_t pt;
    std::memset(&pt, 0, sizeof(pt));
    pt.tvad_num = static_cast<uint16_t>(ioc->instance);
    pt.vf_id = vf_id;
    pt.lpwwn = lpwwn;
    pt.rpwwn = rpwwn;
    std::memcpy(pt.lun, lun, sizeof(pt.lun));
    std::memcpy(pt.cdb, cdb, sizeof(pt.cdb));
    pt.write = write ? 1 : 0;
    pt.iosz = bufsz;
    pt.iobuf_ptr = reinterpret_cast<uintptr_t>(buf);
    pt.snssz = (sns_buf && sns_len) ? *sns_len : 0;
    pt.snsbuf_ptr = reinterpret_cast<uintptr_t>(sns_buf);

    int rc = tval_ioctl(ioc, TVA_IOCTL_SCSI_CMND, &pt, 0, 0, sizeof(pt));
    if (rc != TVA_STATUS_OK)
        return rc;
    if (scsi_status)
        *scsi_status = pt.scsi_status;
    if (sns_len)
        *sns_len = pt.snssz;
    return static_cast<int>(pt.status);
}
