// tvcli qos commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_qos_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli qos [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Telvarn adapter specific commands using this option\n", stdout);
    fputs("Example: tvcli qos --enable <port_id>\n", stdout);
    fputs("Available commands are:\n\n", stdout);
    fputs("\t--disable <port_id>\n", stdout);
    fputs("\t\tDisable qos for Port if currently enabled\n\n", stdout);
    fputs("\t--enable <port_id>\n", stdout);
    fputs("\t\tEnable qos for Port if currently disabled\n\n", stdout);
    fputs("\t--query <port_id>\n", stdout);
    fputs("\t\tQuery the QOS details\n\n", stdout);
    fputs("\t--setbw <port_id> -h <high> -m <med> -l <low>\n", stdout);
    fputs("\t\tSet the bandwidth for QOS high/medium/low priorities\n\n", stdout);
    fputs("\t--stats <port_id>\n", stdout);
    fputs("\t\tDisplay the QOS statistics\n\n", stdout);
    fputs("\t--statsclr <port_id>\n", stdout);
    fputs("\t\tClear the QOS statistics\n\n", stdout);
    tvcli_usage_port_ids();
}

int tvcli_qos_disable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_qos_enable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_qos_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_qos_setbw(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_qos_stats(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_qos_statsclr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
