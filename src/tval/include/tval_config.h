/*
 * /etc/tva.conf: the persistent settings of adapters and IOCs.
 *
 * Every change runs one cycle: tval_config_load (lock and read), one setter,
 * tval_config_sync (write and unlock). The tables are process-wide.
 */
#ifndef TVAL_CONFIG_H
#define TVAL_CONFIG_H

#include <cstdint>
#include <mutex>

#include "tval.h"

struct tva_lport_cfg_s;

#define TVAL_CFG_PATH "/etc/tva.conf"
#define TVAL_CFG_MAX_AD 128
#define TVAL_CFG_MAX_IOC 128
#define TVAL_CFG_LINE_MAX 512 /* 511 characters and the terminator */
#define TVAL_CFG_LOCK_TRIES 60

/* adapter record, flags word 0 */
#define TVAL_CFG_AD_INUSE 0x1u
#define TVAL_CFG_AD_NAME 0x2u
#define TVAL_CFG_AD_TRUNK 0x8u

/* IOC record, flags word 0 (also the bits of config_all word 0) */
#define TVAL_CFG_PWWN 0x10u
#define TVAL_CFG_MAC 0x20u
#define TVAL_CFG_NAME 0x40u
#define TVAL_CFG_ETHNAME 0x80u
#define TVAL_CFG_MTU 0x100u
#define TVAL_CFG_SPEED 0x200u
#define TVAL_CFG_TOPOLOGY 0x400u
#define TVAL_CFG_ALPA 0x800u
#define TVAL_CFG_MAXFRSZ 0x1000u
#define TVAL_CFG_TRUNK 0x2000u
#define TVAL_CFG_ENABLE 0x4000u
#define TVAL_CFG_IPFC 0x8000u
#define TVAL_CFG_LOG 0x10000u
#define TVAL_CFG_VF_ENABLE 0x20000u
#define TVAL_CFG_VF_DEFAULT 0x40000u
#define TVAL_CFG_VF_LIST 0x80000u
#define TVAL_CFG_VPORT 0x100000u
#define TVAL_CFG_AUTH_POLICY 0x200000u
#define TVAL_CFG_AUTH_ALGO 0x400000u
#define TVAL_CFG_AUTH_GROUP 0x800000u
#define TVAL_CFG_AUTH_SSOURCE 0x1000000u
#define TVAL_CFG_AUTH_SSTRING 0x2000000u
#define TVAL_CFG_PATHTOV 0x8000000u
#define TVAL_CFG_QDEPTH 0x10000000u
#define TVAL_CFG_QOS 0x20000000u
#define TVAL_CFG_RATELIM 0x40000000u
#define TVAL_CFG_DEFSPEED 0x80000000u
/* IOC record, flags word 1 */
#define TVAL_CFG1_COALESCE 0x1u
#define TVAL_CFG1_DELAY 0x2u
#define TVAL_CFG1_LATENCY 0x4u
#define TVAL_CFG1_BINDING 0x8u

typedef struct tval_ad_config_s {
    uint32_t flags[4];
    char id[12]; /* serial number, not necessarily terminated */
    char name[128];
    int ad_trunk;
} tval_ad_config_t;

typedef struct tval_vf_config {
    int vidx;
    char pwwn[32];
    char nwwn[32];
    char role[16];
    char name[128];
    uint16_t vf_id;
    struct tval_vf_config *next;
} tval_vf_config_t;

typedef struct tval_ioc_config_s {
    uint32_t flags[4];
    char pwwn[32];
    char mac[32];
    char name[128];
    char ethname[128];
    int mtu;
    int speed;
    int topology;
    uint8_t alpa;
    uint16_t maxfrsz;
    uint32_t trunking;
    int enable;
    int ipfc_enable;
    int log;
    int vf_enable;
    uint16_t vf_default_id;
    uint16_t vf_list;
    tval_vf_config_t *vport;
    int vpcount;
    int authpolicy;
    int authalgo;
    int authgroup;
    int authssource;
    char authsstring[512];
    uint16_t pathtov;
    uint16_t qdepth;
    int binding;
    int qos;
    int ratelim;
    int defspeed;
    int coalesce;
    uint16_t delay;
    uint16_t latency;
} tval_ioc_config_t;

