/* Private to the Linux transport: the paths a request can take besides the
 * bsg vendor request, and small helpers they share. */
#ifndef TVAL_LINUX_H
#define TVAL_LINUX_H

#include <cstddef>
#include <cstdint>

#include <linux/bsg.h>
#include <unistd.h>

#include "tva_ioctl.h"
#include "tval.h"

/* A descriptor closed when it goes out of scope, on every path. */
class tval_fd {
public:
    explicit tval_fd(int fd = -1) : fd_(fd) {}
    ~tval_fd() { reset(); }
    tval_fd(const tval_fd &) = delete;
    tval_fd &operator=(const tval_fd &) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

/* Opens a request node read-write and non-blocking. */
int tval_open_node(const char *path);
/* Opens the function's own node into fd: 0, or 133 (also the last error). */
int tval_open_devpath(const tval_t *ioc, tval_fd &fd);

/* A bsg header (sg_io_v4) carrying the 28-byte request block, with flat
 * data-out and data-in buffers and the bsg timeout. */
void tval_bsg_header(sg_io_v4 *hdr, tva_bsg_request_block_t *block, uint64_t dout, uint32_t dout_len,
                     uint64_t din, uint32_t din_len);

/* Bounded formatted copy: never writes past n bytes, always terminates.
 * Returns false when the text did not fit. */
bool tval_snprintf(char *dst, size_t n, const char *fmt, ...) __attribute__((format(printf, 3, 4)));

/* "%02x" of the eight WWN bytes in transmission order; out holds 17 bytes. */
void tval_wwn_to_hex(wwn_t wwn, char out[17]);

/* Paths a storage request takes instead of the bsg vendor request. */
int tval_bsg_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t size);
int tval_fcpt_bsg_ioctl(tval_t *ioc, tva_ioctl_fcpt_t *pt);
int tval_scsi_passthru_ioctl(tval_t *ioc, tva_ioctl_scsi_t *pt);
int tval_debugfs_ioctl(tval_t *ioc, uint32_t code, void *buf);
int tval_sysfs_vport_ioctl(tval_t *ioc, uint32_t code, void *buf);
int tval_ethtool_ioctl(tval_t *ioc, uint32_t code, void *buf);

/* Sysfs class directory of SCSI devices. */
#define TVAL_SCSI_DEVICE_DIR "/sys/class/scsi_device"

#endif
