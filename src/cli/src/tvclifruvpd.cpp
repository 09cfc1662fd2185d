// tvcli fruvpd commands.
#include "tvcli.h"

void tvcli_fruvpd_usage(int extended)
{
    (void)extended;
}

int tvcli_fruvpd_read(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fruvpd_update(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
