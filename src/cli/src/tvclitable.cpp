// The command table: every class and command of tvcli, in lookup order.
#include "tvcli.h"

static const tvcli_cmd_desc_t adapter_cmds[] = {
    {"--autostart", 2, 2, ADAPTER_ID, PATH_ANY, tvcli_adapter_autostart},
    {"--count", 0, 0, ADAPTER_ID, PATH_ANY, tvcli_adapter_count},
    {"--disable", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_adapter_disable},
    {"--enable", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_adapter_enable},
    {"--list", 0, 0, ID_NONE, PATH_ANY, tvcli_adapter_list},
    {"--mode", 2, 3, ADAPTER_ID, PATH_ANY, tvcli_adapter_mode},
    {"--name", 1, 2, ADAPTER_ID, PATH_ANY, tvcli_adapter_name},
    {"--query", 1, 2, ADAPTER_ID, PATH_ANY, tvcli_adapter_query},
};

static const tvcli_cmd_desc_t auth_cmds[] = {
    {"--algo", 2, 2, PCIFN_ID, PATH_FC, tvcli_auth_setalgo},
    {"--encrypt", 2, 2, PCIFN_ID, PATH_FC, tvcli_auth_setencryptstring},
    {"--policy", 2, 2, PCIFN_ID, PATH_FC, tvcli_auth_setpolicy},
    {"--secret", 2, 2, PCIFN_ID, PATH_FC, tvcli_auth_setsecretstring},
    {"--show", 1, 1, PCIFN_ID, PATH_FC, tvcli_auth_show},
    {"--stats", 1, 1, PCIFN_ID, PATH_FC, tvcli_auth_stats},
    {"--statsclr", 1, 1, PCIFN_ID, PATH_FC, tvcli_auth_statsclr},
};

static const tvcli_cmd_desc_t bios_cmds[] = {
    {"--disable", 1, 1, PORT_ID, PATH_FC, tvcli_bios_disable},
    {"--enable", 1, 19, PORT_ID, PATH_FC, tvcli_bios_enable},
    {"--query", 1, 1, PORT_ID, PATH_FC, tvcli_bios_query},
};

static const tvcli_cmd_desc_t boot_cmds[] = {
    {"--blunZone", 8, 8, ID_NONE, PATH_ANY, tvcli_boot_zone},
    {"--update", 2, 4, ID_NONE, PATH_ANY, tvcli_boot_update},
};

static const tvcli_cmd_desc_t bootdup_cmds[] = {
    {"--query", 1, 5, ID_NONE, PATH_ANY, tvcli_bootdup_query},
    {"--read", 3, 3, ADAPTER_ID, PATH_ANY, tvcli_bootdup_read},
    {"--swquery", 1, 5, ID_NONE, PATH_ANY, tvcli_bootdup_swquery},
    {"--update", 3, 7, ID_NONE, PATH_ANY, tvcli_bootdup_update},
};

static const tvcli_cmd_desc_t dcb_cmds[] = {
    {"--query", 1, 1, PORT_ID, PATH_ANY_OPER, tvcli_dcb_query},
    {"--stats", 1, 1, PORT_ID, PATH_ANY_OPER, tvcli_dcb_get_stats},
    {"--statsclr", 1, 1, PORT_ID, PATH_ANY_OPER, tvcli_dcb_clear_stats},
};

