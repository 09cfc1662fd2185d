// tvcli vnic commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_vnic_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli vnic [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Available commands are:\n\n", stdout);
    fputs("\t--bw <pcifn> [-bmin <min bandwidth>] [-bmax <max bandwidth>]\n", stdout);
    fputs("\t\t Sets the bandwidth for the vNIC\n\n", stdout);
    fputs("\t--create <port_id> [-bmin <min bandwidth>] [-bmax <max bandwidth>]\n", stdout);
    fputs("\t\tCreates additional vNIC\n\n", stdout);
    fputs("\t--delete <pcifn>\n", stdout);
    fputs("\t\tDeletes given vNIC\n\n", stdout);
    fputs("\t--disable <pcifn>\n", stdout);
    fputs("\t\t Disables the vNIC\n\n", stdout);
    fputs("\t--enable <pcifn>\n", stdout);
    fputs("\t\t Enables the vNIC\n\n", stdout);
    fputs("\t--query <pcifn>\n", stdout);
    fputs("\t\tQueries vNIC status\n\n", stdout);
    fputs("\t--stats <pcifn>\n", stdout);
    fputs("\t\t Displays statistics of the vNIC\n\n", stdout);
    fputs("\t--statsclr <pcifn>\n", stdout);
    fputs("\t\t Clears statistics of the vNIC\n\n", stdout);
    tvcli_usage_port_ids();
    fputs("\n\tFor --delete and --bw, pcifn id has to be:\n", stdout);
    fputs("\t\t<adapter_id/port_id/pcifn_id>\n", stdout);
    fputs("\n\tFor all other commands pcifn id could be any of:\n", stdout);
    fputs("\t\t<adapter_id/port_id>\n", stdout);
    fputs("\t\t<adapter_id/port_id/pcifn_id>\n", stdout);
    fputs("\n\tbandwidth can be specified either as an absolute value\n", stdout);
    printf("\tor a percentage weight i.e., %s\n", "0% to 100%");
    printf("\tAbsolute value could range from %d[M] to %dG\n", 0, 10);
    fputs("\twhere M is Mbps and G is Gbps. Default unit is Mbps\n", stdout);
    printf("\tDefault values for min bandwidth = 0 and max bandwidth = 10000M/%s\n", "100%");
    fputs("\tAbsolute bandwidth value has to be in multiples of 100Mbps\n", stdout);
    fputs("\tFor eg; 100M, 300M 6.5G, 10G etc are valid entries\n\n", stdout);
    fputs("\tHowever please note that -bmax = 0 is not an valid entry\n", stdout);
}

int tvcli_vnic_bw_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vnic_create_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vnic_delete_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vnic_disable_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vnic_enable_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vnic_query_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vnic_stats_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vnic_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
