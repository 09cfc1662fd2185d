// tvcli vhba commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_vhba_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli vhba [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Available commands are:\n\n", stdout);
    fputs("\t--disable <pcifn>\n", stdout);
    fputs("\t\t Disables the vHBA\n\n", stdout);
    fputs("\t--enable <pcifn>\n", stdout);
    fputs("\t\t Enables the vHBA\n\n", stdout);
    fputs("\t--intr <pcifn> <-c> {on | off} [<latency> <delay>]\n", stdout);
    fputs("\t\t Configures interrupt attributes for the vHBA\n", stdout);
    fputs("\t\tLatency can be between 0-225 micro seconds\n", stdout);
    fputs("\t\tLatency value of 0 means the minimum latency\n", stdout);
    fputs("\t\tvalue supported by the hardware and not literal 0\n", stdout);
    fputs("\t\tLatency value 0 disables latency monitor timeout interrupt\n\n", stdout);
    fputs("\t\tDelay can be between 0-1125 micro seconds\n", stdout);
    fputs("\t\tDelay value of 0 disables the delay timeout interrupt\n", stdout);
    fputs("\t--query <pcifn>\n", stdout);
    fputs("\t\tQueries vHBA status\n\n", stdout);
    fputs("\t--stats <pcifn>\n", stdout);
    fputs("\t\t Displays statistics of the vHBA\n\n", stdout);
    fputs("\t--statsclr <pcifn>\n", stdout);
    fputs("\t\t Clears statistics of the vHBA\n\n", stdout);
    tvcli_usage_port_ids();
    tvcli_usage_pcifn_ids(0, 0);
    fputs("\n", stdout);
}

int tvcli_vhba_bw_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vhba_create_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vhba_delete_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vhba_disable_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vhba_enable_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vhba_intr_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vhba_query_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vhba_stats_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vhba_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
