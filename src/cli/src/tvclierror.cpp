// Messages of the command-line result codes and the shared printers of
// WWNs, MACs and LUNs.
#include <cstdio>
#include <cstring>

#include "tvcli.h"

/* argv[i], or "" when the command line is shorter. */
static const char *tvcli_word(int argc, char **argv, int i)
{
    if (argv == nullptr || i >= argc || argv[i] == nullptr)
        return "";
    return argv[i];
}

static void tvcli_class_usage(void)
{
    const tvcli_cmd_class_desc_t *c = &tvcli_class_desc[tvcli_class];
    if (c->usage != nullptr)
        c->usage(0);
}

static bool tvcli_no_adapter_rule(int code)
{
    switch (code) {
    case E_CLI_INCORRECT_PORT_ID:
    case E_CLI_INCORRECT_ADAPTER_ID:
    case E_CLI_INCORRECT_PCIFN_ID:
    case E_CLI_NO_FC_INFO:
    case E_CLI_NO_ETH_INFO:
    case E_CLI_PORT0_ABSENT:
        return true;
    default:
        return false;
    }
}

void print_error_string(int code, int argc, char **argv)
{
    if (bNoAd && tvcli_no_adapter_rule(code)) {
        fprintf(stderr, "ERROR: No Telvarn adapter Found\n");
        return;
    }
    const char *w1 = tvcli_word(argc, argv, 1);
    const char *w2 = tvcli_word(argc, argv, 2);
    const char *w3 = tvcli_word(argc, argv, 3);
    const char *w4 = tvcli_word(argc, argv, 4);

    switch (code) {
    case E_CLI_TOO_FEW_ARGS:
        fprintf(stderr, "ERROR: Too few arguments/options provided for the command \"%s\"\n\n", w1);
        tvcli_class_usage();
        break;
    case E_CLI_CMD_NOT_SUPPORTED:
        fprintf(stderr, "ERROR: \"%s\" Command not supported\n\n", w2);
        break;
    case E_CLI_SYSTEM_BUSY:
        fprintf(stderr, "ERROR: System can not provide the required resources\n");
        break;
    case E_CLI_BAD_ARG:
        fprintf(stderr, "ERROR: Please check the argument \"%s\" for command \"%s\"\n", w3, w2);
        break;
    case E_CLI_OPEN_ADAPTER_FAILED:
        fprintf(stderr, "ERROR: Unable to open the adapter handle\n");
        break;
    case E_CLI_INCORRECT_ARG:
        fprintf(stderr, "ERROR: Incorrect argument count for command \"%s\"\n", w2);
        tvcli_class_usage();
        break;
    case E_CLI_INCORRECT_CMD:
        fprintf(stderr,
                "ERROR: command \"%s\" syntax is incorrect or one of the parameters is incorrect\n", w2);
        break;
    case E_CLI_BAD_WWN:
        fprintf(stderr, "ERROR: Incorrectly formatted WWN\n");
        break;
    case E_CLI_BAD_MAC:
        fprintf(stderr, "ERROR: Incorrectly formatted MAC\n");
        break;
    case E_CLI_BAD_LUN:
        fprintf(stderr, "ERROR: Incorrectly formatted LUN\n");
        break;
    case E_CLI_INCORRECT_PORT_ID:
        fprintf(stderr, "ERROR: port id \"%s\" in command is incorrect\n", w3);
        break;
    case E_CLI_INCORRECT_ADAPTER_ID:
        fprintf(stderr, "ERROR: adapter id \"%s\" in command is incorrect\n", w3);
        break;
    case E_CLI_INCORRECT_PCIFN_ID:
        fprintf(stderr, "ERROR: pcifn id \"%s\" in command is incorrect\n", w3);
        break;
    case E_CLI_HELP:
    case E_CLI_LIST_ERR:
        break;
    case E_CLI_INCORRECT_STRING:
        fprintf(stderr, "ERROR: Please check the string \"%s\"\n", w4);
        break;
    case E_CLI_NO_FC_INFO:
        fprintf(stderr, "ERROR: Could not find Storage functionality on the port (or adapter) \"%s\"\n", w3);
        break;
    case E_CLI_NO_ETH_INFO:
        fprintf(stderr, "ERROR: Could not find Ethernet functionality on the port (or adapter) \"%s\"\n", w3);
        break;
    case E_CLI_INVALID_INTERVAL:
        fprintf(stderr, "ERROR: Invalid interval value\n");
        break;
    case E_CLI_BAD_CARD_TYPE:
        fprintf(stderr, "ERROR: Card model is incorrect\n");
        break;
    case E_CLI_INCORRECT_CAPABILITY:
        fprintf(stderr, "ERROR: Card capabilities mask is");
        fprintf(stderr, " incorrect\n");
        break;
    case E_CLI_BAD_NPORTS:
        fprintf(stderr, "ERROR: Port count is incorrect\n");
        break;
    case E_CLI_INVALID_LUN:
        fprintf(stderr, "ERROR: LUN Number out of range\n");
        break;
    case E_CLI_PORT0_ABSENT:
        fprintf(stderr, "ERROR: Please load driver on first pci function of port 0 of the adapter.\n");
        break;
    case E_CLI_CLASS_NOT_SUPPORTED:
        fprintf(stderr, "ERROR: \"%s\" Command class not supported\n\n", w1);
        break;
    case E_CLI_INCORRECT_MAC_OPTION:
        fprintf(stderr, "ERROR: MAC option is not valid for HBA mode\n");
        break;
    default: /* 4016 and anything unknown */
        fprintf(stderr, "ERROR: %s\n", tval_status_to_string(TVA_STATUS_MAX_VAL));
        break;
    }
}

