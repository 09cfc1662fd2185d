/* Trace, saved-state and register requests, carried out through the
 * driver's files in the debug file system. */
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "tval_linux.h"
#include "tval_transport.h"

namespace {

const char *const debugfs_root = "/sys/kernel/debug";

/* Opens <root>/<tva|tvn>/pci_dev:<hwpath>/<file> read-write. */
int open_debug_file(const tval_t *ioc, const char *file)
{
    const char *drv = ioc->ioc_type == TVA_IOC_TYPE_LL ? "tvn" : "tva";
    char path[TVAL_DEVPATH_LEN + 64];
    if (!tval_snprintf(path, sizeof(path), "%s/%s/pci_dev:%s/%s", debugfs_root, drv,
                       ioc->ioc_hwpath, file))
        return -1;
    return ::open(path, O_RDWR | O_CLOEXEC);
}

/* Reads until n bytes or end of file; -1 on a read error. */
ssize_t read_full(int fd, void *buf, size_t n)
{
    size_t got = 0;
    while (got < n) {
        ssize_t r = ::read(fd, static_cast<char *>(buf) + got, n - got);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (r == 0)
            break;
        got += static_cast<size_t>(r);
    }
    return static_cast<ssize_t>(got);
}

bool write_text(int fd, const char *text)
{
    size_t n = std::strlen(text);
    ssize_t w = ::write(fd, text, n);
    return w >= 0 && static_cast<size_t>(w) == n;
}

void dump_file(tval_t *ioc, const char *file, tva_ioctl_debug_t *req)
{
    tval_fd fd(open_debug_file(ioc, file));
    if (!fd.ok()) {
        req->status = TVA_STATUS_EFOPEN;
        return;
    }
    /* Never past what the sender says it provides. */
    size_t limit = TVAL_DEBUG_BUF_SIZE;
    if (req->bufsz != 0 && req->bufsz < limit)
        limit = req->bufsz;
    void *buf = reinterpret_cast<void *>(static_cast<uintptr_t>(req->buf_ptr));
    req->status = (buf && read_full(fd.get(), buf, limit) >= 0) ? TVA_STATUS_OK : TVA_STATUS_FAILED;
}

void reg_read(tval_t *ioc, tva_ioctl_diag_regread_t *req)
{
    tval_fd fd(open_debug_file(ioc, "regrd"));
    if (!fd.ok()) {
        req->status = TVA_STATUS_EFOPEN;
        return;
    }
    char text[32];
    std::snprintf(text, sizeof(text), "%x:%x", req->off, req->nwords);
    void *buf = reinterpret_cast<void *>(static_cast<uintptr_t>(req->buf_ptr));
    size_t want = static_cast<size_t>(req->nwords) * 4;
    if (!write_text(fd.get(), text) || (want && !buf)) {
        req->status = TVA_STATUS_FAILED;
        return;
    }
    /* The answer starts at the beginning of the file, not after the query;
     * a file that cannot seek answers from where it is. */
    (void)::lseek(fd.get(), 0, SEEK_SET);
    /* A short answer would leave part of the caller's words unset. */
    ssize_t got = read_full(fd.get(), buf, want);
    req->status = (got >= 0 && static_cast<size_t>(got) == want) ? TVA_STATUS_OK : TVA_STATUS_FAILED;
}

void reg_write(tval_t *ioc, tva_ioctl_diag_regwrite_t *req)
{
    tval_fd fd(open_debug_file(ioc, "regwr"));
    if (!fd.ok()) {
        req->status = TVA_STATUS_EFOPEN;
        return;
    }
    char text[32];
    std::snprintf(text, sizeof(text), "%x:%x", req->off, req->word);
    req->status = write_text(fd.get(), text) ? TVA_STATUS_OK : TVA_STATUS_FAILED;
}

} // namespace

int tval_debugfs_ioctl(tval_t *ioc, uint32_t code, void *buf)
{
    switch (code) {
    case TVA_IOCTL_DEBUG_DRV_TRACE:
        dump_file(ioc, "drvtrc", static_cast<tva_ioctl_debug_t *>(buf));
        break;
    case TVA_IOCTL_DEBUG_FW_TRACE:
        dump_file(ioc, "fwtrc", static_cast<tva_ioctl_debug_t *>(buf));
        break;
    case TVA_IOCTL_DEBUG_FW_STATE:
        dump_file(ioc, "fwsave", static_cast<tva_ioctl_debug_t *>(buf));
        break;
    case TVA_IOCTL_DIAG_REGREAD:
        reg_read(ioc, static_cast<tva_ioctl_diag_regread_t *>(buf));
        break;
    case TVA_IOCTL_DIAG_REGWRITE:
        reg_write(ioc, static_cast<tva_ioctl_diag_regwrite_t *>(buf));
        break;
    default:
        static_cast<tva_ioctl_gen_t *>(buf)->status = TVA_STATUS_CMD_NOTSUPP;
        break;
    }
    return TVA_STATUS_OK;
}
