// tvcli pcifn commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_pcifn_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli pcifn [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct PCI Function specific commands using this option\n", stdout);
    fputs("Example: tvcli pcifn --list 1\n\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--list <adapter_id>\n", stdout);
    fputs("\t\tLists all PCI functions configured or visible on an adapter\n\n", stdout);
    fputs("\n\tadapter id could be any of:\n", stdout);
    fputs("\t\t<adapter_id>\n", stdout);
    fputs("\t\t<adapter-sn>\n", stdout);
    fputs("\t\t<adapter-name>\n", stdout);
    fputs("\t\t<adapter-hwpath>\n\n", stdout);
}

int tvcli_pcifn_list(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