static const tvcli_cmd_desc_t debug_cmds[] = {
    {"--dsave", 2, 2, PCIFN_ID, PATH_ANY, tvcli_driver_dumpstate},
    {"--dstart", 1, 1, PCIFN_ID, PATH_ANY, tvcli_driver_controltrace_start},
    {"--dstop", 1, 1, PCIFN_ID, PATH_ANY, tvcli_driver_controltrace_stop},
    {"--dtrc", 2, 2, PCIFN_ID, PATH_ANY, tvcli_driver_dumptrace},
    {"--dump", 1, 1, PCIFN_ID, PATH_ANY, tvcli_driver_dump_registers},
    {"--fcoresave", 2, 2, PCIFN_ID, PATH_ANY, tvcli_fw_dumpcore},
    {"--fsave", 2, 2, PCIFN_ID, PATH_ANY, tvcli_fw_dumpstate},
    {"--fsaveclr", 1, 1, PCIFN_ID, PATH_ANY, tvcli_fw_state_clear},
    {"--fstart", 1, 1, PCIFN_ID, PATH_ANY, tvcli_fw_controltrace_start},
    {"--fstop", 1, 1, PCIFN_ID, PATH_ANY, tvcli_fw_controltrace_stop},
    {"--ftrc", 2, 2, PCIFN_ID, PATH_ANY, tvcli_fw_dumptrace},
    {"--itrc", 1, 1, ID_NONE, PATH_ANY, tvcli_imdriver_dumptrace},
    {"--membase", 1, 1, PCIFN_ID, PATH_ANY, tvcli_diag_membase},
    {"--memread", 1, 3, PCIFN_ID, PATH_ANY, tvcli_diag_memread},
    {"--portlog", 1, 1, PCIFN_ID, PATH_FC, tvcli_portlog},
    {"--portlogclear", 1, 1, PCIFN_ID, PATH_FC, tvcli_portlogclr},
    {"--portlogctl", 2, 2, PCIFN_ID, PATH_FC, tvcli_portlogctl},
    {"--regread", 2, 4, PCIFN_ID, PATH_ANY, tvcli_diag_readregister},
    {"--regwrite", 3, 4, PCIFN_ID, PATH_ANY, tvcli_diag_writeregister},
};

static const tvcli_cmd_desc_t diag_cmds[] = {
    {"--beacon", 2, 3, PORT_ID, PATH_ANY_OPER, tvcli_diag_beacon},
    {"--dportdisable", 1, 1, PORT_ID, PATH_FC, tvcli_diag_dport_disable},
    {"--dportenable", 1, 1, PORT_ID, PATH_FC, tvcli_diag_dport_enable},
    {"--ethloopback", 1, 7, PORT_ID, PATH_ETH, tvcli_diag_ethloopback},
    {"--ledtest", 3, 5, PORT_ID, PATH_ANY_OPER, tvcli_diag_led_test},
    {"--loopback", 1, 9, PORT_ID, PATH_FC, tvcli_diag_loopback},
    {"--memtest", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_diag_memtest},
    {"--pciloopback", 2, 4, PCIFN_ID, PATH_ANY_OPER, tvcli_diag_pciloopback},
    {"--queuetest", 1, 3, PORT_ID, PATH_FC, tvcli_diag_queuetest},
    {"--sfpshow", 1, 1, PORT_ID, PATH_ANY_OPER, tvcli_diag_sfpshow},
    {"--tempshow", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_diag_showtemp},
};

static const tvcli_cmd_desc_t ethboot_cmds[] = {
    {"--disable", 1, 1, PORT_ID, PATH_ETH, tvcli_ethboot_disable},
    {"--enable", 1, 1, PORT_ID, PATH_ETH, tvcli_ethboot_enable},
    {"--query", 1, 1, PORT_ID, PATH_ETH, tvcli_ethboot_query},
    {"--vlan", 2, 2, PORT_ID, PATH_ETH, tvcli_ethboot_vlan},
};

static const tvcli_cmd_desc_t fabric_cmds[] = {
    {"--stats", 1, 1, PORT_ID, PATH_FC, tvcli_vf_stats_hdlr},
    {"--statsclr", 1, 1, PORT_ID, PATH_FC, tvcli_vf_statsclr_hdlr},
};

static const tvcli_cmd_desc_t fcoe_cmds[] = {
    {"--disable", 1, 1, PORT_ID, PATH_FC, tvcli_fcoe_disable_hdlr},
    {"--enable", 1, 1, PORT_ID, PATH_FC, tvcli_fcoe_enable_hdlr},
    {"--stats", 1, 1, PORT_ID, PATH_FC, tvcli_fcoe_stats_hdlr},
    {"--statsclr", 1, 1, PORT_ID, PATH_FC, tvcli_fcoe_statsclr_hdlr},
};

