// tvcli mfg commands.
#include "tvcli.h"

void tvcli_mfg_usage(int extended)
{
    (void)extended;
}

int tvcli_mfg_update(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
