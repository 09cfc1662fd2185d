// tvcli log commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_log_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli log [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct LOG specific commands using this option\n", stdout);
    fputs("Example: tvcli log --level <pcifn> <Critical|Error|Warning|Info>\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--level <pcifn> [<Critical|Error|Warning|Info>] [-m <fw|hal|fcs|drv|aen|all>]\n", stdout);
    fputs("\t\t sets the log level of the selected module\n", stdout);
    fputs("\t\t if level not given gets the current level\n", stdout);
    fputs("\t\t -m option is not supported by Eth pcifns\n", stdout);
    tvcli_usage_pcifn_ids(1, 1);
}

int tvcli_log_level(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
