/* Request codes and payload layouts shared by the access library and the
 * drivers (and by the emulated host, which plays the drivers). Every layout
 * here is fixed by the drivers: sizes and key offsets are checked below. */
#ifndef TVA_IOCTL_H
#define TVA_IOCTL_H

#include <cstddef>
#include <cstdint>

#include "tva_status.h"
#include "tval.h"

/* ---- request codes ------------------------------------------------------
 * Built like a Linux ioctl number: bits 31-30 direction (always 3), bits
 * 29-16 payload size, bits 15-8 group byte, bits 7-0 request number. */
#define TVA_IOC_CODE(size, group, nr) \
    ((uint32_t)(0xc0000000u | ((uint32_t)(size) << 16) | ((uint32_t)(group) << 8) | (uint32_t)(nr)))
#define TVA_IOC_SIZE(code) (((uint32_t)(code) >> 16) & 0x3fffu)
#define TVA_IOC_GROUP(code) (((uint32_t)(code) >> 8) & 0xffu)
#define TVA_IOC_NR(code) ((uint32_t)(code) & 0xffu)

/* Group bytes. */
#define TVA_IOC_GRP_IOC 0x43    /* IOC, adapter, diag, debug, port, flash, ... */
#define TVA_IOC_GRP_ETH 0x44    /* the same requests on the Ethernet control node */
#define TVA_IOC_GRP_IOCFC 0xb0
#define TVA_IOC_GRP_LPORT 0xb1
#define TVA_IOC_GRP_RPORT 0xb2
#define TVA_IOC_GRP_VPORT 0xb3
#define TVA_IOC_GRP_VF 0xb4
#define TVA_IOC_GRP_QOS 0xb6
#define TVA_IOC_GRP_RATELIM 0xb7
#define TVA_IOC_GRP_FCPIM 0xb8
#define TVA_IOC_GRP_BOOT 0xb9
#define TVA_IOC_GRP_PASSTHRU 0xba
#define TVA_IOC_GRP_ITNIM 0xbb
#define TVA_IOC_GRP_AUTH 0xbd
#define TVA_IOC_GRP_FABRIC 0xbe
#define TVA_IOC_GRP_IPFC 0xc0
#define TVA_IOC_GRP_FCOE 0xc1
#define TVA_IOC_GRP_TRUNK 0xc2
#define TVA_IOC_GRP_FAA 0xc3

/* The Ethernet control node takes the same code with group byte 0x44. */
static inline uint32_t tva_ioc_code_to_eth(uint32_t code)
{
    return (code & 0xffff00ffu) | (TVA_IOC_GRP_ETH << 8);
}

/* Every request the utility sends, named after its sender. */
enum tva_ioctl_code : uint32_t {
    TVA_IOCTL_IOC_ENABLE = 0xc0084303,
    TVA_IOCTL_IOC_DISABLE = 0xc0084304,
    TVA_IOCTL_IOC_GET_ATTR = 0xc6504306,
    TVA_IOCTL_IOC_GET_INFO = 0xc2104307,
    TVA_IOCTL_IOC_GET_STATS = 0xc0504308,
    TVA_IOCTL_IOC_RESET_STATS = 0xc0084309,
    TVA_IOCTL_ADAPTER_SET_NAME = 0xc048430a,
    TVA_IOCTL_IOC_SET_NAME = 0xc048430b,
    TVA_IOCTL_IOC_GET_FWSTATS = 0xc018430c,
    TVA_IOCTL_IOC_RESET_FWSTATS = 0xc008430d,
    TVA_IOCTL_PCIFN_CFG_GET = 0xc238430e,
    TVA_IOCTL_ADAPTER_CFG_MODE = 0xc010430f,
    TVA_IOCTL_DIAG_REGREAD = 0xc0204310,
    TVA_IOCTL_DIAG_MEMREAD = 0xc0284311,
    TVA_IOCTL_DIAG_REGWRITE = 0xc0184312,
    TVA_IOCTL_DIAG_TSENSOR_QUERY = 0xc0184313,
    TVA_IOCTL_DIAG_MEMTEST = 0xc0384315,
    TVA_IOCTL_DIAG_LOOPBACK = 0xc0304316,
    TVA_IOCTL_DIAG_FWPING = 0xc0204317,
    TVA_IOCTL_DIAG_QUEUETEST = 0xc0184318,
    TVA_IOCTL_DIAG_SFP_QUERY = 0xc100431a,
    TVA_IOCTL_DIAG_LED_TEST = 0xc018431b,
    TVA_IOCTL_DIAG_BEACON_LPORT = 0xc014431c,
    TVA_IOCTL_DIAG_ETH_LOOPBACK = 0xc02c431d,
    TVA_IOCTL_DIAG_GET_LB_STATUS = 0xc008431e,
    TVA_IOCTL_DIAG_DPORT_ENABLE = 0xc008431f,
    TVA_IOCTL_DIAG_DPORT_DISABLE = 0xc0084320,
    TVA_IOCTL_DIAG_DPORT_GET_STATE = 0xc00c4321,
    TVA_IOCTL_DEBUG_DRV_TRACE = 0xc0204322,
    TVA_IOCTL_DEBUG_DRV_STATE = 0xc0204323,
    TVA_IOCTL_DEBUG_FW_TRACE = 0xc0204324,
    TVA_IOCTL_DEBUG_FW_STATE = 0xc0204325,
    TVA_IOCTL_DEBUG_FW_STATE_CLR = 0xc0084326,
    TVA_IOCTL_DEBUG_FW_CORE = 0xc0204327,
    TVA_IOCTL_DEBUG_PORTLOG = 0xc0204328,
    TVA_IOCTL_DEBUG_PORTLOG_CLR = 0xc0084329,
    TVA_IOCTL_DEBUG_PORTLOG_CTL = 0xc010432a,
    TVA_IOCTL_DEBUG_DTRC_START = 0xc008432b,
    TVA_IOCTL_DEBUG_DTRC_STOP = 0xc008432c,
    TVA_IOCTL_LOG_SET_LEVEL = 0xc010432d,
    TVA_IOCTL_LOG_GET_LEVEL = 0xc010432e,
    TVA_IOCTL_PORT_ENABLE = 0xc0084331,
    TVA_IOCTL_PORT_DISABLE = 0xc0084332,
    TVA_IOCTL_PORT_GET_ATTR = 0xc1804333,
    TVA_IOCTL_PORT_GET_STATS = 0xc0184334,
    TVA_IOCTL_PORT_RESET_STATS = 0xc0084337,
    TVA_IOCTL_PORT_CFG_TOPOLOGY = 0xc0104338,
    TVA_IOCTL_PORT_CFG_SPEED = 0xc0104339,
    TVA_IOCTL_PORT_CFG_HARDALPA = 0xc010433a,
    TVA_IOCTL_PORT_CLR_HARDALPA = 0xc010433b,
    TVA_IOCTL_PORT_CFG_MAXFRSIZE = 0xc008433c,
    TVA_IOCTL_PORT_CFG_RNID_INFO = 0xc038433f,
    TVA_IOCTL_PORT_GET_RNID_INFO = 0xc0384340,
    TVA_IOCTL_PORT_CFG_MODE = 0xc0104341,
    TVA_IOCTL_PORT_BBSC_ENABLE = 0xc0084342,
    TVA_IOCTL_PORT_BBSC_DISABLE = 0xc0084343,
    TVA_IOCTL_PORT_NWPART_ENABLE = 0xc0084344,
    TVA_IOCTL_PORT_NWPART_DISABLE = 0xc0084345,
    TVA_IOCTL_CEE_RESET_STATS = 0xc0084346,
    TVA_IOCTL_CEE_GET_ATTR = 0xc0184347,
    TVA_IOCTL_CEE_GET_STATS = 0xc0184348,
    TVA_IOCTL_SFP_MEDIA = 0xc00c434a,
    TVA_IOCTL_SFP_SPEED = 0xc00c434b,
    TVA_IOCTL_ETHBOOT_CFG = 0xc010434c,
    TVA_IOCTL_ETHBOOT_QUERY = 0xc010434d,
    TVA_IOCTL_FLASH_GET_ATTR = 0xc410434e,
    TVA_IOCTL_FLASH_ERASE_PART = 0xc018434f,
    TVA_IOCTL_FLASH_UPDATE_PART = 0xc0184350,
    TVA_IOCTL_FLASH_READ_PART = 0xc0184351,
    TVA_IOCTL_MFG_UPDATE = 0xc1144352,
    TVA_IOCTL_FLASH_ENABLE_OPTROM = 0xc0084353,
    TVA_IOCTL_FLASH_DISABLE_OPTROM = 0xc0084354,
    TVA_IOCTL_BOOT_GET_CFG_VERSION = 0xc0184355,
    TVA_IOCTL_PHY_UPDATE = 0xc0184356,
    TVA_IOCTL_PHY_READ = 0xc0184357,
    TVA_IOCTL_PHY_GET_ATTR = 0xc0244358,
    TVA_IOCTL_PHY_GET_STATS = 0xc0284359,
    TVA_IOCTL_VHBA_CREATE = 0xc018435a,
    TVA_IOCTL_VHBA_DELETE = 0xc018435b,
    TVA_IOCTL_PCIFN_ENABLE = 0xc018435c,
    TVA_IOCTL_PCIFN_DISABLE = 0xc018435d,
    TVA_IOCTL_PCIFN_CFG_TYPE = 0xc018435e,
    TVA_IOCTL_VHBA_SET_BW = 0xc018435f,
    TVA_IOCTL_VNIC_GET_ATTR = 0xc0184360,
    TVA_IOCTL_VNIC_ENABLE = 0xc0084361,
    TVA_IOCTL_VNIC_DISABLE = 0xc0084362,
    TVA_IOCTL_VNIC_GET_STATS = 0xc0184363,
    TVA_IOCTL_VNIC_CLEAR_STATS = 0xc0084364,
    TVA_IOCTL_VHBA_GET_ATTR = 0xc0284365,
    TVA_IOCTL_VHBA_ENABLE = 0xc0084366,
    TVA_IOCTL_VHBA_DISABLE = 0xc0084367,
    TVA_IOCTL_TFRU_READ = 0xc050436a,
    TVA_IOCTL_TFRU_WRITE = 0xc050436b,
    TVA_IOCTL_FRUVPD_READ = 0xd010436c,
    TVA_IOCTL_FRUVPD_WRITE = 0xd010436d,
    TVA_IOCTL_FRUVPD_GET_MAX_SIZE = 0xc00c436e,
    TVA_IOCTL_ETHPORT_GET_STATS = 0xc2584370,
    TVA_IOCTL_ETHPORT_GET_ATTR = 0xc0184371,
    TVA_IOCTL_ETHPORT_GET_CFG = 0xc0244372,
    TVA_IOCTL_IOCFC_GET_ATTR = 0xc048b001,
    TVA_IOCTL_IOCFC_INTR_SET = 0xc010b002,
    TVA_IOCTL_LPORT_GET_ATTR = 0xc170b101,
    TVA_IOCTL_LPORT_GET_IOSTATS = 0xc0e8b102,
    TVA_IOCTL_LPORT_GET_STATS = 0xc108b103,
    TVA_IOCTL_LPORT_RESET_STATS = 0xc010b104,
    TVA_IOCTL_LPORT_GET_RPORT_QUALIFIERS = 0xc020b105,
    TVA_IOCTL_RPORT_ADD = 0xc018b201,
    TVA_IOCTL_RPORT_REMOVE = 0xc018b202,
    TVA_IOCTL_RPORT_GET_STATS = 0xc120b203,
    TVA_IOCTL_RPORT_RESET_STATS = 0xc018b204,
    TVA_IOCTL_RPORT_GET_ATTR = 0xc160b205,
    TVA_IOCTL_RPORT_GET_SCSI_ADDRESS = 0xc028b206,
    TVA_IOCTL_RPORT_SET_SPEED = 0xc020b207,
    TVA_IOCTL_VPORT_CREATE = 0xc140b301,
    TVA_IOCTL_VPORT_DELETE = 0xc018b302,
    TVA_IOCTL_VPORT_START = 0xc018b303,
    TVA_IOCTL_VPORT_STOP = 0xc018b304,
    TVA_IOCTL_VPORT_GET_ATTR = 0xc178b305,
    TVA_IOCTL_VPORT_GET_STATS = 0xc158b306,
    TVA_IOCTL_VPORT_RESET_STATS = 0xc010b307,
    TVA_IOCTL_VF_GET_STATS = 0xc038b408,
    TVA_IOCTL_VF_RESET_STATS = 0xc008b409,
    TVA_IOCTL_QOS_ENABLE = 0xc008b601,
    TVA_IOCTL_QOS_DISABLE = 0xc008b602,
    TVA_IOCTL_QOS_GET_ATTR = 0xc018b603,
    TVA_IOCTL_QOS_GET_VC_ATTR = 0xc050b604,
    TVA_IOCTL_QOS_GET_STATS = 0xc050b605,
    TVA_IOCTL_QOS_RESET_STATS = 0xc008b606,
    TVA_IOCTL_QOS_SET_BW = 0xc00cb607,
    TVA_IOCTL_RATELIM_ENABLE = 0xc008b701,
    TVA_IOCTL_RATELIM_DISABLE = 0xc008b702,
    TVA_IOCTL_RATELIM_SET_SPEED = 0xc00cb703,
    TVA_IOCTL_FCPIM_FAST_FAILOVER = 0xc008b801,
    TVA_IOCTL_FCPIM_QDEPTH = 0xc010b802,
    TVA_IOCTL_FCPIM_GET_MODSTATS = 0xc0e0b803,
    TVA_IOCTL_FCPIM_CLR_MODSTATS = 0xc008b804,
    TVA_IOCTL_FCPIM_PROFILE_ON = 0xc008b805,
    TVA_IOCTL_FCPIM_PROFILE_OFF = 0xc008b806,
    TVA_IOCTL_FCPIM_GET_DEL_ITN_STATS = 0xc028b807,
    TVA_IOCTL_FCPIM_LUNMASK_QUERY = 0xc210b808,
    TVA_IOCTL_FCPIM_LUNMASK_ENABLE = 0xc008b809,
    TVA_IOCTL_FCPIM_LUNMASK_DISABLE = 0xc008b80a,
    TVA_IOCTL_FCPIM_LUNMASK_ADD = 0xc020b80b,
    TVA_IOCTL_FCPIM_LUNMASK_DELETE = 0xc020b80c,
    TVA_IOCTL_FCPIM_LUNMASK_CLEAR = 0xc008b80d,
    TVA_IOCTL_FCPIM_THROTTLE_QUERY = 0xc010b80e,
    TVA_IOCTL_FCPIM_THROTTLE_SET = 0xc010b80f,
    TVA_IOCTL_BIOS_CFG = 0xc098b901,
    TVA_IOCTL_BIOS_QUERY = 0xc098b902,
    TVA_IOCTL_BIOS_PBC_QUERY = 0xc090b903,
    TVA_IOCTL_SCSI_CMND = 0xc050ba01,
    TVA_IOCTL_FCPT = 0xc060ba02,
    TVA_IOCTL_ITNIM_GET_ATTR = 0xc020bb01,
    TVA_IOCTL_ITNIM_GET_IOSTATS = 0xc0f0bb02,
    TVA_IOCTL_ITNIM_RESET_STATS = 0xc018bb03,
    TVA_IOCTL_ITNIM_GET_ITNSTATS = 0xc048bb04,
    TVA_IOCTL_ITNIM_GET_IOPROFILE = 0xc220bb05,
    TVA_IOCTL_AUTH_GET_ATTR = 0xc020bd01,
    TVA_IOCTL_AUTH_GET_STATS = 0xc040bd02,
    TVA_IOCTL_AUTH_RESET_STATS = 0xc008bd03,
    TVA_IOCTL_AUTH_REINIT = 0xc008bd04,
    TVA_IOCTL_AUTH_SET_POLICY = 0xc010bd05,
    TVA_IOCTL_AUTH_SET_ALGO = 0xc010bd06,
    TVA_IOCTL_AUTH_SET_GROUP = 0xc010bd07,
    TVA_IOCTL_AUTH_SET_SECRETSOURCE = 0xc010bd08,
    TVA_IOCTL_AUTH_SET_ENCRYPTSTRING = 0xc508bd09,
    TVA_IOCTL_FABRIC_GET_LPORTS = 0xc018be01,
    TVA_IOCTL_IPFC_GET_ATTR = 0xc054c001,
    TVA_IOCTL_IPFC_GET_STATS = 0xc030c002,
    TVA_IOCTL_IPFC_RESET_STATS = 0xc008c003,
    TVA_IOCTL_IPFC_ENABLE = 0xc008c004,
    TVA_IOCTL_IPFC_DISABLE = 0xc008c005,
    TVA_IOCTL_FCOE_GET_STATS = 0xc170c101,
    TVA_IOCTL_FCOE_RESET_STATS = 0xc008c102,
    TVA_IOCTL_FCOE_PORT_ENABLE = 0xc008c103,
    TVA_IOCTL_FCOE_PORT_DISABLE = 0xc008c104,
    TVA_IOCTL_PORT_ENABLE_TRUNK = 0xc008c201,
    TVA_IOCTL_PORT_DISABLE_TRUNK = 0xc008c202,
    TVA_IOCTL_PORT_GET_TRUNK_ATTR = 0xc048c203,
    TVA_IOCTL_FAA_QUERY = 0xc018c303,
};

