// tvcli auth commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_auth_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli auth [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Authentication commands using this option\n", stdout);
    fputs("Example: tvcli auth --show <pcifn>\n", stdout);
    fputs("Available commands are:\n\n", stdout);
    fputs("\t--algo <pcifn> <md5|sha1|ms|sm>\n", stdout);
    fputs("\t\tsets the authentication algorithm\n\n", stdout);
    fputs("\t--policy <pcifn> <on|off>\n", stdout);
    fputs("\t\tturns the authentication on or off\n\n", stdout);
    fputs("\t--secret <pcifn> <secret string>\n", stdout);
    fputs("\t\tsets the shared secret\n", stdout);
    fputs("\t\tsecret string should be 8-40 alphanumeric characters\n\n", stdout);
    fputs("\t--show <pcifn>\n", stdout);
    fputs("\t\tprints the attributes\n\n", stdout);
    fputs("\t--stats <pcifn>\n", stdout);
    fputs("\t\tdisplays the authentication stats\n\n", stdout);
    fputs("\t--statsclr <pcifn>\n", stdout);
    fputs("\t\tClear the auth statistics\n\n", stdout);
    tvcli_usage_pcifn_ids(1, 1);
}

int tvcli_auth_setalgo(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_auth_setencryptstring(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_auth_setpolicy(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_auth_setsecretstring(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_auth_show(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_auth_stats(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_auth_statsclr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