void tvcli_print_header_line(int count)
{
    if (count < 0)
        count = 0;
    if (count > 255)
        count = 255;
    for (int i = 0; i < count; i++)
        putchar('-');
    putchar('\n');
}

char *tvcli_wwn2str(char *buf, wwn_t wwn)
{
    uint8_t b[8];
    memcpy(b, &wwn, sizeof(b));
    snprintf(buf, 24, "%02x:%02x:%02x:%02x:%02x:%02x:%02x:%02x", b[0], b[1], b[2], b[3], b[4], b[5],
             b[6], b[7]);
    return buf;
}

void tvcli_print_pwwn(wwn_t wwn)
{
    char buf[24];
    printf("%s", tvcli_wwn2str(buf, wwn));
}

void tvcli_print_mac(mac_t mac)
{
    const uint8_t *m = mac.mac;
    printf("%02x:%02x:%02x:%02x:%02x:%02x", m[0], m[1], m[2], m[3], m[4], m[5]);
}

void tvcli_convert_lun_to_string(uint64_t lun, char *buf, size_t len)
{
    if (buf == nullptr || len == 0)
        return;
    uint8_t b[8];
    memcpy(b, &lun, sizeof(b));
    snprintf(buf, len, "%02x%02x-%02x%02x-%02x%02x-%02x%02x", b[0], b[1], b[2], b[3], b[4], b[5], b[6],
             b[7]);
}

void tvcli_print_lun(uint64_t lun)
{
    char buf[20];
    tvcli_convert_lun_to_string(lun, buf, sizeof(buf));
    printf("%s", buf);
}

void tvcli_convert_string_to_lun(const char *text, size_t len, uint64_t *lun)
{
    (void)len;
    if (text == nullptr || lun == nullptr)
        return;
    unsigned int f[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    sscanf(text, "%02x%02x%02x%02x%02x%02x%02x%02x", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6],
           &f[7]);
    uint8_t b[8];
    for (int i = 0; i < 8; i++)
        b[i] = static_cast<uint8_t>(f[i]);
    memcpy(lun, b, sizeof(b));
}

void tvcli_usage_port_ids(void)
{
    fputs("\n\tport id could be any of:\n", stdout);
    fputs("\t\t<adapter_id/port_id>\n", stdout);
    fputs("\t\t<port-pwwn>\n", stdout);
    fputs("\t\t<port-name>\n", stdout);
    fputs("\t\t<port-hwpath>\n", stdout);
}

void tvcli_usage_pcifn_ids(int names, int example)
{
    fputs("\n\tpcifn id could be any of:\n", stdout);
    fputs("\t\t<adapter_id/port_id>\n", stdout);
    fputs("\t\t<adapter_id/port_id/pcifn_id>\n", stdout);
    if (example)
        fputs("\t\t\te.g.1/0/2\n", stdout);
    if (names) {
        fputs("\t\t<port-pwwn>\n", stdout);
        fputs("\t\t<port-name>\n", stdout);
        fputs("\t\t<port-hwpath>\n", stdout);
    }
}
