// Handlers and usage functions of every command class; each class file
// defines its own.
#pragma once

/* adapter (tvcliadapter.cpp) */
void tvcli_adapter_usage(int extended);
int tvcli_adapter_autostart(char **argv, int argc, tvcli_id_t *id);
int tvcli_adapter_count(char **argv, int argc, tvcli_id_t *id);
int tvcli_adapter_disable(char **argv, int argc, tvcli_id_t *id);
int tvcli_adapter_enable(char **argv, int argc, tvcli_id_t *id);
int tvcli_adapter_list(char **argv, int argc, tvcli_id_t *id);
int tvcli_adapter_mode(char **argv, int argc, tvcli_id_t *id);
int tvcli_adapter_name(char **argv, int argc, tvcli_id_t *id);
int tvcli_adapter_query(char **argv, int argc, tvcli_id_t *id);

/* auth (tvcliauth.cpp) */
void tvcli_auth_usage(int extended);
int tvcli_auth_setalgo(char **argv, int argc, tvcli_id_t *id);
int tvcli_auth_setencryptstring(char **argv, int argc, tvcli_id_t *id);
int tvcli_auth_setpolicy(char **argv, int argc, tvcli_id_t *id);
int tvcli_auth_setsecretstring(char **argv, int argc, tvcli_id_t *id);
int tvcli_auth_show(char **argv, int argc, tvcli_id_t *id);
int tvcli_auth_stats(char **argv, int argc, tvcli_id_t *id);
int tvcli_auth_statsclr(char **argv, int argc, tvcli_id_t *id);

/* bios (tvclibios.cpp) */
void tvcli_bios_usage(int extended);
int tvcli_bios_disable(char **argv, int argc, tvcli_id_t *id);
int tvcli_bios_enable(char **argv, int argc, tvcli_id_t *id);
int tvcli_bios_query(char **argv, int argc, tvcli_id_t *id);

/* boot (tvcliboot.cpp) */
void tvcli_boot_usage(int extended);
int tvcli_boot_zone(char **argv, int argc, tvcli_id_t *id);
int tvcli_boot_update(char **argv, int argc, tvcli_id_t *id);

/* bootdup (tvclibootdup.cpp) */
void tvcli_bootdup_usage(int extended);
int tvcli_bootdup_query(char **argv, int argc, tvcli_id_t *id);
int tvcli_bootdup_read(char **argv, int argc, tvcli_id_t *id);
int tvcli_bootdup_swquery(char **argv, int argc, tvcli_id_t *id);
int tvcli_bootdup_update(char **argv, int argc, tvcli_id_t *id);

/* dcb (tvclidcb.cpp) */
void tvcli_dcb_usage(int extended);
int tvcli_dcb_query(char **argv, int argc, tvcli_id_t *id);
int tvcli_dcb_get_stats(char **argv, int argc, tvcli_id_t *id);
int tvcli_dcb_clear_stats(char **argv, int argc, tvcli_id_t *id);

