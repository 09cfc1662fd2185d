// tvcli phy commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_phy_usage(int extended)
{
    fputs("\nUsage: tvcli phy [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Telvarn Phy specific commands using this option\n", stdout);
    fputs("Example: tvcli phy --query 1/0\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--query <port_id>\n", stdout);
    fputs("\t\tQuery the Phy module attributes\n\n", stdout);
    if (extended) {
        fputs("\t--read <port_id> <outfile>\n", stdout);
        fputs("\t\tRead the Phy firmware of a given port\n\n", stdout);
    }
    fputs("\t--stats <port_id>\n", stdout);
    fputs("\t\tQuery the Phy module statistics\n\n", stdout);
    fputs("\t--update <ad_id | -a> <image file>\n", stdout);
    fputs("\t\tUpdate Phy firmware on a given adapter\n\n", stdout);
    fputs("\t\t\"-a\" option directs the Phy updation on all the adapters\n\n", stdout);
    tvcli_usage_port_ids();
}

int tvcli_phy_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_phy_read_fw(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_phy_stats(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_phy_update_fw(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
