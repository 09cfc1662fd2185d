/* Virtual port create and delete, carried out through the FC transport's
 * sysfs files of the function's SCSI host. */
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "tval_linux.h"
#include "tval_transport.h"

namespace {

const char *const fc_host_dir = "/sys/class/fc_host";
const char *const fc_vports_dir = "/sys/class/fc_vports";

/* Reads a decimal number from a sysfs file: 0, or the payload status. */
int read_number(const char *path, unsigned long *out)
{
    tval_fd fd(::open(path, O_RDONLY | O_CLOEXEC));
    if (!fd.ok())
        return TVA_STATUS_EFOPEN;
    char text[32];
    ssize_t n = ::read(fd.get(), text, sizeof(text) - 1);
    if (n <= 0)
        return TVA_STATUS_FAILED;
    text[n] = '\0';
    char *end = nullptr;
    errno = 0;
    *out = std::strtoul(text, &end, 10);
    if (errno || end == text)
        return TVA_STATUS_FAILED;
    return TVA_STATUS_OK;
}

/* Writes the whole text (not a format) to a sysfs file. */
int write_file(const char *path, const char *text, size_t len)
{
    tval_fd fd(::open(path, O_WRONLY | O_CLOEXEC));
    if (!fd.ok())
        return TVA_STATUS_EFOPEN;
    ssize_t w = ::write(fd.get(), text, len);
    return (w >= 0 && static_cast<size_t>(w) == len) ? TVA_STATUS_OK : TVA_STATUS_FAILED;
}

/* "<port WWN>:<node WWN>", 16 lower-case hex digits each; a node WWN of 0
 * stands for the function's own. */
void vport_text(const tval_t *ioc, wwn_t pwwn, wwn_t nwwn, char out[34])
{
    tval_wwn_to_hex(pwwn, out);
    out[16] = ':';
    tval_wwn_to_hex(nwwn ? nwwn : ioc->nwwn, out + 17);
}

/* Finds the new virtual port of host hn by its port WWN and writes its
 * symbolic name. */
int set_symbolic_name(uint32_t hn, wwn_t pwwn, const char *name, size_t len)
{
    char want[19] = "0x";
    tval_wwn_to_hex(pwwn, want + 2);
    char prefix[32];
    tval_snprintf(prefix, sizeof(prefix), "vport-%u:0-", hn);

    DIR *d = ::opendir(fc_vports_dir);
    if (!d)
        return TVA_STATUS_FAILED;
    int rc = TVA_STATUS_FAILED;
    while (struct dirent *e = ::readdir(d)) {
        if (std::strncmp(e->d_name, prefix, std::strlen(prefix)) != 0)
            continue;
        char path[512];
        if (!tval_snprintf(path, sizeof(path), "%s/%s/port_name", fc_vports_dir, e->d_name))
            continue;
        tval_fd fd(::open(path, O_RDONLY | O_CLOEXEC));
        char text[19] = {};
        if (!fd.ok() || ::read(fd.get(), text, 18) != 18 || std::memcmp(text, want, 18) != 0)
            continue;
        if (tval_snprintf(path, sizeof(path), "%s/%s/symbolic_name", fc_vports_dir, e->d_name))
            rc = write_file(path, name, len);
        break;
    }
    ::closedir(d);
    return rc;
}

int vport_create(tval_t *ioc, tva_ioctl_vport_create_t *req)
{
    char path[256];
    unsigned long inuse = 0, max = 0;
    tval_snprintf(path, sizeof(path), "%s/host%u/npiv_vports_inuse", fc_host_dir, ioc->host);
    int rc = read_number(path, &inuse);
    if (rc)
        return rc;
    tval_snprintf(path, sizeof(path), "%s/host%u/max_npiv_vports", fc_host_dir, ioc->host);
    if ((rc = read_number(path, &max)))
        return rc;
    if (inuse >= max)
        return TVA_STATUS_VPORT_MAX;

    char text[34];
    vport_text(ioc, req->port_cfg.pwwn, req->port_cfg.nwwn, text);
    tval_snprintf(path, sizeof(path), "%s/host%u/vport_create", fc_host_dir, ioc->host);
    if ((rc = write_file(path, text, std::strlen(text))))
        return rc;

    size_t len = strnlen(req->port_cfg.sym_name, sizeof(req->port_cfg.sym_name));
    if (len == 0)
        return TVA_STATUS_OK;
    return set_symbolic_name(ioc->host, req->port_cfg.pwwn, req->port_cfg.sym_name, len);
}

int vport_delete(tval_t *ioc, tva_ioctl_vport_t *req)
{
    char path[256], text[34];
    vport_text(ioc, req->vpwwn, req->vnwwn, text);
    tval_snprintf(path, sizeof(path), "%s/host%u/vport_delete", fc_host_dir, ioc->host);
    return write_file(path, text, std::strlen(text));
}

} // namespace

int tval_sysfs_vport_ioctl(tval_t *ioc, uint32_t code, void *buf)
{
    auto *hdr = static_cast<tva_ioctl_gen_t *>(buf);
    switch (code) {
    case TVA_IOCTL_VPORT_CREATE:
        hdr->status = vport_create(ioc, static_cast<tva_ioctl_vport_create_t *>(buf));
        break;
    case TVA_IOCTL_VPORT_DELETE:
        hdr->status = vport_delete(ioc, static_cast<tva_ioctl_vport_t *>(buf));
        break;
    default:
        hdr->status = TVA_STATUS_CMD_NOTSUPP;
        break;
    }
    return TVA_STATUS_OK;
}
