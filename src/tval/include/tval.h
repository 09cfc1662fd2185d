/* The IOC record: one PCI function of an adapter as the access library sees
 * it, and the WWN and MAC types shared with the drivers. */
#ifndef TVAL_H
#define TVAL_H

#include <cstddef>
#include <cstdint>
#include <cstring>

/* A WWN is eight bytes in transmission order held in a 64-bit word: byte 0
 * of its memory is the first byte printed. Never print or compare it as a
 * number except against 0 or another wwn_t. */
typedef uint64_t wwn_t;

typedef struct mac_s {
    uint8_t mac[6];
} mac_t;

static_assert(sizeof(wwn_t) == 8);
static_assert(sizeof(mac_t) == 6);

/* Byte i (0 = first in transmission order) of a WWN. */
static inline uint8_t tval_wwn_byte(wwn_t wwn, int i)
{
    uint8_t b[8];
    std::memcpy(b, &wwn, sizeof(b));
    return b[i & 7];
}

/* The WWN whose transmission-order bytes are b[0..7]. */
static inline wwn_t tval_wwn_from_bytes(const uint8_t b[8])
{
    wwn_t w;
    std::memcpy(&w, b, sizeof(w));
    return w;
}

static inline bool tval_mac_is_zero(const mac_t *m)
{
    static const mac_t zero = {};
    return std::memcmp(m->mac, zero.mac, sizeof(zero.mac)) == 0;
}

typedef enum tva_ioc_type {
    TVA_IOC_TYPE_FC = 1,
    TVA_IOC_TYPE_FCoE = 2,
    TVA_IOC_TYPE_LL = 3, /* Ethernet */
} tva_ioc_type_t;

#define TVAL_DEVPATH_LEN 256
#define TVAL_HWPATH_LEN 32
#define TVAL_SERIALNUM_LEN 12
#define TVAL_NAME_LEN 64

typedef struct tval_s {
    int fd;      /* Ethernet: shared /dev/tvn descriptor; storage: -1 */
    int sg_fd;   /* pass-through node during one request, else -1 */
    uint32_t host;
    int ipfc_fd; /* shared /dev/tvaipfc descriptor, -1 when not open */
    int instance;
    int port_num;
    char devpath[TVAL_DEVPATH_LEN];
    char ioc_hwpath[TVAL_HWPATH_LEN];
    char adapter_hwpath[TVAL_HWPATH_LEN];
    char serialnum[TVAL_SERIALNUM_LEN];
    char name[TVAL_NAME_LEN];
    char port_name[TVAL_NAME_LEN];
    char eth_name[TVAL_NAME_LEN];
    char friendlyName[256];
    wwn_t pwwn;
    wwn_t nwwn;
    wwn_t factorypwwn;
    wwn_t factorynwwn;
    int id;
    int pcifn_id;
    int ad_id;
    mac_t mac;
    mac_t factory_mac;
    mac_t current_mac;
    tva_ioc_type_t ioc_type;
    uint16_t vendor_id;
    uint16_t device_id;
    struct tval_s *next;
} tval_t;

static inline bool tval_ioc_is_storage(const tval_t *ioc)
{
    return ioc->ioc_type == TVA_IOC_TYPE_FC || ioc->ioc_type == TVA_IOC_TYPE_FCoE;
}

#endif
