// tvcli flash commands: query, read, update and erase flash partitions,
// option ROM enable and disable, ASIC block dump.
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "tval_flash.h"
#include "tvcli.h"

#define TVCLI_FLASH_READ_BLOCK 512
#define TVCLI_FLASH_ASIC_DUMP_SIZE 10240
#define TVCLI_PCI_DEVID_ORRIM 0x22
#define TVCLI_FLASH_PART_ALL 0

typedef struct tvcli_flash_part_s {
    char name[8];
    int part_type;
} tvcli_flash_part_t;

static const tvcli_flash_part_t erase_part[] = {
    {"-a", TVCLI_FLASH_PART_ALL},         {"-f", TVA_FLASH_PART_FWIMG},
    {"-t", TVA_FLASH_PART_FWCFG},         {"-o", TVA_FLASH_PART_OPTROM},
    {"-o2", TVA_FLASH_PART_OPTROM2},      {"-c", TVA_FLASH_PART_DRV},
    {"-s", TVA_FLASH_PART_ASIC},          {"-b", TVA_FLASH_PART_BOOT},
    {"-m", TVA_FLASH_PART_MFG},           {"-l", TVA_FLASH_PART_BOOTOVL},
    {"-r", TVA_FLASH_PART_LOG},           {"-e", TVA_FLASH_PART_PXECFG},
    {"-l2", TVA_FLASH_PART_PXEOVL},       {"-pt", TVA_FLASH_PART_PORTCFG},
    {"-v", TVA_FLASH_PART_VPD},           {"-p", TVA_FLASH_PART_PBC},
    {"-s1", TVA_FLASH_PART_ASICBK},
};
static_assert(sizeof(erase_part) / sizeof(erase_part[0]) == 17);

static const tvcli_flash_part_t update_part[] = {
    {"-f", TVA_FLASH_PART_FWIMG},   {"-t", TVA_FLASH_PART_FWCFG},   {"-o", TVA_FLASH_PART_OPTROM},
    {"-o2", TVA_FLASH_PART_OPTROM2}, {"-c", TVA_FLASH_PART_DRV},     {"-s", TVA_FLASH_PART_ASIC},
    {"-m", TVA_FLASH_PART_MFG},     {"-p", TVA_FLASH_PART_PBC},     {"-l", TVA_FLASH_PART_BOOTOVL},
    {"-l2", TVA_FLASH_PART_PXEOVL}, {"-v", TVA_FLASH_PART_VPD},
};
static_assert(sizeof(update_part) / sizeof(update_part[0]) == 11);

static const tvcli_flash_part_t read_part[] = {
    {"-f", TVA_FLASH_PART_FWIMG},    {"-t", TVA_FLASH_PART_FWCFG},    {"-o", TVA_FLASH_PART_OPTROM},
    {"-o2", TVA_FLASH_PART_OPTROM2}, {"-c", TVA_FLASH_PART_DRV},      {"-s", TVA_FLASH_PART_ASIC},
    {"-b", TVA_FLASH_PART_BOOT},     {"-m", TVA_FLASH_PART_MFG},      {"-l", TVA_FLASH_PART_BOOTOVL},
    {"-r", TVA_FLASH_PART_LOG},      {"-e", TVA_FLASH_PART_PXECFG},   {"-l2", TVA_FLASH_PART_PXEOVL},
    {"-pt", TVA_FLASH_PART_PORTCFG}, {"-p", TVA_FLASH_PART_PBC},      {"-v", TVA_FLASH_PART_VPD},
    {"-s1", TVA_FLASH_PART_ASICBK},
};
static_assert(sizeof(read_part) / sizeof(read_part[0]) == 16);

/* ---- usage -------------------------------------------------------------- */

typedef struct tvcli_flash_opt_text_s {
    const char *option;
    const char *text;
} tvcli_flash_opt_text_t;

static void print_options(const char *fmt, const tvcli_flash_opt_text_t *rows, size_t n)
{
    char col[64];
    for (size_t i = 0; i < n; i++) {
        snprintf(col, sizeof(col), "\t\t%s", rows[i].option);
        printf(fmt, col, rows[i].text);
    }
}

