// Identifier resolution (adapter, port, PCI function, ranges, WWNs, paths,
// names) and the word syntax checks the handlers share.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "tvcli.h"

/* Large enough for every index or port number; longer digit runs saturate
 * here so that they can never wrap into a valid value. */
#define TVCLI_NUM_SAT 1000000

static bool tvcli_isdigit(char c)
{
    return c >= '0' && c <= '9';
}

int ishex(int c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

static int tvcli_hexval(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

/* Decimal value of s[0..len), saturated; -1 when empty or not all digits. */
static int tvcli_parse_dec(const char *s, size_t len)
{
    if (len == 0)
        return -1;
    long v = 0;
    for (size_t i = 0; i < len; i++) {
        if (!tvcli_isdigit(s[i]))
            return -1;
        if (v < TVCLI_NUM_SAT)
            v = v * 10 + (s[i] - '0');
    }
    return v < TVCLI_NUM_SAT ? static_cast<int>(v) : TVCLI_NUM_SAT;
}

/* Bounded copy of an identifier word; false when it does not fit. */
static bool tvcli_copy_word(char *dst, size_t size, const char *word)
{
    size_t len = strnlen(word, size);
    if (len >= size)
        return false;
    memcpy(dst, word, len + 1);
    return true;
}

/* ---- syntax checks ------------------------------------------------------ */

int tvcli_get_port_wwn(const char *word, wwn_t *wwn)
{
    if (word == nullptr || strnlen(word, 24) != 23)
        return 0;
    uint8_t b[8] = {};
    int colons = 0, digits = 0, group = 0;
    for (const char *p = word; *p != '\0'; p++) {
        if (*p == ':') {
            colons++;
            if (colons > 7)
                return 0;
            digits = 0;
            group = colons;
            continue;
        }
        if (!ishex(*p) || ++digits > 2)
            return 0;
        b[group] = static_cast<uint8_t>((b[group] << 4) | tvcli_hexval(*p));
    }
    if (colons != 7)
        return 0;
    if (wwn != nullptr)
        *wwn = tval_wwn_from_bytes(b);
    return 1;
}

int tvcli_get_mac_number(const char *word, mac_t *mac)
{
    if (word == nullptr || strnlen(word, 18) != 17)
        return 0;
    uint8_t b[6] = {};
    int group = 0, digits = 0;
    for (const char *p = word; *p != '\0'; p++) {
        if (*p == ':') {
            if (digits == 0 || ++group >= 6)
                return 0;
            digits = 0;
            continue;
        }
        if (!ishex(*p) || ++digits > 2)
            return 0;
        b[group] = static_cast<uint8_t>((b[group] << 4) | tvcli_hexval(*p));
    }
    if (digits == 0)
        return 0;
    if (mac != nullptr)
        memcpy(mac->mac, b, sizeof(b));
    return 1;
}

int tvcli_verify_name(const char *word)
{
    if (word == nullptr)
        return 0;
    size_t len = strnlen(word, 16);
    if (len == 0 || len > 15)
        return 0;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!alpha(word[0]))
        return 0;
    for (size_t i = 1; i < len; i++) {
        char c = word[i];
        if (!alpha(c) && !tvcli_isdigit(c) && c != '-' && c != '_')
            return 0;
    }
    return 1;
}

int tvcli_verify_pattern(const char *word)
{
    if (word == nullptr)
        return 0;
    size_t len = strnlen(word, 9);
    if (len == 0 || len > 8)
        return 0;
    for (size_t i = 0; i < len; i++)
        if (!ishex(word[i]))
            return 0;
    return 1;
}

int tvcli_verify_num(const char *word)
{
    if (word == nullptr || word[0] == '\0')
        return 0;
    for (const char *p = word; *p != '\0'; p++)
        if (!tvcli_isdigit(*p))
            return 0;
    return 1;
}

int tvcli_verify_lun(const char *word)
{
    if (word == nullptr || word[0] == '\0')
        return 0;
    for (const char *p = word; *p != '\0'; p++)
        if (!ishex(*p) && *p != '-')
            return 0;
    return 1;
}

int tvcli_set_speed(const char *word, int *speed)
{
    static const struct {
        const char *word;
        int value;
    } speeds[] = {{"1", 1}, {"2", 2}, {"4", 4}, {"8", 8}, {"16", 16}, {"10", 10}, {"auto", 15}};
    if (word == nullptr)
        return 0;
    for (const auto &s : speeds) {
        if (strcmp(word, s.word) == 0) {
            if (speed != nullptr)
                *speed = s.value;
            return 1;
        }
    }
    return 0;
}

int tvcli_set_topology(const char *word, int *topology)
{
    int value;
    if (word == nullptr)
        return 0;
    if (strcmp(word, "p2p") == 0)
        value = 5;
    else if (strcmp(word, "loop") == 0)
        value = 2;
    else
        return 0;
    if (topology != nullptr)
        *topology = value;
    return 1;
}

int tvcli_parse_vlan_id(const char *word)
{
    if (word == nullptr)
        return -1;
    if (word[0] == '\0')
        return 0;
    int v = tvcli_parse_dec(word, strlen(word));
    return v < 0 || v > 4094 ? -1 : v;
}

int tvcli_fill_vfid_lpwwn(char **argv, int argc, int first, int unused, wwn_t *lpwwn)
{
    (void)unused;
    for (int i = first; i < argc; i += 2) {
        if (strcmp(argv[i], "-l") != 0 || i + 1 >= argc)
            return E_CLI_INCORRECT_CMD;
        wwn_t w;
        if (!tvcli_get_port_wwn(argv[i + 1], &w))
            return E_CLI_BAD_WWN;
        if (lpwwn != nullptr)
            *lpwwn = w;
    }
    return 0;
}

int tvcli_test_file_exists(const char *path)
{
    struct stat st;
    return path != nullptr && stat(path, &st) == 0 ? 1 : 0;
}

/* ---- identifier resolution ---------------------------------------------- */

tval_adapter_t *tvcli_get_adapter_by_id(int index)
{
    if (index < 1 || index > tval_adapter_get_count())
        return nullptr;
    return tval_adapter_get_by_idx(index);
}

tval_adapter_t *tvcli_get_adapter_id(const char *word)
{
    if (word == nullptr)
        return nullptr;
    if (strchr(word, '/') == nullptr && tvcli_isdigit(word[0]) && strchr(word, ':') == nullptr) {
        int idx = tvcli_parse_dec(word, strlen(word));
        if (idx < 1)
            return nullptr;
        return tvcli_get_adapter_by_id(idx);
    }
    return tval_adapter_get_by_str(word);
}

int tvcli_get_adapter_port_id(const char *word, tvcli_pcifn_t *out, int hw_count)
{
    const char *slash[2] = {nullptr, nullptr};
    int nslash = 0;
    for (const char *p = word; *p != '\0'; p++) {
        if (*p == '/') {
            if (nslash == 2)
                return 0;
            slash[nslash++] = p;
        } else if (!tvcli_isdigit(*p)) {
            return 0;
        }
    }
    if (nslash == 0)
        return 0;

    int a = tvcli_parse_dec(word, static_cast<size_t>(slash[0] - word));
    if (a < 0)
        return 0;
    if (a > tval_adapter_get_count())
        a = 0;

    const char *pstart = slash[0] + 1;
    const char *pend = nslash == 2 ? slash[1] : pstart + strlen(pstart);
    int p = tvcli_parse_dec(pstart, static_cast<size_t>(pend - pstart));
    if (p < 0)
        return 0;

    int bound;
    if (hw_count) {
        if (tval_adapter_get_hw_port_count(a, &bound) != 0)
            return 0;
    } else {
        bound = tval_adapter_get_port_count(a);
    }
    if (bound == -1)
        return 0;
    if (p >= bound)
        p = -1;

    int f = -1;
    if (nslash == 2) {
        f = tvcli_parse_dec(slash[1] + 1, strlen(slash[1] + 1));
        if (f < 0)
            return 0;
    }
    out->adapter = a;
    out->port = p;
    out->pcifn_id = f;
    return 1;
}

static int tvcli_type_check(const tval_t *ioc, tvcli_want_t want)
{
    if (want == TVCLI_WANT_FC)
        return tval_ioc_is_storage(ioc) ? 0 : E_CLI_NO_FC_INFO;
    return ioc->ioc_type == TVA_IOC_TYPE_LL ? 0 : E_CLI_NO_ETH_INFO;
}

/* Looks a word up as a function's hardware path, port name or serial
 * number, then checks the function's type. */
static int tvcli_lookup_ioc_str(const char *word, tvcli_want_t want, tval_t **out)
{
    tval_t *ioc = tval_adapter_get_ioc_by_str(word);
    if (ioc == nullptr)
        return E_CLI_INCORRECT_PORT_ID;
    int rc = tvcli_type_check(ioc, want);
    if (rc == 0)
        *out = ioc;
    return rc;
}

int tvcli_get_ioc_by_hwpath(const char *word, tvcli_want_t want, tvcli_id_t *id)
{
    return tvcli_lookup_ioc_str(word, want, &id->tval);
}

int tvcli_get_ioc_by_portname(const char *word, tvcli_want_t want, tvcli_id_t *id)
{
    return tvcli_lookup_ioc_str(word, want, &id->tval);
}

int tvcli_get_ioc_by_wwn(const char *word, tvcli_want_t want, tvcli_id_t *id)
{
    wwn_t wwn;
    if (!tvcli_get_port_wwn(word, &wwn) || want == TVCLI_WANT_ETH)
        return E_CLI_INCORRECT_PORT_ID;
    tval_t *ioc = tval_adapter_get_ioc_by_wwn(wwn);
    if (ioc == nullptr)
        return E_CLI_INCORRECT_PORT_ID;
    int rc = tvcli_type_check(ioc, want);
    if (rc == 0)
        id->tval = ioc;
    return rc;
}

/* One a/p[/f] or hardware-path word (no range) into *out. */
static int tvcli_resolve_port_word(const char *word, tvcli_want_t want, tval_t **out,
                                   port_id_type_t *kind)
{
    tvcli_pcifn_t pf;
    if (!tvcli_get_adapter_port_id(word, &pf, 0)) {
        *kind = e_id_hwpath;
        return tvcli_lookup_ioc_str(word, want, out);
    }
    if (pf.adapter == 0 || pf.port == -1)
        return E_CLI_INCORRECT_PORT_ID;
    tval_adapter_t *ad = tvcli_get_adapter_by_id(pf.adapter);
    if (ad == nullptr)
        return E_CLI_INCORRECT_PORT_ID;
    tval_port_t *port = tval_adapter_get_port(ad, pf.port);
    if (port == nullptr)
        return E_CLI_INCORRECT_PORT_ID;

    tval_t *ioc;
    if (pf.pcifn_id == -1) {
        *kind = e_id_adapter_port;
        if (want == TVCLI_WANT_FC) {
            ioc = tval_port_get_first_fcioc(port);
            if (ioc == nullptr)
                return E_CLI_NO_FC_INFO;
        } else {
            ioc = tval_port_get_first_ethioc(port);
            if (ioc == nullptr)
                return E_CLI_NO_ETH_INFO;
        }
    } else {
        *kind = e_id_adapter_port_pfn;
        ioc = tval_port_get_ioc_by_pcifn(port, pf.pcifn_id);
        if (ioc == nullptr)
            return E_CLI_INCORRECT_PORT_ID;
    }
    int rc = tvcli_type_check(ioc, want);
    if (rc == 0)
        *out = ioc;
    return rc;
}

int tvcli_get_port_id_any(const char *word, tvcli_want_t want, tvcli_id_t *id, port_id_type_t *kind)
{
    char buf[TVCLI_MAX_WORD + 1];
    port_id_type_t k = e_id_unknown;
    if (kind != nullptr)
        *kind = e_id_unknown;
    /* A word longer than any path, name or WWN names nothing. */
    if (word == nullptr || !tvcli_copy_word(buf, sizeof(buf), word) || buf[0] == '\0')
        return E_CLI_INCORRECT_PORT_ID;

    int rc;
    if (strchr(buf, ':') != nullptr) {
        if (tvcli_get_port_wwn(buf, nullptr)) {
            k = e_id_wwn;
            rc = tvcli_get_ioc_by_wwn(buf, want, id);
        } else {
            k = e_id_hwpath;
            rc = tvcli_lookup_ioc_str(buf, want, &id->tval);
        }
    } else if (strchr(buf, '/') == nullptr) {
        k = e_id_name;
        rc = tvcli_lookup_ioc_str(buf, want, &id->tval);
    } else {
        char *dash = strchr(buf, '-');
        int last_rc = 0;
        if (dash != nullptr) {
            *dash = '\0';
            port_id_type_t last_kind = e_id_adapter_port;
            last_rc = tvcli_resolve_port_word(dash + 1, want, &id->range.last, &last_kind);
            /* A last part that is only a path or name may miss. */
            if (last_kind == e_id_hwpath)
                last_rc = 0;
        }
        rc = tvcli_resolve_port_word(buf, want, &id->tval, &k);
        /* The first part's error names the range best; then the last's. */
        if (rc == 0)
            rc = last_rc;
    }
    if (kind != nullptr)
        *kind = k;
    return rc;
}

int tvcli_get_port_id(const char *word, tvcli_want_t want, tvcli_id_t *id)
{
    port_id_type_t kind;
    int rc = tvcli_get_port_id_any(word, want, id, &kind);
    if (rc == 0 && kind == e_id_unknown)
        return E_CLI_INCORRECT_PORT_ID;
    return rc;
}

int tvcli_get_port_id_strict(const char *word, tvcli_want_t want, tvcli_id_t *id)
{
    port_id_type_t kind;
    int rc = tvcli_get_port_id_any(word, want, id, &kind);
    if (rc == 0 && (kind == e_id_unknown || kind == e_id_adapter_port_pfn))
        return E_CLI_INCORRECT_PORT_ID;
    return rc;
}

int tvcli_get_pcifn_id_strict(const char *word, tvcli_want_t want, tvcli_id_t *id)
{
    port_id_type_t kind;
    int rc = tvcli_get_port_id_any(word, want, id, &kind);
    if (rc == 0 && (kind == e_id_unknown || kind == e_id_adapter_port || kind == e_id_name))
        return E_CLI_INCORRECT_PCIFN_ID;
    return rc;
}

/* The first function of port 0 of an adapter, storage first. */
static int tvcli_port0_first_ioc(tval_adapter_t *ad, tval_t **ioc)
{
    tval_port_t *port0 = tval_adapter_get_port(ad, 0);
    if (port0 == nullptr)
        return E_CLI_PORT0_ABSENT;
    tval_t *first = tval_port_get_first_ioc(port0);
    if (first == nullptr)
        return E_CLI_PORT0_ABSENT;
    *ioc = first;
    return 0;
}

int tvcli_get_first_ioc(const char *word, tval_t **ioc, int *port, int *pcifn, int strict)
{
    const int bad_id = strict ? E_CLI_INCORRECT_PCIFN_ID : E_CLI_INCORRECT_PORT_ID;
    auto resolve = strict ? tvcli_get_pcifn_id_strict : tvcli_get_port_id_strict;

    tvcli_id_t id;
    memset(&id, 0, sizeof(id));
    int rc = resolve(word, TVCLI_WANT_FC, &id);
    if (rc != 0) {
        memset(&id, 0, sizeof(id));
        rc = resolve(word, TVCLI_WANT_ETH, &id);
    }
    if (rc == 0) {
        if (id.tval == nullptr)
            return bad_id;
        tval_adapter_t *ad = tvcli_get_adapter_by_id(id.tval->ad_id);
        if (ad == nullptr)
            return bad_id;
        *port = id.tval->port_num;
        *pcifn = id.tval->pcifn_id;
        return tvcli_port0_first_ioc(ad, ioc);
    }

    tvcli_pcifn_t pf;
    if (word == nullptr || !tvcli_get_adapter_port_id(word, &pf, 1))
        return E_CLI_INCORRECT_PORT_ID;
    if (pf.adapter == 0 || pf.port == -1)
        return E_CLI_INCORRECT_PORT_ID;
    if (strict && pf.pcifn_id == -1)
        return E_CLI_INCORRECT_PCIFN_ID;
    if (!strict && pf.pcifn_id != -1)
        return E_CLI_INCORRECT_PORT_ID;
    tval_adapter_t *ad = tvcli_get_adapter_by_id(pf.adapter);
    if (ad == nullptr)
        return bad_id;
    rc = tvcli_port0_first_ioc(ad, ioc);
    if (rc != 0)
        return rc;
    *port = pf.port;
    *pcifn = pf.pcifn_id;
    return 0;
}

int tvcli_get_id(const char *word, int class_idx, int cmd_idx, tvcli_id_t *id)
{
    const tvcli_cmd_desc_t *cmd = &tvcli_class_desc[class_idx].cmds[cmd_idx];
    const tvcli_drv_path_t path = cmd->drv_path;
    int rc = 0;

    switch (cmd->id_desc) {
    case PORT_ID:
    case PCIFN_ID:
        if (path == PATH_FC) {
            rc = tvcli_get_port_id(word, TVCLI_WANT_FC, id);
        } else if (path == PATH_ETH) {
            rc = tvcli_get_port_id(word, TVCLI_WANT_ETH, id);
        } else {
            rc = tvcli_get_port_id(word, TVCLI_WANT_FC, id);
            if (rc != 0) {
                memset(id, 0, sizeof(*id));
                rc = tvcli_get_port_id(word, TVCLI_WANT_ETH, id);
            }
        }
        if (rc == 0 && path == PATH_ANY_OPER)
            tval_ioc_get_operational_pf(&id->tval);
        return rc;
    case ADAPTER_ID:
        id->adapter = tvcli_get_adapter_id(word);
        return id->adapter == nullptr ? E_CLI_INCORRECT_ADAPTER_ID : 0;
    case PORT_FIRST_IOC: {
        int pcifn = -1;
        return tvcli_get_first_ioc(word, &id->port_ioc.tval, &id->port_ioc.port, &pcifn, 0);
    }
    case PCIFN_FIRST_IOC:
        return tvcli_get_first_ioc(word, &id->pfn_ioc.tval, &id->pfn_ioc.port, &id->pfn_ioc.pcifn, 1);
    case PCIFN_ID_STRICT:
        rc = E_CLI_INCORRECT_PCIFN_ID;
        if (path == PATH_FC || path == PATH_ANY)
            rc = tvcli_get_pcifn_id_strict(word, TVCLI_WANT_FC, id);
        if (rc != 0 && (path == PATH_ETH || path == PATH_ANY)) {
            memset(id, 0, sizeof(*id));
            rc = tvcli_get_pcifn_id_strict(word, TVCLI_WANT_ETH, id);
        }
        return rc;
    case TEAM_ID:
    case ID_NONE:
    default:
        return 0;
    }
}