/* Size of the request buffer every sender builds its payload in. */
#define TVA_IOCTL_BUF_SIZE 4112

/* ---- driver enums ------------------------------------------------------- */

enum tva_ioc_state {
    TVA_IOC_UNINIT = 1,
    TVA_IOC_RESET = 2,
    TVA_IOC_SEMWAIT = 3,
    TVA_IOC_HWINIT = 4,
    TVA_IOC_GETATTR = 5,
    TVA_IOC_OPERATIONAL = 6,
    TVA_IOC_INITFAIL = 7,
    TVA_IOC_FAIL = 8,
    TVA_IOC_DISABLING = 9,
    TVA_IOC_DISABLED = 10,
    TVA_IOC_FWMISMATCH = 11,
    TVA_IOC_ENABLING = 12,
    TVA_IOC_HWFAIL = 13,
    TVA_IOC_ACQ_ADDR = 14,
};

enum tva_port_speed {
    TVA_PORT_SPEED_UNKNOWN = 0,
    TVA_PORT_SPEED_1GBPS = 1,
    TVA_PORT_SPEED_2GBPS = 2,
    TVA_PORT_SPEED_4GBPS = 4,
    TVA_PORT_SPEED_8GBPS = 8,
    TVA_PORT_SPEED_10GBPS = 10,
    TVA_PORT_SPEED_AUTO = 15,
    TVA_PORT_SPEED_16GBPS = 16,
    TVA_PORT_SPEED_32GBPS = 32,
};

enum tva_port_topology {
    TVA_PORT_TOPOLOGY_NONE = 0,
    TVA_PORT_TOPOLOGY_LOOP = 2,
    TVA_PORT_TOPOLOGY_AUTO = 4,
    TVA_PORT_TOPOLOGY_P2P = 5,
};

enum tva_mode_s {
    TVA_MODE_HBA = 1,
    TVA_MODE_CNA = 2,
    TVA_MODE_NIC = 3,
};

/* Application ids handed to tval_libinit. */
enum tva_aen_app {
    tva_aen_app_tvcli = 0,
};

/* Checks a layout: its size, and that a field sits where the driver has it. */
#define TVA_CHECK_SIZE(type, size) static_assert(sizeof(type) == (size), #type " size")
#define TVA_CHECK_OFF(type, field, off) \
    static_assert(offsetof(type, field) == (off), #type "." #field " offset")
/* A request code carries the size of its payload. */
#define TVA_CHECK_CODE(code, type) \
    static_assert(TVA_IOC_SIZE(code) == sizeof(type), #code " payload size")

/* ---- payload header ------------------------------------------------------
 * Every payload begins with the driver's status, the function's driver
 * instance and a 16-bit field the payload defines. The 8-byte payload of
 * the plain requests is the header alone. */
typedef struct tva_ioctl_gen_s {
    uint32_t status; /* tva_status_t, written by the driver */
    uint16_t tvad_num;
    uint16_t rsvd;
} tva_ioctl_gen_t;
TVA_CHECK_SIZE(tva_ioctl_gen_t, 8);
TVA_CHECK_OFF(tva_ioctl_gen_t, tvad_num, 4);

/* ---- IOC attributes ------------------------------------------------------ */

typedef struct tva_mfg_vpd_s {
    uint8_t version;
    uint8_t vpd_sig[3];
    uint8_t chksum;
    uint8_t vendor;
    uint8_t len;
    uint8_t rsv;
    uint8_t data[512];
} tva_mfg_vpd_t;
TVA_CHECK_SIZE(tva_mfg_vpd_t, 520);

typedef struct tva_adapter_attr_s {
    char manufacturer[8];
    char serial_num[12];
    uint32_t card_type;
    char model[16];
    char model_descr[128];
    wwn_t pwwn;
    char node_symname[256];
    char hw_ver[64];
    char fw_ver[64];
    char optrom_ver[64];
    char os_type[64];
    tva_mfg_vpd_t vpd;
    mac_t mac;
    uint8_t nports;
    uint8_t max_speed;
    uint8_t prototype;
    uint8_t asic_rev;
    uint8_t pcie_gen;
    uint8_t pcie_lanes_orig;
    uint8_t pcie_lanes;
    uint8_t cna_capable;
    uint8_t is_mezz;
    uint8_t trunk_capable;
    uint8_t mfg_day;
    uint8_t mfg_month;
    uint16_t mfg_year;
    uint8_t rsvd[4];
} tva_adapter_attr_t;
TVA_CHECK_SIZE(tva_adapter_attr_t, 1232);
TVA_CHECK_OFF(tva_adapter_attr_t, card_type, 20);
TVA_CHECK_OFF(tva_adapter_attr_t, model_descr, 40);
TVA_CHECK_OFF(tva_adapter_attr_t, pwwn, 168);
TVA_CHECK_OFF(tva_adapter_attr_t, optrom_ver, 560);
TVA_CHECK_OFF(tva_adapter_attr_t, vpd, 688);
TVA_CHECK_OFF(tva_adapter_attr_t, mac, 1208);
TVA_CHECK_OFF(tva_adapter_attr_t, nports, 1214);
TVA_CHECK_OFF(tva_adapter_attr_t, mfg_year, 1226);

typedef struct tva_driver_attr_s {
    char driver[16];
    char driver_ver[64];
    char fw_ver[64];
    char bios_ver[64];
    char efi_ver[64];
    char ob_ver[64];
} tva_driver_attr_t;
TVA_CHECK_SIZE(tva_driver_attr_t, 336);

typedef struct tva_pci_attr_s {
    uint16_t vendor_id;
    uint16_t device_id;
    uint16_t ssid;
    uint16_t ssvid;
    uint32_t pcifn;
    uint32_t rsvd;
    char chip_rev[8];
} tva_pci_attr_t;
TVA_CHECK_SIZE(tva_pci_attr_t, 24);

/* cap_bm bits */
#define TVA_CAP_HBA 0x01
#define TVA_CAP_CNA 0x02
#define TVA_CAP_NIC 0x04

typedef struct tva_ioc_attr_s {
    uint32_t ioc_type; /* tva_ioc_type_t */
    uint32_t state;    /* enum tva_ioc_state */
    tva_adapter_attr_t adapter_attr;
    tva_driver_attr_t driver_attr;
    tva_pci_attr_t pci_attr;
    uint8_t port_id;
    uint8_t port_mode;     /* enum tva_mode_s */
    uint8_t cap_bm;        /* TVA_CAP_* */
    uint8_t port_mode_cfg; /* enum tva_mode_s, after the next reboot */
    uint8_t rsvd[4];
} tva_ioc_attr_t;
TVA_CHECK_SIZE(tva_ioc_attr_t, 1608);
TVA_CHECK_OFF(tva_ioc_attr_t, state, 4);
TVA_CHECK_OFF(tva_ioc_attr_t, adapter_attr, 8);
TVA_CHECK_OFF(tva_ioc_attr_t, driver_attr, 1240);
TVA_CHECK_OFF(tva_ioc_attr_t, pci_attr, 1576);
TVA_CHECK_OFF(tva_ioc_attr_t, port_id, 1600);

typedef struct tva_ioctl_ioc_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_ioc_attr_t ioc_attr;
} tva_ioctl_ioc_attr_t;
TVA_CHECK_SIZE(tva_ioctl_ioc_attr_t, 1616);
TVA_CHECK_OFF(tva_ioctl_ioc_attr_t, ioc_attr, 8);

/* ---- IOC information (the scan's request) ----------------------------- */

typedef struct tva_ioctl_ioc_info_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    char serialnum[64];
    char hwpath[32];
    char adapter_hwpath[32];
    char guid[128];
    char name[64];
    char port_name[64];
    char eth_name[64];
    wwn_t pwwn;
    wwn_t nwwn;
    wwn_t factorypwwn;
    wwn_t factorynwwn;
    mac_t mac;
    mac_t factory_mac;
    mac_t current_mac;
    uint32_t ioc_type; /* tva_ioc_type_t */
    uint16_t pvid;
    uint16_t rsvd1;
    uint32_t host;
    uint32_t bandwidth;
    uint32_t rsvd2;
} tva_ioctl_ioc_info_t;
TVA_CHECK_SIZE(tva_ioctl_ioc_info_t, 528);
TVA_CHECK_OFF(tva_ioctl_ioc_info_t, serialnum, 8);
TVA_CHECK_OFF(tva_ioctl_ioc_info_t, name, 264);
TVA_CHECK_OFF(tva_ioctl_ioc_info_t, eth_name, 392);
TVA_CHECK_OFF(tva_ioctl_ioc_info_t, pwwn, 456);
TVA_CHECK_OFF(tva_ioctl_ioc_info_t, mac, 488);
TVA_CHECK_OFF(tva_ioctl_ioc_info_t, current_mac, 500);
TVA_CHECK_OFF(tva_ioctl_ioc_info_t, ioc_type, 508);
TVA_CHECK_OFF(tva_ioctl_ioc_info_t, host, 516);

/* ---- pass-through and the requests it relies on ----------------------- */

/* SCSI command to a remote LUN (carried out through the SCSI generic node). */
typedef struct tva_ioctl_scsi_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t lpwwn;
    wwn_t rpwwn;
    uint8_t lun[8]; /* wire order */
    uint8_t cdb[16];
    uint32_t write;
    uint32_t iosz;
    uint8_t rsvd1[3];
    uint8_t scsi_status;
    uint32_t snssz;
    uint64_t iobuf_ptr;
    uint64_t snsbuf_ptr;
} tva_ioctl_scsi_t;
TVA_CHECK_SIZE(tva_ioctl_scsi_t, 80);
TVA_CHECK_OFF(tva_ioctl_scsi_t, lun, 24);
TVA_CHECK_OFF(tva_ioctl_scsi_t, cdb, 32);
TVA_CHECK_OFF(tva_ioctl_scsi_t, write, 48);
TVA_CHECK_OFF(tva_ioctl_scsi_t, scsi_status, 59);
TVA_CHECK_OFF(tva_ioctl_scsi_t, snssz, 60);
TVA_CHECK_OFF(tva_ioctl_scsi_t, iobuf_ptr, 64);
TVA_CHECK_OFF(tva_ioctl_scsi_t, snsbuf_ptr, 72);

/* FC frame header FC-4 types the pass-through carries. */
#define TVA_FC_TYPE_ELS 0x01
#define TVA_FC_TYPE_CT 0x20
#define TVA_FCHS_SIZE 24

/* FC ELS / common-transport pass-through. */
typedef struct tva_ioctl_fcpt_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t lpwwn;
    wwn_t dpwwn;
    uint32_t tsecs;
    uint32_t cts;
    uint32_t cos;
    uint32_t rsvd;
    uint8_t fchs[TVA_FCHS_SIZE];
    uint32_t nport_nexus_needed;
    uint32_t reqsz;
    uint32_t rspsz;
    uint32_t rsvd1;
    uint64_t reqbuf_ptr;
    uint64_t rspbuf_ptr;
} tva_ioctl_fcpt_t;
TVA_CHECK_SIZE(tva_ioctl_fcpt_t, 96);
TVA_CHECK_OFF(tva_ioctl_fcpt_t, lpwwn, 8);
TVA_CHECK_OFF(tva_ioctl_fcpt_t, tsecs, 24);
TVA_CHECK_OFF(tva_ioctl_fcpt_t, fchs, 40);
TVA_CHECK_OFF(tva_ioctl_fcpt_t, nport_nexus_needed, 64);
TVA_CHECK_OFF(tva_ioctl_fcpt_t, reqsz, 68);
TVA_CHECK_OFF(tva_ioctl_fcpt_t, reqbuf_ptr, 80);

/* The record the driver reads beside the FC transport request block of a
 * pass-through; its status is the driver's answer. Packed: the driver has
 * it 60 bytes long with the WWNs at offsets 8 and 16. */
typedef struct __attribute__((packed)) tva_bsg_fcpt_s {
    uint32_t status;
    uint16_t vf_id;
    uint16_t rsvd;
    wwn_t lpwwn;
    wwn_t dpwwn;
    uint32_t tsecs;
    uint32_t cts;
    uint32_t cos;
    uint8_t fchs[TVA_FCHS_SIZE];
} tva_bsg_fcpt_t;
TVA_CHECK_SIZE(tva_bsg_fcpt_t, 60);
TVA_CHECK_OFF(tva_bsg_fcpt_t, lpwwn, 8);
TVA_CHECK_OFF(tva_bsg_fcpt_t, dpwwn, 16);
TVA_CHECK_OFF(tva_bsg_fcpt_t, tsecs, 24);
TVA_CHECK_OFF(tva_bsg_fcpt_t, fchs, 36);

/* Announces the tva_bsg_fcpt_t record; follows the 20-byte fc_bsg_request. */
typedef struct tva_bsg_data_s {
    uint32_t payload_len;
    uint32_t payload; /* address, low 32 bits as the driver takes it */
} tva_bsg_data_t;
TVA_CHECK_SIZE(tva_bsg_data_t, 8);

/* FC transport (bsg) message codes. */
#define TVA_FC_BSG_HST_VENDOR 0x800000FFu
#define TVA_FC_BSG_HST_ELS_NOLOGIN 0x80000003u
#define TVA_FC_BSG_HST_CT 0x80000004u
#define TVA_FC_BSG_RPT_ELS 0x40000001u
#define TVA_FC_BSG_RPT_CT 0x40000002u

/* The Linux FC transport's request (struct fc_bsg_request): a message code
 * and the request data of that message, 20 bytes. */
typedef struct __attribute__((packed)) tva_fc_bsg_host_vendor_s {
    uint64_t vendor_id;
    uint32_t vendor_cmd[2];
} tva_fc_bsg_host_vendor_t;

typedef struct tva_fc_bsg_host_els_s {
    uint8_t command_code;
    uint8_t port_id[3];
} tva_fc_bsg_host_els_t;

typedef struct tva_fc_bsg_host_ct_s {
    uint8_t reserved;
    uint8_t port_id[3];
    uint32_t preamble_word0;
    uint32_t preamble_word1;
    uint32_t preamble_word2;
} tva_fc_bsg_host_ct_t;

typedef struct tva_fc_bsg_rport_els_s {
    uint8_t els_code;
} tva_fc_bsg_rport_els_t;

