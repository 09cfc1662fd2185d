/* Request routing, the bsg vendor request, the Ethernet control node and the
 * errno mapping. */
#include "tval_transport.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <linux/bsg.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>

#include "tval_linux.h"

static_assert(sizeof(sg_io_v4) == 160, "sg_io_v4 header");

int tval_open_node(const char *path)
{
    return ::open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

int tval_open_devpath(const tval_t *ioc, tval_fd &fd)
{
    fd.reset(tval_open_node(ioc->devpath));
    if (fd.ok())
        return TVA_STATUS_OK;
    tval_set_last_error(TVA_STATUS_NO_DRIVER);
    return TVA_STATUS_NO_DRIVER;
}

void tval_bsg_header(sg_io_v4 *hdr, tva_bsg_request_block_t *block, uint64_t dout, uint32_t dout_len,
                     uint64_t din, uint32_t din_len)
{
    std::memset(hdr, 0, sizeof(*hdr));
    hdr->guard = 'Q';
    hdr->protocol = BSG_PROTOCOL_SCSI;
    hdr->subprotocol = BSG_SUB_PROTOCOL_SCSI_TRANSPORT;
    hdr->request_len = sizeof(*block);
    hdr->request = reinterpret_cast<uintptr_t>(block);
    hdr->timeout = TVAL_BSG_TIMEOUT_MS;
    hdr->dout_xfer_len = dout_len;
    hdr->dout_xferp = dout;
    hdr->din_xfer_len = din_len;
    hdr->din_xferp = din;
}

bool tval_snprintf(char *dst, size_t n, const char *fmt, ...)
{
    if (n == 0)
        return false;
    va_list ap;
    va_start(ap, fmt);
    int r = std::vsnprintf(dst, n, fmt, ap);
    va_end(ap);
    return r >= 0 && static_cast<size_t>(r) < n;
}

void tval_wwn_to_hex(wwn_t wwn, char out[17])
{
    static const char hex[] = "0123456789abcdef";
    for (int i = 0; i < 8; i++) {
        uint8_t b = tval_wwn_byte(wwn, i);
        out[2 * i] = hex[b >> 4];
        out[2 * i + 1] = hex[b & 0xf];
    }
    out[16] = '\0';
}

int tval_get_status(int err)
{
    switch (err) {
    case ENOMEM:
        return TVA_STATUS_ENOMEM;
    case EIO:
        return TVA_STATUS_EIO;
    case EINTR:
        return TVA_STATUS_EINTR;
    case ENXIO:
        return TVA_STATUS_ENXIO;
    case EBADF:
        return TVA_STATUS_EBADF;
    case EINVAL:
        return TVA_STATUS_EINVAL;
    case ENODEV:
        return TVA_STATUS_NODEV;
    case ENOTTY:
        return TVA_STATUS_ENOTTY;
    case EOPNOTSUPP:
        return TVA_STATUS_CMD_NOTSUPP;
    default:
        return TVA_STATUS_FAILED;
    }
}

int tval_bsg_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t size)
{
    if (code == TVA_IOCTL_FCPT)
        return tval_fcpt_bsg_ioctl(ioc, static_cast<tva_ioctl_fcpt_t *>(buf));

    tva_bsg_request_block_t block;
    std::memset(&block, 0, sizeof(block));
    block.req.msgcode = TVA_FC_BSG_HST_VENDOR;
    block.req.rqst_data.h_vendor.vendor_id = TVAL_PCI_VENDOR_ID;
    block.req.rqst_data.h_vendor.vendor_cmd[0] = code;

    /* The driver reads the payload and answers into the same buffer. */
    sg_io_v4 hdr;
    const uint64_t addr = reinterpret_cast<uintptr_t>(buf);
    tval_bsg_header(&hdr, &block, addr, size, addr, size);

    tval_fd fd;
    if (int rc = tval_open_devpath(ioc, fd))
        return rc;
    if (::ioctl(fd.get(), SG_IO, &hdr) < 0)
        return tval_get_status(errno);
    return TVA_STATUS_OK;
}

