/* The index of an image archive (boot.txt): a Version line, then card
 * sections mapping a card type to the members of each flash partition. */
#include <cstdlib>
#include <cstring>

#include "tval_boot.h"

namespace {

/* Lines come in pieces of at most 511 characters, as a 512-byte line
 * buffer would deliver them; each piece is a line of its own. */
#define INDEX_LINE_BUF 512

struct line_reader {
    const char *text;
    size_t len;
    size_t pos;
};

bool next_line(line_reader *r, char line[INDEX_LINE_BUF])
{
    if (r->pos >= r->len)
        return false;
    size_t n = 0;
    while (r->pos < r->len && n < INDEX_LINE_BUF - 1) {
        char c = r->text[r->pos++];
        line[n++] = c;
        if (c == '\n')
            break;
    }
    line[n] = '\0';
    return true;
}

enum keyword {
    KW_NONE = -1,
    KW_CARDTYPE,
    KW_FIRMWARE,
    KW_OPTROM,
    KW_OPTROM2,
    KW_BOOTOVL,
    KW_PXEOVL,
    KW_FWCFG,
    KW_PORT,
    KW_ASICBLOCK,
};

keyword classify(const char *line)
{
    if (strstr(line, "CARDTYPE"))
        return KW_CARDTYPE;
    if (strstr(line, "FIRMWARE"))
        return KW_FIRMWARE;
    if (strstr(line, "OPTROM"))
        return strstr(line, "OPTROM2") ? KW_OPTROM2 : KW_OPTROM;
    if (strstr(line, "BOOTOVL"))
        return KW_BOOTOVL;
    if (strstr(line, "PXEOVL"))
        return KW_PXEOVL;
    if (strstr(line, "FWCFG"))
        return KW_FWCFG;
    if (strstr(line, "PORT"))
        return KW_PORT;
    if (strstr(line, "ASICBLOCK"))
        return KW_ASICBLOCK;
    return KW_NONE;
}

/* Everything after the first '=' up to the LF, blanks and CRs dropped. */
void line_value(const char *line, char value[TVAL_BOOT_VALUE_MAX + 1])
{
    size_t n = 0;
    const char *p = strchr(line, '=');
    if (p) {
        for (p++; *p && *p != '\n'; p++) {
            if (*p == ' ' || *p == '\t' || *p == '\r')
                continue;
            if (n < TVAL_BOOT_VALUE_MAX)
                value[n++] = *p;
        }
    }
    value[n] = '\0';
}

int parse_ports(CARD_DATA_T *card, const char *value)
{
    int count = 1;
    for (const char *p = value; *p; p++)
        if (*p == ',')
            count++;
    uint8_t *ports = static_cast<uint8_t *>(malloc((size_t)count));
    if (!ports)
        return TVA_STATUS_ENOMEM;
    const char *p = value;
    for (int i = 0; i < count; i++) {
        ports[i] = (uint8_t)strtoul(p, nullptr, 16);
        const char *comma = strchr(p, ',');
        p = comma ? comma + 1 : p + strlen(p);
    }
    free(card->port);
    card->port = ports;
    card->portcnt = count;
    return TVA_STATUS_OK;
}

int default_ports(CARD_DATA_T *card)
{
    if (card->port)
        return TVA_STATUS_OK;
    card->port = static_cast<uint8_t *>(calloc(1, 1));
    if (!card->port)
        return TVA_STATUS_ENOMEM;
    card->portcnt = 1;
    return TVA_STATUS_OK;
}

char *name_field(CARD_DATA_T *card, keyword kw)
{
    switch (kw) {
    case KW_FIRMWARE: return card->firmware_name;
    case KW_OPTROM: return card->option_rom_name;
    case KW_OPTROM2: return card->option_rom_2_name;
    case KW_BOOTOVL: return card->boot_overlay_name;
    case KW_PXEOVL: return card->pxe_overlay_name;
    case KW_FWCFG: return card->fw_config_name;
    case KW_ASICBLOCK: return card->asic_block_name;
    default: return nullptr;
    }
}

int check_version(line_reader *r)
{
    char line[INDEX_LINE_BUF];
    if (!next_line(r, line))
        return TVA_STATUS_BAD_FILE;
    char *eq = strchr(line, '=');
    if (!eq)
        return TVA_STATUS_BAD_FILE;
    *eq = '\0';
    if (strcmp(line, "Version") != 0)
        return TVA_STATUS_BAD_FILE;
    char *value = eq + 1;
    char *lf = strchr(value, '\n');
    if (lf)
        *lf = '\0';
    if (*value == '\0')
        return TVA_STATUS_BAD_FILE;
    /* A CR before the LF stays in the value and fails the comparison. */
    if (strcmp(value, TVAL_BOOT_INDEX_VERSION) != 0)
        return TVA_STATUS_BOOT_VERSION;
    return TVA_STATUS_OK;
}

} // namespace

