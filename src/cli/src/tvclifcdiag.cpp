// tvcli fcdiag commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_fcdiag_usage(int extended)
{
    (void)extended;
    fputs("\nUsage: tvcli fcdiag [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct fcdiagnostic commands using this option\n", stdout);
    fputs("Example: tvcli fcdiag --linkbeacon <port_id> {on | off}\n", stdout);
    fputs("Available commands are:\n", stdout);
    fputs("\t--fcecho <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tSends an FC Echo Extended Link Services\n", stdout);
    fputs("\t\t(ELS) request to a remote port\n\n", stdout);
    fputs("\t--fcping <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tDetermines the basic connectivity between\n", stdout);
    fputs("\t\ttwo Fibre Channel network points\n\n", stdout);
    fputs("\t--fctraceroute <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tReports on a SAN path, including node hops and\n", stdout);
    fputs("\t\tlatency data\n\n", stdout);
    fputs("\t--linkbeacon <port_id> {on | off}\n", stdout);
    fputs("\t\tBlinks the link\n\n", stdout);
    fputs("\t--scsitest <pcifn> <rpwwn> [-l <lpwwn>]\n", stdout);
    fputs("\t\tTests the SCSI components\n\n", stdout);
    tvcli_usage_port_ids();
    tvcli_usage_pcifn_ids(0, 0);
    fputs("\n", stdout);
}

int tvcli_fcdiag_echo_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcdiag_ping_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcdiag_trcrt_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcdiag_bcn_swport_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fcdiag_scsitest_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
