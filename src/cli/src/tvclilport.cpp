// tvcli lport commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_lport_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli lport [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct RPORT specific commands using this option\n", stdout);
    fputs("Example: tvcli lport --list <pcifn>\n", stdout);
    fputs("Available commands are:\n\n", stdout);
    fputs("\t--list <pcifn>\n", stdout);
    fputs("\t\tlists the lports\n\n", stdout);
    fputs("\t--query <pcifn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tQueries attributes of logical port\n\n", stdout);
    fputs("\t--stats <pcifn> [-l <lpwwn>]\n", stdout);
    fputs("\t\t Displays lport level statistics\n\n", stdout);
    fputs("\t--statsclr <pcifn> [-l <lpwwn>]\n", stdout);
    fputs("\t\t clears lport level statistics\n\n", stdout);
    tvcli_usage_pcifn_ids(1, 0);
}

int tvcli_lport_bfs_list(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_lport_list(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_lport_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_lport_statistics(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_lport_statsclr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