typedef struct tva_fc_bsg_rport_ct_s {
    uint32_t preamble_word0;
    uint32_t preamble_word1;
    uint32_t preamble_word2;
} tva_fc_bsg_rport_ct_t;

typedef struct __attribute__((packed)) tva_fc_bsg_request_s {
    uint32_t msgcode;
    union __attribute__((packed)) {
        tva_fc_bsg_host_vendor_t h_vendor;
        tva_fc_bsg_host_els_t h_els;
        tva_fc_bsg_host_ct_t h_ct;
        tva_fc_bsg_rport_els_t r_els;
        tva_fc_bsg_rport_ct_t r_ct;
    } rqst_data;
} tva_fc_bsg_request_t;
TVA_CHECK_SIZE(tva_fc_bsg_request_t, 20);
static_assert(offsetof(tva_fc_bsg_request_t, rqst_data) + offsetof(tva_fc_bsg_host_vendor_t, vendor_cmd) == 12,
              "vendor command word offset");
static_assert(offsetof(tva_fc_bsg_request_t, rqst_data) + offsetof(tva_fc_bsg_host_ct_t, preamble_word0) == 8,
              "CT preamble offset");

/* The request block of every bsg request this library sends: the FC
 * transport request and, for a pass-through, the announcement of the
 * tva_bsg_fcpt_t record. */
typedef struct __attribute__((packed)) tva_bsg_request_block_s {
    tva_fc_bsg_request_t req;
    tva_bsg_data_t data;
} tva_bsg_request_block_t;
#define TVA_BSG_REQUEST_SIZE 28
TVA_CHECK_SIZE(tva_bsg_request_block_t, TVA_BSG_REQUEST_SIZE);
TVA_CHECK_OFF(tva_bsg_request_block_t, data, 20);

enum tva_itnim_state {
    TVA_ITNIM_OFFLINE = 0,
    TVA_ITNIM_PRLI_SEND = 1,
    TVA_ITNIM_PRLI_SENT = 2,
    TVA_ITNIM_PRLI_RETRY = 3,
    TVA_ITNIM_HCB_ONLINE = 4,
    TVA_ITNIM_ONLINE = 5,
    TVA_ITNIM_HCB_OFFLINE = 6,
    TVA_ITNIM_INITIATIOR = 7,
};

typedef struct tva_itnim_attr_s {
    uint32_t state; /* enum tva_itnim_state */
    uint8_t retry;
    uint8_t task_retry_id;
    uint8_t rec_support;
    uint8_t conf_comp;
} tva_itnim_attr_t;
TVA_CHECK_SIZE(tva_itnim_attr_t, 8);

typedef struct tva_ioctl_itnim_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t lpwwn;
    wwn_t rpwwn;
    tva_itnim_attr_t attr;
} tva_ioctl_itnim_attr_t;
TVA_CHECK_SIZE(tva_ioctl_itnim_attr_t, 32);
TVA_CHECK_OFF(tva_ioctl_itnim_attr_t, attr, 24);

typedef struct tva_rport_scsi_addr_s {
    uint32_t host;
    uint32_t bus;
    uint32_t target;
    uint32_t lun;
} tva_rport_scsi_addr_t;
TVA_CHECK_SIZE(tva_rport_scsi_addr_t, 16);

typedef struct tva_ioctl_rport_scsi_addr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    wwn_t rpwwn;
    uint32_t host;
    uint32_t bus;
    uint32_t target;
    uint32_t lun;
} tva_ioctl_rport_scsi_addr_t;
TVA_CHECK_SIZE(tva_ioctl_rport_scsi_addr_t, 40);
TVA_CHECK_OFF(tva_ioctl_rport_scsi_addr_t, host, 24);

#define TVA_LUNMASK_MAX 16
#define TVA_LUNMASK_ENABLED 1
#define TVA_LUNMASK_DISABLED 0
#define TVA_LUNMASK_UNINIT 255
#define TVA_LUNMASK_ENTRY_ACTIVE 1

typedef struct tva_lun_mask_s {
    wwn_t lp_wwn;
    wwn_t rp_wwn;
    uint8_t lun[8]; /* wire order */
    uint8_t ua;
    uint8_t rsvd[3];
    uint16_t rp_tag;
    uint8_t lp_tag;
    uint8_t state;
} tva_lun_mask_t;
TVA_CHECK_SIZE(tva_lun_mask_t, 32);
TVA_CHECK_OFF(tva_lun_mask_t, lun, 16);
TVA_CHECK_OFF(tva_lun_mask_t, state, 31);

typedef struct tva_lunmask_cfg_s {
    uint8_t status; /* TVA_LUNMASK_* */
    uint8_t rsvd[7];
    tva_lun_mask_t lun_list[TVA_LUNMASK_MAX];
} tva_lunmask_cfg_t;
TVA_CHECK_SIZE(tva_lunmask_cfg_t, 520);

typedef struct tva_ioctl_fcpim_lunmask_query_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_lunmask_cfg_t lun_mask;
} tva_ioctl_fcpim_lunmask_query_t;
TVA_CHECK_SIZE(tva_ioctl_fcpim_lunmask_query_t, 528);

typedef struct tva_ioctl_fcpim_lunmask_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    wwn_t rpwwn;
    uint8_t lun[8];
} tva_ioctl_fcpim_lunmask_t;
TVA_CHECK_SIZE(tva_ioctl_fcpim_lunmask_t, 32);

/* ---- flash partitions ------------------------------------------------------ */

typedef enum tva_flash_part_type {
    TVA_FLASH_PART_OPTROM = 1,
    TVA_FLASH_PART_FWIMG = 2,
    TVA_FLASH_PART_FWCFG = 3,
    TVA_FLASH_PART_DRV = 4,
    TVA_FLASH_PART_BOOT = 5,
    TVA_FLASH_PART_ASIC = 6,
    TVA_FLASH_PART_MFG = 7,
    TVA_FLASH_PART_OPTROM2 = 8,
    TVA_FLASH_PART_VPD = 9,
    TVA_FLASH_PART_PBC = 10,
    TVA_FLASH_PART_BOOTOVL = 11,
    TVA_FLASH_PART_LOG = 12,
    TVA_FLASH_PART_PXECFG = 13,
    TVA_FLASH_PART_PXEOVL = 14,
    TVA_FLASH_PART_PORTCFG = 15,
    TVA_FLASH_PART_ASICBK = 16,
    TVA_FLASH_PART_END = 17,
} tva_flash_part_type_t;

/* Flash status of the whole flash and of each partition. */
enum tva_flash_status {
    TVA_FLASH_STATUS_GOOD = 0,
    TVA_FLASH_STATUS_ABSENT = 1,
    TVA_FLASH_STATUS_UNINIT = 2,
    TVA_FLASH_STATUS_BAD = 3,
    TVA_FLASH_STATUS_EMPTY = 4,
    TVA_FLASH_STATUS_BADCKSUM = 5,
};

/* Partition read, write and erase; reads and writes carry bufsz data bytes
 * right after the record in the same buffer (buf_ptr points there). */
typedef struct tva_ioctl_flash_s {
    uint32_t status;
    uint16_t tvad_num;
    uint8_t instance;
    uint8_t rsvd;
    uint32_t type; /* tva_flash_part_type_t */
    uint32_t bufsz;
    uint64_t buf_ptr;
} tva_ioctl_flash_t;
TVA_CHECK_SIZE(tva_ioctl_flash_t, 24);
TVA_CHECK_OFF(tva_ioctl_flash_t, instance, 6);
TVA_CHECK_OFF(tva_ioctl_flash_t, type, 8);
TVA_CHECK_OFF(tva_ioctl_flash_t, bufsz, 12);
TVA_CHECK_OFF(tva_ioctl_flash_t, buf_ptr, 16);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_UPDATE_PART, tva_ioctl_flash_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_READ_PART, tva_ioctl_flash_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_ERASE_PART, tva_ioctl_flash_t);
TVA_CHECK_CODE(TVA_IOCTL_BOOT_GET_CFG_VERSION, tva_ioctl_flash_t);

#define TVA_FLASH_PART_MAX 32

typedef struct tva_flash_part_attr_s {
    uint32_t part_type; /* tva_flash_part_type_t */
    uint32_t part_instance;
    uint32_t part_off;
    uint32_t part_size;
    uint32_t part_len;
    uint32_t part_status; /* tva_flash_status */
    uint8_t rsv[8];
} tva_flash_part_attr_t;
TVA_CHECK_SIZE(tva_flash_part_attr_t, 32);
TVA_CHECK_OFF(tva_flash_part_attr_t, part_len, 16);

typedef struct tva_flash_attr_s {
    uint32_t status; /* tva_flash_status */
    uint32_t npart;
    tva_flash_part_attr_t part[TVA_FLASH_PART_MAX];
} tva_flash_attr_t;
TVA_CHECK_SIZE(tva_flash_attr_t, 1032);
TVA_CHECK_OFF(tva_flash_attr_t, part, 8);

typedef struct tva_ioctl_flash_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_flash_attr_t attr;
} tva_ioctl_flash_attr_t;
TVA_CHECK_SIZE(tva_ioctl_flash_attr_t, 1040);
TVA_CHECK_OFF(tva_ioctl_flash_attr_t, attr, 8);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_GET_ATTR, tva_ioctl_flash_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_ENABLE_OPTROM, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_DISABLE_OPTROM, tva_ioctl_gen_t);

/* Configuration version: the record and its 64-byte text. */
#define TVA_BOOT_CFG_VERSION_LEN 64

/* ---- payloads whose one value sits in the 16-bit field at offset 6 ------ */

#define TVA_PAYLOAD_HDR_U16(field) \
    uint32_t status;               \
    uint16_t tvad_num;             \
    uint16_t field

typedef struct tva_ioctl_port_cfg_maxfrsize_s {
    TVA_PAYLOAD_HDR_U16(maxfrsize);
} tva_ioctl_port_cfg_maxfrsize_t;
TVA_CHECK_SIZE(tva_ioctl_port_cfg_maxfrsize_t, 8);

typedef struct tva_ioctl_fcpim_s {
    TVA_PAYLOAD_HDR_U16(path_tov); /* seconds */
} tva_ioctl_fcpim_t;
TVA_CHECK_SIZE(tva_ioctl_fcpim_t, 8);

typedef struct tva_ioctl_fcpim_profile_s {
    TVA_PAYLOAD_HDR_U16(rsvd);
} tva_ioctl_fcpim_profile_t;
TVA_CHECK_SIZE(tva_ioctl_fcpim_profile_t, 8);

typedef struct tva_ioctl_fcpim_modstatsclr_s {
    TVA_PAYLOAD_HDR_U16(rsvd);
} tva_ioctl_fcpim_modstatsclr_t;
TVA_CHECK_SIZE(tva_ioctl_fcpim_modstatsclr_t, 8);

typedef struct tva_ioctl_vf_reset_stats_s {
    TVA_PAYLOAD_HDR_U16(vf_id);
} tva_ioctl_vf_reset_stats_t;
TVA_CHECK_SIZE(tva_ioctl_vf_reset_stats_t, 8);

typedef struct tva_ioctl_port_trunk_s {
    TVA_PAYLOAD_HDR_U16(pp_bmap); /* bit n: port n */
} tva_ioctl_port_trunk_t;
TVA_CHECK_SIZE(tva_ioctl_port_trunk_t, 8);

/* ---- IOC ----------------------------------------------------------------- */

/* Driver IOC statistics, read through their descriptor table. */
#define TVA_IOC_DRV_STATS_SIZE 72
typedef struct tva_ioctl_ioc_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint8_t stats[TVA_IOC_DRV_STATS_SIZE];
} tva_ioctl_ioc_stats_t;
TVA_CHECK_SIZE(tva_ioctl_ioc_stats_t, 80);

/* Statistics read into a data area after the 24-byte header (the port
 * statistics, 336 bytes, and the firmware statistics, 912 bytes). */
#define TVA_PORT_STATS_SIZE 336
#define TVA_FW_STATS_SIZE 912
typedef struct tva_ioctl_port_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t buf_size;
    uint32_t rsvd1;
    uint64_t buf_ptr;
} tva_ioctl_port_stats_t;
TVA_CHECK_SIZE(tva_ioctl_port_stats_t, 24);
TVA_CHECK_OFF(tva_ioctl_port_stats_t, buf_size, 8);
TVA_CHECK_OFF(tva_ioctl_port_stats_t, buf_ptr, 16);
typedef tva_ioctl_port_stats_t tva_ioctl_ioc_fwstats_t;

/* The port statistics record: the FC member for FC functions, the Ethernet
 * member otherwise. */
typedef struct tva_port_fc_stats_s {
    uint64_t secs_reset;
    uint64_t tx_frames;
    uint64_t tx_words;
    uint64_t tx_lip;
    uint64_t tx_lip_f7f7;
    uint64_t tx_lip_f8f7;
    uint64_t tx_arbf0;
    uint64_t tx_nos;
    uint64_t tx_ols;
    uint64_t tx_lr;
    uint64_t tx_lrr;
    uint64_t rx_frames;
    uint64_t rx_words;
    uint64_t lip_count;
    uint64_t rx_lip_f7f7;
    uint64_t rx_lip_f8f7;
    uint64_t rx_arbf0;
    uint64_t nos_count;
    uint64_t ols_count;
    uint64_t lr_count;
    uint64_t lrr_count;
    uint64_t invalid_crcs;
    uint64_t invalid_crc_gd_eof;
    uint64_t undersized_frm;
    uint64_t oversized_frm;
    uint64_t bad_eof_frm;
    uint64_t error_frames;
    uint64_t dropped_frames;
    uint64_t link_failures;
    uint64_t loss_of_syncs;
    uint64_t loss_of_signals;
    uint64_t primseq_errs;
    uint64_t bad_os_count;
    uint64_t err_enc_out;
    uint64_t err_enc;
    uint64_t bbsc_frames_lost;
    uint64_t bbsc_credits_lost;
    uint64_t bbsc_link_resets;
    uint64_t loop_timeouts;
} tva_port_fc_stats_t;
TVA_CHECK_SIZE(tva_port_fc_stats_t, 312);
TVA_CHECK_OFF(tva_port_fc_stats_t, rx_frames, 88);
TVA_CHECK_OFF(tva_port_fc_stats_t, invalid_crcs, 168);
TVA_CHECK_OFF(tva_port_fc_stats_t, error_frames, 208);
TVA_CHECK_OFF(tva_port_fc_stats_t, loop_timeouts, 304);

typedef union tva_port_stats_u {
    tva_port_fc_stats_t fc;
    uint64_t eth[42];
} tva_port_stats_t;
TVA_CHECK_SIZE(tva_port_stats_t, TVA_PORT_STATS_SIZE);

/* The port statistics request as sent: the header, then the record buf_ptr
 * points to. */
typedef struct tva_port_stats_req_s {
    tva_ioctl_port_stats_t hdr;
    tva_port_stats_t stats;
} tva_port_stats_req_t;
TVA_CHECK_SIZE(tva_port_stats_req_t, 24 + TVA_PORT_STATS_SIZE);
TVA_CHECK_OFF(tva_port_stats_req_t, stats, 24);

typedef struct tva_ioctl_ioc_set_adapter_name_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    char name[64];
} tva_ioctl_ioc_set_adapter_name_t;
TVA_CHECK_SIZE(tva_ioctl_ioc_set_adapter_name_t, 72);

/* PCI function configuration of an adapter. */
#define TVA_PCI_CLASS_FC 0x0c04
#define TVA_PCI_CLASS_ETH 0x0200
#define TVA_ABLK_MAX_PFS 16
#define TVA_ABLK_MAX_PORTS 2

typedef struct tva_ablk_cfg_pf_s {
    uint16_t pers; /* PCI class code */
    uint8_t port_id;
    uint8_t optrom;
    uint8_t valid;
    uint8_t sriov;
    uint8_t max_vfs;
    uint8_t enabled;
    uint16_t num_qpairs;
    uint16_t num_vectors;
    uint16_t bw_min;
    uint16_t bw_max;
} tva_ablk_cfg_pf_t;
TVA_CHECK_SIZE(tva_ablk_cfg_pf_t, 16);

