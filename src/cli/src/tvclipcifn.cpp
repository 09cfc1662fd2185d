// tvcli pcifn commands.
#include "tvcli.h"

void tvcli_pcifn_usage(int extended)
{
    (void)extended;
}

int tvcli_pcifn_list(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
