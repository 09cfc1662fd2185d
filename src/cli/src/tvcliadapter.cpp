// tvcli adapter commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_adapter_usage(int extended)
{
    printf("\nUsage: tvcli adapter [OPTIONS] [ARGUMENTS] ...\n");
    printf("Example: tvcli adapter --list\n\n");
    printf("Available commands are:\n");
    if (extended) {
        printf("\t--autostart <ad_id> <on | off>\n");
        printf("\t\tEnables/disables auto start capability for the adapter\n\n");
    }
    printf("\t--disable <ad_id>\n");
    printf("\t\tDisables the adapter\n\n");
    printf("\t--enable <ad_id>\n");
    printf("\t\tEnables the adapter\n\n");
    printf("\t--list\n");
    printf("\t\tList all the adapters in the system\n\n");
    printf("\t--mode <ad_id> <HBA|CNA|NIC> [-f]\n");
    printf("\t\tSet the mode for the adapter\n"
           "\t\t-f: Force the command to reset all the settings configured on the adapter\n\n");
    printf("\t--name <ad_id> [<adapter-name>]\n");
    printf("\t\tQuery or set the name of adapter\n");
    printf("\t\tName should contain a maximum of 15 characters\n");
    printf("\t\tThe first letter has to be an alphabet\n");
    printf("\t\tName can contain only alphanumeric characters\n");
    printf("\t\tOnly possible exceptions being \"-\" and \"_\"\n\n");
    if (extended) {
        /* The class has no --power command; the text keeps its line. */
        printf("\t--power <ad_id> [-m {on | off | save1 | save2}]\n");
        printf("\t\tQuery or Set the power mode for adapter\n\n");
    }
    printf("\t--query <ad_id>\n");
    printf("\t\tQuery attributes of adapter\n\n");
    printf("\n\t<ad_id> could be specified in one of the following formats:\n");
    printf("\t\t- adapter index\n");
    printf("\t\t- serial number\n");
    printf("\t\t- adapter name\n");
    printf("\t\t- hw path\n");
    printf("\n");
}

int tvcli_adapter_autostart(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_adapter_count(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_adapter_disable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_adapter_enable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_adapter_list(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_adapter_mode(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_adapter_name(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_adapter_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
