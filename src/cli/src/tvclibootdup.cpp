// tvcli bootdup commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_bootdup_usage(int extended)
{
    if (!extended)
        return;
    fputs("\nUsage: tvcli bootdup [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Telvarn bootdup specific commands using this option\n\n", stdout);
    fputs("Example1: tvcli bootdup --query 1 -o out_file.xml -l log_file.txt\n\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--query <adapter_id | -a> [-o <out_file.xml>] [-l <log_file.txt>]\n\n", stdout);
    fputs("\t\tQueries all the adapter attributes\n\n", stdout);
    fputs("\t--read <adapter_id> <-f <fwimg file>>\n\n", stdout);
    fputs("\t\tDumps the running firmware to the given file\n\n", stdout);
    fputs("\t--swquery <adapter_id | -a> [-o <out_file.xml>] [-l <log_file.txt>]\n\n", stdout);
    fputs("\t\tQueries the Driver versions of all the Telvarn adapter(s)\n\n", stdout);
    fputs("\t\"-a\" indicates the operation is to be executed on all the Telvarn adapters.\n", stdout);
    fputs("\t--update <adapter_id | -a> <-s <src_fwimg file>> [-o <out_file.xml>] \n\t\t\t[-l <log_file.txt>]\n\n", stdout);
    fputs("\t\tUpdates the boot code in flash\n\n", stdout);
    fputs("\n\t<adapter_id> could be any of:\n", stdout);
    fputs("\n\t\t- adapter index\n", stdout);
    fputs("\t\t- adapter serial number\n", stdout);
    fputs("\t\t- adapter name\n", stdout);
    fputs("\t\t- adapter hw path\n", stdout);
}

int tvcli_bootdup_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_bootdup_read(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_bootdup_swquery(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_bootdup_update(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
