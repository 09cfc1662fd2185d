// tvcli diag commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_diag_usage(int extended)
{
    fputs("\nUsage: tvcli diag [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct diagnostic commands using this option\n", stdout);
    fputs("Example: tvcli diag --sfpshow <port_id>\n\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--beacon <port_id> <on | off> [<duration>]\n", stdout);
    fputs("\t\tduration = 0 means infinite beaconing\n", stdout);
    fputs("\t\tdefault duration is 0\n", stdout);
    fputs("\t\tblinks the local port for <duration> seconds\n\n", stdout);
    fputs("\t--dportdisable <port_id>\n", stdout);
    fputs("\t\tDisable D-port mode on the port.\n\n", stdout);
    fputs("\t--dportenable <port_id>\n", stdout);
    fputs("\t\tEnable D-port mode on the port.\n\t\tDisable the port before executing this command.\n\n", stdout);
    fputs("\t--ethloopback <port_id> [-t <loopback-type>] \n", stdout);
    fputs("\t\t\t[-c <frame_count>] [-p <pattern>]\n", stdout);
    fputs("\t\tRun port loopback test using the LL data path. Disable\n", stdout);
    fputs("\t\tthe port before executing the command.\n", stdout);
    fputs("\t\t\tloopback type = {serdes | ext}\n", stdout);
    fputs("\t\t\tframe_count range: 1 to 131072, default value is 65536\n", stdout);
    fputs("\t\t\tpattern should be one hex word upto 4 bytes in size\n\n", stdout);
    if (extended) {
        fputs("\t--ledtest <port_id> <led_bitmap> <cmd> [<color>] [<freq>]\n", stdout);
        fputs("\t\tTest LED:\n", stdout);
        fputs("\t\t<led_bitmap> - bit map of LEDs to be tested\n", stdout);
        fputs("\t\t\t(Example: 1 for LED0, 2 for LED1, 3 for LED0 and LED1)\n", stdout);
        fputs("\t\t<cmd> - on, off or blink\n", stdout);
        fputs("\t\t<color> - green or amber must be specified for on/blink\n", stdout);
        fputs("\t\t<freq> - number of blinks per 10 secs must be specified for blink\n\n", stdout);
    }
    fputs("\t--loopback <port_id> [-t <loopback-type>] [-s <speed>]\n", stdout);
    fputs("\t\t\t\t[-c <frame_count>] [-p <pattern>]\n", stdout);
    fputs("\t\tRun port loopback test\n", stdout);
    fputs("\t\t\tloopback type = {int | serdes | ext}\n", stdout);
    fputs("\t\t\tspeed = {10 | 16 | 8 | 4 | 2 |1}\n", stdout);
    fputs("\t\t\tDefault speed for 16G/8G/4G FC HBAs is 4G\n", stdout);
    fputs("\t\t\tDefault speed for 10G FCoE CNAs is 10G\n", stdout);
    fputs("\t\t\tpattern should be one hex word upto 4 bytes in size\n\n", stdout);
    fputs("\t--memtest <ad_id>\n", stdout);
    fputs("\t\tTest memory blocks of the adapter\n\n", stdout);
    fputs("\t--pciloopback <pcifn> <pattern> [-c <frame_count>]\n", stdout);
    fputs("\t\tCheck communication path between host and IOC\n", stdout);
    fputs("\t\tpattern should be one hex word upto 4 bytes in size\n\n", stdout);
    fputs("\t--queuetest <port_id> [-q <queue num>]\n", stdout);
    fputs("\t\tTest CPE/RME queue\n", stdout);
    fputs("\t\t\t<queue number>: CPE queue no. from 0 to 3\n", stdout);
    fputs("\t\t\tdefault: test all queues\n\n", stdout);
    fputs("\t--sfpshow <port_id>\n", stdout);
    fputs("\t\tDisplay SFP information\n\n", stdout);
    fputs("\t--tempshow <ad_id>\n", stdout);
    fputs("\t\tDisplay adapter temperature\n\n", stdout);
    tvcli_usage_port_ids();
    tvcli_usage_pcifn_ids(0, 0);
}

int tvcli_diag_beacon(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_dport_disable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_dport_enable(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_ethloopback(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_led_test(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_loopback(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_memtest(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_pciloopback(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_queuetest(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_sfpshow(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_showtemp(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