typedef struct tva_ablk_cfg_port_s {
    uint8_t mode;
    uint8_t type;
    uint8_t max_pfs;
    uint8_t nw_part;
    uint8_t rsvd[4];
} tva_ablk_cfg_port_t;
TVA_CHECK_SIZE(tva_ablk_cfg_port_t, 8);

typedef struct tva_ablk_cfg_inst_s {
    uint8_t nports;
    uint8_t max_pfs;
    uint8_t rsvd[6];
    tva_ablk_cfg_pf_t pf_cfg[TVA_ABLK_MAX_PFS];
    tva_ablk_cfg_port_t port_cfg[TVA_ABLK_MAX_PORTS];
} tva_ablk_cfg_inst_t;
TVA_CHECK_SIZE(tva_ablk_cfg_inst_t, 280);
TVA_CHECK_OFF(tva_ablk_cfg_inst_t, pf_cfg, 8);
TVA_CHECK_OFF(tva_ablk_cfg_inst_t, port_cfg, 264);

/* inst[0]: the active configuration; inst[1]: the one after the next reboot. */
typedef struct tva_ablk_cfg_s {
    tva_ablk_cfg_inst_t inst[2];
} tva_ablk_cfg_t;
TVA_CHECK_SIZE(tva_ablk_cfg_t, 560);

typedef struct tva_ioctl_pcifn_cfg_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_ablk_cfg_t pcifn_cfg;
} tva_ioctl_pcifn_cfg_t;
TVA_CHECK_SIZE(tva_ioctl_pcifn_cfg_t, 568);

typedef struct tva_adapter_cfg_mode_s {
    uint16_t max_pf;
    uint16_t max_vf;
    uint32_t mode; /* enum tva_mode_s */
} tva_adapter_cfg_mode_t;
TVA_CHECK_SIZE(tva_adapter_cfg_mode_t, 8);

typedef struct tva_ioctl_adapter_cfg_mode_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_adapter_cfg_mode_t cfg;
} tva_ioctl_adapter_cfg_mode_t;
TVA_CHECK_SIZE(tva_ioctl_adapter_cfg_mode_t, 16);

/* ---- diagnostics ---------------------------------------------------------- */

enum tva_port_opmode {
    TVA_PORT_OPMODE_NORMAL = 0,
    TVA_PORT_OPMODE_LB_INT = 1,
    TVA_PORT_OPMODE_LB_SLW = 2,
    TVA_PORT_OPMODE_LB_EXT = 4,
    TVA_PORT_OPMODE_LB_CBL = 8,
    TVA_PORT_OPMODE_LB_NLINT = 32,
};

enum tva_dport_state {
    TVA_DPORT_ST_DISABLED = 0,
    TVA_DPORT_ST_DISABLING = 1,
    TVA_DPORT_ST_ENABLING = 2,
    TVA_DPORT_ST_ENABLED = 3,
};

/* Register read: the driver's debugfs "regrd" file on this platform. */
typedef struct tva_ioctl_diag_regread_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t off;
    uint32_t nwords;
    int32_t inst_no;
    uint32_t force;
    uint64_t buf_ptr; /* nwords 32-bit words */
} tva_ioctl_diag_regread_t;
TVA_CHECK_SIZE(tva_ioctl_diag_regread_t, 32);
TVA_CHECK_OFF(tva_ioctl_diag_regread_t, off, 8);
TVA_CHECK_OFF(tva_ioctl_diag_regread_t, nwords, 12);
TVA_CHECK_OFF(tva_ioctl_diag_regread_t, buf_ptr, 24);

typedef struct tva_ioctl_diag_regwrite_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t off;
    uint32_t word;
    int32_t inst_no;
    uint32_t force;
} tva_ioctl_diag_regwrite_t;
TVA_CHECK_SIZE(tva_ioctl_diag_regwrite_t, 24);
TVA_CHECK_OFF(tva_ioctl_diag_regwrite_t, word, 12);

/* Memory read; the data follows the 40-byte record. */
typedef struct tva_ioctl_diag_kva_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t uLength; /* words */
    uint32_t rsvd1;
    uint64_t kva_address;
    uint64_t uAddress;
    uint64_t buf_ptr;
} tva_ioctl_diag_kva_t;
TVA_CHECK_SIZE(tva_ioctl_diag_kva_t, 40);
TVA_CHECK_OFF(tva_ioctl_diag_kva_t, kva_address, 16);
TVA_CHECK_OFF(tva_ioctl_diag_kva_t, buf_ptr, 32);

typedef struct tva_diag_get_temp_result_s {
    uint32_t status;
    uint16_t temp;
    uint16_t brd_temp;
    uint8_t ts_junc;
    uint8_t ts_brd;
    uint8_t rsvd[6];
} tva_diag_get_temp_result_t;
TVA_CHECK_SIZE(tva_diag_get_temp_result_t, 16);

typedef struct tva_ioctl_diag_get_temp_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_diag_get_temp_result_t result;
} tva_ioctl_diag_get_temp_t;
TVA_CHECK_SIZE(tva_ioctl_diag_get_temp_t, 24);

typedef struct tva_diag_memtest_result_s {
    uint32_t status;
    uint32_t addr;
    uint32_t exp;
    uint32_t act;
    uint32_t err_status;
    uint32_t err_status1;
    uint32_t err_addr;
    uint8_t algo;
    uint8_t rsv[3];
} tva_diag_memtest_result_t;
TVA_CHECK_SIZE(tva_diag_memtest_result_t, 32);

typedef struct tva_diag_memtest_s {
    uint8_t algo;
    uint8_t rsvd[7];
} tva_diag_memtest_t;
TVA_CHECK_SIZE(tva_diag_memtest_t, 8);

typedef struct tva_ioctl_diag_memtest_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd[3];
    uint32_t pat;
    tva_diag_memtest_result_t result;
    tva_diag_memtest_t memtest;
} tva_ioctl_diag_memtest_t;
TVA_CHECK_SIZE(tva_ioctl_diag_memtest_t, 56);
TVA_CHECK_OFF(tva_ioctl_diag_memtest_t, pat, 12);
TVA_CHECK_OFF(tva_ioctl_diag_memtest_t, result, 16);
TVA_CHECK_OFF(tva_ioctl_diag_memtest_t, memtest, 48);

typedef struct tva_diag_loopback_result_s {
    uint32_t numtxmfrm;
    uint32_t numosffrm;
    uint32_t numrcvfrm;
    uint32_t badfrminf;
    uint32_t badfrmnum;
    uint8_t status;
    uint8_t rsvd[3];
} tva_diag_loopback_result_t;
TVA_CHECK_SIZE(tva_diag_loopback_result_t, 24);

typedef struct tva_ioctl_diag_loopback_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t opmode; /* enum tva_port_opmode */
    uint32_t speed;  /* enum tva_port_speed */
    uint32_t lpcnt;
    uint32_t pat;
    tva_diag_loopback_result_t result;
} tva_ioctl_diag_loopback_t;
TVA_CHECK_SIZE(tva_ioctl_diag_loopback_t, 48);
TVA_CHECK_OFF(tva_ioctl_diag_loopback_t, result, 24);

typedef struct tva_ioctl_diag_ll_loopback_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t opmode;
    uint32_t lpcnt;
    uint32_t pat;
    tva_diag_loopback_result_t result;
} tva_ioctl_diag_ll_loopback_t;
TVA_CHECK_SIZE(tva_ioctl_diag_ll_loopback_t, 44);
TVA_CHECK_OFF(tva_ioctl_diag_ll_loopback_t, result, 20);

typedef struct tva_diag_fwping_result_s {
    uint32_t data;
    uint32_t status;
    uint32_t dmastatus;
    uint8_t rsvd[4];
} tva_diag_fwping_result_t;
TVA_CHECK_SIZE(tva_diag_fwping_result_t, 16);

typedef struct tva_ioctl_diag_fwping_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t cnt;
    uint32_t pattern;
    tva_diag_fwping_result_t result;
} tva_ioctl_diag_fwping_t;
TVA_CHECK_SIZE(tva_ioctl_diag_fwping_t, 32);

typedef struct tva_diag_qtest_result_s {
    uint32_t status;
    uint16_t count;
    uint8_t queue;
    uint8_t rsvd;
} tva_diag_qtest_result_t;
TVA_CHECK_SIZE(tva_diag_qtest_result_t, 8);

typedef struct tva_ioctl_diag_qtest_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t force;
    uint32_t queue;
    tva_diag_qtest_result_t result;
} tva_ioctl_diag_qtest_t;
TVA_CHECK_SIZE(tva_ioctl_diag_qtest_t, 24);

/* SFP serial ID and diagnostic pages (SFF-8472), offsets in the record. */
typedef struct sfp_mem_s {
    uint8_t srlid_base[64]; /* 0 */
    uint8_t srlid_ext[32];  /* 64 */
    uint8_t diag_base[96];  /* 96 */
    uint8_t diag_ext[24];   /* 192 */
    uint8_t user[32];       /* 216 */
} sfp_mem_t;
TVA_CHECK_SIZE(sfp_mem_t, 248);

typedef struct tva_ioctl_diag_sfp_s {
    uint32_t status;
    uint16_t tvad_num;
    uint8_t static_data;
    uint8_t rsvd;
    sfp_mem_t sfp;
} tva_ioctl_diag_sfp_t;
TVA_CHECK_SIZE(tva_ioctl_diag_sfp_t, 256);

typedef struct tva_diag_ledtest_s {
    uint32_t cmd;
    uint32_t color;
    uint16_t freq;
    uint8_t led;
    uint8_t rsvd[5];
} tva_diag_ledtest_t;
TVA_CHECK_SIZE(tva_diag_ledtest_t, 16);

typedef struct tva_ioctl_diag_led_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_diag_ledtest_t ledtest;
} tva_ioctl_diag_led_t;
TVA_CHECK_SIZE(tva_ioctl_diag_led_t, 24);

typedef struct tva_ioctl_diag_beacon_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t beacon;
    uint32_t link_e2e_beacon;
    uint32_t second;
} tva_ioctl_diag_beacon_t;
TVA_CHECK_SIZE(tva_ioctl_diag_beacon_t, 20);

typedef struct tva_ioctl_diag_dport_get_state_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t state; /* enum tva_dport_state */
} tva_ioctl_diag_dport_get_state_t;
TVA_CHECK_SIZE(tva_ioctl_diag_dport_get_state_t, 12);

/* SFP media and speed records: one 32-bit value after the header. */
typedef struct tva_ioctl_sfp_media_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t media;
} tva_ioctl_sfp_media_t;
TVA_CHECK_SIZE(tva_ioctl_sfp_media_t, 12);

typedef struct tva_ioctl_sfp_speed_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t speed;
} tva_ioctl_sfp_speed_t;
TVA_CHECK_SIZE(tva_ioctl_sfp_speed_t, 12);

/* ---- debug and log ---------------------------------------------------------- */

/* Trace, state, core and port log dumps; the data goes to buf_ptr. */
typedef struct tva_ioctl_debug_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t bufsz;
    int32_t inst_no;
    uint64_t buf_ptr;
    uint64_t offset;
} tva_ioctl_debug_t;
TVA_CHECK_SIZE(tva_ioctl_debug_t, 32);
TVA_CHECK_OFF(tva_ioctl_debug_t, bufsz, 8);
TVA_CHECK_OFF(tva_ioctl_debug_t, buf_ptr, 16);
TVA_CHECK_OFF(tva_ioctl_debug_t, offset, 24);

typedef struct tva_ioctl_portlogctl_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t ctl;
    int32_t inst_no;
} tva_ioctl_portlogctl_t;
TVA_CHECK_SIZE(tva_ioctl_portlogctl_t, 16);

enum tva_log_severity {
    TVA_LOG_INVALID = 0,
    TVA_LOG_CRITICAL = 1,
    TVA_LOG_ERROR = 2,
    TVA_LOG_WARNING = 3,
    TVA_LOG_INFO = 4,
    TVA_LOG_NONE = 5,
};

/* Unlike every other payload, tvad_num sits at offset 8 here. */
typedef struct tva_ioctl_log_s {
    uint32_t status;
    uint32_t log_level; /* enum tva_log_severity */
    uint16_t tvad_num;
    int16_t mod_id;
    uint8_t rsvd[4];
} tva_ioctl_log_t;
TVA_CHECK_SIZE(tva_ioctl_log_t, 16);
TVA_CHECK_OFF(tva_ioctl_log_t, log_level, 4);
TVA_CHECK_OFF(tva_ioctl_log_t, tvad_num, 8);
TVA_CHECK_OFF(tva_ioctl_log_t, mod_id, 10);

/* ---- port ---------------------------------------------------------------------- */

enum tva_port_states {
    TVA_PORT_ST_UNINIT = 1,
    TVA_PORT_ST_ENABLING_QWAIT = 2,
    TVA_PORT_ST_ENABLING = 3,
    TVA_PORT_ST_LINKDOWN = 4,
    TVA_PORT_ST_LINKUP = 5,
    TVA_PORT_ST_DISABLING_QWAIT = 6,
    TVA_PORT_ST_DISABLING = 7,
    TVA_PORT_ST_DISABLED = 8,
    TVA_PORT_ST_STOPPED = 9,
    TVA_PORT_ST_IOCDOWN = 10,
    TVA_PORT_ST_IOCDIS = 11,
    TVA_PORT_ST_FWMISMATCH = 12,
    TVA_PORT_ST_PREBOOT_DISABLED = 13,
    TVA_PORT_ST_TOGGLING_QWAIT = 14,
    TVA_PORT_ST_FAA_MISCONFIG = 15,
    TVA_PORT_ST_DPORT = 16,
};

enum tva_port_type {
    TVA_PORT_TYPE_UNKNOWN = 1,
    TVA_PORT_TYPE_NPORT = 5,
    TVA_PORT_TYPE_NLPORT = 6,
    TVA_PORT_TYPE_LPORT = 20,
    TVA_PORT_TYPE_P2P = 21,
    TVA_PORT_TYPE_VPORT = 22,
};

typedef struct tva_qos_bw_s {
    uint8_t qos_bw_set;
    uint8_t high;
    uint8_t med;
    uint8_t low;
} tva_qos_bw_t;
TVA_CHECK_SIZE(tva_qos_bw_t, 4);

typedef struct tva_port_cfg_s {
    uint8_t topology;
    uint8_t speed;
    uint8_t trunked;
    uint8_t qos_enabled;
    uint8_t cfg_hardalpa;
    uint8_t hardalpa;
    uint16_t maxfrsize;
    uint8_t rx_bbcredit;
    uint8_t tx_bbcredit;
    uint8_t ratelimit;
    uint8_t trl_def_speed;
    uint8_t bb_scn;
    uint8_t bb_scn_state;
    uint8_t faa_state;
    uint8_t rsvd;
    uint16_t path_tov;
    uint16_t q_depth;
    tva_qos_bw_t qos_bw;
} tva_port_cfg_t;
TVA_CHECK_SIZE(tva_port_cfg_t, 24);
TVA_CHECK_OFF(tva_port_cfg_t, maxfrsize, 6);
TVA_CHECK_OFF(tva_port_cfg_t, path_tov, 16);
TVA_CHECK_OFF(tva_port_cfg_t, qos_bw, 20);

