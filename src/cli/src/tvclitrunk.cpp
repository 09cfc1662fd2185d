// tvcli trunk commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_trunk_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli trunk [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Telvarn adapter specific commands using this option\n", stdout);
    fputs("Example: tvcli trunk --enable <ad_id>\n", stdout);
    fputs("Available commands are:\n\n", stdout);
    fputs("\t--disable <ad_id>\n", stdout);
    fputs("\t\tDisable trunk for adapter if currently enabled\n\n", stdout);
    fputs("\t--enable <ad_id>\n", stdout);
    fputs("\t\tEnable trunk for adapter if currently disabled\n\n", stdout);
    fputs("\t--query <ad_id>\n", stdout);
    fputs("\t\tQuery the trunk details\n\n", stdout);
    fputs("\n\t- ad_id could be any of:\n", stdout);
    fputs("\t\t- adapter_index\n", stdout);
    fputs("\t\t- serial number\n", stdout);
    fputs("\t\t- adapter name\n", stdout);
    fputs("\t\t- hw path\n", stdout);
}

int tvcli_trunk_disable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_trunk_enable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_trunk_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
