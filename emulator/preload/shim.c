/* Preload shim of tvasim, loaded before umockdev's in the command's
 * processes: forwards SIOCETHTOOL requests on a socket to tvasim, which
 * plays the network driver of the emulated interfaces. Every other ioctl,
 * and ethtool requests on interfaces tvasim does not know, go on unchanged. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <linux/ethtool.h>
#include <linux/sockios.h>
#include <net/if.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "../ethtool_proto.h"

typedef int (*ioctl_fn)(int, unsigned long, ...);

static int real_ioctl(int fd, unsigned long req, void *arg)
{
    static ioctl_fn next;
    if (!next)
        next = (ioctl_fn)dlsym(RTLD_NEXT, "ioctl");
    if (!next) {
        errno = ENOSYS;
        return -1;
    }
    return next(fd, req, arg);
}

static int read_full(int fd, void *buf, size_t n)
{
    uint8_t *p = buf;
    while (n) {
        ssize_t r = read(fd, p, n);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return -1;
        p += r;
        n -= (size_t)r;
    }
    return 0;
}

static int write_full(int fd, const void *buf, size_t n)
{
    const uint8_t *p = buf;
    while (n) {
        ssize_t r = send(fd, p, n, MSG_NOSIGNAL);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return -1;
        p += r;
        n -= (size_t)r;
    }
    return 0;
}

/* Length of the ethtool record of cmd, 0 when not forwarded. */
static size_t record_len(const void *data)
{
    uint32_t cmd;
    memcpy(&cmd, data, 4);
    switch (cmd) {
    case ETHTOOL_GDRVINFO:
        return sizeof(struct ethtool_drvinfo);
    case ETHTOOL_GLINK:
        return sizeof(struct ethtool_value);
    case ETHTOOL_FLASHDEV:
        return sizeof(struct ethtool_flash);
    case ETHTOOL_GEEPROM:
    case ETHTOOL_SEEPROM: {
        struct ethtool_eeprom e;
        memcpy(&e, data, sizeof(e));
        if (e.len > TVASIM_ETH_MAX - sizeof(e))
            return 0;
        return sizeof(e) + e.len;
    }
    default:
        return 0;
    }
}

/* 1: answered (result in *ret), 0: not ours. */
static int forward(struct ifreq *ifr, int *ret)
{
    const char *path = getenv("TVASIM_ETHTOOL_SOCKET");
    if (!path || !ifr || !ifr->ifr_data)
        return 0;
    size_t len = record_len(ifr->ifr_data);
    if (!len)
        return 0;
    struct sockaddr_un sa;
    memset(&sa, 0, sizeof(sa));
    sa.sun_family = AF_UNIX;
    if (strlen(path) >= sizeof(sa.sun_path))
        return 0;
    strcpy(sa.sun_path, path);
    int saved = errno;
    int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return 0;
    if (connect(s, (struct sockaddr *)&sa, sizeof(sa)) != 0) {
        close(s);
        errno = saved;
        return 0;
    }
    struct tvasim_eth_req req;
    memset(&req, 0, sizeof(req));
    req.magic = TVASIM_ETH_MAGIC;
    req.len = (uint32_t)len;
    memcpy(req.ifname, ifr->ifr_name, sizeof(req.ifname) < IFNAMSIZ ? sizeof(req.ifname) : IFNAMSIZ);
    req.ifname[sizeof(req.ifname) - 1] = 0;
    struct tvasim_eth_rsp rsp;
    int ok = write_full(s, &req, sizeof(req)) == 0 && write_full(s, ifr->ifr_data, len) == 0 &&
             read_full(s, &rsp, sizeof(rsp)) == 0;
    if (ok && rsp.result == 0 && rsp.len == len)
        ok = read_full(s, ifr->ifr_data, len) == 0;
    close(s);
    if (!ok) {
        *ret = -1;
        errno = EIO;
        return 1;
    }
    if (rsp.result == TVASIM_ETH_NOT_MINE) {
        errno = saved;
        return 0;
    }
    if (rsp.result != 0) {
        *ret = -1;
        errno = rsp.result;
        return 1;
    }
    *ret = 0;
    errno = saved;
    return 1;
}

int ioctl(int fd, unsigned long req, ...)
{
    va_list ap;
    va_start(ap, req);
    void *arg = va_arg(ap, void *);
    va_end(ap);
    if (req == SIOCETHTOOL) {
        int ret;
        if (forward((struct ifreq *)arg, &ret))
            return ret;
    }
    return real_ioctl(fd, req, arg);
}
