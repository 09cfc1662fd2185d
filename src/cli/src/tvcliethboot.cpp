// tvcli ethboot commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_ethboot_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli ethboot [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Telvarn adapter specific commands using this option\n", stdout);
    fputs("Example: tvcli ethboot --query 1/0\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--disable <port_id>\n", stdout);
    fputs("\t\tDisable ethernet boot configuration on the port\n\n", stdout);
    fputs("\t--enable <port_id>\n", stdout);
    fputs("\t\tEnable ethernet boot configuration on the port\n\n", stdout);
    fputs("\t--query <port_id>\n", stdout);
    fputs("\t\tQuery ethernet boot configuration\n\n", stdout);
    fputs("\t--vlan <port_id> <vlan_id>\n", stdout);
    fputs("\t\tSet VLAN Id to be used during ethernet booting\n\n", stdout);
    fputs("\n\tSupported range for the vlan-id is 0-4094\n\n", stdout);
    fputs("\n\tport id could be any of:\n", stdout);
    fputs("\t\t<adapter_id/port_id>\n", stdout);
    fputs("\t\t<port-name>\n", stdout);
    fputs("\t\t<port-hwpath>\n", stdout);
}

int tvcli_ethboot_disable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ethboot_enable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ethboot_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_ethboot_vlan(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
