// tvcli framework: command table types, resolved identifiers, the shared
// parse/print helpers and the process-wide state of the dispatcher.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "tva_status.h"
#include "tval.h"
#include "tval_adapter.h"

/* Help group of a class. */
typedef enum tvcli_cmd_type_e {
    COMMON = 0,
    CNA = 1,
    FC = 2,
    ETH = 3,
    TYPE_MAX = 4,
} tvcli_cmd_type_t;

/* Operating systems a class is listed for (bit mask); only E_LINUX and
 * E_HIDDEN matter for the help listing, dispatch ignores the mask. */
typedef enum tvcli_cmd_os_e {
    E_INVALID = 0,
    E_WINDOWS = 1,
    E_SOLARIS = 2,
    E_VMWARE = 4,
    E_LINUX = 8,
    E_ALL = 15,
    E_HIDDEN = 16,
} tvcli_cmd_os_t;

/* How the first word after the command word is resolved. */
typedef enum tvcli_id_desc_e {
    PORT_ID = 0,
    ADAPTER_ID = 1,
    PCIFN_ID = 2,
    TEAM_ID = 3,
    PORT_FIRST_IOC = 4,
    PCIFN_FIRST_IOC = 5,
    PCIFN_ID_STRICT = 6,
    ID_NONE = 7,
} tvcli_id_desc_t;

/* Which kind of PCI function the identifier must reach. */
typedef enum tvcli_drv_path_e {
    PATH_FC = 0,
    PATH_ETH = 1,
    PATH_ANY = 2,
    PATH_ANY_OPER = 3,
} tvcli_drv_path_t;

typedef struct tvcli_port_first_ioc_s {
    tval_t *tval;
    int port;
} tvcli_port_first_ioc_t;

typedef struct tvcli_pfn_first_ioc_s {
    tval_t *tval;
    int port;
    int pcifn;
    int configured;
    int active;
} tvcli_pfn_first_ioc_t;

/* A range a/p-a/p keeps its first IOC in the first word and its last IOC
 * in the second word of the union. */
typedef struct tvcli_range_s {
    tval_t *tval;
    tval_t *last;
} tvcli_range_t;

typedef union tvcli_id_u {
    tval_t *tval;
    tval_adapter_t *adapter;
    tval_port_t *port;
    tvcli_port_first_ioc_t port_ioc;
    tvcli_pfn_first_ioc_t pfn_ioc;
    tvcli_range_t range;
} tvcli_id_t;

typedef int (*tvcli_cmd_handler_t)(char **argv, int argc, tvcli_id_t *id);
typedef void (*tvcli_cmd_usage_t)(int extended);

typedef struct cmd_desc_s {
    const char *name;
    int min_args;
    int max_args;
    tvcli_id_desc_t id_desc;
    tvcli_drv_path_t drv_path;
    tvcli_cmd_handler_t handler;
} tvcli_cmd_desc_t;

typedef struct cmd_class_desc_s {
    const char *name;
    int num_cmd;
    tvcli_cmd_type_t cmd_type;
    int os; /* tvcli_cmd_os_t bits */
    const tvcli_cmd_desc_t *cmds;
    tvcli_cmd_usage_t usage;
} tvcli_cmd_class_desc_t;

/* Token list of one shell line. */
typedef struct l_node {
    char *token;
    struct l_node *next;
} lnode;

/* Command-line result codes (0 and the library statuses 1-254 aside). */
typedef enum e_cli_error {
    E_CLI_NO_ERROR = 0,
    E_CLI_TOO_FEW_ARGS = 4001,
    E_CLI_CMD_NOT_SUPPORTED = 4002,
    E_CLI_SYSTEM_BUSY = 4003,
    E_CLI_BAD_ARG = 4004,
    E_CLI_OPEN_ADAPTER_FAILED = 4005,
    E_CLI_INCORRECT_ARG = 4006,
    E_CLI_INCORRECT_CMD = 4007,
    E_CLI_BAD_WWN = 4008,
    E_CLI_BAD_MAC = 4009,
    E_CLI_BAD_LUN = 4010,
    E_CLI_INCORRECT_PORT_ID = 4011,
    E_CLI_INCORRECT_ADAPTER_ID = 4012,
    E_CLI_INCORRECT_PCIFN_ID = 4013,
    E_CLI_HELP = 4014,
    E_CLI_INCORRECT_STRING = 4015,
    E_CLI_VK_NO_INT = 4016,
    E_CLI_NO_FC_INFO = 4017,
    E_CLI_NO_ETH_INFO = 4018,
    E_CLI_INVALID_INTERVAL = 4019,
    E_CLI_BAD_CARD_TYPE = 4020,
    E_CLI_INCORRECT_CAPABILITY = 4021,
    E_CLI_BAD_NPORTS = 4022,
    E_CLI_INVALID_LUN = 4023,
    E_CLI_PORT0_ABSENT = 4024,
    E_CLI_CLASS_NOT_SUPPORTED = 4025,
    E_CLI_INCORRECT_MAC_OPTION = 4026,
    E_CLI_LIST_ERR = 4027,
} e_cli_error_t;

