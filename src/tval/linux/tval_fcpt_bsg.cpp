/* FC ELS and common-transport pass-through over the FC transport's bsg
 * ELS / CT requests. */
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <linux/bsg.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "tval_linux.h"
#include "tval_transport.h"

namespace {

/* Bytes of the common-transport preamble at the start of a CT request. */
const uint32_t ct_preamble_len = 12;

/* The record the driver reads beside the request block is announced by a
 * 32-bit address, so it must live below 4 GiB. */
class low_record {
public:
    low_record()
    {
#ifdef MAP_32BIT
        void *p = ::mmap(nullptr, sizeof(tva_bsg_fcpt_t), PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
        if (p != MAP_FAILED)
            rec_ = static_cast<tva_bsg_fcpt_t *>(p);
#else
        rec_ = static_cast<tva_bsg_fcpt_t *>(std::calloc(1, sizeof(tva_bsg_fcpt_t)));
        malloced_ = true;
#endif
        if (rec_ && reinterpret_cast<uintptr_t>(rec_) > UINT32_MAX)
            release();
    }
    ~low_record() { release(); }
    low_record(const low_record &) = delete;
    low_record &operator=(const low_record &) = delete;
    tva_bsg_fcpt_t *get() const { return rec_; }

private:
    void release()
    {
        if (rec_) {
            if (malloced_)
                std::free(rec_);
            else
                ::munmap(rec_, sizeof(tva_bsg_fcpt_t));
        }
        rec_ = nullptr;
    }
    tva_bsg_fcpt_t *rec_ = nullptr;
    bool malloced_ = false;
};

void *user_ptr(uint64_t addr)
{
    return reinterpret_cast<void *>(static_cast<uintptr_t>(addr));
}

/* Opens the node the exchange goes through: the remote port's bsg node when
 * there is a destination port, else the function's own. */
int open_passthru_node(tval_t *ioc, const tva_ioctl_fcpt_t *pt, tval_fd &fd)
{
    if (pt->dpwwn == 0)
        return tval_open_devpath(ioc, fd);
    uint32_t host = 0, bus = 0, target = 0;
    int rc = tval_rport_get_scsi_address(ioc, pt->vf_id, pt->lpwwn, pt->dpwwn, &host, &bus, &target);
    if (rc != TVA_STATUS_OK)
        return rc;
    char path[64];
    tval_snprintf(path, sizeof(path), "/dev/bsg/rport-%u:%u-%u", host, bus, target);
    if (::access(path, F_OK) != 0)
        tval_snprintf(path, sizeof(path), "/dev/rport-%u:%u-%u", host, bus, target);
    fd.reset(tval_open_node(path));
    if (!fd.ok()) {
        std::printf("Opening file %s failed\n", path);
        return TVA_STATUS_FAILED;
    }
    return TVA_STATUS_OK;
}

} // namespace

int tval_fcpt_bsg_ioctl(tval_t *ioc, tva_ioctl_fcpt_t *pt)
{
    const uint8_t type = pt->fchs[8];
    const bool to_rport = pt->dpwwn != 0;
    void *req = user_ptr(pt->reqbuf_ptr);
    if (type != TVA_FC_TYPE_ELS && type != TVA_FC_TYPE_CT)
        return TVA_STATUS_FAILED;
    if ((pt->reqsz && !req) || (pt->rspsz && !pt->rspbuf_ptr))
        return TVA_STATUS_EINVAL;
    if (type == TVA_FC_TYPE_CT && pt->reqsz < ct_preamble_len)
        return TVA_STATUS_FAILED;

    tva_bsg_request_block_t block;
    std::memset(&block, 0, sizeof(block));
    if (type == TVA_FC_TYPE_ELS) {
        block.req.msgcode = to_rport ? TVA_FC_BSG_RPT_ELS : TVA_FC_BSG_HST_ELS_NOLOGIN;
        if (!to_rport)
            std::memcpy(block.req.rqst_data.h_els.port_id, &pt->fchs[1], 3);
    } else if (to_rport) {
        block.req.msgcode = TVA_FC_BSG_RPT_CT;
        std::memcpy(&block.req.rqst_data.r_ct.preamble_word0, req, ct_preamble_len);
    } else {
        block.req.msgcode = TVA_FC_BSG_HST_CT;
        std::memcpy(block.req.rqst_data.h_ct.port_id, &pt->fchs[1], 3);
        std::memcpy(&block.req.rqst_data.h_ct.preamble_word0, req, ct_preamble_len);
    }

    tval_fd fd;
    int rc = open_passthru_node(ioc, pt, fd);
    if (rc != TVA_STATUS_OK)
        return rc;

    low_record holder;
    tva_bsg_fcpt_t *rec = holder.get();
    if (!rec)
        return TVA_STATUS_ENOMEM;
    std::memset(rec, 0, sizeof(*rec));
    rec->vf_id = pt->vf_id;
    rec->lpwwn = pt->lpwwn;
    rec->dpwwn = pt->dpwwn;
    rec->tsecs = pt->tsecs;
    rec->cts = pt->cts;
    rec->cos = pt->cos;
    std::memcpy(rec->fchs, pt->fchs, sizeof(rec->fchs));
    block.data.payload_len = sizeof(tva_bsg_fcpt_t);
    block.data.payload = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(rec));

