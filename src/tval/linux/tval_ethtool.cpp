/* Flash partition update and read of Ethernet functions, carried out through
 * the network driver's ethtool interface. */
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <linux/ethtool.h>
#include <linux/sockios.h>
#include <net/if.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "tval_flash.h"
#include "tval_linux.h"
#include "tval_transport.h"

/* The ethtool flash-device request as the network driver takes it. */
typedef struct tval_ethtool_flash_s {
    uint32_t cmd;
    uint32_t region;
    char data[128];
} tval_ethtool_flash_t;
static_assert(sizeof(tval_ethtool_flash_t) == 136);
static_assert(sizeof(tval_ethtool_flash_t) == sizeof(struct ethtool_flash));
static_assert(sizeof(struct ethtool_eeprom) == 16);

namespace {

const int fw_region = 2;
/* An EEPROM update carries the length as a 4-byte prefix of the data. */
const uint32_t eeprom_len_prefix = 4;

int send_ethtool(int sock, const tval_t *ioc, void *req)
{
    struct ifreq ifr;
    std::memset(&ifr, 0, sizeof(ifr));
    /* Interface names are shorter than IFNAMSIZ; a longer one cannot exist. */
    size_t n = strnlen(ioc->eth_name, sizeof(ioc->eth_name));
    if (n >= sizeof(ifr.ifr_name))
        return TVA_STATUS_EINVAL;
    std::memcpy(ifr.ifr_name, ioc->eth_name, n);
    ifr.ifr_data = static_cast<char *>(req);
    if (::ioctl(sock, SIOCETHTOOL, &ifr) < 0)
        return tval_get_status(errno);
    return TVA_STATUS_OK;
}

/* Firmware image: handed to the driver as a file under /lib/firmware. */
int flash_firmware(int sock, const tval_t *ioc, const void *data, uint32_t len)
{
    char name[64], path[128];
    tval_snprintf(name, sizeof(name), "%d-tvn_tmpfw_1657.bin", ioc->ad_id);
    tval_snprintf(path, sizeof(path), "/lib/firmware/%s", name);
    ::unlink(path);
    {
        tval_fd fd(::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!fd.ok())
            return TVA_STATUS_EFOPEN;
        ssize_t w = len ? ::write(fd.get(), data, len) : 0;
        if (w < 0 || static_cast<uint32_t>(w) != len) {
            fd.reset();
            ::unlink(path);
            return TVA_STATUS_FAILED;
        }
    }
    tval_ethtool_flash_t req;
    std::memset(&req, 0, sizeof(req));
    req.cmd = ETHTOOL_FLASHDEV;
    req.region = fw_region;
    std::snprintf(req.data, sizeof(req.data), "%s", name);
    int rc = send_ethtool(sock, ioc, &req);
    ::unlink(path);
    return rc;
}

int eeprom_request(int sock, const tval_t *ioc, uint32_t code, uint32_t part_off, void *data,
                   uint32_t len)
{
    const bool read = code == TVA_IOCTL_FLASH_READ_PART;
    uint64_t dlen = read ? len : static_cast<uint64_t>(len) + eeprom_len_prefix;
    if (dlen > UINT32_MAX - sizeof(struct ethtool_eeprom))
        return TVA_STATUS_EINVAL;
    auto *ee = static_cast<struct ethtool_eeprom *>(std::calloc(1, sizeof(struct ethtool_eeprom) + dlen));
    if (!ee) {
        std::printf("mem alloc failed for ethtool eeprom cmd\n");
        return -ENOMEM;
    }
    ee->magic = (static_cast<uint32_t>(ioc->device_id) << 16) | ioc->vendor_id;
    ee->len = static_cast<uint32_t>(dlen);
    if (read) {
        ee->cmd = ETHTOOL_GEEPROM;
        ee->offset = part_off;
    } else {
        ee->cmd = ETHTOOL_SEEPROM;
        ee->offset = part_off ? part_off - eeprom_len_prefix : 0;
        std::memcpy(ee->data, &len, eeprom_len_prefix);
        if (len)
            std::memcpy(ee->data + eeprom_len_prefix, data, len);
    }
    int rc = send_ethtool(sock, ioc, ee);
    if (rc == TVA_STATUS_OK && read && len)
        std::memcpy(data, ee->data, len);
    std::free(ee);
    return rc;
}

} // namespace

int tval_ethtool_ioctl(tval_t *ioc, uint32_t code, void *buf)
{
    auto *req = static_cast<tva_ioctl_flash_t *>(buf);
    tval_fd sock(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (!sock.ok())
        return tval_get_status(errno);

    tva_flash_attr_t attr;
    std::memset(&attr, 0, sizeof(attr));
    int rc = tval_flash_get_attr(ioc, &attr);
    if (rc != TVA_STATUS_OK)
        return rc;
    req->status = TVA_STATUS_FAILED;

    uint32_t part_off = 0;
    uint32_t n = attr.npart < TVA_FLASH_PART_MAX ? attr.npart : TVA_FLASH_PART_MAX;
    for (uint32_t i = 0; i < n; i++) {
        if (attr.part[i].part_type == req->type) {
            part_off = attr.part[i].part_off;
            break;
        }
    }

    void *data = reinterpret_cast<void *>(static_cast<uintptr_t>(req->buf_ptr));
    if (!data && req->bufsz)
        return TVA_STATUS_EINVAL;
    if (code == TVA_IOCTL_FLASH_UPDATE_PART && req->type == TVA_FLASH_PART_FWIMG)
        rc = flash_firmware(sock.get(), ioc, data, req->bufsz);
    else
        rc = eeprom_request(sock.get(), ioc, code, part_off, data, req->bufsz);
    if (rc != TVA_STATUS_OK)
        return rc;
    req->status = TVA_STATUS_OK;
    return TVA_STATUS_OK;
}
