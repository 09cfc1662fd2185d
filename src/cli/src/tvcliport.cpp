// tvcli port commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_port_usage(int extended)
{
    fputs("\nUsage: tvcli port [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Physical Port specific commands using this option\n", stdout);
    fputs("Example: tvcli port --query <port_id>\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--dfsize <port_id> [<dfsize>] \n", stdout);
    fputs("\t\tQuery or set received data field size \n", stdout);
    fputs("\t\tAllowed dfsize values are auto, 512, 1024, 2048 and 2112\n\n", stdout);
    fputs("\t\tIf set to auto uses default value 2112\n\n", stdout);
    fputs("\t--disable <port_id> \n", stdout);
    fputs("\t\tDisable the port\n\n", stdout);
    fputs("\t--enable <port_id> \n", stdout);
    fputs("\t\tEnable the port\n\n", stdout);
    if (extended) {
        fputs("\t--events <port_id>\n", stdout);
        fputs("\t\tprints out the events for the port\n\n", stdout);
    }
    fputs("\t--faa <port_id> <--query>\n", stdout);
    fputs("\t\tQueries the attributes of Fabric Assigned Address\n\n", stdout);
    if (extended) {
        fputs("\t--fccr_enable <port_id>\n", stdout);
        fputs("\t\tEnable Fibre Channel Credit Recovery\n\n", stdout);
        fputs("\t--fccr_disable <port_id>\n", stdout);
        fputs("\t\tDisable Fibre Channel Credit Recovery\n\n", stdout);
        fputs("\t--fccr_query <port_id>\n", stdout);
        fputs("\t\tQuery Fibre Channel Credit Recovery State\n\n", stdout);
    }
    fputs("\t--fwstats <port_id>\n", stdout);
    fputs("\t\tDisplay firmware level statistics\n\n", stdout);
    fputs("\t--fwstatsclr <port_id>\n", stdout);
    fputs("\t\tClears firmware level statistics\n\n", stdout);
    fputs("\t--list [-verbose | -terse]\n", stdout);
    fputs("\t\tList all ports in the system\n", stdout);
    fputs("\t\t\tterse    -  Does not list PCI Functions\n", stdout);
    fputs("\t\t\tverbose  -  Lists all PCI Functions\n", stdout);
    fputs("\t\t\tThe default output is verbose\n", stdout);
    fputs("\t--mode <port_id> {HBA|CNA|NIC} [-f]\n", stdout);
    fputs("\t\tSet the mode for the port\n\t\t-f: Force the command to reset all the settings configured on the port\n", stdout);
    fputs("\t--name <port_id> [<port_name>]\n", stdout);
    fputs("\t\tQuery or set port name\n", stdout);
    fputs("\t\tName should contain a maximum of 15 characters\n", stdout);
    fputs("\t\tThe first letter has to be an alphabet\n", stdout);
    fputs("\t\tName can contain only alphanumeric characters\n", stdout);
    fputs("\t\tOnly possible exceptions being \"-\" and \"_\"\n\n", stdout);
    fputs("\t--perf <port_range|all> [-c count] [-i interval] \n", stdout);
    fputs("\t\tDisplay data throughput in units of:\n", stdout);
    fputs("\t\t\tBytes/sec, KBytes/sec, MBytes/sec & GBytes/sec\n", stdout);
    fputs("\t\t\tAn asterisk implies error reading from driver\n\n", stdout);
    fputs("\t\tport_range, for example, could be 1/0 or 1/0-2/1\n\n", stdout);
    fputs("\t--query <port_id>\n", stdout);
    fputs("\t\tQuery the port details\n\n", stdout);
    fputs("\t--speed <port_id> [1|2|4|8|16|10|auto] \n", stdout);
    fputs("\t\tQuery or set the port speed\n", stdout);
    fputs("\t\t1G speed is not valid for an 8G/16G HBA\n", stdout);
    fputs("\t\t1G speed is valid for an 8G Mezz HBA\n", stdout);
    fputs("\t\t16G/8G speed is not valid for a 4G HBA\n", stdout);
    fputs("\t\t16G speed is not valid for a 8G HBA\n", stdout);
    fputs("\t\t10G is the only valid speed for 10G FCoE CNA\n\n", stdout);
    fputs("\t--stats <port_id>\n", stdout);
    fputs("\t\tDisplay the port statistics\n\n", stdout);
    fputs("\t--statsclr <port_id>\n", stdout);
    fputs("\t\tClear the port statistics\n\n", stdout);
    fputs("\t--topology <port_id> [p2p | loop] \n", stdout);
    fputs("\t\tQuery or set the port topology\n", stdout);
    fputs("\t\tNot applicable to CNA.\n\n", stdout);
    tvcli_usage_port_ids();
    fputs("\n", stdout);
}

int tvcli_port_alpaclr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_alpaset(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_bfs_list(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_rfsize(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_disable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_enable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_get_events(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_faa_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_bbsc_disable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_bbsc_enable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_bbsc_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_fw_statistics(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_fw_statsclr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_list(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_cfg_mode(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_name(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_pcifn_ethlist(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_pcifn_fclist(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_pcifn_list(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_perf(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_speed(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_statistics(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_statsclr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_port_topology(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