/* Which syntax an identifier word matched. */
typedef enum port_id_type_e {
    e_id_unknown = 0,
    e_id_adapter_port = 1,
    e_id_adapter_port_pfn = 2,
    e_id_wwn = 3,
    e_id_hwpath = 4,
    e_id_range = 5,
    e_id_name = 6,
} port_id_type_t;

/* Words of an a/p or a/p/f identifier; port -1 = out of range,
 * pcifn_id -1 = not given. */
typedef struct tvcli_pcifn_s {
    int adapter;
    int port;
    int pcifn_id;
} tvcli_pcifn_t;

/* Wanted kind of function for the port resolvers. */
typedef enum tvcli_want_e {
    TVCLI_WANT_FC = 0,  /* storage: FC or FCoE */
    TVCLI_WANT_ETH = 1, /* Ethernet: LL */
} tvcli_want_t;

/* Longest word the resolvers and syntax checks look at; longer words are
 * rejected, never copied. */
#define TVCLI_MAX_WORD 255

/* ---- process-wide state ------------------------------------------------ */
extern const tvcli_cmd_class_desc_t tvcli_class_desc[];
/* Index of the class being run ("class" cannot be a C++ name). */
extern int tvcli_class;
/* Set when this command line's scan found no adapter. */
extern bool bNoAd;

/* ---- dispatch (tvclidispatch.cpp) ------------------------------------------ */
int tvcli_cmdline_parser(int argc, char **argv);
int tvcli_main(int argc, char **argv);
int tvcli_shell(FILE *in);
int tvcli_get_class_id(const char *word, int *class_idx);
int tvcli_get_cmd_id(const char *word, int class_idx, int *cmd_idx);
int tvcli_validate_arg_count(int class_idx, int cmd_idx, int n);
int tvcli_internal_command(const char *word);
void tvcli_print_help(int extended);
void tvcli_print_version(void);
const char *tvcli_get_version(void);
void tvcli_list_append(lnode **head, const char *token);
void tvcli_list_free(lnode **head);

/* ---- errors and output (tvclierror.cpp) --------------------------------- */
void print_error_string(int code, int argc, char **argv);
void tvcli_print_header_line(int count);
void tvcli_print_pwwn(wwn_t wwn);
char *tvcli_wwn2str(char *buf, wwn_t wwn);
void tvcli_print_mac(mac_t mac);
void tvcli_print_lun(uint64_t lun);
void tvcli_convert_lun_to_string(uint64_t lun, char *buf, size_t len);
void tvcli_convert_string_to_lun(const char *text, size_t len, uint64_t *lun);
/* The identifier lines that close most class usages: the port id forms,
 * and the pcifn id forms (with the WWN, name and path forms when names is
 * set, and the 1/0/2 example line when example is set). */
void tvcli_usage_port_ids(void);
void tvcli_usage_pcifn_ids(int names, int example);

/* ---- identifiers and syntax checks (tvcliwrapper.cpp) ------------------- */
int tvcli_get_id(const char *word, int class_idx, int cmd_idx, tvcli_id_t *id);
tval_adapter_t *tvcli_get_adapter_id(const char *word);
tval_adapter_t *tvcli_get_adapter_by_id(int index);
int tvcli_get_adapter_port_id(const char *word, tvcli_pcifn_t *out, int hw_count);
int tvcli_get_port_id_any(const char *word, tvcli_want_t want, tvcli_id_t *id,
                          port_id_type_t *kind);
int tvcli_get_port_id(const char *word, tvcli_want_t want, tvcli_id_t *id);
int tvcli_get_port_id_strict(const char *word, tvcli_want_t want, tvcli_id_t *id);
int tvcli_get_pcifn_id_strict(const char *word, tvcli_want_t want, tvcli_id_t *id);
int tvcli_get_first_ioc(const char *word, tval_t **ioc, int *port, int *pcifn,
                        int strict);
int tvcli_get_ioc_by_wwn(const char *word, tvcli_want_t want, tvcli_id_t *id);
int tvcli_get_ioc_by_hwpath(const char *word, tvcli_want_t want, tvcli_id_t *id);
int tvcli_get_ioc_by_portname(const char *word, tvcli_want_t want, tvcli_id_t *id);

int ishex(int c);
int tvcli_get_port_wwn(const char *word, wwn_t *wwn);
int tvcli_get_mac_number(const char *word, mac_t *mac);
int tvcli_verify_name(const char *word);
int tvcli_verify_pattern(const char *word);
int tvcli_verify_num(const char *word);
int tvcli_verify_lun(const char *word);
int tvcli_set_speed(const char *word, int *speed);
int tvcli_set_topology(const char *word, int *topology);
int tvcli_parse_vlan_id(const char *word);
int tvcli_fill_vfid_lpwwn(char **argv, int argc, int first, int unused, wwn_t *lpwwn);
int tvcli_test_file_exists(const char *path);

#include "tvcli_handlers.h"