void tvcli_flash_usage(int extended)
{
    static const tvcli_flash_opt_text_t erase_rows[] = {
        {"<ad_id>", "adapter id"},
        {"-a", "Erase all partitions"},
        {"-f", "Erase firmware image partition"},
        {"-t", "Erase firmware tunables"},
        {"-o", "Erase option rom partition"},
        {"-o2", "Erase option rom2 partition"},
        {"-c", "Erase driver config"},
        {"-s", "Erase asic image"},
        {"-b", "Erase boot configuration"},
        {"-m", "Erase Manufacturing block partition"},
        {"-l", "Erase boot overlay configuration"},
        {"-r", "Erase firmware logs"},
        {"-e", "Erase pxe boot configuration"},
        {"-l2", "Erase pxe overlay configuration"},
        {"-pt", "Erase port configuration"},
        {"-p", "Erase pre-boot configuration"},
        {"-v", "Erase oem vpd block partition"},
        {"-i <instance>", "Provide instance number if more than one instance exists\n"},
    };
    static const tvcli_flash_opt_text_t read_rows[] = {
        {"<ad_id>", "adapter id"},
        {"-f <fwimage>", "Read firmware image file"},
        {"-t <tuneimage>", "Read firmware tunables"},
        {"-o <optromimage>", "Read option ROM contents"},
        {"-o2 <optromimage for pxe boot>", "Read option ROM2 contents"},
        {"-c <drv-cfg>", "Read driver cfg image"},
        {"-s <asic-cfg>", "Read asic image"},
        {"-b <boot-cfg>", "Read boot cfg"},
        {"-m <mfg-file>", "Read manufacturing block to mfg-file"},
        {"-l <bovl>", "Read boot overlay configuration"},
        {"-r <blog>", "Read firmware logs"},
        {"-e <pxe-cfg>", "Read pxe boot configuration"},
        {"-l2 <pxe-ovl>", "Read pxe overlay configuration"},
        {"-pt <port-cfg>", "Read port configuration"},
        {"-p <pbc>", "Read pre-boot configuration"},
        {"-v <vpd-file>", "Read OEM vpd block using vpd-file"},
        {"-i <instance>", "Provide instance number if more than one instance exists"},
        {"-d <read block size>", "Provide Read Block Size\n"},
    };
    static const tvcli_flash_opt_text_t update_rows[] = {
        {"<ad_id>", "adapter id"},
        {"-f <fwimage>", "Update firmware image file"},
        {"-t <tuneimage>", "Update firmware tunables"},
        {"-o <optromimage>", "Update option ROM contents"},
        {"-o2 <optromimage for pxe boot>", "Update option ROM2 contents"},
        {"-c <drv-cfg>", "Update from driver cfg_file"},
        {"-s <asic-cfg>", "Update from asic_file"},
        {"-m <mfg-file>", "Update manufacturing block using mfg-file"},
        {"-p <pbc>", "Update pre-boot configuration using pbc"},
        {"-l <bovl>", "Update boot overlay configuration using bovl"},
        {"-l2 <pxe-ovl>", "Update pxe overlay configuration using pxe-ovl"},
        {"-v <vpd-file>", "Update OEM vpd block using vpd-file"},
        {"-i <instance>", "Provide instance number if more than one instance exists\n"},
    };

    if (!extended)
        return;
    printf("\nUsage: tvcli flash [OPTIONS] [ARGUMENTS] ...\n");
    printf("Direct flash specific commands using this option\n");
    printf("Example: tvcli flash --query <ad_id>\n\n");
    printf("Available commands are:\n");
    printf("\t--dumpasicblk <ad_id> <bin_file_name>\n");
    printf("\t\tDumps the ASIC block content for Orrim cards to the bin_file_name provided\n\n");
    printf("\t--doptrom <ad_id>\n");
    printf("\t\tDisables the OptRom\n\n");
    printf("\t--eoptrom <ad_id>\n");
    printf("\t\tEnables the OptRom\n\n");
    printf("\t--erase <ad_id> [-a] [-f] [-t] [-o] [-o2] [-c] [-s] [-b]\n");
    printf("\t\t\t[-m] [-l] [-r] [-e] [-l2] [-pt] ");
    printf("[-v] ");
    printf("[-p] [-i instance]\n");
    printf("\t\tErases flash contents\n");
    print_options("%-19s%s\n", erase_rows, sizeof(erase_rows) / sizeof(erase_rows[0]));
    printf("\t--query <ad_id>\n");
    printf("\t\tDisplays the flash status of <ad_id>\n\n");
    printf("\t--read <ad_id>  [-f <fwimage>] [-t <tuneimage>] [-o <optrom>] [-o2 <optrom>]\n");
    printf("\t\t\t[-c <drv-cfg>] [-s <asic-cfg>] [-b <boot-cfg>] [-m <mfg-file>]\n");
    printf("\t\t\t[-l <bovl>] [-r <blog>] [-e <pxe-cfg>] [-l2 <pxe-ovl>] [-pt <port-cfg>]\n");
    printf("\t\t\t[-p <pbc>] ");
    printf("[-v <vpd-file>] ");
    printf("[-i instance] [-d <read-block-size>]\n");
    printf("\t\tRead flash contents\n");
    print_options("%-35s%s\n", read_rows, sizeof(read_rows) / sizeof(read_rows[0]));
    printf("\t--update <ad_id> [-f <fwimage>] [-t <tuneimage>] [-o <optionrom>] [-o2 <optionrom>]\n");
    printf("\t\t\t [-c <drv-cfg>] [-s <asic-cfg>] [-m <mfg-file>] [-p <pbc>]\n");
    printf("\t\t\t [-l <bovl>] [-l2 <pxe-ovl>] ");
    printf("[-v <vpd-file>] ");
    printf("[-i instance]\n");
    printf("\t\tUpdate flash contents\n");
    print_options("%-35s%s\n", update_rows, sizeof(update_rows) / sizeof(update_rows[0]));
    printf("\n\t<ad_id> could be specified in one of the following formats:\n");
    printf("\t\t- adapter index\n");
    printf("\t\t- serial number\n");
    printf("\t\t- adapter name\n");
    printf("\t\t- hw path\n\n");
}

