// tvcli dcb commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_dcb_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli dcb [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct DCB port specific commands using this option\n", stdout);
    fputs("Example: tvcli dcb --query <port_id>\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--query <port_id>\n", stdout);
    fputs("\t\tQuery the dcb port information\n\n", stdout);
    fputs("\t--stats <port_id>\n", stdout);
    fputs("\t\tDisplay the dcb port statistics\n\n", stdout);
    fputs("\t--statsclr <port_id>\n", stdout);
    fputs("\t\tClear the dcb port statistics\n\n", stdout);
    tvcli_usage_port_ids();
}

int tvcli_dcb_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_dcb_get_stats(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_dcb_clear_stats(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