/* Process-wide state. */
extern tval_ad_config_t ad_config_data[TVAL_CFG_MAX_AD];
extern tval_ioc_config_t ioc_config_data[TVAL_CFG_MAX_IOC];
extern uint32_t config_all[4];
extern std::mutex vportmutex;

const char *tval_get_cfg_path(void);

/* File handling; all return a tva_status_t. */
int tval_lock_conf_file(const char *path);
void tval_unlock_conf_file(void);
int tval_config_load(const char *path);
int tval_config_sync(const char *path);
int tval_config_unload(void);
struct tval_port_s;
int tval_conf_cleanup(struct tval_port_s *port);

/* Clearing and filling the tables (load uses them). */
void tval_config_clear(void);
void tval_config_parse_line(const char *line);

/* Record keys. */
int tval_config_ad_lookup(const char *serial);
int tval_config_ad_add(const char *serial);
int tval_config_ioc_lookup(wwn_t pwwn);
int tval_config_ioc_add(wwn_t pwwn);
int tval_config_ethioc_lookup(mac_t mac);
int tval_config_ethioc_add(mac_t mac);
void tval_config_ioc_pwwn(int idx, wwn_t pwwn);
void tval_config_ethioc_mac(int idx, mac_t mac);
int tval_config_get_ad_name_exists(int adapter, const char *name, const char *serial);
int tval_config_get_port_name_exists(int adapter, const char *name, int port);

/* Setters: the record is found by the IOC's port WWN (by MAC for the
 * Ethernet name); nothing happens when it has none. */
void tval_config_ioc_name(tval_t *ioc, const char *name);
void tval_config_speed(tval_t *ioc, int speed);
void tval_config_topology(tval_t *ioc, int topology);
void tval_config_alpa(tval_t *ioc, uint8_t alpa, int on);
void tval_config_maxfrsz(tval_t *ioc, uint16_t size);
void tval_config_enable(tval_t *ioc, int enabled);
void tval_config_ipfc_enable(tval_t *ioc, int enabled);
void tval_config_trunk(tval_t *ioc, uint32_t bitmap, int on);
void tval_config_log_level(tval_t *ioc, int level);
void tval_config_qos(tval_t *ioc, int enabled);
void tval_config_ratelim(tval_t *ioc, int enabled);
void tval_config_defspeed(tval_t *ioc, int speed);
void tval_config_fcpim(tval_t *ioc, uint16_t pathtov);
void tval_config_qdepth(tval_t *ioc, uint16_t depth);
void tval_config_pbind(tval_t *ioc, int on);
void tval_config_vf_mode(tval_t *ioc, uint16_t default_id, int enabled);
void tval_config_vf_list(tval_t *ioc, uint16_t vf_id, int on);
void tval_config_iocfc_intr(tval_t *ioc, int coalesce, uint16_t delay, uint16_t latency);
void tval_config_auth_policy(tval_t *ioc, int on);
void tval_config_auth_algo(tval_t *ioc, int algo);
void tval_config_auth_group(tval_t *ioc, int group);
void tval_config_auth_secretsource(tval_t *ioc, int source);
void tval_config_auth_secretstring(tval_t *ioc, const int *values, int count);

/* Adapter setters, by adapter index (1-based). */
void tval_config_ad_name(int adapter, const char *name);
void tval_config_ad_trunk(int adapter, int on);

/* Virtual ports: a full cycle (load, add or delete, sync). */
int tval_config_vport(tval_t *ioc, uint16_t vf_id, const struct tva_lport_cfg_s *cfg, int del);
void tval_config_vport_add(tval_t *ioc, uint16_t vf_id, const struct tva_lport_cfg_s *cfg);
void tval_config_vport_del(tval_t *ioc, wwn_t pwwn);
void tval_config_set_vportdata(int idx, const char *value);

#endif