static const tvcli_cmd_desc_t fcdiag_cmds[] = {
    {"--fcecho", 2, 4, PCIFN_ID, PATH_FC, tvcli_fcdiag_echo_hdlr},
    {"--fcping", 2, 4, PCIFN_ID, PATH_FC, tvcli_fcdiag_ping_hdlr},
    {"--fctraceroute", 2, 4, PCIFN_ID, PATH_FC, tvcli_fcdiag_trcrt_hdlr},
    {"--linkbeacon", 2, 2, PORT_ID, PATH_FC, tvcli_fcdiag_bcn_swport_hdlr},
    {"--scsitest", 2, 4, PCIFN_ID, PATH_FC, tvcli_fcdiag_scsitest_hdlr},
};

static const tvcli_cmd_desc_t fcpim_cmds[] = {
    {"--ioperf", 1, 9, ID_NONE, PATH_FC, tvcli_fcpim_ioperf_hdlr},
    {"--lunlist", 1, 5, PCIFN_ID, PATH_FC, tvcli_fcpim_lunlist_hdlr},
    {"--lunmaskadd", 3, 5, PORT_ID, PATH_FC, tvcli_fcpim_lm_add_hdlr},
    {"--lunmaskclear", 1, 1, PORT_ID, PATH_FC, tvcli_fcpim_lm_clear_hdlr},
    {"--lunmaskdelete", 3, 5, PORT_ID, PATH_FC, tvcli_fcpim_lm_del_hdlr},
    {"--lunmaskdisable", 1, 1, PORT_ID, PATH_FC, tvcli_fcpim_lm_dis_hdlr},
    {"--lunmaskenable", 1, 1, PORT_ID, PATH_FC, tvcli_fcpim_lm_en_hdlr},
    {"--lunmaskquery", 1, 5, PORT_ID, PATH_FC, tvcli_fcpim_lm_query_hdlr},
    {"--pathtov", 2, 2, PCIFN_ID, PATH_FC, tvcli_fcpim_pathtov_hdlr},
    {"--profile_off", 1, 1, PCIFN_ID, PATH_FC, tvcli_fcpim_prof_off_hdlr},
    {"--profile_on", 1, 1, PCIFN_ID, PATH_FC, tvcli_fcpim_prof_on_hdlr},
    {"--query", 2, 4, PCIFN_ID, PATH_FC, tvcli_fcpim_query_hdlr},
    {"--stats", 2, 4, PCIFN_ID, PATH_FC, tvcli_fcpim_stats_hdlr},
    {"--statsclr", 2, 4, PCIFN_ID, PATH_FC, tvcli_fcpim_statsclr_hdlr},
    {"--throttleclear", 1, 1, PCIFN_ID, PATH_FC, tvcli_fcpim_throttle_clear_hdlr},
    {"--throttlequery", 1, 1, PCIFN_ID, PATH_FC, tvcli_fcpim_throttle_query_hdlr},
    {"--throttleset", 2, 2, PCIFN_ID, PATH_FC, tvcli_fcpim_throttle_set_hdlr},
};

static const tvcli_cmd_desc_t flash_cmds[] = {
    {"--doptrom", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_flash_disable_optrom_hdlr},
    {"--dumpasicblk", 2, 2, ADAPTER_ID, PATH_ANY, tvcli_flash_dumpasicblk_hdlr},
    {"--eoptrom", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_flash_enable_optrom_hdlr},
    {"--erase", 2, 8, ADAPTER_ID, PATH_ANY, tvcli_flash_erase_hdlr},
    {"--query", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_flash_query_hdlr},
    {"--read", 3, 15, ADAPTER_ID, PATH_ANY, tvcli_flash_read_hdlr},
    {"--update", 3, 13, ADAPTER_ID, PATH_ANY, tvcli_flash_update_hdlr},
};

static const tvcli_cmd_desc_t fruvpd_cmds[] = {
    {"--read", 2, 2, ADAPTER_ID, PATH_ANY, tvcli_fruvpd_read},
    {"--update", 2, 2, ADAPTER_ID, PATH_ANY, tvcli_fruvpd_update},
};

static const tvcli_cmd_desc_t ipfc_cmds[] = {
    {"--disable", 1, 1, PCIFN_ID, PATH_FC, tvcli_ipfc_disable_hdlr},
    {"--enable", 1, 1, PCIFN_ID, PATH_FC, tvcli_ipfc_enable_hdlr},
    {"--query", 1, 1, PCIFN_ID, PATH_FC, tvcli_ipfc_query_hdlr},
    {"--stats", 1, 1, PCIFN_ID, PATH_FC, tvcli_ipfc_stats_hdlr},
    {"--statsclr", 1, 1, PCIFN_ID, PATH_FC, tvcli_ipfc_statsclr_hdlr},
};

