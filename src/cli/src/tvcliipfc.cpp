// tvcli ipfc commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_ipfc_usage(int extended)
{
    if (!extended)
        return;
    fputs("\nUsage: tvcli ipfc [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Telvarn adapter specific commands using this option\n", stdout);
    fputs("Example: tvcli ipfc --query <port_id>\n", stdout);
    fputs("Available commands are:\n\n", stdout);
    fputs("\t--query <port_id>\n", stdout);
    fputs("\t\tQuery the IPFC details\n\n", stdout);
    fputs("\t--stats <port_id>\n", stdout);
    fputs("\t\tDisplay the IPFC statistics\n\n", stdout);
    fputs("\t--statsclr <port_id>\n", stdout);
    fputs("\t\tClear the IPFC statistics\n\n", stdout);
    fputs("\n\tport id could be any of:\n", stdout);
    fputs("\t\t<adapter_id/port_id/pcifn>\n", stdout);
    fputs("\t\t<port-pwwn>\n", stdout);
    fputs("\t\t<port-name>\n", stdout);
    fputs("\t\t<port-hwpath>\n\n", stdout);
}

int tvcli_ipfc_disable_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ipfc_enable_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ipfc_query_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ipfc_stats_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ipfc_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
