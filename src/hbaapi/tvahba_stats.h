/* The 336-byte port statistics record that the port statistics request
 * returns after its header: the FC member for FC functions, the Ethernet
 * member otherwise. Shared by tvahbaapi.so and the emulated host. */
#ifndef TVAHBA_STATS_H
#define TVAHBA_STATS_H

#include <cstddef>
#include <cstdint>

#include "tva_ioctl.h"

namespace tvahba {

typedef struct port_fc_stats_s {
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
} port_fc_stats_t;
TVA_CHECK_SIZE(port_fc_stats_t, 312);
TVA_CHECK_OFF(port_fc_stats_t, rx_frames, 88);
TVA_CHECK_OFF(port_fc_stats_t, invalid_crcs, 168);
TVA_CHECK_OFF(port_fc_stats_t, error_frames, 208);
TVA_CHECK_OFF(port_fc_stats_t, loop_timeouts, 304);

typedef union port_stats_u {
    port_fc_stats_t fc;
    uint64_t eth[42];
} port_stats_t;
TVA_CHECK_SIZE(port_stats_t, TVA_PORT_STATS_SIZE);

/* The request as sent: the header, then the record buf_ptr points to. */
typedef struct port_stats_req_s {
    tva_ioctl_port_stats_t hdr;
    port_stats_t stats;
} port_stats_req_t;
TVA_CHECK_SIZE(port_stats_req_t, 24 + TVA_PORT_STATS_SIZE);
TVA_CHECK_OFF(port_stats_req_t, stats, 24);

} // namespace tvahba

#endif