static const tvcli_cmd_desc_t lport_cmds[] = {
    {"--bfs_list", 1, 1, PCIFN_ID, PATH_FC, tvcli_lport_bfs_list},
    {"--list", 1, 1, PCIFN_ID, PATH_FC, tvcli_lport_list},
    {"--query", 1, 3, PCIFN_ID, PATH_FC, tvcli_lport_query},
    {"--stats", 1, 3, PCIFN_ID, PATH_FC, tvcli_lport_statistics},
    {"--statsclr", 1, 3, PCIFN_ID, PATH_FC, tvcli_lport_statsclr},
};

static const tvcli_cmd_desc_t log_cmds[] = {
    {"--level", 1, 4, PCIFN_ID, PATH_ANY, tvcli_log_level},
};

static const tvcli_cmd_desc_t mfg_cmds[] = {
    {"--update", 7, 12, ADAPTER_ID, PATH_ANY, tvcli_mfg_update},
};

static const tvcli_cmd_desc_t pcifn_cmds[] = {
    {"--list", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_pcifn_list},
};

static const tvcli_cmd_desc_t phy_cmds[] = {
    {"--query", 1, 1, PORT_ID, PATH_ANY_OPER, tvcli_phy_query},
    {"--read", 2, 2, PORT_ID, PATH_ANY_OPER, tvcli_phy_read_fw},
    {"--stats", 1, 1, PORT_ID, PATH_ANY_OPER, tvcli_phy_stats},
    {"--update", 2, 2, ID_NONE, PATH_ANY_OPER, tvcli_phy_update_fw},
};

static const tvcli_cmd_desc_t port_cmds[] = {
    {"--alpaclr", 1, 1, PORT_ID, PATH_FC, tvcli_port_alpaclr},
    {"--alpaset", 1, 2, PORT_ID, PATH_FC, tvcli_port_alpaset},
    {"--bfs_list", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_port_bfs_list},
    {"--dfsize", 1, 2, PORT_ID, PATH_FC, tvcli_port_rfsize},
    {"--disable", 1, 1, PORT_ID, PATH_ANY, tvcli_port_disable},
    {"--enable", 1, 1, PORT_ID, PATH_ANY, tvcli_port_enable},
    {"--events", 1, 1, ADAPTER_ID, PATH_ANY, tvcli_port_get_events},
    {"--faa", 2, 2, PORT_ID, PATH_FC, tvcli_port_faa_query},
    {"--fccr_disable", 1, 1, PORT_ID, PATH_FC, tvcli_port_bbsc_disable},
    {"--fccr_enable", 1, 1, PORT_ID, PATH_FC, tvcli_port_bbsc_enable},
    {"--fccr_query", 1, 1, PORT_ID, PATH_FC, tvcli_port_bbsc_query},
    {"--fwstats", 1, 1, PORT_ID, PATH_ANY, tvcli_port_fw_statistics},
    {"--fwstatsclr", 1, 1, PORT_ID, PATH_ANY, tvcli_port_fw_statsclr},
    {"--list", 0, 1, ID_NONE, PATH_ANY, tvcli_port_list},
    {"--mode", 2, 3, PORT_FIRST_IOC, PATH_ANY, tvcli_port_cfg_mode},
    {"--name", 1, 2, PORT_ID, PATH_ANY, tvcli_port_name},
    {"--pcifn_ethlist", 2, 2, ADAPTER_ID, PATH_ANY, tvcli_port_pcifn_ethlist},
    {"--pcifn_fclist", 2, 2, ADAPTER_ID, PATH_ANY, tvcli_port_pcifn_fclist},
    {"--pcifn_list", 2, 2, ADAPTER_ID, PATH_ANY, tvcli_port_pcifn_list},
    {"--perf", 1, 5, ID_NONE, PATH_FC, tvcli_port_perf},
    {"--query", 1, 1, PORT_ID, PATH_ANY, tvcli_port_query},
    {"--speed", 1, 2, PORT_ID, PATH_FC, tvcli_port_speed},
    {"--stats", 1, 1, PORT_ID, PATH_ANY_OPER, tvcli_port_statistics},
    {"--statsclr", 1, 1, PORT_ID, PATH_ANY_OPER, tvcli_port_statsclr},
    {"--topology", 1, 2, PORT_ID, PATH_FC, tvcli_port_topology},
};

