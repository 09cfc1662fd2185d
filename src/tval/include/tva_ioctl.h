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

/* Size of the FC transport request block of every bsg request. */
#define TVA_BSG_REQUEST_SIZE 28

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

/* @@PAYLOADS@@ */

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
    /* @@UNION@@ */
    uint8_t raw[TVA_IOCTL_BUF_SIZE];
} tval_ioctl_t;
typedef tval_ioctl_t tval_args_t;
TVA_CHECK_SIZE(tval_args_t, TVA_IOCTL_BUF_SIZE);

TVA_CHECK_CODE(TVA_IOCTL_IOC_GET_ATTR, tva_ioctl_ioc_attr_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_GET_INFO, tva_ioctl_ioc_info_t);
TVA_CHECK_CODE(TVA_IOCTL_IOC_ENABLE, tva_ioctl_gen_t);
static_assert(TVA_IOCTL_IOC_GET_ATTR == TVA_IOC_CODE(1616, TVA_IOC_GRP_IOC, 6));

#endif