int tval_os_fc_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t, uint32_t, uint32_t size)
{
    if (size == 0)
        size = TVA_IOCTL_BUF_SIZE;
    switch (code) {
    case TVA_IOCTL_SCSI_CMND:
        return tval_scsi_passthru_ioctl(ioc, static_cast<tva_ioctl_scsi_t *>(buf));
    case TVA_IOCTL_DEBUG_DRV_TRACE:
    case TVA_IOCTL_DEBUG_FW_TRACE:
    case TVA_IOCTL_DEBUG_FW_STATE:
    case TVA_IOCTL_DIAG_REGREAD:
    case TVA_IOCTL_DIAG_REGWRITE:
        return tval_debugfs_ioctl(ioc, code, buf);
    case TVA_IOCTL_VPORT_CREATE:
    case TVA_IOCTL_VPORT_DELETE:
        return tval_sysfs_vport_ioctl(ioc, code, buf);
    default:
        return tval_bsg_ioctl(ioc, code, buf, size);
    }
}

int tval_os_eth_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t, uint32_t, uint32_t)
{
    switch (code) {
    case TVA_IOCTL_DEBUG_FW_TRACE:
    case TVA_IOCTL_DEBUG_FW_STATE:
    case TVA_IOCTL_DIAG_REGREAD:
    case TVA_IOCTL_DIAG_REGWRITE:
        return tval_debugfs_ioctl(ioc, code, buf);
    case TVA_IOCTL_FLASH_UPDATE_PART:
    case TVA_IOCTL_FLASH_READ_PART:
        return tval_ethtool_ioctl(ioc, code, buf);
    default:
        if (::ioctl(ioc->fd, tva_ioc_code_to_eth(code), buf) < 0)
            return tval_get_status(errno);
        return TVA_STATUS_OK;
    }
}

int tval_os_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t inlen, uint32_t outlen, uint32_t size)
{
    switch (ioc->ioc_type) {
    case TVA_IOC_TYPE_FC:
    case TVA_IOC_TYPE_FCoE:
        return tval_os_fc_ioctl(ioc, code, buf, inlen, outlen, size);
    case TVA_IOC_TYPE_LL:
        return tval_os_eth_ioctl(ioc, code, buf, inlen, outlen, size);
    }
    return TVA_STATUS_EINVAL;
}

int tval_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t inlen, uint32_t outlen, uint32_t size)
{
    if (!ioc || !buf)
        return TVA_STATUS_EINVAL;
    return tval_os_ioctl(ioc, code, buf, inlen, outlen, size);
}

int tval_ioctl_nomask(tval_t *ioc, uint32_t code, void *buf, uint32_t len)
{
    if (!buf || len > TVA_IOCTL_BUF_SIZE)
        return TVA_STATUS_EINVAL;
    tval_args_t args;
    std::memset(&args, 0, sizeof(args));
    std::memcpy(&args, buf, len);
    int rc = tval_ioctl(ioc, code, &args, 0, 0, len);
    if (rc == TVA_STATUS_OK)
        std::memcpy(buf, &args, len);
    return rc;
}

int tval_ioctl_ipfc(tval_t *ioc, uint32_t code, void *payload)
{
    if (!ioc || !payload)
        return TVA_STATUS_EINVAL;
    if (::ioctl(ioc->ipfc_fd, code, payload) < 0)
        return tval_get_status(errno);
    return TVA_STATUS_OK;
}

int tval_ioctl_send(tval_t *ioc, uint32_t code, void *payload, uint32_t size)
{
    if (!ioc || !payload)
        return TVA_STATUS_FAILED;
    auto *hdr = static_cast<tva_ioctl_gen_t *>(payload);
    hdr->tvad_num = static_cast<uint16_t>(ioc->instance);
    int rc = tval_ioctl(ioc, code, payload, 0, 0, size);
    if (rc != TVA_STATUS_OK)
        return rc;
    return static_cast<int>(hdr->status);
}