/* ---- shared steps ------------------------------------------------------ */

/* The adapter's first IOC, on its operational function. */
static tval_t *tvcli_flash_ioc(tvcli_id_t *id)
{
    tval_t *ioc = id->adapter ? tval_adapter_get_first_ioc(id->adapter) : nullptr;
    if (ioc)
        tval_ioc_get_operational_pf(&ioc);
    return ioc;
}

static const char *part_name(int type)
{
    return tval_flash_part_type_to_string(type);
}

static bool confirmed(void)
{
    char answer[4] = "";
    if (scanf("%3s", answer) != 1)
        return false;
    return strcmp(answer, "yes") == 0 || strcmp(answer, "y") == 0;
}

static void print_op_error(int rc)
{
    printf("Error: %s\n\n", tval_status_to_string(rc));
}

/* ---- option walk ----------------------------------------------------------- */

typedef enum { WALK_ERASE, WALK_UPDATE, WALK_READ } walk_kind_t;

typedef struct walk_opts_s {
    uint8_t instance;
    uint32_t block_size;
} walk_opts_t;

static uint32_t parse_dec(const char *s)
{
    return (uint32_t)strtoul(s, nullptr, 10);
}

static int walk_prepass(char **argv, int argc, walk_kind_t kind, walk_opts_t *o)
{
    o->instance = 0;
    o->block_size = TVCLI_FLASH_READ_BLOCK;
    for (int w = 4; w < argc; w++) {
        bool is_i = strcmp(argv[w], "-i") == 0;
        bool is_d = kind == WALK_READ && strcmp(argv[w], "-d") == 0;
        if (!is_i && !is_d)
            continue;
        if (w + 1 >= argc)
            return E_CLI_INCORRECT_CMD;
        if (is_i)
            o->instance = (uint8_t)parse_dec(argv[w + 1]);
        else
            o->block_size = parse_dec(argv[w + 1]);
        if (kind != WALK_READ && is_i)
            break;
        w++;
    }
    return 0;
}