static const tvcli_cmd_desc_t qos_cmds[] = {
    {"--disable", 1, 1, PORT_ID, PATH_FC, tvcli_qos_disable},
    {"--enable", 1, 1, PORT_ID, PATH_FC, tvcli_qos_enable},
    {"--query", 1, 2, PORT_ID, PATH_FC, tvcli_qos_query},
    {"--setbw", 7, 7, PORT_ID, PATH_FC, tvcli_qos_setbw},
    {"--stats", 1, 1, PORT_ID, PATH_FC, tvcli_qos_stats},
    {"--statsclr", 1, 1, PORT_ID, PATH_FC, tvcli_qos_statsclr},
};

static const tvcli_cmd_desc_t ratelim_cmds[] = {
    {"--defspeed", 1, 2, PORT_ID, PATH_FC, tvcli_ratelim_defspeed},
    {"--disable", 1, 1, PORT_ID, PATH_FC, tvcli_ratelim_disable},
    {"--enable", 1, 1, PORT_ID, PATH_FC, tvcli_ratelim_enable},
    {"--query", 1, 1, PORT_ID, PATH_FC, tvcli_ratelim_query},
};

static const tvcli_cmd_desc_t rport_cmds[] = {
    {"--bfs_list", 1, 2, PCIFN_ID, PATH_FC, tvcli_rport_bfs_list_hdlr},
    {"--list", 1, 3, PCIFN_ID, PATH_FC, tvcli_rport_list_hdlr},
    {"--query", 2, 4, PCIFN_ID, PATH_FC, tvcli_rport_query_hdlr},
    {"--speed", 3, 5, PCIFN_ID, PATH_FC, tvcli_rport_speed_hdlr},
    {"--stats", 2, 4, PCIFN_ID, PATH_FC, tvcli_rport_stats_hdlr},
    {"--statsclr", 2, 4, PCIFN_ID, PATH_FC, tvcli_rport_statsclr_hdlr},
};

static const tvcli_cmd_desc_t trunk_cmds[] = {
    {"--disable", 1, 1, ADAPTER_ID, PATH_FC, tvcli_trunk_disable},
    {"--enable", 1, 1, ADAPTER_ID, PATH_FC, tvcli_trunk_enable},
    {"--query", 1, 1, ADAPTER_ID, PATH_FC, tvcli_trunk_query},
};

static const tvcli_cmd_desc_t vhba_cmds[] = {
    {"--bw", 2, 2, PCIFN_FIRST_IOC, PATH_FC, tvcli_vhba_bw_hdlr},
    {"--create", 1, 3, PORT_FIRST_IOC, PATH_FC, tvcli_vhba_create_hdlr},
    {"--delete", 1, 1, PCIFN_FIRST_IOC, PATH_FC, tvcli_vhba_delete_hdlr},
    {"--disable", 1, 1, PCIFN_ID, PATH_FC, tvcli_vhba_disable_hdlr},
    {"--enable", 1, 1, PCIFN_ID, PATH_FC, tvcli_vhba_enable_hdlr},
    {"--intr", 3, 5, PCIFN_ID, PATH_FC, tvcli_vhba_intr_hdlr},
    {"--query", 1, 1, PCIFN_ID, PATH_FC, tvcli_vhba_query_hdlr},
    {"--stats", 1, 1, PCIFN_ID, PATH_FC, tvcli_vhba_stats_hdlr},
    {"--statsclr", 1, 1, PCIFN_ID, PATH_FC, tvcli_vhba_statsclr_hdlr},
};