/* debug (tvclidebug.cpp) */
void tvcli_debug_usage(int extended);
int tvcli_driver_dumpstate(char **argv, int argc, tvcli_id_t *id);
int tvcli_driver_controltrace_start(char **argv, int argc, tvcli_id_t *id);
int tvcli_driver_controltrace_stop(char **argv, int argc, tvcli_id_t *id);
int tvcli_driver_dumptrace(char **argv, int argc, tvcli_id_t *id);
int tvcli_driver_dump_registers(char **argv, int argc, tvcli_id_t *id);
int tvcli_fw_dumpcore(char **argv, int argc, tvcli_id_t *id);
int tvcli_fw_dumpstate(char **argv, int argc, tvcli_id_t *id);
int tvcli_fw_state_clear(char **argv, int argc, tvcli_id_t *id);
int tvcli_fw_controltrace_start(char **argv, int argc, tvcli_id_t *id);
int tvcli_fw_controltrace_stop(char **argv, int argc, tvcli_id_t *id);
int tvcli_fw_dumptrace(char **argv, int argc, tvcli_id_t *id);
int tvcli_imdriver_dumptrace(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_membase(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_memread(char **argv, int argc, tvcli_id_t *id);
int tvcli_portlog(char **argv, int argc, tvcli_id_t *id);
int tvcli_portlogclr(char **argv, int argc, tvcli_id_t *id);
int tvcli_portlogctl(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_readregister(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_writeregister(char **argv, int argc, tvcli_id_t *id);

/* diag (tvclidiag.cpp) */
void tvcli_diag_usage(int extended);
int tvcli_diag_beacon(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_dport_disable(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_dport_enable(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_ethloopback(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_led_test(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_loopback(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_memtest(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_pciloopback(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_queuetest(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_sfpshow(char **argv, int argc, tvcli_id_t *id);
int tvcli_diag_showtemp(char **argv, int argc, tvcli_id_t *id);

/* ethboot (tvcliethboot.cpp) */
void tvcli_ethboot_usage(int extended);
int tvcli_ethboot_disable(char **argv, int argc, tvcli_id_t *id);
int tvcli_ethboot_enable(char **argv, int argc, tvcli_id_t *id);
int tvcli_ethboot_query(char **argv, int argc, tvcli_id_t *id);
int tvcli_ethboot_vlan(char **argv, int argc, tvcli_id_t *id);

/* fabric (tvclifabric.cpp) */
void tvcli_vf_usage(int extended);
int tvcli_vf_stats_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vf_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id);

/* fcoe (tvclifcoe.cpp) */
void tvcli_fcoe_usage(int extended);
int tvcli_fcoe_disable_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcoe_enable_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcoe_stats_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcoe_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id);

/* fcdiag (tvclifcdiag.cpp) */
void tvcli_fcdiag_usage(int extended);
int tvcli_fcdiag_echo_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcdiag_ping_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcdiag_trcrt_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcdiag_bcn_swport_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcdiag_scsitest_hdlr(char **argv, int argc, tvcli_id_t *id);

/* fcpim (tvclifcpim.cpp) */
void tvcli_fcpim_usage(int extended);
int tvcli_fcpim_ioperf_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_lunlist_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_lm_add_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_lm_clear_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_lm_del_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_lm_dis_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_lm_en_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_lm_query_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_pathtov_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_prof_off_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_prof_on_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_query_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_stats_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_throttle_clear_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_throttle_query_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_fcpim_throttle_set_hdlr(char **argv, int argc, tvcli_id_t *id);

/* flash (tvcliflash.cpp) */
void tvcli_flash_usage(int extended);
int tvcli_flash_disable_optrom_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_flash_dumpasicblk_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_flash_enable_optrom_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_flash_erase_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_flash_query_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_flash_read_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_flash_update_hdlr(char **argv, int argc, tvcli_id_t *id);

/* fruvpd (tvclifruvpd.cpp) */
void tvcli_fruvpd_usage(int extended);
int tvcli_fruvpd_read(char **argv, int argc, tvcli_id_t *id);
int tvcli_fruvpd_update(char **argv, int argc, tvcli_id_t *id);

/* ipfc (tvcliipfc.cpp) */
void tvcli_ipfc_usage(int extended);
int tvcli_ipfc_disable_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_ipfc_enable_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_ipfc_query_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_ipfc_stats_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_ipfc_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id);

/* lport (tvclilport.cpp) */
void tvcli_lport_usage(int extended);
int tvcli_lport_bfs_list(char **argv, int argc, tvcli_id_t *id);
int tvcli_lport_list(char **argv, int argc, tvcli_id_t *id);
int tvcli_lport_query(char **argv, int argc, tvcli_id_t *id);
int tvcli_lport_statistics(char **argv, int argc, tvcli_id_t *id);
int tvcli_lport_statsclr(char **argv, int argc, tvcli_id_t *id);

/* log (tvclilog.cpp) */
void tvcli_log_usage(int extended);
int tvcli_log_level(char **argv, int argc, tvcli_id_t *id);

/* mfg (tvclimfg.cpp) */
void tvcli_mfg_usage(int extended);
int tvcli_mfg_update(char **argv, int argc, tvcli_id_t *id);

/* pcifn (tvclipcifn.cpp) */
void tvcli_pcifn_usage(int extended);
int tvcli_pcifn_list(char **argv, int argc, tvcli_id_t *id);

/* phy (tvcliphy.cpp) */
void tvcli_phy_usage(int extended);
int tvcli_phy_query(char **argv, int argc, tvcli_id_t *id);
int tvcli_phy_read_fw(char **argv, int argc, tvcli_id_t *id);
int tvcli_phy_stats(char **argv, int argc, tvcli_id_t *id);
int tvcli_phy_update_fw(char **argv, int argc, tvcli_id_t *id);

/* port (tvcliport.cpp) */
void tvcli_port_usage(int extended);
int tvcli_port_alpaclr(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_alpaset(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_bfs_list(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_rfsize(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_disable(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_enable(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_get_events(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_faa_query(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_bbsc_disable(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_bbsc_enable(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_bbsc_query(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_fw_statistics(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_fw_statsclr(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_list(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_cfg_mode(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_name(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_pcifn_ethlist(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_pcifn_fclist(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_pcifn_list(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_perf(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_query(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_speed(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_statistics(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_statsclr(char **argv, int argc, tvcli_id_t *id);
int tvcli_port_topology(char **argv, int argc, tvcli_id_t *id);

/* qos (tvcliqos.cpp) */
void tvcli_qos_usage(int extended);
int tvcli_qos_disable(char **argv, int argc, tvcli_id_t *id);
int tvcli_qos_enable(char **argv, int argc, tvcli_id_t *id);
int tvcli_qos_query(char **argv, int argc, tvcli_id_t *id);
int tvcli_qos_setbw(char **argv, int argc, tvcli_id_t *id);
int tvcli_qos_stats(char **argv, int argc, tvcli_id_t *id);
int tvcli_qos_statsclr(char **argv, int argc, tvcli_id_t *id);

/* ratelim (tvcliratelim.cpp) */
void tvcli_ratelim_usage(int extended);
int tvcli_ratelim_defspeed(char **argv, int argc, tvcli_id_t *id);
int tvcli_ratelim_disable(char **argv, int argc, tvcli_id_t *id);
int tvcli_ratelim_enable(char **argv, int argc, tvcli_id_t *id);
int tvcli_ratelim_query(char **argv, int argc, tvcli_id_t *id);

/* rport (tvclirport.cpp) */
void tvcli_rport_usage(int extended);
int tvcli_rport_bfs_list_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_rport_list_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_rport_query_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_rport_speed_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_rport_stats_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_rport_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id);

/* trunk (tvclitrunk.cpp) */
void tvcli_trunk_usage(int extended);
int tvcli_trunk_disable(char **argv, int argc, tvcli_id_t *id);
int tvcli_trunk_enable(char **argv, int argc, tvcli_id_t *id);
int tvcli_trunk_query(char **argv, int argc, tvcli_id_t *id);

/* vhba (tvclivhba.cpp) */
void tvcli_vhba_usage(int extended);
int tvcli_vhba_bw_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vhba_create_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vhba_delete_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vhba_disable_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vhba_enable_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vhba_intr_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vhba_query_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vhba_stats_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vhba_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id);

/* vnic (tvclivnic.cpp) */
void tvcli_vnic_usage(int extended);
int tvcli_vnic_bw_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vnic_create_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vnic_delete_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vnic_disable_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vnic_enable_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vnic_query_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vnic_stats_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vnic_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id);

/* vport (tvclivport.cpp) */
void tvcli_vport_usage(int extended);
int tvcli_vport_create_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vport_delete_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vport_query_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vport_stats_hdlr(char **argv, int argc, tvcli_id_t *id);
int tvcli_vport_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id);
