// tvcli log commands.
#include "tvcli.h"

void tvcli_log_usage(int extended)
{
    (void)extended;
}

int tvcli_log_level(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
