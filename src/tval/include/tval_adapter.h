/*
 * Library state, the adapter scan, the adapter tree and its lookups.
 *
 * The scan builds a flat list of IOC records (one per PCI function bound to
 * the storage or the Ethernet driver) and an adapter tree holding copies of
 * them per port. Both live until tval_adapter_free or the next scan; every
 * pointer handed out is borrowed from them.
 */
#ifndef TVAL_ADAPTER_H
#define TVAL_ADAPTER_H

#include <cstdint>

#include "tval.h"
#include "tva_ioctl.h"

#define TVAL_MAX_PCI_MAP 128
#define TVAL_TVA_DRV_DIR "/sys/bus/pci/drivers/tva"
#define TVAL_TVN_DRV_DIR "/sys/bus/pci/drivers/tvn"
#define TVAL_IPFC_NODE "/dev/tvaipfc"
#define TVAL_TVN_NODE "/dev/tvn"

typedef struct tval_port_s {
    int id;                 /* port number */
    wwn_t factorypwwn;      /* from the first function added */
    wwn_t factorynwwn;
    mac_t factory_mac;      /* first function FCoE or Ethernet */
    uint8_t rsvd[2];
    int ioc_type;           /* type of the first function added */
    int ioc_count;          /* functions on the port; next slot number */
    tval_t *fcioc_list;     /* FC and FCoE copies */
    tval_t *ethioc_list;    /* Ethernet copies */
    struct tval_port_s *next;
} tval_port_t;

typedef struct tval_adapter_s {
    char serial_num[12];
    char name[64];
    char model_descr[128];
    char adapter_hwpath[32];
    char adapter_type[32];  /* "AnyIO", "HBA", "CNA", "NIC" or "--" */
    int id;                 /* 1-based adapter index */
    int cna_capable;
    int trunk_capable;
    int port_count;         /* one more than the highest port number */
    tval_port_t *port_list;
    struct tval_adapter_s *next;
} tval_adapter_t;

typedef struct tval_pci_host_map {
    char pci_name[128];
    int host_num;
    int instance;
} tval_pci_host_map_t;

typedef enum ADAPTER_IOC { e_ic = 0, e_ad = 1, e_prt = 2 } ad_ioc;

/* Generic lists of IOC, adapter or port records, linked through next. */
void tval_list_append(void **head, void *node, ad_ioc kind);
void *tval_list_find(void *head, int id, ad_ioc kind);
void tval_list_free(void **head, ad_ioc kind);

/* Lifecycle. */
int tval_libinit(int application_id);
void tval_libexit(void);
int tval_adapter_scan(void);           /* adapter count, 0 on failure (last error) */
void tval_adapter_free(void);
int tval_ioc_scan(void);               /* flat list length */
void tval_ioc_free(void);
int tval_ioc_get_num(void);
tval_t *tval_ioc_get_list(void);
void tval_ioc_handles_close(void);
int tval_port_add_ioc(tval_port_t *port, const tval_t *ioc);

/* Adapter tree lookups: null or -1 when nothing matches; indexes 1..count. */
int tval_adapter_get_count(void);
tval_adapter_t *tval_adapter_get_by_idx(int idx);
tval_port_t *tval_adapter_get_port(tval_adapter_t *adapter, int port_num);
int tval_adapter_get_port_count(int idx);
int tval_adapter_get_hw_port_count(int idx, int *count);
int tval_adapter_is_cna_capable(int idx);
tval_adapter_t *tval_adapter_get_by_str(const char *text);
tval_t *tval_adapter_get_ioc_by_str(const char *text);
tval_t *tval_adapter_get_ioc_by_wwn(wwn_t wwn);
tval_t *tval_adapter_get_ioc_by_inst(int instance);
tval_t *tval_adapter_get_first_ioc(tval_adapter_t *adapter);
/* Copy the field into out (size bytes, always terminated); status. */
int tval_adapter_get_serial_num(const tval_adapter_t *adapter, char *out, size_t size);
int tval_adapter_get_model(const tval_adapter_t *adapter, char *out, size_t size);
int tval_adapter_get_hw_path(const tval_adapter_t *adapter, char *out, size_t size);
int tval_adapter_get_type(const tval_adapter_t *adapter, char *out, size_t size);
const char *tval_adapter_get_name(int idx);

/* Port record lookups; null for an absent port or slot. */
tval_t *tval_port_get_fcioc(tval_port_t *port, int slot);
tval_t *tval_port_get_ethioc(tval_port_t *port, int slot);
tval_t *tval_port_get_ioc(tval_port_t *port, int slot);
tval_t *tval_port_get_first_fcioc(tval_port_t *port);
tval_t *tval_port_get_first_ethioc(tval_port_t *port);
tval_t *tval_port_get_first_ioc(tval_port_t *port);
tval_t *tval_port_get_ioc_by_pcifn(tval_port_t *port, int pcifn);
int tval_port_get_ioc_count(const tval_port_t *port);

/* IOC record accessors. Out buffers of get_path: devpath 256, hwpaths 32. */
int tval_ioc_get_path(const tval_t *ioc, char *devpath, char *ioc_hwpath, char *adapter_hwpath);
wwn_t tval_ioc_get_pwwn(const tval_t *ioc);
wwn_t tval_ioc_get_nwwn(const tval_t *ioc);
void tval_ioc_get_mac(const tval_t *ioc, mac_t *mac);
void tval_ioc_get_factory_mac(const tval_t *ioc, mac_t *mac);
int tval_ioc_get_current_mac(tval_t *ioc, mac_t *mac);
int tval_ioc_get_port_id(const tval_t *ioc);
int tval_ioc_get_ioc_type(const tval_t *ioc);
const char *tval_ioc_get_name(const tval_t *ioc);
const char *tval_ioc_get_eth_name(const tval_t *ioc);
const char *tval_ioc_get_sn(const tval_t *ioc);
int tval_ioc_get_pcifn(const tval_t *ioc);
int tval_ioc_get_adapter_id(const tval_t *ioc);
int tval_ioc_get_index(const tval_t *ioc);
void tval_ioc_close(tval_t *ioc);

/* Requests owned here. */
int tval_ioc_get_attr(tval_t *ioc, struct tva_ioc_attr_s *attr);
int tval_ioc_get_info(tval_t *ioc, tva_ioctl_ioc_info_t *info);
int tval_ioc_is_operational(tval_t *ioc, int *operational);
int tval_ioc_get_operational_pf(tval_t **ioc);

#endif