typedef struct tva_port_attr_s {
    wwn_t nwwn;
    wwn_t pwwn;
    wwn_t factorynwwn;
    wwn_t factorypwwn;
    uint32_t cos_supported;
    uint32_t rsvd;
    char port_symname[256];
    uint32_t speed_supported; /* enum tva_port_speed */
    uint32_t pbind_enabled;
    tva_port_cfg_t pport_cfg;
    uint32_t port_state; /* enum tva_port_states */
    uint32_t speed;
    uint32_t topology;
    uint32_t beacon;
    uint32_t link_e2e_beacon;
    uint32_t bbsc_op_status;
    uint32_t pid; /* first byte in memory is the most significant */
    uint32_t port_type; /* enum tva_port_type */
    uint32_t loopback;
    uint32_t authfail;
    uint16_t fcoe_vlan;
    uint8_t rsvd1[6];
} tva_port_attr_t;
TVA_CHECK_SIZE(tva_port_attr_t, 376);
TVA_CHECK_OFF(tva_port_attr_t, port_symname, 40);
TVA_CHECK_OFF(tva_port_attr_t, pport_cfg, 304);
TVA_CHECK_OFF(tva_port_attr_t, port_state, 328);
TVA_CHECK_OFF(tva_port_attr_t, pid, 352);
TVA_CHECK_OFF(tva_port_attr_t, fcoe_vlan, 368);

typedef struct tva_ioctl_port_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_port_attr_t attr;
} tva_ioctl_port_attr_t;
TVA_CHECK_SIZE(tva_ioctl_port_attr_t, 384);

typedef struct tva_ioctl_port_cfg_topo_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t topo; /* enum tva_port_topology */
    uint32_t rsvd1;
} tva_ioctl_port_cfg_topo_t;
TVA_CHECK_SIZE(tva_ioctl_port_cfg_topo_t, 16);

typedef struct tva_ioctl_port_cfg_speed_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t speed; /* enum tva_port_speed */
    uint32_t rsvd1;
} tva_ioctl_port_cfg_speed_t;
TVA_CHECK_SIZE(tva_ioctl_port_cfg_speed_t, 16);

typedef struct tva_ioctl_port_alpa_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint8_t alpa;
    uint8_t rsvd1[7];
} tva_ioctl_port_alpa_t;
TVA_CHECK_SIZE(tva_ioctl_port_alpa_t, 16);

/* Node identification data of the port (RNID). */
typedef struct tva_port_rnid_s {
    uint32_t format;
    uint32_t port_type;
    wwn_t pwwn;
    wwn_t nwwn;
    char vendor_id[16];
    uint32_t asso_type;
    uint32_t num_attached;
} tva_port_rnid_t;
TVA_CHECK_SIZE(tva_port_rnid_t, 48);

typedef struct tva_ioctl_port_rnid_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_port_rnid_t rnid;
} tva_ioctl_port_rnid_t;
TVA_CHECK_SIZE(tva_ioctl_port_rnid_t, 56);

typedef struct tva_port_cfg_mode_s {
    uint16_t max_pf;
    uint16_t max_vf;
    uint32_t mode; /* enum tva_mode_s */
} tva_port_cfg_mode_t;
TVA_CHECK_SIZE(tva_port_cfg_mode_t, 8);

typedef struct tva_ioctl_port_cfg_mode_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t instance; /* port number */
    tva_port_cfg_mode_t cfg;
} tva_ioctl_port_cfg_mode_t;
TVA_CHECK_SIZE(tva_ioctl_port_cfg_mode_t, 16);

enum tva_trunk_state {
    TVA_TRUNK_DISABLED = 0,
    TVA_TRUNK_ONLINE = 1,
    TVA_TRUNK_OFFLINE = 2,
};

enum tva_trunk_link_state {
    TVA_TRUNK_LINK_STATE_UP = 1,
    TVA_TRUNK_LINK_STATE_DN_LINKDN = 2,
    TVA_TRUNK_LINK_STATE_DN_GRP_MIS = 3,
    TVA_TRUNK_LINK_STATE_DN_SPD_MIS = 4,
    TVA_TRUNK_LINK_STATE_DN_MODE_MIS = 5,
};

typedef struct tva_trunk_link_attr_s {
    wwn_t trunk_wwn;
    uint32_t fctl;
    uint32_t link_state; /* enum tva_trunk_link_state */
    uint32_t speed;
    uint32_t deskew; /* ns */
} tva_trunk_link_attr_t;
TVA_CHECK_SIZE(tva_trunk_link_attr_t, 24);

typedef struct tva_trunk_attr_s {
    uint32_t state; /* enum tva_trunk_state */
    uint32_t speed;
    uint32_t port_id;
    uint32_t rsvd;
    tva_trunk_link_attr_t link_attr[2];
} tva_trunk_attr_t;
TVA_CHECK_SIZE(tva_trunk_attr_t, 64);

typedef struct tva_ioctl_trunk_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_trunk_attr_t attr;
} tva_ioctl_trunk_attr_t;
TVA_CHECK_SIZE(tva_ioctl_trunk_attr_t, 72);

typedef struct tva_faa_attr_s {
    wwn_t faa;
    uint8_t faa_state;   /* 1 enabled, 2 disabled */
    uint8_t pwwn_source; /* 1 factory, 2 blade system, 3 fabric */
    uint8_t rsvd[6];
} tva_faa_attr_t;
TVA_CHECK_SIZE(tva_faa_attr_t, 16);

typedef struct tva_ioctl_faa_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_faa_attr_t faa_attr;
} tva_ioctl_faa_attr_t;
TVA_CHECK_SIZE(tva_ioctl_faa_attr_t, 24);

/* FCoE / QoS port statistics: the 360-byte union tva_fcport_stats_t. */
#define TVA_FCPORT_STATS_SIZE 360
typedef struct tva_ioctl_fcport_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint8_t stats[TVA_FCPORT_STATS_SIZE];
} tva_ioctl_fcport_stats_t;
TVA_CHECK_SIZE(tva_ioctl_fcport_stats_t, 368);
/* The QoS statistics request carries the same record (its code announces 80
 * bytes; the sender moves the whole record). */
typedef tva_ioctl_fcport_stats_t tva_ioctl_qos_stats_t;

/* ---- CEE (DCB), SFP-less Ethernet port ------------------------------------- */

enum tva_cee_status_e {
    CEE_UP = 0,
    CEE_PHY_UP = 1,
    CEE_LOOPBACK = 2,
    CEE_PHY_DOWN = 3,
};

typedef struct tva_cee_lldp_str_s {
    uint8_t sub_type;
    uint8_t len;
    uint8_t rsvd[2];
    uint8_t value[128];
} tva_cee_lldp_str_t;
TVA_CHECK_SIZE(tva_cee_lldp_str_t, 132);

typedef struct tva_cee_lldp_cfg_s {
    tva_cee_lldp_str_t chassis_id;
    tva_cee_lldp_str_t port_id;
    tva_cee_lldp_str_t port_desc;
    tva_cee_lldp_str_t sys_name;
    tva_cee_lldp_str_t sys_desc;
    tva_cee_lldp_str_t mgmt_addr;
    uint16_t time_to_live;
    uint16_t enabled_system_cap;
} tva_cee_lldp_cfg_t;
TVA_CHECK_SIZE(tva_cee_lldp_cfg_t, 796);

typedef struct tva_cee_dcbx_cfg_s {
    uint8_t pgid[8];
    uint8_t pg_percentage[8];
    uint8_t pfc_primap;
    uint8_t fcoe_primap;
    uint8_t iscsi_primap;
    uint8_t dcbx_version;
    uint8_t lls_fcoe;
    uint8_t lls_lan;
    uint8_t rsvd[2];
} tva_cee_dcbx_cfg_t;
TVA_CHECK_SIZE(tva_cee_dcbx_cfg_t, 24);

typedef struct tva_cee_attr_s {
    uint8_t cee_status; /* enum tva_cee_status_e */
    uint8_t error_reason;
    tva_cee_lldp_cfg_t lldp_remote;
    tva_cee_dcbx_cfg_t dcbx_remote;
    mac_t src_mac;
    uint8_t link_speed;
    uint8_t nw_priority;
    uint8_t filler[2];
} tva_cee_attr_t;
TVA_CHECK_SIZE(tva_cee_attr_t, 832);
TVA_CHECK_OFF(tva_cee_attr_t, dcbx_remote, 798);
TVA_CHECK_OFF(tva_cee_attr_t, src_mac, 822);

#define TVA_CEE_STATS_SIZE 72

/* DCB attributes (832 bytes) and statistics (72 bytes) are read into a data
 * area after this 24-byte header. */
typedef struct tva_ioctl_cee_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t bufsz;
    uint32_t rsvd1;
    uint64_t buf_ptr;
} tva_ioctl_cee_attr_t;
TVA_CHECK_SIZE(tva_ioctl_cee_attr_t, 24);
TVA_CHECK_OFF(tva_ioctl_cee_attr_t, buf_ptr, 16);
typedef tva_ioctl_cee_attr_t tva_ioctl_cee_stats_t;

typedef struct tva_ethport_attr_s {
    uint32_t mtu;
    uint32_t speed_supported;
    uint32_t port_state;
    uint32_t speed;
} tva_ethport_attr_t;
TVA_CHECK_SIZE(tva_ethport_attr_t, 16);

typedef struct tva_ioctl_ethport_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_ethport_attr_t attr;
} tva_ioctl_ethport_attr_t;
TVA_CHECK_SIZE(tva_ioctl_ethport_attr_t, 24);

#define TVA_ETHPORT_STATS_SIZE 592
typedef struct tva_ioctl_ethport_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint8_t stats[TVA_ETHPORT_STATS_SIZE];
} tva_ioctl_ethport_stats_t;
TVA_CHECK_SIZE(tva_ioctl_ethport_stats_t, 600);

typedef struct tva_ethport_cfg_s {
    uint32_t mtu;
    uint32_t speed;
    uint32_t port_state;
    uint32_t pause_tx;
    uint32_t pause_rx;
    uint32_t rss_enabled;
    uint32_t rsvd;
} tva_ethport_cfg_t;
TVA_CHECK_SIZE(tva_ethport_cfg_t, 28);

typedef struct tva_ioctl_ethport_cfg_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_ethport_cfg_t cfg;
} tva_ioctl_ethport_cfg_t;
TVA_CHECK_SIZE(tva_ioctl_ethport_cfg_t, 36);

/* ---- flash, PHY, FRU, manufacturing ------------------------------------------ */

/* Manufacturing block; multi-byte numbers marked big-endian are stored so. */
typedef struct tva_mfg_block_s {
    uint8_t version;
    uint8_t mfg_sig[3];
    uint16_t mfgsize;
    uint16_t u16_chksum;
    char tvrn_serialnum[12];
    char tvrn_partnum[16];
    uint8_t mfg_day;
    uint8_t mfg_month;
    uint16_t mfg_year; /* big-endian */
    wwn_t mfg_wwn;
    uint8_t num_wwn;
    uint8_t mfg_speeds;
    uint8_t rsv[2];
    uint8_t supplier_id[12];
    uint8_t supplier_partnum[24];
    uint8_t supplier_serialnum[24];
    uint8_t supplier_revision[8];
    mac_t mfg_mac;
    uint8_t num_mac;
    uint8_t rsv2;
    uint32_t card_type; /* big-endian */
    uint8_t cap_nic;
    uint8_t cap_cna;
    uint8_t cap_hba;
    uint8_t cap_fc16g;
    uint8_t cap_sriov;
    uint8_t cap_mezz;
    uint8_t rsv3;
    uint8_t mfg_nports;
    uint8_t media[8];
    char initial_mode[8];
    uint8_t rsv4[84];
    uint8_t md5_chksum[16];
} tva_mfg_block_t;
TVA_CHECK_SIZE(tva_mfg_block_t, 256);
TVA_CHECK_OFF(tva_mfg_block_t, tvrn_serialnum, 8);
TVA_CHECK_OFF(tva_mfg_block_t, mfg_year, 38);
TVA_CHECK_OFF(tva_mfg_block_t, mfg_wwn, 40);
TVA_CHECK_OFF(tva_mfg_block_t, supplier_id, 52);
TVA_CHECK_OFF(tva_mfg_block_t, mfg_mac, 120);
TVA_CHECK_OFF(tva_mfg_block_t, card_type, 128);
TVA_CHECK_OFF(tva_mfg_block_t, cap_nic, 132);
TVA_CHECK_OFF(tva_mfg_block_t, cap_mezz, 137);
TVA_CHECK_OFF(tva_mfg_block_t, mfg_nports, 139);
TVA_CHECK_OFF(tva_mfg_block_t, media, 140);
TVA_CHECK_OFF(tva_mfg_block_t, initial_mode, 148);
TVA_CHECK_OFF(tva_mfg_block_t, md5_chksum, 240);

/* Packed: the driver takes it 276 bytes long, asic_block at offset 264. */
typedef struct __attribute__((packed)) tva_ioctl_flash_mfg_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_mfg_block_t mfg_block;
    uint64_t asic_block; /* address of the ASIC block after the record, or 0 */
    uint32_t asic_blen;
} tva_ioctl_flash_mfg_t;
TVA_CHECK_SIZE(tva_ioctl_flash_mfg_t, 276);
TVA_CHECK_OFF(tva_ioctl_flash_mfg_t, asic_block, 264);
TVA_CHECK_OFF(tva_ioctl_flash_mfg_t, asic_blen, 272);

/* PHY firmware request; the data follows. */
typedef struct tva_ioctl_phy_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t instance; /* port number */
    uint64_t bufsz;
    uint64_t buf_ptr;
} tva_ioctl_phy_t;
TVA_CHECK_SIZE(tva_ioctl_phy_t, 24);

typedef struct tva_phy_attr_s {
    uint32_t status; /* 0 good, 1 does not exist, 2 bad */
    uint32_t length;
    uint32_t fw_ver;
    uint32_t an_status;
    uint32_t pma_pmd_status;
    uint32_t pma_pmd_signal;
    uint32_t pcs_status;
} tva_phy_attr_t;
TVA_CHECK_SIZE(tva_phy_attr_t, 28);

typedef struct tva_ioctl_phy_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t instance;
    tva_phy_attr_t attr;
} tva_ioctl_phy_attr_t;
TVA_CHECK_SIZE(tva_ioctl_phy_attr_t, 36);

typedef struct tva_phy_stats_s {
    uint32_t status;
    uint32_t link_breaks;
    uint32_t pma_pmd_fault;
    uint32_t pcs_fault;
    uint32_t speed_neg;
    uint32_t tx_eq_training;
    uint32_t tx_eq_timeout;
    uint32_t crc_error;
} tva_phy_stats_t;
TVA_CHECK_SIZE(tva_phy_stats_t, 32);

typedef struct tva_ioctl_phy_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t instance;
    tva_phy_stats_t stats;
} tva_ioctl_phy_stats_t;
TVA_CHECK_SIZE(tva_ioctl_phy_stats_t, 40);

#define TVA_FRUVPD_CHUNK 4096

typedef struct tva_ioctl_fruvpd_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t offset;
    uint32_t len;
    uint8_t data[TVA_FRUVPD_CHUNK];
} tva_ioctl_fruvpd_t;
TVA_CHECK_SIZE(tva_ioctl_fruvpd_t, 4112);
TVA_CHECK_OFF(tva_ioctl_fruvpd_t, data, 16);

typedef struct tva_ioctl_fruvpd_max_size_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t max_size;
} tva_ioctl_fruvpd_max_size_t;
TVA_CHECK_SIZE(tva_ioctl_fruvpd_max_size_t, 12);

/* Temperature-FRU transfer: up to 64 bytes at an offset. */
#define TVA_TFRU_DATA_SIZE 64
typedef struct tva_ioctl_tfru_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t offset;
    uint32_t len;
    uint8_t data[TVA_TFRU_DATA_SIZE];
} tva_ioctl_tfru_t;
TVA_CHECK_SIZE(tva_ioctl_tfru_t, 80);

/* ---- boot settings ------------------------------------------------------------- */

typedef struct tva_boot_bootlun_s {
    wwn_t pwwn;
    uint8_t lun[8]; /* wire order */
} tva_boot_bootlun_t;
TVA_CHECK_SIZE(tva_boot_bootlun_t, 16);

#define TVA_BOOT_BLUNS 4
#define TVA_PBC_BLUNS 8