static int tvcli_flash_erase_all(tvcli_id_t *id, uint8_t instance);
static int tvcli_flash_erase_one(tvcli_id_t *id, int type, uint8_t instance);
static int tvcli_flash_update_one(tvcli_id_t *id, int type, const char *file, uint8_t instance);
static int tvcli_flash_read_one(tvcli_id_t *id, int type, const char *file, const walk_opts_t *o);

static int tvcli_flash_walk(char **argv, int argc, tvcli_id_t *id, walk_kind_t kind)
{
    const tvcli_flash_part_t *rows;
    size_t nrows;
    switch (kind) {
    case WALK_ERASE: rows = erase_part; nrows = sizeof(erase_part) / sizeof(erase_part[0]); break;
    case WALK_UPDATE: rows = update_part; nrows = sizeof(update_part) / sizeof(update_part[0]); break;
    default: rows = read_part; nrows = sizeof(read_part) / sizeof(read_part[0]); break;
    }

    walk_opts_t o;
    int rc = walk_prepass(argv, argc, kind, &o);
    if (rc != 0)
        return rc;

    bool recognised = false;
    size_t cursor = 0;
    int w = 4;
    while (cursor < nrows && w < argc) {
        const char *word = argv[w];
        if (strcmp(word, "-i") == 0 || (kind == WALK_READ && strcmp(word, "-d") == 0)) {
            recognised = true;
            w += 2;
            continue;
        }
        size_t r = cursor;
        while (r < nrows && strcmp(word, rows[r].name) != 0)
            r++;
        if (r == nrows)
            break;
        recognised = true;
        cursor = r + 1;
        if (kind == WALK_ERASE) {
            if (rows[r].part_type == TVCLI_FLASH_PART_ALL)
                return tvcli_flash_erase_all(id, o.instance);
            rc = tvcli_flash_erase_one(id, rows[r].part_type, o.instance);
            w += 1;
        } else {
            if (w + 1 >= argc)
                return E_CLI_INCORRECT_CMD;
            char *file = strdup(argv[w + 1]);
            if (!file)
                return E_CLI_SYSTEM_BUSY;
            if (kind == WALK_UPDATE)
                rc = tvcli_flash_update_one(id, rows[r].part_type, file, o.instance);
            else
                rc = tvcli_flash_read_one(id, rows[r].part_type, file, &o);
            free(file);
            w += 2;
        }
        if (rc != TVA_STATUS_OK)
            print_op_error(rc);
    }
    return recognised ? (int)TVA_STATUS_OK : (int)E_CLI_INCORRECT_CMD;
}

/* ---- erase ------------------------------------------------------------------ */

static int tvcli_flash_erase_one(tvcli_id_t *id, int type, uint8_t instance)
{
    printf("This operation will erase \"%s\" part of flash, Do you wish to continue?[yes/no]\n",
           part_name(type));
    fflush(stdout);
    if (!confirmed())
        return TVA_STATUS_OK;
    tval_t *ioc = tvcli_flash_ioc(id);
    if (!ioc)
        return TVA_STATUS_FAILED;
    int rc = tval_flash_erase_part(ioc, type, instance);
    if (rc == TVA_STATUS_OK)
        printf("Successfully erased \"%s\" part of the flash\n", part_name(type));
    return rc;
}

