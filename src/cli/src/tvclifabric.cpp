// tvcli fabric commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_vf_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli fabric [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Fabric specific commands using this option\n", stdout);
    fputs("Example: tvcli fabric --stats <port_id>\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--stats <port_id>\n", stdout);
    fputs("\t\tPrints the stats of the fabric\n\n", stdout);
    fputs("\t--statsclr <port_id>\n", stdout);
    fputs("\t\tClears the stats of the fabric\n", stdout);
    tvcli_usage_port_ids();
    fputs("\n", stdout);
}

int tvcli_vf_stats_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vf_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
