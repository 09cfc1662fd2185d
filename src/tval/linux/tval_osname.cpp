/* Device names of SCSI devices: the SCSI generic node and the block or tape
 * node of a LUN, found through sysfs. */
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <regex.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tval_linux.h"
#include "tval_transport.h"

namespace {

/* A directory stream closed on every path. */
class dir_stream {
public:
    explicit dir_stream(const char *path) : d_(::opendir(path)) {}
    ~dir_stream()
    {
        if (d_)
            ::closedir(d_);
    }
    dir_stream(const dir_stream &) = delete;
    dir_stream &operator=(const dir_stream &) = delete;
    bool ok() const { return d_ != nullptr; }
    const char *next()
    {
        struct dirent *e = ::readdir(d_);
        return e ? e->d_name : nullptr;
    }

private:
    DIR *d_;
};

bool is_dot(const char *name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

int dev_path(char *out, size_t len, const char *name)
{
    return tval_snprintf(out, len, "/dev/%s", name) ? TVA_STATUS_OK : TVA_STATUS_FAILED;
}

} // namespace

int tval_check_sg_node_presence(int host, int channel, int target, int lun, char *path, size_t path_len)
{
    if (!path || path_len == 0)
        return TVA_STATUS_FAILED;
    char dir[256];
    tval_snprintf(dir, sizeof(dir), TVAL_SCSI_DEVICE_DIR "/%d:%d:%d:%d/device/scsi_generic", host, channel,
                  target, lun);
    {
        dir_stream d(dir);
        while (d.ok()) {
            const char *name = d.next();
            if (!name)
                break;
            if (!is_dot(name) && std::strstr(name, "sg"))
                return dev_path(path, path_len, name);
        }
    }
    /* Older kernels: a "scsi_generic:sgN" link in the device directory. */
    tval_snprintf(dir, sizeof(dir), TVAL_SCSI_DEVICE_DIR "/%d:%d:%d:%d/device", host, channel, target, lun);
    dir_stream d(dir);
    while (d.ok()) {
        const char *name = d.next();
        if (!name)
            break;
        if (std::strstr(name, "scsi_generic:sg"))
            return dev_path(path, path_len, std::strchr(name, ':') + 1);
    }
    return TVA_STATUS_FAILED;
}

int tval_get_rport_lun_sg(int host, int channel, int target, int lun, char *path, size_t path_len)
{
    char dir[256];
    struct stat st;
    tval_snprintf(dir, sizeof(dir), TVAL_SCSI_DEVICE_DIR "/%d:%d:%d:%d", host, channel, target, lun);
    if (::stat(dir, &st) == 0 &&
        tval_check_sg_node_presence(host, channel, target, lun, path, path_len) == TVA_STATUS_OK)
        return TVA_STATUS_OK;

    /* Whole names only: H:C:T:L of this target. */
    char pattern[96];
    tval_snprintf(pattern, sizeof(pattern), "^%d:%d:%d:[0-9]{1,5}$", host, channel, target);
    regex_t re;
    if (::regcomp(&re, pattern, REG_EXTENDED | REG_NOSUB) != 0)
        return TVA_STATUS_FAILED;
    int rc = TVA_STATUS_FAILED;
    dir_stream d(TVAL_SCSI_DEVICE_DIR);
    while (d.ok() && rc != TVA_STATUS_OK) {
        const char *name = d.next();
        if (!name)
            break;
        if (::regexec(&re, name, 0, nullptr, 0) != 0)
            continue;
        int l = std::atoi(std::strrchr(name, ':') + 1);
        rc = tval_check_sg_node_presence(host, channel, target, l, path, path_len);
    }
    ::regfree(&re);
    return rc;
}

int tval_get_osname(int host, int channel, int target, int lun, char *name, size_t name_len, int *name_count)
{
    if (!name || name_len == 0)
        return TVA_STATUS_FAILED;
    char dir[256];
    tval_snprintf(dir, sizeof(dir), TVAL_SCSI_DEVICE_DIR "/%d:%d:%d:%d/device", host, channel, target, lun);
    char entry[256] = "";
    {
        dir_stream d(dir);
        while (d.ok()) {
            const char *n = d.next();
            if (!n)
                break;
            if (std::strncmp(n, "block", 5) == 0 || std::strncmp(n, "tape", 4) == 0) {
                tval_snprintf(entry, sizeof(entry), "%s", n);
                break;
            }
        }
    }
    if (!entry[0])
        return TVA_STATUS_FAILED;

    int rc = TVA_STATUS_FAILED;
    char sub[512];
    struct stat st;
    tval_snprintf(sub, sizeof(sub), "%s/%s", dir, entry);
    if (const char *colon = std::strchr(entry, ':')) {
        rc = dev_path(name, name_len, colon + 1);
    } else if (::lstat(sub, &st) == 0 && S_ISLNK(st.st_mode)) {
        char target_path[256];
        ssize_t n = ::readlink(sub, target_path, sizeof(target_path) - 1);
        if (n > 127) {
            std::printf("The symbolic link length exceeds the maximum\n");
            return TVA_STATUS_FAILED;
        }
        if (n <= 0)
            return TVA_STATUS_FAILED;
        target_path[n] = '\0';
        const char *last = std::strrchr(target_path, '/');
        rc = tval_snprintf(name, name_len, "/dev%s%s", last ? "" : "/", last ? last : target_path)
                 ? TVA_STATUS_OK
                 : TVA_STATUS_FAILED;
    } else {
        dir_stream d(sub);
        while (d.ok()) {
            const char *n = d.next();
            if (!n)
                break;
            if (std::strchr(n, 's')) {
                rc = dev_path(name, name_len, n);
                break;
            }
        }
    }
    if (rc == TVA_STATUS_OK && name_count)
        *name_count = 1;
    return rc;
}
