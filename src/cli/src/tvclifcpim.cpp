// tvcli fcpim commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_fcpim_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli fcpim [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct FCPIM specific commands using this option\n", stdout);
    fputs("Example: tvcli fcpim --query <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--ioperf <pcifn> [-l [lpwwn]] [-r [rpwwn]] [-c count] [-i interval]\n", stdout);
    fputs("\t--ioperf <port_range> [-l | -r] [-c count] [-i interval]\n", stdout);
    fputs("\t\tShows IO performance in terms of IOPs and throughput at\n\t\tdifferent levels viz. Physical port, logical port &\n\t\tI-T sessions within a logical port\n\n", stdout);
    fputs("\t\t<port_range> is low to high in the form of\n\t\t\t<adapter_id/port_id>-<adapter_id/port_id>\n", stdout);
    fputs("\t\tCount is number of iterations (default = indefinite)\n", stdout);
    fputs("\t\tInterval is sampling period (default = 1 sec)\n\n", stdout);
    fputs("\t--lunlist <pcifn> [-l <lpwwn>] [-v verbose]\n", stdout);
    fputs("\t\tDisplays info about each LUN connected to <pcifn>\n\n", stdout);
    fputs("\t--lunmaskadd <port_id> <rpwwn> <LUN#> [-l <lpwwn>]\n", stdout);
    fputs("\t\tAdd the lunmask entry <lun#> on the target <rpwwn>\n\t\tfor the initiator <lpwwn>\n\t\t<lun#> is the 64-bit lun number\n\t\tExample of lun# : 0001-0000-0000-0000\n\n", stdout);
    fputs("\t--lunmaskclear <port_id>\n", stdout);
    fputs("\t\tClears all the LUN masks for the given port\n\n", stdout);
    fputs("\t--lunmaskdelete <port_id> <rpwwn> <LUN#> [-l <lpwwn>]\n", stdout);
    fputs("\t\tDeletes the lunmask entry <lun#> on the target <rpwwn>\n\t\tfor the initiator <lpwwn>\n\t\t<lun#> is the 64-bit lun number\n\t\tExample of lun# : 0004-0000-0000-0000\n\n", stdout);
    fputs("\t--lunmaskdisable <port_id>\n", stdout);
    fputs("\t\tDisables lunmasking feature for the given port\n\n", stdout);
    fputs("\t--lunmaskenable <port_id>\n", stdout);
    fputs("\t\tEnables lunmasking feature for the given port\n\n", stdout);
    fputs("\t--lunmaskquery <port_id> [-r <rpwwn>] [-l <lpwwn>]\n", stdout);
    fputs("\t\tDisplays the active LUN masking configuration\n\n", stdout);
    fputs("\t--pathtov <pcifn> <tov>\n", stdout);
    printf("\t\tSets device path timeout value [tov] in seconds (0..%d)\n\n", 60);
    fputs("\t--profile_off <pcifn>\n", stdout);
    fputs("\t\tDisables IO profiling on fcpim\n\n", stdout);
    fputs("\t--profile_on <pcifn>\n", stdout);
    fputs("\t\tEnables IO profiling on fcpim\n\n", stdout);
    fputs("\t--query <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tQueries fcpim attributes\n\n", stdout);
    fputs("\t--stats <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tDisplays fcpim statistics\n\n", stdout);
    fputs("\t--statsclr <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tClears fcpim statistics\n\n", stdout);
    fputs("\t--throttleclear <pcifn>\n", stdout);
    fputs("\t\tConfigures IO throttle value in given fcpim to default\n\n", stdout);
    fputs("\t--throttlequery <pcifn>\n", stdout);
    fputs("\t\tDisplay current IO throttle values in given fcpim\n\n", stdout);
    fputs("\t--throttleset <pcifn> <throttle_size>\n", stdout);
    fputs("\t\tConfigures IO throttle value (1...2000) in given fcpim\n\n", stdout);
    tvcli_usage_port_ids();
    tvcli_usage_pcifn_ids(0, 0);
    fputs("\n", stdout);
}

int tvcli_fcpim_ioperf_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_lunlist_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_lm_add_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_lm_clear_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_lm_del_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_lm_dis_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_lm_en_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_lm_query_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_pathtov_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_prof_off_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_prof_on_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_query_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_stats_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_throttle_clear_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_throttle_query_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcpim_throttle_set_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
