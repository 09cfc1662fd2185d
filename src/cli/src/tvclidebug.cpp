// tvcli debug commands.
#include <cstdio>

#include "tvcli.h"

void tvcli_debug_usage(int extended)
{
    fputs("\nUsage: tvcli debug [OPTIONS] [ARGUMENTS] ...\n", stdout);
    fputs("Direct Debugging commands using this option\n", stdout);
    fputs("Example: tvcli debug --portlog <pcifn>\n", stdout);
    fputs("Available commands are:\n", stdout);
    if (extended) {
        fputs("\t--dsave <pcifn> <outfile>\n", stdout);
        fputs("\t\tSaves driver data structure states in raw form in <outfile>\n\n", stdout);
        fputs("\t--dstart <pcifn>\n", stdout);
        fputs("\t\tStarts the driver trace accumulation\n\n", stdout);
        fputs("\t--dstop <pcifn>\n", stdout);
        fputs("\t\tStops the driver trace accumulation\n\n", stdout);
        fputs("\t--dtrc <pcifn> <outfile>\n", stdout);
        fputs("\t\tDump driver trace information to <outfile>\n\n", stdout);
        fputs("\t--fcoresave <port_id> <outfile>\n", stdout);
        fputs("\t\tSaves firmware core dump in raw form in <outfile>\n\n", stdout);
        fputs("\t--fsave <pcifn> <outfile>\n", stdout);
        fputs("\t\tDump saved firmware trace information to file <outfile>\n\n", stdout);
        fputs("\t--fsaveclr <pcifn>\n", stdout);
        fputs("\t\tClears the saved firmware trace information\n\n", stdout);
        fputs("\t--ftrc <port_id> <outfile>\n", stdout);
        fputs("\t\tDump firmware trace information to file <outfile>\n\n", stdout);
        fputs("\t--itrc <outfile>\n", stdout);
        fputs("\t\tDump IM driver trace information to <outfile>\n\n", stdout);
        fputs("\t--membase <pcifn>\n", stdout);
        fputs("\t\tRead kva base\n\n", stdout);
        fputs("\t--memread <pcifn> [kva] [nwords]\n", stdout);
        fputs("\t\tRead nwords from kva offset = kva\n\n", stdout);
    }
    fputs("\t--portlog <pcifn>\n", stdout);
    fputs("\t\tDisplay port log contents\n\n", stdout);
    fputs("\t--portlogclear <pcifn>\n", stdout);
    fputs("\t\tClears the port log for <pcifn>\n\n", stdout);
    fputs("\t--portlogctl <pcifn> <enable | disable>\n", stdout);
    fputs("\t\tEnables/disables port logging\n\n", stdout);
    if (extended) {
        fputs("\t--regread <port_id> <addr> [<nwords>] [--force]\n", stdout);
        fputs("\t\tRead register/memory contents\n\n", stdout);
        fputs("\t--regwrite <port_id> <addr> <value> [--force]\n", stdout);
        fputs("\t\tWrite to register/memory\n", stdout);
        fputs("\t\t--force option forces register read/write\n\n", stdout);
    }
    tvcli_usage_port_ids();
    tvcli_usage_pcifn_ids(0, 0);
}

int tvcli_driver_dumpstate(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_driver_controltrace_start(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_driver_controltrace_stop(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_driver_dumptrace(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_driver_dump_registers(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fw_dumpcore(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fw_dumpstate(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fw_state_clear(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fw_controltrace_start(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fw_controltrace_stop(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_fw_dumptrace(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_imdriver_dumptrace(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_membase(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_memread(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_portlog(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_portlogclr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_portlogctl(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_readregister(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}

int tvcli_diag_writeregister(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    (void)id;
    return TVA_STATUS_CMD_NOTSUPP;
}
