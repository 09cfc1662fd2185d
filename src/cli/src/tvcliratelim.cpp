// tvcli ratelim commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_ratelim_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli ratelim [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Telvarn adapter specific commands using this option\n", stdout);
    fputs("Example: tvcli ratelim --enable <port_id>\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--defspeed <port_id> [<1|2|4|8>]\n", stdout);
    fputs("\t\tQuery or set the default TRL speed\n", stdout);
    fputs("\t\tdefspeed needs to be a supported speed and less than the max speed\n", stdout);
    fputs("\t\tat which the card can operate.\n\n", stdout);
    fputs("\t--disable <port_id>\n", stdout);
    fputs("\t\tDisable ratelim for Port if currently enabled\n\n", stdout);
    fputs("\t--enable <port_id>\n", stdout);
    fputs("\t\tEnable ratelim for Port if currently disabled\n\n", stdout);
    fputs("\t--query <port_id>\n", stdout);
    fputs("\t\tQuery the TRL details\n\n", stdout);
    tvcli_usage_port_ids();
}

int tvcli_ratelim_defspeed(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ratelim_disable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ratelim_enable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ratelim_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
