// tvcli bios commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_bios_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli bios [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Telvarn adapter specific commands using this option\n", stdout);
    fputs("Example: tvcli bios --query 1/0\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--disable <port_id>\n", stdout);
    fputs("\t\tDisable boot over SAN for Port if currently enabled\n\n", stdout);
    fputs("\t--enable <port_id> [-s <speed>] [-t <topo>] [-o <auto | flash | firstlun>] [-d <bdelay>] [-p pos] {-b pwwn,lun}*\n", stdout);
    fputs("\t\tEnables boot over SAN with the configuration given\n", stdout);
    fputs("\t\tEg. tvcli bios --enable 1/0 -p 0 -o flash -d 5 -b 10:20:30:40:50:60:70:80,1\n\n", stdout);
    fputs("\t\tFor -s option:\n", stdout);
    fputs("\t\tValid port speeds for 4G Fibre Channel cards are 1,2,4gbps\n", stdout);
    fputs("\t\tValid port speeds for 8G Fibre Channel cards are 2,4,8gbps\n", stdout);
    fputs("\t\tValid port speeds for 16G Fibre Channel cards are 2,4,8,16gbps\n", stdout);
    fputs("\t\tSpecifying a speed setting for 10G CNA cards is not allowed\n", stdout);
    fputs("\t\tDefault port speed is auto\n\n", stdout);
    fputs("\t\tFor -t option:\n", stdout);
    fputs("\t\tValid values for Topology are p2p, loop.\n\t\tDefault value is p2p\n\n", stdout);
    fputs("\t\tFor -o option:\n", stdout);
    fputs("\t\tauto:\t Boot LUN: \t\tDiscovered from the fabric.\n", stdout);
    fputs("\t\tflash:\t Boot LUN:\t\tObtained from the flash.\n", stdout);
    fputs("\t\tfirstlun:Boot LUN:\t    \tUse first visible LUN.\n", stdout);
    fputs("\t\tDefault value is auto\n\n", stdout);
    fputs("\t\tFor -d option:\n", stdout);
    fputs("\t\tValid values for bootup delay are 0, 1, 2, 5, 10.\n\t\tDefault value is 0\n\n", stdout);
    fputs("\t\tFor -p option:\n", stdout);
    fputs("\t\tif a pwwn, lun pair is given the pos argument\n", stdout);
    fputs("\t\tspecifies the start position in the flash array of\n", stdout);
    fputs("\t\tboot luns the input pwwn,lun pair should be written at\n", stdout);
    fputs("\t\tvalue range of pos is 0-3\n", stdout);
    fputs("\t\tDefault value of pos is 0, which means\n", stdout);
    fputs("\t\tthe existing pwwn,lun information in the flash would be erased\n\n", stdout);
    fputs("\t\tFor -b option:\n", stdout);
    fputs("\t\tLUN id has to be supplied as a decimal number and not hex.\n\n", stdout);
    fputs("\t--query <port_id>\n", stdout);
    fputs("\t\tqueries boot over SAN configuration\n\n", stdout);
    tvcli_usage_port_ids();
}

int tvcli_bios_disable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_bios_enable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_bios_query(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