static int tvcli_flash_erase_all(tvcli_id_t *id, uint8_t instance)
{
    printf("This operation will erase all parts of flash, Do you wish to continue?[yes/no]\n");
    fflush(stdout);
    if (!confirmed())
        return TVA_STATUS_OK;
    tval_t *ioc = tvcli_flash_ioc(id);
    if (!ioc)
        return TVA_STATUS_FAILED;
    tva_flash_attr_t attr;
    tva_ioc_attr_t ioc_attr;
    int rc = tval_flash_get_attr(ioc, &attr);
    if (rc != TVA_STATUS_OK)
        return rc;
    rc = tval_ioc_get_attr(ioc, &ioc_attr);
    if (rc != TVA_STATUS_OK)
        return rc;

    uint32_t n = attr.npart < TVA_FLASH_PART_MAX ? attr.npart : TVA_FLASH_PART_MAX;
    int asic = -1;
    for (uint32_t i = 0; i < n; i++) {
        int type = (int)attr.part[i].part_type;
        if (type == TVA_FLASH_PART_ASIC) {
            asic = (int)i;
            continue;
        }
        rc = tval_flash_erase_part(ioc, type, instance);
        if (rc != TVA_STATUS_OK) {
            printf("Error: Can not erase %s\n", part_name(type));
            return rc;
        }
    }
    if (asic >= 0) {
        rc = tval_flash_erase_part(ioc, TVA_FLASH_PART_ASIC, instance);
        if (rc != TVA_STATUS_OK) {
            printf("Error: Can not erase %s\n", part_name(TVA_FLASH_PART_ASIC));
            return rc;
        }
    }
    printf("Flash Erase successful\n");
    return TVA_STATUS_OK;
}

int tvcli_flash_erase_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    return tvcli_flash_walk(argv, argc, id, WALK_ERASE);
}

/* ---- update ----------------------------------------------------------------- */

static int tvcli_flash_update_one(tvcli_id_t *id, int type, const char *file, uint8_t instance)
{
    struct stat st;
    if (stat(file, &st) != 0) {
        printf("Error: Unable to open file \"%s\"\n", file);
        return TVA_STATUS_OK;
    }
    tval_t *ioc = tvcli_flash_ioc(id);
    if (!ioc)
        return TVA_STATUS_FAILED;
    int rc = tval_flash_update_part(ioc, type, instance, file, 1, 0);
    if (rc == TVA_STATUS_OK)
        printf("\"%s\" updated successfully\n", part_name(type));
    return rc;
}

int tvcli_flash_update_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    return tvcli_flash_walk(argv, argc, id, WALK_UPDATE);
}

/* ---- read -------------------------------------------------------------------- */

/* The file as 16-bit little-endian words, eight to a line. */
static void write_hex_dump(const char *file)
{
    char hexname[4096];
    if ((size_t)snprintf(hexname, sizeof(hexname), "%s.hex", file) >= sizeof(hexname))
        return;
    FILE *in = fopen(file, "rb");
    if (!in)
        return;
    FILE *out = fopen(hexname, "w");
    if (!out) {
        fclose(in);
        return;
    }
    uint8_t pair[2];
    size_t got;
    long offset = 0;
    int col = 0;
    while ((got = fread(pair, 1, 2, in)) > 0) {
        if (got == 1)
            pair[1] = 0;
        if (col == 0)
            fprintf(out, "%s%08lx\t", offset ? "\n" : "", offset);
        fprintf(out, "%04x\t", (unsigned)(pair[0] | pair[1] << 8));
        offset += 2;
        col = (col + 1) % 8;
    }
    fclose(out);
    fclose(in);
}

static int tvcli_flash_read_one(tvcli_id_t *id, int type, const char *file, const walk_opts_t *o)
{
    tval_t *ioc = tvcli_flash_ioc(id);
    if (!ioc)
        return TVA_STATUS_FAILED;
    uint32_t size = o->block_size;
    if (type == TVA_FLASH_PART_PBC || type == TVA_FLASH_PART_LOG) {
        tva_flash_attr_t attr;
        if (tval_flash_get_attr(ioc, &attr) == TVA_STATUS_OK) {
            uint32_t n = attr.npart < TVA_FLASH_PART_MAX ? attr.npart : TVA_FLASH_PART_MAX;
            for (uint32_t i = 0; i < n; i++)
                if ((int)attr.part[i].part_type == type) {
                    size = attr.part[i].part_len;
                    break;
                }
        }
    }
    int rc = tval_flash_read_part(ioc, type, o->instance, const_cast<char *>(file), size, 1);
    if (rc != TVA_STATUS_OK)
        return rc;
    printf("\"%s\" read successfully to \"%s\"\n", part_name(type), file);
    if (type == TVA_FLASH_PART_PBC)
        write_hex_dump(file);
    return TVA_STATUS_OK;
}

