// tvcli fruvpd commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_fruvpd_usage(int extended)
{
    if (!extended)
        return;
    fputs("\nUsage: tvcli fruvpd [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Example: tvcli fruvpd --read 1 fruvpd.bin\n\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--read <ad_id> <file_name>\n", stdout);
    fputs("\t\tRead fruvpd data\n\n", stdout);
    fputs("\t--update <ad_id> <file_name>\n", stdout);
    fputs("\t\tUpdate fruvpd data\n\n", stdout);
    fputs("\n\t <file_name> is the file name of fruvpd data to read from or write to \n", stdout);
    fputs("\n\t<ad_id> could be specified in one of the following formats:\n", stdout);
    fputs("\t\t- adapter index\n", stdout);
    fputs("\t\t- serial number\n", stdout);
    fputs("\t\t- adapter name\n", stdout);
    fputs("\t\t- hw path\n", stdout);
    fputs("\n", stdout);
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
