/* The messages between the preload shim (in the command's processes) and
 * tvasim for ethtool requests on an emulated network interface. One stream
 * connection per request: the shim sends the header and the ethtool record,
 * tvasim answers with its header and the record to copy back over the
 * caller's. */
#ifndef TVASIM_ETHTOOL_PROTO_H
#define TVASIM_ETHTOOL_PROTO_H

#include <stdint.h>

#define TVASIM_ETH_MAGIC 0x31455654u /* "TVE1" */
#define TVASIM_ETH_NOT_MINE (-100000) /* not an emulated interface: use the real ioctl */
#define TVASIM_ETH_MAX (16u * 1024u * 1024u + 64u)

struct tvasim_eth_req {
    uint32_t magic;
    uint32_t len; /* bytes of the ethtool record that follow */
    char ifname[16];
};

struct tvasim_eth_rsp {
    int32_t result; /* 0, an errno (positive) or TVASIM_ETH_NOT_MINE */
    uint32_t len;   /* bytes of the record that follow */
};

#endif
