// tvcli mfg commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_mfg_usage(int extended)
{
    if (!extended)
        return;
    fputs("\nUsage: tvcli mfg [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--update <ad_id> <sn> <part#> <card_type> <nports> <mode> <pwwn> [<mac#>] --cap [capability] --ablk <asic_block> \n", stdout);
    fputs("\t\tBurns the serial number, part number, pwwn, card type and mac number\n", stdout);
    fputs("\t\tmac# has to be in the format aa:bb:cc:dd:aa:bb\n\n", stdout);
    fputs("\t\tcapability can be one or more of the following:\n", stdout);
    fputs("\t\t[In comma separated format] HBA,CNA,NIC,FC16G,SRIOV,MEZZ\n\n", stdout);
    fputs("\t\tmode should be HBA,CNA or NIC\n\n", stdout);
}

int tvcli_mfg_update(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