static const tvcli_cmd_desc_t vnic_cmds[] = {
    {"--bw", 3, 5, PCIFN_FIRST_IOC, PATH_ETH, tvcli_vnic_bw_hdlr},
    {"--create", 1, 5, PORT_FIRST_IOC, PATH_ETH, tvcli_vnic_create_hdlr},
    {"--delete", 1, 1, PCIFN_FIRST_IOC, PATH_ETH, tvcli_vnic_delete_hdlr},
    {"--disable", 1, 1, PCIFN_ID, PATH_ETH, tvcli_vnic_disable_hdlr},
    {"--enable", 1, 1, PCIFN_ID, PATH_ETH, tvcli_vnic_enable_hdlr},
    {"--query", 1, 1, PCIFN_ID, PATH_ETH, tvcli_vnic_query_hdlr},
    {"--stats", 1, 1, PCIFN_ID, PATH_ETH, tvcli_vnic_stats_hdlr},
    {"--statsclr", 1, 1, PCIFN_ID, PATH_ETH, tvcli_vnic_statsclr_hdlr},
};

static const tvcli_cmd_desc_t vport_cmds[] = {
    {"--create", 2, 6, PCIFN_ID, PATH_FC, tvcli_vport_create_hdlr},
    {"--delete", 2, 2, PCIFN_ID, PATH_FC, tvcli_vport_delete_hdlr},
    {"--query", 2, 2, PCIFN_ID, PATH_FC, tvcli_vport_query_hdlr},
    {"--stats", 2, 2, PCIFN_ID, PATH_FC, tvcli_vport_stats_hdlr},
    {"--statsclr", 2, 2, PCIFN_ID, PATH_FC, tvcli_vport_statsclr_hdlr},
};

#define TVCLI_CLASS(n, type, os, usage) {#n, (int)(sizeof(n##_cmds) / sizeof(n##_cmds[0])), type, os, n##_cmds, usage}

const tvcli_cmd_class_desc_t tvcli_class_desc[] = {
    TVCLI_CLASS(adapter, COMMON, 15, tvcli_adapter_usage),
    TVCLI_CLASS(auth, COMMON, 13, tvcli_auth_usage),
    TVCLI_CLASS(bios, COMMON, 15, tvcli_bios_usage),
    TVCLI_CLASS(boot, COMMON, 15, tvcli_boot_usage),
    TVCLI_CLASS(bootdup, COMMON, 31, tvcli_bootdup_usage),
    TVCLI_CLASS(dcb, CNA, 15, tvcli_dcb_usage),
    TVCLI_CLASS(debug, COMMON, 15, tvcli_debug_usage),
    TVCLI_CLASS(diag, COMMON, 15, tvcli_diag_usage),
    TVCLI_CLASS(ethboot, ETH, 15, tvcli_ethboot_usage),
    TVCLI_CLASS(fabric, FC, 15, tvcli_vf_usage),
    TVCLI_CLASS(fcoe, CNA, 15, tvcli_fcoe_usage),
    TVCLI_CLASS(fcdiag, FC, 15, tvcli_fcdiag_usage),
    TVCLI_CLASS(fcpim, FC, 15, tvcli_fcpim_usage),
    TVCLI_CLASS(flash, COMMON, 27, tvcli_flash_usage),
    TVCLI_CLASS(fruvpd, COMMON, 31, tvcli_fruvpd_usage),
    TVCLI_CLASS(ipfc, FC, 26, tvcli_ipfc_usage),
    TVCLI_CLASS(lport, FC, 15, tvcli_lport_usage),
    TVCLI_CLASS(log, COMMON, 15, tvcli_log_usage),
    TVCLI_CLASS(mfg, COMMON, 24, tvcli_mfg_usage),
    TVCLI_CLASS(pcifn, COMMON, 15, tvcli_pcifn_usage),
    TVCLI_CLASS(phy, CNA, 15, tvcli_phy_usage),
    TVCLI_CLASS(port, COMMON, 15, tvcli_port_usage),
    TVCLI_CLASS(qos, FC, 15, tvcli_qos_usage),
    TVCLI_CLASS(ratelim, FC, 15, tvcli_ratelim_usage),
    TVCLI_CLASS(rport, FC, 15, tvcli_rport_usage),
    TVCLI_CLASS(trunk, FC, 15, tvcli_trunk_usage),
    TVCLI_CLASS(vhba, FC, 15, tvcli_vhba_usage),
    TVCLI_CLASS(vnic, ETH, 15, tvcli_vnic_usage),
    TVCLI_CLASS(vport, FC, 13, tvcli_vport_usage),
    {"none", 0, TYPE_MAX, 0, nullptr, nullptr},
};