    sg_io_v4 hdr;
    tval_bsg_header(&hdr, &block, pt->reqbuf_ptr, pt->reqsz, pt->rspbuf_ptr, pt->rspsz);

    if (::ioctl(fd.get(), SG_IO, &hdr) < 0)
        return tval_get_status(errno);
    pt->status = rec->status;
    if (hdr.din_resid > 0)
        pt->rspsz -= static_cast<uint32_t>(hdr.din_resid) < pt->rspsz ? static_cast<uint32_t>(hdr.din_resid)
                                                                      : pt->rspsz;
    return TVA_STATUS_OK;
}

int tval_fcpt(tval_t *ioc, uint16_t vf_id, wwn_t lpwwn, wwn_t rpwwn, uint32_t tsecs, uint32_t cts,
              uint32_t cos, const uint8_t fchs[24], void *req_buf, uint32_t req_len, void *rsp_buf,
              uint32_t *rsp_len)
{
    if (!ioc || !fchs || !rsp_len || (*rsp_len && !rsp_buf) || (req_len && !req_buf))
        return TVA_STATUS_FAILED;
    const uint32_t room = *rsp_len;
    const size_t total = sizeof(tva_ioctl_fcpt_t) + room;
    auto *buf = static_cast<uint8_t *>(std::calloc(1, total));
    if (!buf)
        return TVA_STATUS_ENOMEM;
    auto *pt = reinterpret_cast<tva_ioctl_fcpt_t *>(buf);
    uint8_t *rsp_area = buf + sizeof(tva_ioctl_fcpt_t);
    pt->tvad_num = static_cast<uint16_t>(ioc->instance);
    pt->vf_id = vf_id;
    pt->lpwwn = lpwwn;
    pt->dpwwn = rpwwn;
    pt->nport_nexus_needed = rpwwn != 0;
    pt->tsecs = tsecs;
    pt->cts = cts;
    pt->cos = cos;
    std::memcpy(pt->fchs, fchs, TVA_FCHS_SIZE);
    pt->reqsz = req_len;
    pt->rspsz = room;
    pt->reqbuf_ptr = reinterpret_cast<uintptr_t>(req_buf);
    pt->rspbuf_ptr = room ? reinterpret_cast<uintptr_t>(rsp_area) : 0;

    int rc = tval_ioctl(ioc, TVA_IOCTL_FCPT, buf, 0, 0, static_cast<uint32_t>(sizeof(tva_ioctl_fcpt_t)));
    if (rc == TVA_STATUS_OK) {
        uint32_t n = pt->rspsz < room ? pt->rspsz : room;
        if (n)
            std::memcpy(rsp_buf, rsp_area, n);
        *rsp_len = n;
        rc = static_cast<int>(pt->status);
    }
    std::free(buf);
    return rc;
}
