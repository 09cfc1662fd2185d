// tvcli fcoe commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_fcoe_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli fcoe [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct FCoE Port specific commands using this option\n", stdout);
    fputs("Example: tvcli fcoe --enable <port_id>\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--disable <port_id> \n", stdout);
    fputs("\t\tDisable the FCoE port\n\n", stdout);
    fputs("\t--enable <port_id> \n", stdout);
    fputs("\t\tEnable the FCoE Port\n\n", stdout);
    fputs("\t--stats <port_id>\n", stdout);
    fputs("\t\tDisplay the FCoE port statistics\n\n", stdout);
    fputs("\t--statsclr <port_id>\n", stdout);
    fputs("\t\tClear the FCoE port statistics\n\n", stdout);
    tvcli_usage_port_ids();
    fputs("\n", stdout);
}

int tvcli_fcoe_disable_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcoe_enable_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcoe_stats_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcoe_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