typedef struct tva_boot_cfg_s {
    uint8_t version;
    uint8_t rsvd1;
    uint16_t chksum;
    uint8_t enable;
    uint8_t speed;
    uint8_t topology;
    uint8_t bootopt;
    uint32_t nbluns;
    uint8_t bootup_delay;
    uint8_t rsvd2[3];
    tva_boot_bootlun_t blun[TVA_BOOT_BLUNS];
    tva_boot_bootlun_t blun_disc[TVA_BOOT_BLUNS];
} tva_boot_cfg_t;
TVA_CHECK_SIZE(tva_boot_cfg_t, 144);
TVA_CHECK_OFF(tva_boot_cfg_t, blun, 16);
TVA_CHECK_OFF(tva_boot_cfg_t, blun_disc, 80);

typedef struct tva_ioctl_boot_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_boot_cfg_t cfg;
} tva_ioctl_boot_t;
TVA_CHECK_SIZE(tva_ioctl_boot_t, 152);

typedef struct tva_boot_pbc_s {
    uint8_t enable;
    uint8_t speed;
    uint8_t topology;
    uint8_t rsvd1;
    uint32_t nbluns;
    tva_boot_bootlun_t pblun[TVA_PBC_BLUNS];
} tva_boot_pbc_t;
TVA_CHECK_SIZE(tva_boot_pbc_t, 136);

typedef struct tva_ioctl_preboot_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_boot_pbc_t cfg;
} tva_ioctl_preboot_t;
TVA_CHECK_SIZE(tva_ioctl_preboot_t, 144);

typedef struct tva_ethboot_cfg_s {
    uint8_t version;
    uint8_t rsvd1;
    uint16_t chksum;
    uint8_t enable;
    uint8_t rsvd2;
    uint16_t vlan;
} tva_ethboot_cfg_t;
TVA_CHECK_SIZE(tva_ethboot_cfg_t, 8);

typedef struct tva_ioctl_ethboot_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_ethboot_cfg_t cfg;
} tva_ioctl_ethboot_t;
TVA_CHECK_SIZE(tva_ioctl_ethboot_t, 16);

/* ---- storage function (IOC FC) settings, PCI functions -------------------------- */

typedef struct tva_iocfc_intr_attr_s {
    uint8_t coalesce;
    uint8_t rsvd[3];
    uint16_t latency; /* us */
    uint16_t delay;   /* us */
} tva_iocfc_intr_attr_t;
TVA_CHECK_SIZE(tva_iocfc_intr_attr_t, 8);

typedef struct tva_iocfc_cfg_s {
    uint32_t num_cqs;
    uint32_t num_ioim_reqs;
    uint32_t num_tskim_reqs;
    uint32_t num_fwtio_reqs;
    uint32_t num_fcxp_reqs;
    uint32_t num_uf_bufs;
    uint32_t num_rports;
    uint32_t num_lports;
    uint32_t num_sgpgs;
    uint32_t num_sboot_tgts;
    uint32_t num_sboot_luns;
    uint32_t rsvd[3];
} tva_iocfc_cfg_t;
TVA_CHECK_SIZE(tva_iocfc_cfg_t, 56);

typedef struct tva_iocfc_attr_s {
    tva_iocfc_cfg_t config;
    tva_iocfc_intr_attr_t intr_attr;
} tva_iocfc_attr_t;
TVA_CHECK_SIZE(tva_iocfc_attr_t, 64);

typedef struct tva_ioctl_iocfc_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_iocfc_attr_t iocfc_attr;
} tva_ioctl_iocfc_attr_t;
TVA_CHECK_SIZE(tva_ioctl_iocfc_attr_t, 72);

typedef struct tva_ioctl_iocfc_intr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_iocfc_intr_attr_t attr;
} tva_ioctl_iocfc_intr_t;
TVA_CHECK_SIZE(tva_ioctl_iocfc_intr_t, 16);

typedef struct tva_vhba_attr_s {
    wwn_t nwwn;
    wwn_t pwwn;
    uint32_t pid;
    uint32_t io_profile;
    uint32_t plog_enabled;
    uint16_t path_tov; /* seconds */
    uint8_t rsvd[2];
} tva_vhba_attr_t;
TVA_CHECK_SIZE(tva_vhba_attr_t, 32);

typedef struct tva_ioctl_vhba_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t pcifn_id;
    tva_vhba_attr_t attr;
} tva_ioctl_vhba_attr_t;
TVA_CHECK_SIZE(tva_ioctl_vhba_attr_t, 40);

typedef struct tva_ioctl_pcifn_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t pcifn_id; /* out for create */
    uint16_t bw_min;   /* units of 100 Mbit/s */
    uint16_t bw_max;
    uint8_t port;
    uint8_t rsvd0;
    uint16_t pcifn_class; /* TVA_PCI_CLASS_* */
    uint8_t rsvd[8];
} tva_ioctl_pcifn_t;
TVA_CHECK_SIZE(tva_ioctl_pcifn_t, 24);
TVA_CHECK_OFF(tva_ioctl_pcifn_t, bw_min, 8);
TVA_CHECK_OFF(tva_ioctl_pcifn_t, port, 12);

#define TVA_VNIC_ATTR_SIZE 39056
#define TVA_VNIC_STATS_SIZE 78320

/* Virtual NIC attributes / statistics: data area of bufsz bytes after the
 * 24-byte header. */
typedef struct tva_ioctl_vnic_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t pcifn_id;
    uint64_t bufsz;
    uint64_t buf_ptr;
} tva_ioctl_vnic_attr_t;
TVA_CHECK_SIZE(tva_ioctl_vnic_attr_t, 24);
typedef tva_ioctl_vnic_attr_t tva_ioctl_vnic_stats_t;

/* ---- logical, remote and virtual ports, nexus ----------------------------------- */

enum tva_lport_state {
    TVA_LPORT_UNINIT = 0,
    TVA_LPORT_FDISC = 1,
    TVA_LPORT_ONLINE = 2,
    TVA_LPORT_OFFLINE = 3,
};

enum tva_lport_role {
    TVA_LPORT_ROLE_FCP_IM = 1,
    TVA_LPORT_ROLE_FCP_TM = 2,
    TVA_LPORT_ROLE_FCP_IPFC = 4,
    TVA_LPORT_ROLE_FCP_MAX = 5,
};

#define TVA_SYMNAME_MAXLEN 128

typedef struct tva_lport_cfg_s {
    wwn_t pwwn;
    wwn_t nwwn;
    char sym_name[TVA_SYMNAME_MAXLEN];
    char node_sym_name[TVA_SYMNAME_MAXLEN];
    uint32_t roles; /* enum tva_lport_role */
    uint8_t un[4];
    uint32_t preboot_vp;
    uint8_t tag[16];
    uint32_t synth_fc;
} tva_lport_cfg_t;
TVA_CHECK_SIZE(tva_lport_cfg_t, 304);
TVA_CHECK_OFF(tva_lport_cfg_t, sym_name, 16);
TVA_CHECK_OFF(tva_lport_cfg_t, roles, 272);
TVA_CHECK_OFF(tva_lport_cfg_t, tag, 284);

typedef struct tva_lport_attr_s {
    uint32_t state; /* enum tva_lport_state */
    uint32_t pid;
    tva_lport_cfg_t port_cfg;
    uint32_t port_type; /* enum tva_port_type */
    uint32_t loopback;
    wwn_t fabric_name;
    char fabric_ip_addr[16];
    mac_t fpma_mac;
    uint16_t authfail;
} tva_lport_attr_t;
TVA_CHECK_SIZE(tva_lport_attr_t, 352);
TVA_CHECK_OFF(tva_lport_attr_t, port_cfg, 8);
TVA_CHECK_OFF(tva_lport_attr_t, fabric_name, 320);
TVA_CHECK_OFF(tva_lport_attr_t, authfail, 350);

#define TVA_LPORT_STATS_SIZE 248
#define TVA_ITNIM_IOSTATS_SIZE 216
#define TVA_ITNIM_STATS_SIZE 48
#define TVA_RPORT_STATS_SIZE 264
#define TVA_VPORT_STATS_SIZE 328
#define TVA_FCPIM_DEL_ITN_STATS_SIZE 32

typedef struct tva_ioctl_lport_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    tva_lport_attr_t port_attr;
} tva_ioctl_lport_attr_t;
TVA_CHECK_SIZE(tva_ioctl_lport_attr_t, 368);

typedef struct tva_ioctl_lport_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    uint8_t port_stats[TVA_LPORT_STATS_SIZE];
} tva_ioctl_lport_stats_t;
TVA_CHECK_SIZE(tva_ioctl_lport_stats_t, 264);

typedef struct tva_ioctl_lport_iostats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    uint8_t iostats[TVA_ITNIM_IOSTATS_SIZE];
} tva_ioctl_lport_iostats_t;
TVA_CHECK_SIZE(tva_ioctl_lport_iostats_t, 232);

typedef struct tva_ioctl_lport_reset_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
} tva_ioctl_lport_reset_stats_t;
TVA_CHECK_SIZE(tva_ioctl_lport_reset_stats_t, 16);

typedef struct tva_rport_qualifier_s {
    wwn_t pwwn;
    uint32_t pid;
    uint32_t rsvd;
} tva_rport_qualifier_t;
TVA_CHECK_SIZE(tva_rport_qualifier_t, 16);

/* Remote port list; nrports qualifiers follow the header. */
typedef struct tva_ioctl_lport_get_rports_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    uint64_t rbuf_ptr;
    uint32_t nrports; /* in: room, out: count */
    uint32_t rsvd;
} tva_ioctl_lport_get_rports_t;
TVA_CHECK_SIZE(tva_ioctl_lport_get_rports_t, 32);
TVA_CHECK_OFF(tva_ioctl_lport_get_rports_t, rbuf_ptr, 16);
TVA_CHECK_OFF(tva_ioctl_lport_get_rports_t, nrports, 24);

/* Logical port list; nports WWNs follow the header. */
typedef struct tva_ioctl_fabric_get_lports_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    uint64_t buf_ptr;
    uint32_t nports; /* in: room, out: count */
    uint32_t rsvd;
} tva_ioctl_fabric_get_lports_t;
TVA_CHECK_SIZE(tva_ioctl_fabric_get_lports_t, 24);

enum tva_rport_state {
    TVA_RPORT_UNINIT = 0,
    TVA_RPORT_OFFLINE = 1,
    TVA_RPORT_PLOGI = 2,
    TVA_RPORT_ONLINE = 3,
    TVA_RPORT_PLOGI_RETRY = 4,
    TVA_RPORT_NSQUERY = 5,
    TVA_RPORT_ADISC = 6,
    TVA_RPORT_LOGO = 7,
    TVA_RPORT_LOGORCV = 8,
    TVA_RPORT_NSDISC = 9,
    TVA_RPORT_FC4_OFF_PLOGI = 10,
    TVA_RPORT_PLOGI_PENDING = 11,
    TVA_RPORT_FC4_OFF_DELETE = 12,
    TVA_RPORT_DELETE_PENDING = 13,
};

enum tva_rport_function {
    TVA_RPORT_INITIATOR = 1,
    TVA_RPORT_TARGET = 2,
};

enum tva_qos_priority {
    TVA_QOS_UNKNOWN = 0,
    TVA_QOS_HIGH = 1,
    TVA_QOS_MED = 2,
    TVA_QOS_LOW = 3,
};

typedef struct tva_rport_symname_s {
    char symname[256]; /* up to 255 characters */
} tva_rport_symname_t;

typedef struct tva_rport_qos_attr_s {
    uint8_t qos_priority; /* enum tva_qos_priority */
    uint8_t rsvd[3];
    uint32_t qos_flow_id;
} tva_rport_qos_attr_t;
TVA_CHECK_SIZE(tva_rport_qos_attr_t, 8);

typedef struct tva_rport_attr_s {
    wwn_t nwwn;
    wwn_t pwwn;
    uint32_t cos_supported;
    uint32_t pid;
    uint32_t df_sz;
    uint32_t state; /* enum tva_rport_state */
    uint32_t fc_cos;
    uint32_t cisc;
    tva_rport_symname_t symname;
    uint32_t scsi_function; /* enum tva_rport_function */
    tva_rport_qos_attr_t qos_attr;
    uint32_t curr_speed;
    uint32_t trl_enforced;
    uint32_t assigned_speed;
} tva_rport_attr_t;
TVA_CHECK_SIZE(tva_rport_attr_t, 320);
TVA_CHECK_OFF(tva_rport_attr_t, symname, 40);
TVA_CHECK_OFF(tva_rport_attr_t, scsi_function, 296);
TVA_CHECK_OFF(tva_rport_attr_t, assigned_speed, 316);

typedef struct tva_ioctl_rport_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    wwn_t rpwwn;
    uint32_t pid;
    uint32_t rsvd;
    tva_rport_attr_t attr;
} tva_ioctl_rport_attr_t;
TVA_CHECK_SIZE(tva_ioctl_rport_attr_t, 352);
TVA_CHECK_OFF(tva_ioctl_rport_attr_t, attr, 32);

typedef struct tva_ioctl_rport_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    wwn_t rpwwn;
    uint8_t stats[TVA_RPORT_STATS_SIZE];
} tva_ioctl_rport_stats_t;
TVA_CHECK_SIZE(tva_ioctl_rport_stats_t, 288);

typedef struct tva_ioctl_rport_reset_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    wwn_t rpwwn;
} tva_ioctl_rport_reset_stats_t;
TVA_CHECK_SIZE(tva_ioctl_rport_reset_stats_t, 24);

/* Remote port add / remove (persistent remote port of a logical port). */
typedef struct tva_ioctl_rport_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t pwwn;
    wwn_t rpwwn;
} tva_ioctl_rport_t;
TVA_CHECK_SIZE(tva_ioctl_rport_t, 24);

typedef struct tva_ioctl_rport_set_speed_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    uint32_t speed; /* enum tva_port_speed */
    uint32_t rsvd;
    wwn_t pwwn;
    wwn_t rpwwn;
} tva_ioctl_rport_set_speed_t;
TVA_CHECK_SIZE(tva_ioctl_rport_set_speed_t, 32);
TVA_CHECK_OFF(tva_ioctl_rport_set_speed_t, pwwn, 16);

typedef struct tva_ioctl_itnim_itnstats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t lpwwn;
    wwn_t rpwwn;
    uint8_t itnstats[TVA_ITNIM_STATS_SIZE];
} tva_ioctl_itnim_itnstats_t;
TVA_CHECK_SIZE(tva_ioctl_itnim_itnstats_t, 72);

typedef struct tva_ioctl_itnim_iostats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t lpwwn;
    wwn_t rpwwn;
    uint8_t iostats[TVA_ITNIM_IOSTATS_SIZE];
} tva_ioctl_itnim_iostats_t;
TVA_CHECK_SIZE(tva_ioctl_itnim_iostats_t, 240);

#define TVA_IOBUCKET_MAX 14

typedef struct tva_itnim_latency_s {
    uint64_t min[TVA_IOBUCKET_MAX];
    uint64_t max[TVA_IOBUCKET_MAX];
    uint64_t count[TVA_IOBUCKET_MAX];
    uint64_t avg[TVA_IOBUCKET_MAX];
} tva_itnim_latency_t;
TVA_CHECK_SIZE(tva_itnim_latency_t, 448);

typedef struct tva_itnim_ioprofile_s {
    uint32_t clock_res_mul;
    uint32_t clock_res_div;
    uint32_t index;
    uint32_t io_profile_start_time;
    uint32_t iocomps[TVA_IOBUCKET_MAX];
    tva_itnim_latency_t io_latency;
} tva_itnim_ioprofile_t;
TVA_CHECK_SIZE(tva_itnim_ioprofile_t, 520);
TVA_CHECK_OFF(tva_itnim_ioprofile_t, io_latency, 72);

