// tvcli vport commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_vport_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli vport [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct VPORT specific commands using this option\n", stdout);
    fputs("Example: tvcli vport --delete <pcifn> <vpwwn> \n", stdout);
    fputs("Available commands are:\n\n", stdout);
    fputs("\t--create <pcifn> <vpwwn> ", stdout);
    fputs("[-n <vnwwn>] [-s <sname>]\n", stdout);
    fputs("\t\tCreates additional vports\n\n", stdout);
    fputs("\t--delete <pcifn> <vpwwn>\n", stdout);
    fputs("\t\tDeletes vport\n\n", stdout);
    fputs("\t--query <pcifn> <vpwwn>\n", stdout);
    fputs("\t\tQueries vport status\n\n", stdout);
    fputs("\t--stats <pcifn> <vpwwn>\n", stdout);
    fputs("\t\tPrint vport statistics\n\n", stdout);
    fputs("\t--statsclr <pcifn> <vpwwn>\n", stdout);
    fputs("\t\t resets vport statistics\n\n", stdout);
    tvcli_usage_pcifn_ids(1, 0);
    fputs("\n", stdout);
}

int tvcli_vport_create_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vport_delete_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vport_query_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vport_stats_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_vport_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