int tvcli_flash_read_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    return tvcli_flash_walk(argv, argc, id, WALK_READ);
}

/* ---- single-operation commands ---------------------------------------------- */

int tvcli_flash_query_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    tval_t *ioc = tvcli_flash_ioc(id);
    if (!ioc)
        return TVA_STATUS_FAILED;
    tva_flash_attr_t attr;
    int rc = tval_flash_get_attr(ioc, &attr);
    if (rc != TVA_STATUS_OK)
        return rc;
    printf("Flash status: %s\n", tval_flash_status_to_string((int)attr.status));
    printf("Total number of partitions are: %d\n", (int)attr.npart);
    printf("Part attributes:\n");
    printf("type\tinst\toffset\t\tsize\t\tlength\t\tstatus\n");
    uint32_t n = attr.npart < TVA_FLASH_PART_MAX ? attr.npart : TVA_FLASH_PART_MAX;
    for (uint32_t i = 0; i < n; i++) {
        const tva_flash_part_attr_t &p = attr.part[i];
        printf("%s\t", part_name((int)p.part_type));
        printf("%d\t", (int)p.part_instance);
        printf("0x%-8x\t", p.part_off);
        printf("0x%-8x\t", p.part_size);
        printf("0x%-8x\t", p.part_len);
        printf("%s\n", tval_flash_status_to_string((int)p.part_status));
    }
    return TVA_STATUS_OK;
}

static int tvcli_flash_optrom_switch(tvcli_id_t *id, bool enable)
{
    tval_t *ioc = tvcli_flash_ioc(id);
    if (!ioc)
        return TVA_STATUS_FAILED;
    int rc = enable ? tval_flash_enable_optrom(ioc) : tval_flash_disable_optrom(ioc);
    if (rc == TVA_STATUS_OK)
        printf("Successfully %s the optrom\n", enable ? "enabled" : "disabled");
    return rc;
}

int tvcli_flash_enable_optrom_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    return tvcli_flash_optrom_switch(id, true);
}

int tvcli_flash_disable_optrom_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argv;
    (void)argc;
    return tvcli_flash_optrom_switch(id, false);
}

int tvcli_flash_dumpasicblk_hdlr(char **argv, int argc, tvcli_id_t *id)
{
    (void)argc;
    tval_t *ioc = tvcli_flash_ioc(id);
    if (!ioc)
        return TVA_STATUS_FAILED;
    tva_ioc_attr_t ioc_attr;
    int rc = tval_ioc_get_attr(ioc, &ioc_attr);
    if (rc != TVA_STATUS_OK)
        return rc;
    if (ioc_attr.pci_attr.device_id != TVCLI_PCI_DEVID_ORRIM)
        return TVA_STATUS_FEATURE_NOT_SUPPORTED;
    tva_flash_attr_t attr;
    rc = tval_flash_get_attr(ioc, &attr);
    if (rc != TVA_STATUS_OK)
        return rc;
    uint32_t size = 0;
    uint32_t n = attr.npart < TVA_FLASH_PART_MAX ? attr.npart : TVA_FLASH_PART_MAX;
    if (n == 0)
        n = 1; /* the first entry is looked at even when none is reported */
    for (uint32_t i = 0; i < n; i++)
        if (attr.part[i].part_type == TVA_FLASH_PART_ASIC) {
            size = attr.part[i].part_len;
            break;
        }
    if (size == 0)
        size = TVCLI_FLASH_ASIC_DUMP_SIZE;
    char *file = strdup(argv[4]);
    if (!file)
        return E_CLI_SYSTEM_BUSY;
    rc = tval_flash_read_part(ioc, TVA_FLASH_PART_ASIC, 0, file, size, 1);
    if (rc == TVA_STATUS_OK)
        printf("Asic block read successfully to \"%s\"\n", file);
    free(file);
    return rc;
}