typedef struct tva_ioctl_itnim_ioprofile_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t lpwwn;
    wwn_t rpwwn;
    tva_itnim_ioprofile_t ioprofile;
} tva_ioctl_itnim_ioprofile_t;
TVA_CHECK_SIZE(tva_ioctl_itnim_ioprofile_t, 544);

typedef struct tva_ioctl_itnim_reset_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t lpwwn;
    wwn_t rpwwn;
} tva_ioctl_itnim_reset_stats_t;
TVA_CHECK_SIZE(tva_ioctl_itnim_reset_stats_t, 24);

typedef struct tva_ioctl_fcpim_qdepth_s {
    TVA_PAYLOAD_HDR_U16(q_depth);
    uint8_t rsvd[8];
} tva_ioctl_fcpim_qdepth_t;
TVA_CHECK_SIZE(tva_ioctl_fcpim_qdepth_t, 16);

typedef struct tva_ioctl_fcpim_modstats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint8_t modstats[TVA_ITNIM_IOSTATS_SIZE];
} tva_ioctl_fcpim_modstats_t;
TVA_CHECK_SIZE(tva_ioctl_fcpim_modstats_t, 224);

typedef struct tva_ioctl_fcpim_del_itn_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint8_t modstats[TVA_FCPIM_DEL_ITN_STATS_SIZE];
} tva_ioctl_fcpim_del_itn_stats_t;
TVA_CHECK_SIZE(tva_ioctl_fcpim_del_itn_stats_t, 40);

typedef struct tva_defs_fcpim_throttle_s {
    uint16_t max_value;
    uint16_t cur_value;
    uint16_t cfg_value;
    uint16_t rsvd;
} tva_defs_fcpim_throttle_t;
TVA_CHECK_SIZE(tva_defs_fcpim_throttle_t, 8);

typedef struct tva_ioctl_fcpim_throttle_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_defs_fcpim_throttle_t throttle;
} tva_ioctl_fcpim_throttle_t;
TVA_CHECK_SIZE(tva_ioctl_fcpim_throttle_t, 16);

enum tva_vport_state {
    TVA_VPORT_UNINIT = 0,
    TVA_VPORT_CREATED = 1,
    TVA_VPORT_OFFLINE = 1,
    TVA_VPORT_FDISC_SEND = 2,
    TVA_VPORT_FDISC = 3,
    TVA_VPORT_FDISC_RETRY = 4,
    TVA_VPORT_FDISC_RSP_WAIT = 5,
    TVA_VPORT_ONLINE = 6,
    TVA_VPORT_DELETING = 7,
    TVA_VPORT_CLEANUP = 8,
    TVA_VPORT_LOGO_SEND = 9,
    TVA_VPORT_LOGO = 10,
    TVA_VPORT_ERROR = 11,
    TVA_VPORT_MAX_STATE = 12,
};

typedef struct tva_vport_attr_s {
    tva_lport_attr_t port_attr;
    uint32_t vport_state; /* enum tva_vport_state */
    uint32_t rsvd;
} tva_vport_attr_t;
TVA_CHECK_SIZE(tva_vport_attr_t, 360);

typedef struct tva_ioctl_vport_create_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t vpwwn;
    tva_lport_cfg_t port_cfg; /* pwwn, nwwn (0: the function's own), sym_name */
} tva_ioctl_vport_create_t;
TVA_CHECK_SIZE(tva_ioctl_vport_create_t, 320);
TVA_CHECK_OFF(tva_ioctl_vport_create_t, port_cfg, 16);

typedef struct tva_ioctl_vport_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t vpwwn;
    wwn_t vnwwn;
} tva_ioctl_vport_t;
TVA_CHECK_SIZE(tva_ioctl_vport_t, 24);

typedef struct tva_ioctl_vport_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t vpwwn;
    tva_vport_attr_t vport_attr;
} tva_ioctl_vport_attr_t;
TVA_CHECK_SIZE(tva_ioctl_vport_attr_t, 376);

typedef struct tva_ioctl_vport_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t vpwwn;
    uint8_t vport_stats[TVA_VPORT_STATS_SIZE];
} tva_ioctl_vport_stats_t;
TVA_CHECK_SIZE(tva_ioctl_vport_stats_t, 344);

typedef struct tva_ioctl_vport_reset_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    wwn_t vpwwn;
} tva_ioctl_vport_reset_stats_t;
TVA_CHECK_SIZE(tva_ioctl_vport_reset_stats_t, 16);

#define TVA_VF_STATS_SIZE 48
typedef struct tva_ioctl_vf_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t vf_id;
    uint8_t stats[TVA_VF_STATS_SIZE];
} tva_ioctl_vf_stats_t;
TVA_CHECK_SIZE(tva_ioctl_vf_stats_t, 56);

/* ---- QoS, rate limiting, authentication -------------------------------------- */

enum tva_qos_state {
    TVA_QOS_DISABLED = 0,
    TVA_QOS_ONLINE = 1,
    TVA_QOS_OFFLINE = 2,
};

typedef struct tva_qos_attr_s {
    uint8_t state; /* enum tva_qos_state */
    uint8_t rsvd[3];
    uint32_t total_bb_cr;
    tva_qos_bw_t qos_bw;
    tva_qos_bw_t qos_bw_op;
} tva_qos_attr_t;
TVA_CHECK_SIZE(tva_qos_attr_t, 16);

typedef struct tva_ioctl_qos_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_qos_attr_t attr;
} tva_ioctl_qos_attr_t;
TVA_CHECK_SIZE(tva_ioctl_qos_attr_t, 24);

#define TVA_QOS_VC_MAX 16

typedef struct tva_qos_vc_info_s {
    uint8_t vc_credit;
    uint8_t borrow_credit;
    uint8_t priority;
    uint8_t resvd;
} tva_qos_vc_info_t;
TVA_CHECK_SIZE(tva_qos_vc_info_t, 4);

typedef struct tva_qos_vc_attr_s {
    uint16_t total_vc_count;
    uint16_t shared_credit;
    uint32_t elp_opmode_flags;
    tva_qos_vc_info_t vc_info[TVA_QOS_VC_MAX];
} tva_qos_vc_attr_t;
TVA_CHECK_SIZE(tva_qos_vc_attr_t, 72);

typedef struct tva_ioctl_qos_vc_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_qos_vc_attr_t attr;
} tva_ioctl_qos_vc_attr_t;
TVA_CHECK_SIZE(tva_ioctl_qos_vc_attr_t, 80);

typedef struct tva_ioctl_qos_bw_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_qos_bw_t qos_bw;
} tva_ioctl_qos_bw_t;
TVA_CHECK_SIZE(tva_ioctl_qos_bw_t, 12);

typedef struct tva_ioctl_trl_speed_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t speed; /* enum tva_port_speed */
} tva_ioctl_trl_speed_t;
TVA_CHECK_SIZE(tva_ioctl_trl_speed_t, 12);

enum tva_auth_status {
    TVA_AUTH_STATUS_NONE = 0,
    TVA_AUTH_UNINIT = 1,
    TVA_AUTH_NEG_SEND = 2,
    TVA_AUTH_CHAL_WAIT = 3,
    TVA_AUTH_NEG_RETRY = 4,
    TVA_AUTH_REPLY_SEND = 5,
    TVA_AUTH_STATUS_WAIT = 6,
    TVA_AUTH_SUCCESS = 7,
    TVA_AUTH_FAILED = 8,
    TVA_AUTH_STATUS_UNKNOWN = 9,
};

enum tva_auth_algo {
    TVA_AUTH_ALGO_MD5 = 1,
    TVA_AUTH_ALGO_SHA1 = 2,
    TVA_AUTH_ALGO_MS = 3,
    TVA_AUTH_ALGO_SM = 4,
};

enum tva_auth_group {
    TVA_AUTH_GROUP_DHNULL = 0,
    TVA_AUTH_GROUP_DH768 = 1,
    TVA_AUTH_GROUP_DH1024 = 2,
    TVA_AUTH_GROUP_DH1280 = 4,
    TVA_AUTH_GROUP_DH1536 = 8,
    TVA_AUTH_GROUP_ALL = 256,
};

typedef struct tva_auth_attr_s {
    uint32_t status; /* enum tva_auth_status */
    uint32_t algo;   /* enum tva_auth_algo */
    uint32_t dh_grp; /* enum tva_auth_group */
    uint32_t rjt_code;
    uint32_t rjt_code_exp;
    uint8_t secret_set;
    uint8_t resv[3];
} tva_auth_attr_t;
TVA_CHECK_SIZE(tva_auth_attr_t, 24);

typedef struct tva_ioctl_auth_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_auth_attr_t attr;
} tva_ioctl_auth_attr_t;
TVA_CHECK_SIZE(tva_ioctl_auth_attr_t, 32);

typedef struct tva_auth_proto_stats_s {
    uint32_t auth_rjts;
    uint32_t auth_negs;
    uint32_t auth_dones;
    uint32_t dhchap_challenges;
    uint32_t dhchap_replies;
    uint32_t dhchap_successes;
} tva_auth_proto_stats_t;
TVA_CHECK_SIZE(tva_auth_proto_stats_t, 24);

typedef struct tva_auth_stats_s {
    uint32_t auth_failures;
    uint32_t auth_successes;
    tva_auth_proto_stats_t auth_rx_stats;
    tva_auth_proto_stats_t auth_tx_stats;
} tva_auth_stats_t;
TVA_CHECK_SIZE(tva_auth_stats_t, 56);

typedef struct tva_ioctl_auth_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_auth_stats_t stats;
} tva_ioctl_auth_stats_t;
TVA_CHECK_SIZE(tva_ioctl_auth_stats_t, 64);

/* Policy, algorithm, group and secret source: one 32-bit value. */
typedef struct tva_ioctl_auth_value_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint32_t value;
    uint32_t rsvd1;
} tva_ioctl_auth_value_t;
TVA_CHECK_SIZE(tva_ioctl_auth_value_t, 16);
typedef tva_ioctl_auth_value_t tva_ioctl_auth_policy_t;
typedef tva_ioctl_auth_value_t tva_ioctl_auth_algo_t;
typedef tva_ioctl_auth_value_t tva_ioctl_auth_group_t;
typedef tva_ioctl_auth_value_t tva_ioctl_auth_secretsource_t;

#define TVA_AUTH_SECRET_MAX 256

typedef struct tva_ioctl_auth_secretstring_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t length; /* characters */
    uint32_t secret[TVA_AUTH_SECRET_MAX]; /* enciphered characters */
    char text[TVA_AUTH_SECRET_MAX];
} tva_ioctl_auth_secretstring_t;
TVA_CHECK_SIZE(tva_ioctl_auth_secretstring_t, 1288);
TVA_CHECK_OFF(tva_ioctl_auth_secretstring_t, secret, 8);
TVA_CHECK_OFF(tva_ioctl_auth_secretstring_t, text, 1032);

/* ---- IP over FC (sent on /dev/tvaipfc) ----------------------------------------- */

typedef struct tva_ipfc_attr_s {
    uint32_t enabled;
    uint32_t mtu;
    char eth_name[64];
} tva_ipfc_attr_t;
TVA_CHECK_SIZE(tva_ipfc_attr_t, 72);

typedef struct tva_ioctl_ipfc_attr_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    tva_ipfc_attr_t attr;
    uint32_t rsvd1;
} tva_ioctl_ipfc_attr_t;
TVA_CHECK_SIZE(tva_ioctl_ipfc_attr_t, 84);

#define TVA_IPFC_STATS_SIZE 40
typedef struct tva_ioctl_ipfc_stats_s {
    uint32_t status;
    uint16_t tvad_num;
    uint16_t rsvd;
    uint8_t stats[TVA_IPFC_STATS_SIZE];
} tva_ioctl_ipfc_stats_t;
TVA_CHECK_SIZE(tva_ioctl_ipfc_stats_t, 48);

/* (new payload layouts go above this line) */

/* ---- the request buffer ---------------------------------------------------
 * A union of every payload; senders build their payload at its start. */
typedef union tval_ioctl_u {
    tva_ioctl_gen_t gen;
    tva_ioctl_ioc_attr_t ioc_attr;
    tva_ioctl_ioc_info_t ioc_info;
    tva_ioctl_scsi_t scsi;
    tva_ioctl_fcpt_t fcpt;
    tva_ioctl_itnim_attr_t itnim_attr;
    tva_ioctl_rport_scsi_addr_t rport_scsi_addr;
    tva_ioctl_fcpim_lunmask_query_t lunmask_query;
    tva_ioctl_fcpim_lunmask_t lunmask;
    tva_ioctl_flash_t flash;
    tva_ioctl_flash_attr_t flash_attr;
    tva_ioctl_port_cfg_maxfrsize_t port_cfg_maxfrsize;
    tva_ioctl_fcpim_t fcpim;
    tva_ioctl_fcpim_profile_t fcpim_profile;
    tva_ioctl_fcpim_modstatsclr_t fcpim_modstatsclr;
    tva_ioctl_vf_reset_stats_t vf_reset_stats;
    tva_ioctl_port_trunk_t port_trunk;
    tva_ioctl_ioc_stats_t ioc_stats;
    tva_ioctl_port_stats_t port_stats;
    tva_ioctl_ioc_set_adapter_name_t ioc_set_adapter_name;
    tva_ioctl_pcifn_cfg_t pcifn_cfg;
    tva_ioctl_adapter_cfg_mode_t adapter_cfg_mode;
    tva_ioctl_diag_regread_t diag_regread;
    tva_ioctl_diag_regwrite_t diag_regwrite;
    tva_ioctl_diag_kva_t diag_kva;
    tva_ioctl_diag_get_temp_t diag_get_temp;
    tva_ioctl_diag_memtest_t diag_memtest;
    tva_ioctl_diag_loopback_t diag_loopback;
    tva_ioctl_diag_ll_loopback_t diag_ll_loopback;
    tva_ioctl_diag_fwping_t diag_fwping;
    tva_ioctl_diag_qtest_t diag_qtest;
    tva_ioctl_diag_sfp_t diag_sfp;
    tva_ioctl_diag_led_t diag_led;
    tva_ioctl_diag_beacon_t diag_beacon;
    tva_ioctl_diag_dport_get_state_t diag_dport_get_state;
    tva_ioctl_sfp_media_t sfp_media;
    tva_ioctl_sfp_speed_t sfp_speed;
    tva_ioctl_debug_t debug;
    tva_ioctl_portlogctl_t portlogctl;
    tva_ioctl_log_t log;
    tva_ioctl_port_attr_t port_attr;
    tva_ioctl_port_cfg_topo_t port_cfg_topo;
    tva_ioctl_port_cfg_speed_t port_cfg_speed;
    tva_ioctl_port_alpa_t port_alpa;
    tva_ioctl_port_rnid_t port_rnid;
    tva_ioctl_port_cfg_mode_t port_cfg_mode;
    tva_ioctl_trunk_attr_t trunk_attr;
    tva_ioctl_faa_attr_t faa_attr;
    tva_ioctl_fcport_stats_t fcport_stats;
    tva_ioctl_cee_attr_t cee_attr;
    tva_ioctl_ethport_attr_t ethport_attr;
    tva_ioctl_ethport_stats_t ethport_stats;
    tva_ioctl_ethport_cfg_t ethport_cfg;
    tva_ioctl_flash_mfg_t flash_mfg;
    tva_ioctl_phy_t phy;
    tva_ioctl_phy_attr_t phy_attr;
    tva_ioctl_phy_stats_t phy_stats;
    tva_ioctl_fruvpd_t fruvpd;
    tva_ioctl_fruvpd_max_size_t fruvpd_max_size;
    tva_ioctl_tfru_t tfru;
    tva_ioctl_boot_t boot;
    tva_ioctl_preboot_t preboot;
    tva_ioctl_ethboot_t ethboot;
    tva_ioctl_iocfc_attr_t iocfc_attr;
    tva_ioctl_iocfc_intr_t iocfc_intr;
    tva_ioctl_vhba_attr_t vhba_attr;
    tva_ioctl_pcifn_t pcifn;
    tva_ioctl_vnic_attr_t vnic_attr;
    tva_ioctl_lport_attr_t lport_attr;
    tva_ioctl_lport_stats_t lport_stats;
    tva_ioctl_lport_iostats_t lport_iostats;
    tva_ioctl_lport_reset_stats_t lport_reset_stats;
    tva_ioctl_lport_get_rports_t lport_get_rports;
    tva_ioctl_fabric_get_lports_t fabric_get_lports;
    tva_ioctl_rport_attr_t rport_attr;
    tva_ioctl_rport_stats_t rport_stats;
    tva_ioctl_rport_reset_stats_t rport_reset_stats;
    tva_ioctl_rport_t rport;
    tva_ioctl_rport_set_speed_t rport_set_speed;
    tva_ioctl_itnim_itnstats_t itnim_itnstats;
    tva_ioctl_itnim_iostats_t itnim_iostats;
    tva_ioctl_itnim_ioprofile_t itnim_ioprofile;
    tva_ioctl_itnim_reset_stats_t itnim_reset_stats;
    tva_ioctl_fcpim_qdepth_t fcpim_qdepth;
    tva_ioctl_fcpim_modstats_t fcpim_modstats;
    tva_ioctl_fcpim_del_itn_stats_t fcpim_del_itn_stats;
    tva_ioctl_fcpim_throttle_t fcpim_throttle;
    tva_ioctl_vport_create_t vport_create;
    tva_ioctl_vport_t vport;
    tva_ioctl_vport_attr_t vport_attr;
    tva_ioctl_vport_stats_t vport_stats;
    tva_ioctl_vport_reset_stats_t vport_reset_stats;
    tva_ioctl_vf_stats_t vf_stats;
    tva_ioctl_qos_attr_t qos_attr;
    tva_ioctl_qos_vc_attr_t qos_vc_attr;
    tva_ioctl_qos_bw_t qos_bw;
    tva_ioctl_trl_speed_t trl_speed;
    tva_ioctl_auth_attr_t auth_attr;
    tva_ioctl_auth_stats_t auth_stats;
    tva_ioctl_auth_value_t auth_value;
    tva_ioctl_auth_secretstring_t auth_secretstring;
    tva_ioctl_ipfc_attr_t ipfc_attr;
    tva_ioctl_ipfc_stats_t ipfc_stats;
    uint8_t raw[TVA_IOCTL_BUF_SIZE];
} tval_ioctl_t;
typedef tval_ioctl_t tval_args_t;
TVA_CHECK_SIZE(tval_args_t, TVA_IOCTL_BUF_SIZE);