void tval_free_carddata(CARD_DATA_T *cards, int count)
{
    if (!cards)
        return;
    for (int i = 0; i < count; i++)
        free(cards[i].port);
    free(cards);
}

int tval_parse_boot_index(const char *text, size_t len, CARD_DATA_T **cards, int *count)
{
    char line[INDEX_LINE_BUF];
    char value[TVAL_BOOT_VALUE_MAX + 1];

    *cards = nullptr;
    *count = 0;

    line_reader r = {text, len, 0};
    int rc = check_version(&r);
    if (rc != TVA_STATUS_OK)
        return rc;

    int sections = 0;
    r.pos = 0;
    while (next_line(&r, line))
        if (strstr(line, "CARDTYPE") && !strchr(line, '#'))
            sections++;
    /* Without sections the walk still runs: a keyword outside one fails. */
    CARD_DATA_T *arr = nullptr;
    if (sections > 0) {
        arr = static_cast<CARD_DATA_T *>(calloc((size_t)sections, sizeof(*arr)));
        if (!arr)
            return TVA_STATUS_ENOMEM;
    }

    int opened = 0;
    CARD_DATA_T *cur = nullptr;
    unsigned seen = 0;
    r.pos = 0;
    while (rc == TVA_STATUS_OK && next_line(&r, line)) {
        if (strchr(line, '#'))
            continue;
        if (line[0] == '\n') {
            if (cur)
                rc = default_ports(cur);
            cur = nullptr;
            continue;
        }
        keyword kw = classify(line);
        if (kw == KW_NONE)
            continue;
        line_value(line, value);
        if (kw == KW_CARDTYPE) {
            if (!cur)
                cur = &arr[opened++];
            seen = 0;
            cur->card_type = (uint32_t)strtoul(value, nullptr, 10);
            continue;
        }
        if (!cur || (seen & (1u << kw))) {
            rc = TVA_STATUS_FAILED;
            break;
        }
        seen |= 1u << kw;
        if (kw == KW_PORT) {
            rc = parse_ports(cur, value);
        } else {
            char *field = name_field(cur, kw);
            strncpy(field, value, TVAL_BOOT_NAME_LEN - 1);
            field[TVAL_BOOT_NAME_LEN - 1] = '\0';
        }
    }
    if (rc == TVA_STATUS_OK && cur)
        rc = default_ports(cur);
    if (rc != TVA_STATUS_OK) {
        tval_free_carddata(arr, sections);
        return rc;
    }
    if (opened == 0) {
        free(arr);
        arr = nullptr;
    }
    *cards = arr;
    *count = opened;
    return TVA_STATUS_OK;
}

const CARD_DATA_T *tval_boot_find_card(const CARD_DATA_T *cards, int count, uint32_t card_type)
{
    for (int i = 0; i < count; i++)
        if (cards[i].card_type == card_type)
            return &cards[i];
    return nullptr;
}

const IMAGEFILE_DATA_T *tval_boot_find_image(const IMAGEFILE_DATA_T *images, int count,
                                             const char *name)
{
    if (!name || !*name)
        return nullptr;
    for (int i = 0; i < count; i++)
        if (strcmp(images[i].iname, name) == 0)
            return &images[i];
    return nullptr;
}
