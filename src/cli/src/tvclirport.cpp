// tvcli rport commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_rport_usage(int extended)
{
    fputs("\nUsage: tvcli rport [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct RPORT specific commands using this option\n", stdout);
    fputs("Example: tvcli rport --query <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("Available commands are:\n\n", stdout);
    fputs("\t--list <pcifn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tlist all the rports visible through the local port\n\n", stdout);
    fputs("\t--osname <pcifn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tThis command is obsolete in driver versions 3.0.0", stdout);
    fputs(" and above.\n\t\tIt has been", stdout);
    fputs(" replaced by 'tvcli fcpim --lunlist'.Please see the\n\t\t", stdout);
    fputs("help section of fcpim for more information on its usage.\n\n", stdout);
    fputs("\t--query <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tQueries attributes of remote port\n\n", stdout);
    if (extended) {
        fputs("\t--speed <port_id> <rpwwn> <2|4|8> [-l <lpwwn>]\n", stdout);
        fputs("\t\tSets the remote port speed\n\n", stdout);
    }
    fputs("\t--stats <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tDisplay rport level statistics\n\n", stdout);
    fputs("\t--statsclr <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tClears rport level statistics\n\n", stdout);
    tvcli_usage_pcifn_ids(1, 1);
    fputs("\n", stdout);
}

int tvcli_rport_bfs_list_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_rport_list_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_rport_query_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_rport_speed_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_rport_stats_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_rport_statsclr_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