/* Every request code carries the size of its payload. */
TVA_CHECK_CODE(TVA_IOCTL_DIAG_MEMREAD, tva_ioctl_diag_kva_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_GET_ATTR, tva_ioctl_ioc_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_GET_INFO, tva_ioctl_ioc_info_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_GET_STATS, tva_ioctl_ioc_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_RESET_STATS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_ADAPTER_SET_NAME, tva_ioctl_ioc_set_adapter_name_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_SET_NAME, tva_ioctl_ioc_set_adapter_name_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_GET_FWSTATS, tva_ioctl_ioc_fwstats_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_RESET_FWSTATS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_PCIFN_CFG_GET, tva_ioctl_pcifn_cfg_t);
TVA_CHECK_CODE(TVA_IOCTL_ADAPTER_CFG_MODE, tva_ioctl_adapter_cfg_mode_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_REGREAD, tva_ioctl_diag_regread_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_REGWRITE, tva_ioctl_diag_regwrite_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_TSENSOR_QUERY, tva_ioctl_diag_get_temp_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_MEMTEST, tva_ioctl_diag_memtest_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_LOOPBACK, tva_ioctl_diag_loopback_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_FWPING, tva_ioctl_diag_fwping_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_QUEUETEST, tva_ioctl_diag_qtest_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_SFP_QUERY, tva_ioctl_diag_sfp_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_LED_TEST, tva_ioctl_diag_led_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_BEACON_LPORT, tva_ioctl_diag_beacon_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_ETH_LOOPBACK, tva_ioctl_diag_ll_loopback_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_GET_LB_STATUS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_DPORT_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_DPORT_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_DIAG_DPORT_GET_STATE, tva_ioctl_diag_dport_get_state_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_DRV_TRACE, tva_ioctl_debug_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_DRV_STATE, tva_ioctl_debug_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_FW_TRACE, tva_ioctl_debug_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_FW_STATE, tva_ioctl_debug_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_FW_STATE_CLR, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_FW_CORE, tva_ioctl_debug_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_PORTLOG, tva_ioctl_debug_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_PORTLOG_CLR, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_PORTLOG_CTL, tva_ioctl_portlogctl_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_DTRC_START, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_DEBUG_DTRC_STOP, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_LOG_SET_LEVEL, tva_ioctl_log_t);
TVA_CHECK_CODE(TVA_IOCTL_LOG_GET_LEVEL, tva_ioctl_log_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_GET_ATTR, tva_ioctl_port_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_GET_STATS, tva_ioctl_port_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_RESET_STATS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_CFG_TOPOLOGY, tva_ioctl_port_cfg_topo_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_CFG_SPEED, tva_ioctl_port_cfg_speed_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_CFG_HARDALPA, tva_ioctl_port_alpa_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_CLR_HARDALPA, tva_ioctl_port_alpa_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_CFG_MAXFRSIZE, tva_ioctl_port_cfg_maxfrsize_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_CFG_RNID_INFO, tva_ioctl_port_rnid_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_GET_RNID_INFO, tva_ioctl_port_rnid_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_CFG_MODE, tva_ioctl_port_cfg_mode_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_BBSC_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_BBSC_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_NWPART_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_NWPART_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_CEE_RESET_STATS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_CEE_GET_ATTR, tva_ioctl_cee_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_CEE_GET_STATS, tva_ioctl_cee_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_SFP_MEDIA, tva_ioctl_sfp_media_t);
TVA_CHECK_CODE(TVA_IOCTL_SFP_SPEED, tva_ioctl_sfp_speed_t);
TVA_CHECK_CODE(TVA_IOCTL_ETHBOOT_CFG, tva_ioctl_ethboot_t);
TVA_CHECK_CODE(TVA_IOCTL_ETHBOOT_QUERY, tva_ioctl_ethboot_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_GET_ATTR, tva_ioctl_flash_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_ERASE_PART, tva_ioctl_flash_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_UPDATE_PART, tva_ioctl_flash_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_READ_PART, tva_ioctl_flash_t);
TVA_CHECK_CODE(TVA_IOCTL_MFG_UPDATE, tva_ioctl_flash_mfg_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_ENABLE_OPTROM, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_FLASH_DISABLE_OPTROM, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_PHY_UPDATE, tva_ioctl_phy_t);
TVA_CHECK_CODE(TVA_IOCTL_PHY_READ, tva_ioctl_phy_t);
TVA_CHECK_CODE(TVA_IOCTL_PHY_GET_ATTR, tva_ioctl_phy_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_PHY_GET_STATS, tva_ioctl_phy_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_VHBA_CREATE, tva_ioctl_pcifn_t);
TVA_CHECK_CODE(TVA_IOCTL_VHBA_DELETE, tva_ioctl_pcifn_t);
TVA_CHECK_CODE(TVA_IOCTL_PCIFN_ENABLE, tva_ioctl_pcifn_t);
TVA_CHECK_CODE(TVA_IOCTL_PCIFN_DISABLE, tva_ioctl_pcifn_t);
TVA_CHECK_CODE(TVA_IOCTL_PCIFN_CFG_TYPE, tva_ioctl_pcifn_t);
TVA_CHECK_CODE(TVA_IOCTL_VHBA_SET_BW, tva_ioctl_pcifn_t);
TVA_CHECK_CODE(TVA_IOCTL_VNIC_GET_ATTR, tva_ioctl_vnic_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_VNIC_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_VNIC_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_VNIC_GET_STATS, tva_ioctl_vnic_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_VNIC_CLEAR_STATS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_VHBA_GET_ATTR, tva_ioctl_vhba_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_VHBA_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_VHBA_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_TFRU_READ, tva_ioctl_tfru_t);
TVA_CHECK_CODE(TVA_IOCTL_TFRU_WRITE, tva_ioctl_tfru_t);
TVA_CHECK_CODE(TVA_IOCTL_FRUVPD_READ, tva_ioctl_fruvpd_t);
TVA_CHECK_CODE(TVA_IOCTL_FRUVPD_WRITE, tva_ioctl_fruvpd_t);
TVA_CHECK_CODE(TVA_IOCTL_FRUVPD_GET_MAX_SIZE, tva_ioctl_fruvpd_max_size_t);
TVA_CHECK_CODE(TVA_IOCTL_ETHPORT_GET_STATS, tva_ioctl_ethport_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_ETHPORT_GET_ATTR, tva_ioctl_ethport_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_ETHPORT_GET_CFG, tva_ioctl_ethport_cfg_t);
TVA_CHECK_CODE(TVA_IOCTL_IOCFC_GET_ATTR, tva_ioctl_iocfc_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_IOCFC_INTR_SET, tva_ioctl_iocfc_intr_t);
TVA_CHECK_CODE(TVA_IOCTL_LPORT_GET_ATTR, tva_ioctl_lport_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_LPORT_GET_IOSTATS, tva_ioctl_lport_iostats_t);
TVA_CHECK_CODE(TVA_IOCTL_LPORT_GET_STATS, tva_ioctl_lport_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_LPORT_RESET_STATS, tva_ioctl_lport_reset_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_LPORT_GET_RPORT_QUALIFIERS, tva_ioctl_lport_get_rports_t);
TVA_CHECK_CODE(TVA_IOCTL_RPORT_ADD, tva_ioctl_rport_t);
TVA_CHECK_CODE(TVA_IOCTL_RPORT_REMOVE, tva_ioctl_rport_t);
TVA_CHECK_CODE(TVA_IOCTL_RPORT_GET_STATS, tva_ioctl_rport_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_RPORT_RESET_STATS, tva_ioctl_rport_reset_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_RPORT_GET_ATTR, tva_ioctl_rport_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_RPORT_GET_SCSI_ADDRESS, tva_ioctl_rport_scsi_addr_t);
TVA_CHECK_CODE(TVA_IOCTL_RPORT_SET_SPEED, tva_ioctl_rport_set_speed_t);
TVA_CHECK_CODE(TVA_IOCTL_VPORT_CREATE, tva_ioctl_vport_create_t);
TVA_CHECK_CODE(TVA_IOCTL_VPORT_DELETE, tva_ioctl_vport_t);
TVA_CHECK_CODE(TVA_IOCTL_VPORT_START, tva_ioctl_vport_t);
TVA_CHECK_CODE(TVA_IOCTL_VPORT_STOP, tva_ioctl_vport_t);
TVA_CHECK_CODE(TVA_IOCTL_VPORT_GET_ATTR, tva_ioctl_vport_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_VPORT_GET_STATS, tva_ioctl_vport_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_VPORT_RESET_STATS, tva_ioctl_vport_reset_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_VF_GET_STATS, tva_ioctl_vf_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_VF_RESET_STATS, tva_ioctl_vf_reset_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_QOS_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_QOS_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_QOS_GET_ATTR, tva_ioctl_qos_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_QOS_GET_VC_ATTR, tva_ioctl_qos_vc_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_QOS_RESET_STATS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_QOS_SET_BW, tva_ioctl_qos_bw_t);
TVA_CHECK_CODE(TVA_IOCTL_RATELIM_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_RATELIM_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_RATELIM_SET_SPEED, tva_ioctl_trl_speed_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_FAST_FAILOVER, tva_ioctl_fcpim_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_QDEPTH, tva_ioctl_fcpim_qdepth_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_GET_MODSTATS, tva_ioctl_fcpim_modstats_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_CLR_MODSTATS, tva_ioctl_fcpim_modstatsclr_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_PROFILE_ON, tva_ioctl_fcpim_profile_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_PROFILE_OFF, tva_ioctl_fcpim_profile_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_GET_DEL_ITN_STATS, tva_ioctl_fcpim_del_itn_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_LUNMASK_QUERY, tva_ioctl_fcpim_lunmask_query_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_LUNMASK_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_LUNMASK_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_LUNMASK_ADD, tva_ioctl_fcpim_lunmask_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_LUNMASK_DELETE, tva_ioctl_fcpim_lunmask_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_LUNMASK_CLEAR, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_THROTTLE_QUERY, tva_ioctl_fcpim_throttle_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPIM_THROTTLE_SET, tva_ioctl_fcpim_throttle_t);
TVA_CHECK_CODE(TVA_IOCTL_BIOS_CFG, tva_ioctl_boot_t);
TVA_CHECK_CODE(TVA_IOCTL_BIOS_QUERY, tva_ioctl_boot_t);
TVA_CHECK_CODE(TVA_IOCTL_BIOS_PBC_QUERY, tva_ioctl_preboot_t);
TVA_CHECK_CODE(TVA_IOCTL_SCSI_CMND, tva_ioctl_scsi_t);
TVA_CHECK_CODE(TVA_IOCTL_FCPT, tva_ioctl_fcpt_t);
TVA_CHECK_CODE(TVA_IOCTL_ITNIM_GET_ATTR, tva_ioctl_itnim_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_ITNIM_GET_IOSTATS, tva_ioctl_itnim_iostats_t);
TVA_CHECK_CODE(TVA_IOCTL_ITNIM_RESET_STATS, tva_ioctl_itnim_reset_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_ITNIM_GET_ITNSTATS, tva_ioctl_itnim_itnstats_t);
TVA_CHECK_CODE(TVA_IOCTL_ITNIM_GET_IOPROFILE, tva_ioctl_itnim_ioprofile_t);
TVA_CHECK_CODE(TVA_IOCTL_AUTH_GET_ATTR, tva_ioctl_auth_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_AUTH_GET_STATS, tva_ioctl_auth_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_AUTH_RESET_STATS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_AUTH_REINIT, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_AUTH_SET_POLICY, tva_ioctl_auth_policy_t);
TVA_CHECK_CODE(TVA_IOCTL_AUTH_SET_ALGO, tva_ioctl_auth_algo_t);
TVA_CHECK_CODE(TVA_IOCTL_AUTH_SET_GROUP, tva_ioctl_auth_group_t);
TVA_CHECK_CODE(TVA_IOCTL_AUTH_SET_SECRETSOURCE, tva_ioctl_auth_secretsource_t);
TVA_CHECK_CODE(TVA_IOCTL_AUTH_SET_ENCRYPTSTRING, tva_ioctl_auth_secretstring_t);
TVA_CHECK_CODE(TVA_IOCTL_FABRIC_GET_LPORTS, tva_ioctl_fabric_get_lports_t);
TVA_CHECK_CODE(TVA_IOCTL_IPFC_GET_ATTR, tva_ioctl_ipfc_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_IPFC_GET_STATS, tva_ioctl_ipfc_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_IPFC_RESET_STATS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_IPFC_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_IPFC_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_FCOE_GET_STATS, tva_ioctl_fcport_stats_t);
TVA_CHECK_CODE(TVA_IOCTL_FCOE_RESET_STATS, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_FCOE_PORT_ENABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_FCOE_PORT_DISABLE, tva_ioctl_gen_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_ENABLE_TRUNK, tva_ioctl_port_trunk_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_DISABLE_TRUNK, tva_ioctl_port_trunk_t);
TVA_CHECK_CODE(TVA_IOCTL_PORT_GET_TRUNK_ATTR, tva_ioctl_trunk_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_FAA_QUERY, tva_ioctl_faa_attr_t);
static_assert(TVA_IOCTL_IOC_GET_ATTR == TVA_IOC_CODE(1616, TVA_IOC_GRP_IOC, 6));

#endif
