/*
 * /etc/tva.conf: lock, read into the tables, change one setting, write back.
 *
 * The file is rewritten through a temporary file in the same directory and a
 * rename, so a crash or a full disk never leaves it empty or cut short. The
 * lock is taken on the file itself; since the rename swaps the inode under a
 * waiting process, the locker re-checks after locking that its descriptor is
 * still the file at the path and starts over when it is not.
 */
#include "tval_config.h"

#include <cerrno>
#include <cstdarg>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tva_ioctl.h"
#include "tva_status.h"
#include "tval_adapter.h"

tval_ad_config_t ad_config_data[TVAL_CFG_MAX_AD];
tval_ioc_config_t ioc_config_data[TVAL_CFG_MAX_IOC];
uint32_t config_all[4];
std::mutex vportmutex;

namespace {

int file = -1; /* descriptor holding the lock */
int n;         /* next adapter record to fill while reading */
std::string loaded; /* the file as the last load read it */

/* A process replaced by the atomic rewrite of another one gives up only after
 * this many re-opens; each one means another process finished a cycle. */
constexpr int kMaxReopen = 100000;

/* ---- text helpers ------------------------------------------------------- */

bool is_strip(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '"' || c == ';';
}

/* Copies [b, e) into out (bounded), stripped of the value's strip set. An
 * empty result is a single blank. */
void strip_value(const char *b, const char *e, char *out, size_t size)
{
    while (b < e && is_strip(*b))
        b++;
    while (e > b && is_strip(e[-1]))
        e--;
    if (b == e) {
        snprintf(out, size, " ");
        return;
    }
    size_t len = (size_t)(e - b);
    if (len >= size)
        len = size - 1;
    memcpy(out, b, len);
    out[len] = '\0';
}

/* [b, e) without surrounding blanks and tabs, into out (bounded). */
void trim_key(const char *b, const char *e, char *out, size_t size)
{
    while (b < e && (*b == ' ' || *b == '\t'))
        b++;
    while (e > b && (e[-1] == ' ' || e[-1] == '\t'))
        e--;
    size_t len = (size_t)(e - b);
    if (len >= size)
        len = size - 1;
    memcpy(out, b, len);
    out[len] = '\0';
}

/* The run of decimal digits that ends [b, e), 0 when there is none;
 * saturates instead of overflowing. */
long trailing_number(const char *b, const char *e)
{
    const char *p = e;
    while (p > b && p[-1] >= '0' && p[-1] <= '9')
        p--;
    long v = 0;
    for (; p < e; p++) {
        if (v > (LONG_MAX - 9) / 10)
            return LONG_MAX;
        v = v * 10 + (*p - '0');
    }
    return v;
}

long value_number(const char *v)
{
    return trailing_number(v, v + strlen(v));
}

/* Comma-separated decimal bit numbers into a bit map of width bits. */
uint32_t parse_bitlist(const char *v, int width)
{
    uint32_t map = 0;
    const char *p = v;
    for (;;) {
        const char *c = strchr(p, ',');
        const char *e = c ? c : p + strlen(p);
        long bit = trailing_number(p, e);
        if (bit >= 0 && bit < width)
            map |= 1u << bit;
        if (!c)
            break;
        p = c + 1;
    }
    return map;
}

void put_bitlist(std::string &out, uint32_t map)
{
    int last = -1;
    for (int i = 0; i < 32; i++)
        if (map & (1u << i))
            last = i;
    if (last < 0)
        return;
    char buf[16];
    for (int i = 0; i <= last; i++) {
        if (!(map & (1u << i)))
            continue;
        snprintf(buf, sizeof(buf), i == last ? "%d;\n" : "%d, ", i);
        out += buf;
    }
}

void appendf(std::string &out, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string &out, const char *fmt, ...)
{
    char buf[1024];
    va_list ap;
    va_start(ap, fmt);
    int len = vsnprintf(buf, sizeof(buf), fmt, ap);
    va_end(ap);
    if (len < 0)
        return;
    if ((size_t)len < sizeof(buf)) {
        out.append(buf, (size_t)len);
        return;
    }
    std::string big((size_t)len + 1, '\0');
    va_start(ap, fmt);
    vsnprintf(big.data(), big.size(), fmt, ap);
    va_end(ap);
    out.append(big.data(), (size_t)len);
}

/* Bounded copy; a longer text is cut. */
void copy_text(char *dst, size_t size, const char *src)
{
    size_t len = strnlen(src, size - 1);
    memcpy(dst, src, len);
    dst[len] = '\0';
}

void wwn_text(wwn_t wwn, char *out, size_t size)
{
    snprintf(out, size, "%02x:%02x:%02x:%02x:%02x:%02x:%02x:%02x", tval_wwn_byte(wwn, 0),
             tval_wwn_byte(wwn, 1), tval_wwn_byte(wwn, 2), tval_wwn_byte(wwn, 3),
             tval_wwn_byte(wwn, 4), tval_wwn_byte(wwn, 5), tval_wwn_byte(wwn, 6),
             tval_wwn_byte(wwn, 7));
}

void mac_text(const mac_t &mac, char *out, size_t size)
{
    snprintf(out, size, "%02x:%02x:%02x:%02x:%02x:%02x", mac.mac[0], mac.mac[1], mac.mac[2],
             mac.mac[3], mac.mac[4], mac.mac[5]);
}

/* ---- vocabularies -------------------------------------------------------- */

struct word_s {
    const char *text;
    int value;
};

enum vkind { V_NUM, V_HEX, V_LIST, V_TEXT, V_BOOL, V_ONOFF, V_TOPO, V_LOG, V_ALGO, V_SSRC };

const word_s kBoolRead[] = {{"TRUE", 1}, {"FALSE", 0}};
const char *const kBoolWrite[] = {"FALSE", "TRUE"};
const word_s kOnOffRead[] = {{"on", 1}, {"off", 0}};
const char *const kOnOffWrite[] = {"off", "on"};
const word_s kTopoRead[] = {{"none", 0}, {"p2p", 5}, {"loop", 2}, {"auto", 4}};
const char *const kTopoWrite[] = {"none", "p2p", "loop", "auto", "auto", "p2p"};
const word_s kLogRead[] = {{"Critical", 1}, {"Error", 2}, {"Warning", 3}, {"Info", 4}};
const char *const kLogWrite[] = {"None", "Critical", "Error", "Warning", "Info", "Info"};
const word_s kAlgoRead[] = {{"md5", 1}, {"sha1", 2}, {"ms", 3}, {"sm", 4}};
const char *const kAlgoWrite[] = {" ", "md5", "sha1", "ms", "sm"};
const word_s kSsrcRead[] = {{"LOCAL", 1}, {"RADIUS", 2}, {"TACACS", 3}};
const char *const kSsrcWrite[] = {" ", "LOCAL", "RADIUS", "TACACS"};

struct vocab_s {
    const word_s *read;
    size_t nread;
    const char *const *write;
    size_t nwrite;
};

template <size_t R, size_t W>
constexpr vocab_s vocab(const word_s (&r)[R], const char *const (&w)[W])
{
    return {r, R, w, W};
}

const vocab_s *vocab_of(vkind k)
{
    static const vocab_s b = vocab(kBoolRead, kBoolWrite), o = vocab(kOnOffRead, kOnOffWrite),
                         t = vocab(kTopoRead, kTopoWrite), l = vocab(kLogRead, kLogWrite),
                         a = vocab(kAlgoRead, kAlgoWrite), s = vocab(kSsrcRead, kSsrcWrite);
    switch (k) {
    case V_BOOL: return &b;
    case V_ONOFF: return &o;
    case V_TOPO: return &t;
    case V_LOG: return &l;
    case V_ALGO: return &a;
    case V_SSRC: return &s;
    default: return nullptr;
    }
}

const char *vocab_word(vkind k, long v)
{
    const vocab_s *voc = vocab_of(k);
    if (k == V_BOOL && v != 0)
        v = 1;
    if (v < 0 || (size_t)v >= voc->nwrite)
        return " ";
    return voc->write[v];
}

/* ---- the IOC settings ------------------------------------------------------ */

typedef tval_ioc_config_t rec_t;

struct setting_s {
    const char *key;
    int word;       /* flags word */
    uint32_t bit;
    vkind kind;
    bool global;    /* has a line without instance number */
    bool semicolon; /* the written line ends in ";" */
    long (*get)(const rec_t &);
    void (*set)(rec_t &, long);
    char *(*text)(rec_t &); /* V_TEXT */
    size_t text_size;
    int width;              /* V_LIST */
};

#define NUMF(f) \
    [](const rec_t &r) -> long { return (long)r.f; }, \
    [](rec_t &r, long v) { r.f = (decltype(r.f))v; }, nullptr, 0
#define TEXTF(f) nullptr, nullptr, [](rec_t &r) -> char * { return r.f; }, sizeof(rec_t::f)

/* Order inside each written group follows this table. */
const setting_s kSettings[] = {
    {"port-wwn", 0, TVAL_CFG_PWWN, V_TEXT, false, true, TEXTF(pwwn), 0},
    {"port-name", 0, TVAL_CFG_NAME, V_TEXT, false, true, TEXTF(name), 0},
    {"port-speed", 0, TVAL_CFG_SPEED, V_NUM, true, true, NUMF(speed), 0},
    {"port-topology", 0, TVAL_CFG_TOPOLOGY, V_TOPO, true, true, NUMF(topology), 0},
    {"port-hardalpa", 0, TVAL_CFG_ALPA, V_HEX, false, true, NUMF(alpa), 0},
    {"port-maxfrsize", 0, TVAL_CFG_MAXFRSZ, V_NUM, true, true, NUMF(maxfrsz), 0},
    {"port-trunk", 0, TVAL_CFG_TRUNK, V_LIST, true, true, NUMF(trunking), 32},
    {"port-enable", 0, TVAL_CFG_ENABLE, V_BOOL, true, true, NUMF(enable), 0},
    {"ipfc-enable", 0, TVAL_CFG_IPFC, V_BOOL, true, true, NUMF(ipfc_enable), 0},
    {"log-level", 0, TVAL_CFG_LOG, V_LOG, true, true, NUMF(log), 0},
    {"vf-enable", 0, TVAL_CFG_VF_ENABLE, V_BOOL, true, false, NUMF(vf_enable), 0},
    {"vf-default", 0, TVAL_CFG_VF_DEFAULT, V_NUM, true, true, NUMF(vf_default_id), 0},
    {"vf-list", 0, TVAL_CFG_VF_LIST, V_LIST, true, true, NUMF(vf_list), 16},
    {"auth-policy", 0, TVAL_CFG_AUTH_POLICY, V_ONOFF, true, true, NUMF(authpolicy), 0},
    {"auth-algo", 0, TVAL_CFG_AUTH_ALGO, V_ALGO, true, true, NUMF(authalgo), 0},
    {"auth-group", 0, TVAL_CFG_AUTH_GROUP, V_NUM, true, true, NUMF(authgroup), 0},
    {"auth-secretsource", 0, TVAL_CFG_AUTH_SSOURCE, V_SSRC, true, true, NUMF(authssource), 0},
    {"auth-encrypt", 0, TVAL_CFG_AUTH_SSTRING, V_TEXT, true, true, TEXTF(authsstring), 0},
    {"pathtov", 0, TVAL_CFG_PATHTOV, V_NUM, true, true, NUMF(pathtov), 0},
    {"qdepth", 0, TVAL_CFG_QDEPTH, V_NUM, true, true, NUMF(qdepth), 0},
    {"persistent-binding", 1, TVAL_CFG1_BINDING, V_BOOL, true, true, NUMF(binding), 0},
    {"qos", 0, TVAL_CFG_QOS, V_BOOL, true, true, NUMF(qos), 0},
    {"ratelim", 0, TVAL_CFG_RATELIM, V_BOOL, true, true, NUMF(ratelim), 0},
    {"ratelim-defspeed", 0, TVAL_CFG_DEFSPEED, V_NUM, true, true, NUMF(defspeed), 0},
    {"coalesce", 1, TVAL_CFG1_COALESCE, V_ONOFF, true, true, NUMF(coalesce), 0},
    {"delay", 1, TVAL_CFG1_DELAY, V_NUM, true, true, NUMF(delay), 0},
    {"latency", 1, TVAL_CFG1_LATENCY, V_NUM, true, true, NUMF(latency), 0},
};

/* Ethernet (tvn) lines. */
const setting_s kEthSettings[] = {
    {"port-mac", 0, TVAL_CFG_MAC, V_TEXT, false, true, TEXTF(mac), 0},
    {"port-name", 0, TVAL_CFG_ETHNAME, V_TEXT, false, true, TEXTF(ethname), 0},
    {"port-mtu", 0, TVAL_CFG_MTU, V_NUM, false, true, NUMF(mtu), 0},
};

template <size_t N>
const setting_s *find_setting(const setting_s (&table)[N], const char *key)
{
    for (const setting_s &s : table)
        if (strcmp(s.key, key) == 0)
            return &s;
    return nullptr;
}

const setting_s &S(const char *key)
{
    return *find_setting(kSettings, key);
}

/* Stores a read value into a record, setting or clearing its flag. */
void apply_value(rec_t &r, const setting_s &s, const char *value)
{
    uint32_t &flags = r.flags[s.word];
    switch (s.kind) {
    case V_NUM:
        s.set(r, value_number(value));
        break;
    case V_HEX:
        s.set(r, (long)strtoul(value, nullptr, 16));
        break;
    case V_LIST:
        s.set(r, (long)parse_bitlist(value, s.width));
        break;
    case V_TEXT:
        copy_text(s.text(r), s.text_size, value);
        break;
    default: {
        const vocab_s *voc = vocab_of(s.kind);
        for (size_t i = 0; i < voc->nread; i++) {
            if (strcmp(voc->read[i].text, value) == 0) {
                s.set(r, voc->read[i].value);
                flags |= s.bit;
                return;
            }
        }
        if (s.kind == V_LOG)
            flags |= s.bit; /* an unknown level keeps the old value */
        else
            flags &= ~s.bit;
        return;
    }
    }
    flags |= s.bit;
}

void free_vports(rec_t &r)
{
    tval_vf_config_t *v = r.vport;
    while (v) {
        tval_vf_config_t *next = v->next;
        free(v);
        v = next;
    }
    r.vport = nullptr;
    r.vpcount = 0;
}

/* ---- reading ------------------------------------------------------------------ */

void parse_adapter_line(const char *line, const char *eq, const char *value)
{
    if (n >= TVAL_CFG_MAX_AD)
        return;
    const char *d1 = strchr(line, '-');
    const char *d2 = strchr(d1 + 1, '-');
    const char *id_end = d2 ? d2 : eq;
    if (id_end < d1 + 1)
        id_end = d1 + 1;
    char key[TVAL_CFG_LINE_MAX] = "";
    if (eq > d1)
        trim_key(d1 + 1, eq, key, sizeof(key));

    tval_ad_config_t &ad = ad_config_data[n++];
    size_t idlen = (size_t)(id_end - (d1 + 1));
    if (idlen > sizeof(ad.id))
        idlen = sizeof(ad.id);
    memset(ad.id, 0, sizeof(ad.id));
    memcpy(ad.id, d1 + 1, idlen);
    ad.flags[0] |= TVAL_CFG_AD_INUSE;
    if (strstr(key, "name")) {
        copy_text(ad.name, sizeof(ad.name), value);
        ad.flags[0] |= TVAL_CFG_AD_NAME;
    } else if (strstr(key, "trunk")) {
        if (strcmp(value, "TRUE") == 0 || strcmp(value, "FALSE") == 0) {
            ad.ad_trunk = value[0] == 'T';
            ad.flags[0] |= TVAL_CFG_AD_TRUNK;
        } else {
            ad.flags[0] &= ~TVAL_CFG_AD_TRUNK;
        }
    }
}

/* Instance number of a tva or tvn line; -1 drops the line. */
int line_instance(const char *line, const char *dash)
{
    long inst = trailing_number(line, dash);
    return inst > TVAL_CFG_MAX_IOC - 1 ? -1 : (int)inst;
}

void parse_global_line(const char *key, const char *value)
{
    const setting_s *s = find_setting(kSettings, key);
    if (!s || !s->global)
        return;
    config_all[s->word] |= s->bit;
    int k = 0;
    for (const rec_t &r : ioc_config_data)
        if (r.flags[0] & TVAL_CFG_PWWN)
            k++;
    for (int i = 0; i < k; i++)
        apply_value(ioc_config_data[i], *s, value);
}

} // namespace

/* ---- public: parsing and writing --------------------------------------------- */

void tval_config_clear(void)
{
    n = 0;
    {
        std::lock_guard<std::mutex> g(vportmutex);
        for (rec_t &r : ioc_config_data)
            free_vports(r);
    }
    memset(ad_config_data, 0, sizeof(ad_config_data));
    memset(ioc_config_data, 0, sizeof(ioc_config_data));
}

void tval_config_parse_line(const char *line)
{
    if (line[0] == '#')
        return;
    const char *eq = strchr(line, '=');
    if (!eq)
        return;
    char value[TVAL_CFG_LINE_MAX];
    strip_value(eq + 1, line + strlen(line), value, sizeof(value));
    const char *dash = strchr(line, '-');
    char key[TVAL_CFG_LINE_MAX];

    if (strstr(line, "adapter") && dash) {
        parse_adapter_line(line, eq, value);
        return;
    }
    bool fc = strstr(line, "tva") && dash;
    bool eth = !fc && strstr(line, "tvn") && dash;
    if (fc || eth) {
        int idx = line_instance(line, dash);
        if (idx < 0 || eq < dash)
            return;
        trim_key(dash + 1, eq, key, sizeof(key));
        if (fc && strstr(key, "vport")) {
            tval_config_set_vportdata(idx, value);
            return;
        }
        const setting_s *s = fc ? find_setting(kSettings, key) : find_setting(kEthSettings, key);
        if (s)
            apply_value(ioc_config_data[idx], *s, value);
        return;
    }
    trim_key(line, eq, key, sizeof(key));
    parse_global_line(key, value);
}

void tval_config_set_vportdata(int idx, const char *value)
{
    if (idx < 0 || idx >= TVAL_CFG_MAX_IOC)
        return;
    rec_t &r = ioc_config_data[idx];
    std::lock_guard<std::mutex> g(vportmutex);
    r.flags[0] |= TVAL_CFG_VPORT;

    char field[5][TVAL_CFG_LINE_MAX];
    int nf = 0;
    const char *p = value;
    while (nf < 5) {
        const char *c = strchr(p, ',');
        const char *e = c ? c : p + strlen(p);
        strip_value(p, e, field[nf], sizeof(field[nf]));
        nf++;
        if (!c)
            break;
        p = c + 1;
    }

    tval_vf_config_t *v = r.vport, *last = nullptr;
    for (; v; last = v, v = v->next)
        if (strcmp(v->pwwn, field[0]) == 0)
            break;
    bool fresh = !v;
    if (fresh) {
        v = (tval_vf_config_t *)calloc(1, sizeof(*v));
        if (!v)
            return;
        copy_text(v->pwwn, sizeof(v->pwwn), field[0]);
    }
    if (nf > 1)
        copy_text(v->nwwn, sizeof(v->nwwn), field[1]);
    if (nf > 2)
        copy_text(v->name, sizeof(v->name), field[2]);
    if (nf > 3)
        copy_text(v->role, sizeof(v->role), field[3]);
    if (nf > 4)
        v->vf_id = (uint16_t)value_number(field[4]);
    if (fresh) {
        v->vidx = r.vpcount++;
        if (last)
            last->next = v;
        else
            r.vport = v;
    }
}

namespace {

void format_value(std::string &out, const setting_s &s, rec_t &r)
{
    switch (s.kind) {
    case V_NUM:
        appendf(out, "%ld;\n", s.get(r));
        break;
    case V_HEX:
        appendf(out, "0x%lx;\n", (unsigned long)s.get(r));
        break;
    case V_LIST:
        put_bitlist(out, (uint32_t)s.get(r));
        break;
    case V_TEXT:
        appendf(out, "\"%s\";\n", s.text(r));
        break;
    default:
        appendf(out, s.semicolon ? "\"%s\";\n" : "\"%s\"\n", vocab_word(s.kind, s.get(r)));
        break;
    }
}

/* One group of the port configuration: global lines first, then per record
 * the settings whose global bit is clear and whose flag is set. */
void format_group(std::string &out, std::initializer_list<const char *> keys)
{
    for (const char *k : keys) {
        const setting_s &s = S(k);
        if (s.global && (config_all[s.word] & s.bit)) {
            appendf(out, "%s = ", s.key);
            format_value(out, s, ioc_config_data[0]);
        }
    }
    for (int i = 0; i < TVAL_CFG_MAX_IOC; i++) {
        rec_t &r = ioc_config_data[i];
        for (const char *k : keys) {
            const setting_s &s = S(k);
            if (s.global && (config_all[s.word] & s.bit))
                continue;
            if (!(r.flags[s.word] & s.bit))
                continue;
            appendf(out, "tva%d-%s = ", i, s.key);
            format_value(out, s, r);
        }
    }
}

std::string format_file(void)
{
    std::string out;
    out.reserve(8192);
    out += "# Syntax for global parameter (applied to all HBA instances):\n"
           "#   param_name=param_value \n"
           "#   tva<instance_number>-param_name=param_value \n"
           "# \n";
    out += "\n#\n# Persistent naming of adapter\n# \n";
    for (const tval_ad_config_t &ad : ad_config_data)
        if (ad.flags[0] & TVAL_CFG_AD_NAME)
            appendf(out, "adapter-%.12s-name = \"%s\";\n", ad.id, ad.name);
    out += "\n#\n# Trunking of adapter\n# \n";
    for (const tval_ad_config_t &ad : ad_config_data)
        if (ad.flags[0] & TVAL_CFG_AD_TRUNK)
            appendf(out, "adapter-%.12s-trunk = \"%s\";\n", ad.id, ad.ad_trunk ? "TRUE" : "FALSE");
    n = 0;

    out += "\n#\n# Persistent naming of port\n#\n";
    for (int i = 0; i < TVAL_CFG_MAX_IOC; i++) {
        const rec_t &r = ioc_config_data[i];
        if (r.flags[0] & TVAL_CFG_PWWN)
            appendf(out, "tva%d-port-wwn = \"%s\";\n", i, r.pwwn);
        if (r.flags[0] & TVAL_CFG_NAME)
            appendf(out, "tva%d-port-name = \"%s\";\n", i, r.name);
    }
    for (int i = 0; i < TVAL_CFG_MAX_IOC; i++) {
        const rec_t &r = ioc_config_data[i];
        if (r.flags[0] & TVAL_CFG_MAC)
            appendf(out, "tvn%d-port-mac = \"%s\";\n", i, r.mac);
        if (r.flags[0] & TVAL_CFG_ETHNAME)
            appendf(out, "tvn%d-port-name = \"%s\";\n", i, r.ethname);
    }

    out += "\n#\n# Port configuration\n#\n";
    format_group(out, {"port-speed", "port-topology", "port-hardalpa", "port-maxfrsize"});
    out += "\n# trunking\n";
    format_group(out, {"port-trunk"});
    out += "\n# disable a port persistently\n";
    format_group(out, {"port-enable"});
    format_group(out, {"ipfc-enable"});
    out += "\n#\n# Driver log level\n# level: INFO, WARN, ERROR, CRITICAL\n#\n";
    format_group(out, {"log-level"});
    out += "\n#\n# VF configuration\n#\n";
    format_group(out, {"vf-enable", "vf-default", "vf-list"});

    out += "\n#\n# vport configuration\n#\n# vport-<id> = pwwn, nwwn,symname, roles [, vf_id]\n#\n";
    {
        std::lock_guard<std::mutex> g(vportmutex);
        for (int i = 0; i < TVAL_CFG_MAX_IOC; i++) {
            if (!(ioc_config_data[i].flags[0] & TVAL_CFG_VPORT))
                continue;
            int pos = 0;
            for (const tval_vf_config_t *v = ioc_config_data[i].vport; v; v = v->next)
                appendf(out, "tva%d-vport-%d = \"%s,%s,%s,%s,%d\";\n", i, pos++, v->pwwn, v->nwwn,
                        v->name, v->role, v->vf_id);
        }
    }

    out += "\n#\n# Authentication\n#\n";
    format_group(out, {"auth-policy", "auth-algo", "auth-group", "auth-secretsource",
                       "auth-encrypt"});
    out += "\n#\n# Initiator mode configuration\n#\n";
    format_group(out, {"pathtov", "qdepth", "persistent-binding"});
    out += "\n#\n# QoS, rate limiting configuration\n#\n";
    format_group(out, {"qos", "ratelim", "ratelim-defspeed"});
    out += "\n#\n# IOC intr configuration\n#\n";
    format_group(out, {"coalesce", "delay", "latency"});
    return out;
}

} // namespace

/* ---- public: the file --------------------------------------------------------- */

const char *tval_get_cfg_path(void)
{
    return TVAL_CFG_PATH;
}

int tval_lock_conf_file(const char *path)
{
    if (file != -1)
        return TVA_STATUS_FAILED;
    int tries = 0;
    for (int reopen = 0; reopen < kMaxReopen; reopen++) {
        int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return TVA_STATUS_EFOPEN;
        while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (++tries >= TVAL_CFG_LOCK_TRIES) {
                close(fd);
                return TVA_STATUS_EFOPEN;
            }
            sleep(1);
        }
        /* The holder before us may have renamed a new file over the path. */
        struct stat held, now;
        if (fstat(fd, &held) == 0 && stat(path, &now) == 0 && held.st_dev == now.st_dev &&
            held.st_ino == now.st_ino) {
            file = fd;
            return TVA_STATUS_OK;
        }
        close(fd);
    }
    return TVA_STATUS_EFOPEN;
}

void tval_unlock_conf_file(void)
{
    if (file == -1)
        return;
    flock(file, LOCK_UN);
    close(file);
    file = -1;
}

int tval_config_load(const char *path)
{
    int rc = tval_lock_conf_file(path);
    if (rc != TVA_STATUS_OK)
        return rc;
    /* Read through the locked descriptor: it is the file the lock guards. */
    int rfd = dup(file);
    FILE *fp = rfd >= 0 ? fdopen(rfd, "r") : nullptr;
    if (!fp) {
        if (rfd >= 0)
            close(rfd);
        tval_unlock_conf_file();
        return TVA_STATUS_EFOPEN;
    }
    rewind(fp);
    tval_config_clear();
    loaded.clear();
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof(chunk), fp)) > 0)
        loaded.append(chunk, got);
    /* Line by line as fgets would hand them out: at most 511 characters,
     * a longer line going on as the next one. */
    char line[TVAL_CFG_LINE_MAX];
    for (size_t pos = 0; pos < loaded.size();) {
        size_t len = 0;
        while (len < sizeof(line) - 1 && pos + len < loaded.size() && loaded[pos + len] != '\n')
            len++;
        if (len < sizeof(line) - 1 && pos + len < loaded.size())
            len++; /* the newline */
        memcpy(line, loaded.data() + pos, len);
        line[len] = '\0';
        tval_config_parse_line(line);
        pos += len;
    }
    fclose(fp);
    return TVA_STATUS_OK;
}

namespace {

bool write_all(int fd, const char *p, size_t len)
{
    while (len > 0) {
        ssize_t w = write(fd, p, len);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += w;
        len -= (size_t)w;
    }
    return true;
}

/* Writes text to a temporary file next to target and renames it over the
 * target, keeping the mode and owner of held (the file being replaced). */
bool replace_file(const char *target, const std::string &text, const struct stat &held)
{
    std::string tmp = std::string(target) + ".XXXXXX";
    int fd = mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = fchmod(fd, held.st_mode & 07777) == 0;
    if (ok && (held.st_uid != geteuid() || held.st_gid != getegid()))
        (void)!fchown(fd, held.st_uid, held.st_gid);
    ok = ok && write_all(fd, text.data(), text.size()) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(tmp.c_str(), target) == 0;
    if (!ok) {
        unlink(tmp.c_str());
        return false;
    }
    /* Make the rename itself durable. */
    std::string dir(target);
    size_t slash = dir.rfind('/');
    dir = slash == std::string::npos ? "." : slash == 0 ? "/" : dir.substr(0, slash);
    int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return true;
}

} // namespace

int tval_config_sync(const char *path)
{
    if (file == -1)
        return TVA_STATUS_FAILED;
    struct stat held;
    if (fstat(file, &held) != 0) {
        tval_unlock_conf_file();
        return TVA_STATUS_EFOPEN;
    }
    std::string text = format_file();
    if (text == loaded) {
        /* Nothing changed (a scan registering known functions): keep the file. */
        tval_unlock_conf_file();
        return TVA_STATUS_OK;
    }
    /* Replace the file a symbolic link points to, not the link. */
    char *real = realpath(path, nullptr);
    bool ok = replace_file(real ? real : path, text, held);
    free(real);
    tval_unlock_conf_file();
    return ok ? TVA_STATUS_OK : TVA_STATUS_EFOPEN;
}

int tval_config_unload(void)
{
    tval_unlock_conf_file();
    return TVA_STATUS_OK;
}

int tval_conf_cleanup(struct tval_port_s *)
{
    return TVA_STATUS_OK;
}

/* ---- record keys ------------------------------------------------------------- */

int tval_config_ad_lookup(const char *serial)
{
    for (int i = 0; i < TVAL_CFG_MAX_AD; i++)
        if ((ad_config_data[i].flags[0] & TVAL_CFG_AD_INUSE) &&
            strncmp(ad_config_data[i].id, serial, sizeof(ad_config_data[i].id)) == 0)
            return i;
    return -1;
}

int tval_config_ad_add(const char *serial)
{
    for (int i = 0; i < TVAL_CFG_MAX_AD; i++) {
        tval_ad_config_t &ad = ad_config_data[i];
        if (ad.flags[0] & TVAL_CFG_AD_INUSE)
            continue;
        ad.flags[0] |= TVAL_CFG_AD_INUSE;
        strncpy(ad.id, serial, sizeof(ad.id));
        return i;
    }
    return -1;
}

int tval_config_ioc_lookup(wwn_t pwwn)
{
    for (int i = 0; i < TVAL_CFG_MAX_IOC; i++) {
        const rec_t &r = ioc_config_data[i];
        if (!(r.flags[0] & TVAL_CFG_PWWN))
            continue;
        unsigned b[8];
        if (sscanf(r.pwwn, "%2x:%2x:%2x:%2x:%2x:%2x:%2x:%2x", &b[0], &b[1], &b[2], &b[3], &b[4],
                   &b[5], &b[6], &b[7]) != 8)
            continue;
        uint8_t bytes[8];
        for (int j = 0; j < 8; j++)
            bytes[j] = (uint8_t)b[j];
        if (tval_wwn_from_bytes(bytes) == pwwn)
            return i;
    }
    return -1;
}

int tval_config_ioc_add(wwn_t pwwn)
{
    for (int i = 0; i < TVAL_CFG_MAX_IOC; i++) {
        if (ioc_config_data[i].flags[0] & TVAL_CFG_PWWN)
            continue;
        tval_config_ioc_pwwn(i, pwwn);
        return i;
    }
    return -1;
}

int tval_config_ethioc_lookup(mac_t mac)
{
    char text[32];
    mac_text(mac, text, sizeof(text));
    for (int i = 0; i < TVAL_CFG_MAX_IOC; i++)
        if ((ioc_config_data[i].flags[0] & TVAL_CFG_MAC) &&
            strncmp(ioc_config_data[i].mac, text, 17) == 0)
            return i;
    return -1;
}

int tval_config_ethioc_add(mac_t mac)
{
    for (int i = 0; i < TVAL_CFG_MAX_IOC; i++) {
        if (ioc_config_data[i].flags[0] & TVAL_CFG_MAC)
            continue;
        tval_config_ethioc_mac(i, mac);
        return i;
    }
    return -1;
}

void tval_config_ioc_pwwn(int idx, wwn_t pwwn)
{
    if (idx < 0 || idx >= TVAL_CFG_MAX_IOC)
        return;
    wwn_text(pwwn, ioc_config_data[idx].pwwn, sizeof(ioc_config_data[idx].pwwn));
    ioc_config_data[idx].flags[0] |= TVAL_CFG_PWWN;
}

void tval_config_ethioc_mac(int idx, mac_t mac)
{
    if (idx < 0 || idx >= TVAL_CFG_MAX_IOC)
        return;
    mac_text(mac, ioc_config_data[idx].mac, sizeof(ioc_config_data[idx].mac));
    ioc_config_data[idx].flags[0] |= TVAL_CFG_MAC;
}

int tval_config_get_ad_name_exists(int adapter, const char *name, const char *serial)
{
    tval_adapter_t *ad = tval_adapter_get_by_idx(adapter);
    if (!ad || !name || !name[0])
        return 0;
    int i = tval_config_ad_lookup(ad->serial_num);
    if (i < 0 || !(ad_config_data[i].flags[0] & TVAL_CFG_AD_NAME))
        return 0;
    if (strncmp(ad_config_data[i].name, name, sizeof(ad_config_data[i].name)) != 0)
        return 0;
    return strncmp(serial ? serial : "", ad->serial_num, sizeof(ad->serial_num)) != 0;
}

int tval_config_get_port_name_exists(int adapter, const char *name, int port)
{
    tval_adapter_t *ad = tval_adapter_get_by_idx(adapter);
    tval_port_t *p = ad ? tval_adapter_get_port(ad, port) : nullptr;
    if (!p || !name)
        return 0;
    if (p->ioc_type == TVA_IOC_TYPE_FC || p->ioc_type == TVA_IOC_TYPE_FCoE) {
        tval_t *ioc = tval_port_get_first_fcioc(p);
        int i = ioc ? tval_config_ioc_lookup(ioc->pwwn) : -1;
        return i >= 0 && (ioc_config_data[i].flags[0] & TVAL_CFG_NAME) &&
               strncmp(ioc_config_data[i].name, name, 128) == 0;
    }
    tval_t *ioc = tval_port_get_first_ethioc(p);
    int i = ioc ? tval_config_ethioc_lookup(ioc->mac) : -1;
    return i >= 0 && (ioc_config_data[i].flags[0] & TVAL_CFG_ETHNAME) &&
           strncmp(ioc_config_data[i].ethname, name, 128) == 0;
}

/* ---- setters ------------------------------------------------------------------ */

namespace {

rec_t *ioc_record(const tval_t *ioc)
{
    if (!ioc)
        return nullptr;
    int i = tval_config_ioc_lookup(ioc->pwwn);
    return i < 0 ? nullptr : &ioc_config_data[i];
}

/* The common setter step: a changed value ends the global form, then the
 * flag follows the rule and the value is stored. */
void set_numeric(const tval_t *ioc, const char *key, long value, bool flag)
{
    rec_t *r = ioc_record(ioc);
    if (!r)
        return;
    const setting_s &s = S(key);
    if (s.global && (config_all[s.word] & s.bit) && s.get(*r) != value)
        config_all[s.word] &= ~s.bit;
    if (flag)
        r->flags[s.word] |= s.bit;
    else
        r->flags[s.word] &= ~s.bit;
    s.set(*r, value);
}

} // namespace

void tval_config_ioc_name(tval_t *ioc, const char *name)
{
    if (!ioc || !name)
        return;
    if (ioc->ioc_type == TVA_IOC_TYPE_LL) {
        int i = tval_config_ethioc_lookup(ioc->mac);
        if (i < 0)
            return;
        rec_t &r = ioc_config_data[i];
        snprintf(r.ethname, sizeof(r.ethname), "%s", name);
        if (name[0])
            r.flags[0] |= TVAL_CFG_ETHNAME;
        else
            r.flags[0] &= ~TVAL_CFG_ETHNAME;
        return;
    }
    rec_t *r = ioc_record(ioc);
    if (!r)
        return;
    snprintf(r->name, sizeof(r->name), "%s", name);
    if (name[0])
        r->flags[0] |= TVAL_CFG_NAME;
    else
        r->flags[0] &= ~TVAL_CFG_NAME;
}

void tval_config_speed(tval_t *ioc, int speed)
{
    long v = speed == TVA_PORT_SPEED_AUTO ? 0 : speed;
    set_numeric(ioc, "port-speed", v, v != 0);
}

void tval_config_topology(tval_t *ioc, int topology)
{
    set_numeric(ioc, "port-topology", topology, topology != 0);
}

void tval_config_alpa(tval_t *ioc, uint8_t alpa, int on)
{
    set_numeric(ioc, "port-hardalpa", alpa, on != 0);
}

void tval_config_maxfrsz(tval_t *ioc, uint16_t size)
{
    set_numeric(ioc, "port-maxfrsize", size, size != 2112);
}

void tval_config_enable(tval_t *ioc, int enabled)
{
    set_numeric(ioc, "port-enable", enabled, enabled != 1);
}

void tval_config_ipfc_enable(tval_t *ioc, int enabled)
{
    set_numeric(ioc, "ipfc-enable", enabled, enabled != 1);
}

void tval_config_trunk(tval_t *ioc, uint32_t bitmap, int on)
{
    set_numeric(ioc, "port-trunk", (long)bitmap, on != 0);
}

void tval_config_log_level(tval_t *ioc, int level)
{
    set_numeric(ioc, "log-level", level, level != 0);
}

void tval_config_qos(tval_t *ioc, int enabled)
{
    set_numeric(ioc, "qos", enabled, enabled != 0);
}

void tval_config_ratelim(tval_t *ioc, int enabled)
{
    set_numeric(ioc, "ratelim", enabled, enabled != 0);
}

void tval_config_defspeed(tval_t *ioc, int speed)
{
    long v = speed == TVA_PORT_SPEED_AUTO ? 0 : speed;
    set_numeric(ioc, "ratelim-defspeed", v, v != 1);
}

void tval_config_fcpim(tval_t *ioc, uint16_t pathtov)
{
    set_numeric(ioc, "pathtov", pathtov, pathtov != 0);
}

void tval_config_qdepth(tval_t *ioc, uint16_t depth)
{
    set_numeric(ioc, "qdepth", depth, depth != 0);
}

void tval_config_pbind(tval_t *ioc, int on)
{
    set_numeric(ioc, "persistent-binding", on, on != 0);
}

void tval_config_vf_mode(tval_t *ioc, uint16_t default_id, int enabled)
{
    set_numeric(ioc, "vf-enable", enabled, enabled != 0);
    set_numeric(ioc, "vf-default", default_id, default_id != 1);
}

void tval_config_vf_list(tval_t *ioc, uint16_t vf_id, int on)
{
    rec_t *r = ioc_record(ioc);
    if (!r || vf_id >= 16)
        return;
    uint16_t bit = (uint16_t)(1u << vf_id);
    if ((config_all[0] & TVAL_CFG_VF_LIST) && ((r->vf_list & bit) != 0) != (on != 0))
        config_all[0] &= ~TVAL_CFG_VF_LIST;
    if (on)
        r->vf_list |= bit;
    else
        r->vf_list &= (uint16_t)~bit;
    if (r->vf_list)
        r->flags[0] |= TVAL_CFG_VF_LIST;
    else
        r->flags[0] &= ~TVAL_CFG_VF_LIST;
}

void tval_config_iocfc_intr(tval_t *ioc, int coalesce, uint16_t delay, uint16_t latency)
{
    rec_t *r = ioc_record(ioc);
    if (!r)
        return;
    bool delay_flag = !((delay == 1125 && latency == 225) || (coalesce == 0 && delay == 0));
    bool latency_flag = !((latency == 225 && delay == 1125) || (coalesce == 0 && latency == 0));
    set_numeric(ioc, "coalesce", coalesce, coalesce != 1);
    if (coalesce == 1) {
        set_numeric(ioc, "delay", delay, delay_flag);
        set_numeric(ioc, "latency", latency, latency_flag);
        return;
    }
    /* Without coalescing the values stay; only their flags follow. */
    r->flags[1] = delay_flag ? r->flags[1] | TVAL_CFG1_DELAY : r->flags[1] & ~TVAL_CFG1_DELAY;
    r->flags[1] =
        latency_flag ? r->flags[1] | TVAL_CFG1_LATENCY : r->flags[1] & ~TVAL_CFG1_LATENCY;
}

void tval_config_auth_policy(tval_t *ioc, int on)
{
    set_numeric(ioc, "auth-policy", on, on != 0);
}

void tval_config_auth_algo(tval_t *ioc, int algo)
{
    set_numeric(ioc, "auth-algo", algo, algo != 0);
}

void tval_config_auth_group(tval_t *ioc, int group)
{
    set_numeric(ioc, "auth-group", group, group != 1);
}

void tval_config_auth_secretsource(tval_t *ioc, int source)
{
    set_numeric(ioc, "auth-secretsource", source, source != 1);
}

void tval_config_auth_secretstring(tval_t *ioc, const int *values, int count)
{
    rec_t *r = ioc_record(ioc);
    if (!r)
        return;
    char text[sizeof(r->authsstring)] = "";
    size_t len = 0;
    for (int i = 0; values && i < count; i++) {
        char num[16];
        int w = snprintf(num, sizeof(num), i ? ",%d" : "%d", values[i]);
        if (w < 0 || len + (size_t)w >= sizeof(text))
            break; /* no partial number */
        memcpy(text + len, num, (size_t)w + 1);
        len += (size_t)w;
    }
    if ((config_all[0] & TVAL_CFG_AUTH_SSTRING) && strcmp(r->authsstring, text) != 0)
        config_all[0] &= ~TVAL_CFG_AUTH_SSTRING;
    memcpy(r->authsstring, text, sizeof(text));
    if (text[0])
        r->flags[0] |= TVAL_CFG_AUTH_SSTRING;
    else
        r->flags[0] &= ~TVAL_CFG_AUTH_SSTRING;
}

void tval_config_ad_name(int adapter, const char *name)
{
    tval_adapter_t *ad = tval_adapter_get_by_idx(adapter);
    int i = ad ? tval_config_ad_lookup(ad->serial_num) : -1;
    if (i < 0 || !name)
        return;
    tval_ad_config_t &rec = ad_config_data[i];
    snprintf(rec.name, sizeof(rec.name), "%s", name);
    if (name[0])
        rec.flags[0] |= TVAL_CFG_AD_NAME;
    else
        rec.flags[0] &= ~TVAL_CFG_AD_NAME;
}

void tval_config_ad_trunk(int adapter, int on)
{
    tval_adapter_t *ad = tval_adapter_get_by_idx(adapter);
    int i = ad ? tval_config_ad_lookup(ad->serial_num) : -1;
    if (i < 0)
        return;
    tval_ad_config_t &rec = ad_config_data[i];
    rec.ad_trunk = on != 0;
    if (on)
        rec.flags[0] |= TVAL_CFG_AD_TRUNK;
    else
        rec.flags[0] &= ~TVAL_CFG_AD_TRUNK;
}

/* ---- virtual ports ------------------------------------------------------------ */

void tval_config_vport_add(tval_t *ioc, uint16_t vf_id, const struct tva_lport_cfg_s *cfg)
{
    if (!ioc || !cfg)
        return;
    int idx = tval_config_ioc_lookup(ioc->pwwn);
    if (idx < 0)
        return;
    static const char *const kRoles[] = {"IM", "TM", "IP"};
    std::string roles;
    for (int b = 0; b < 3; b++) {
        if (!(cfg->roles & (1u << b)))
            continue;
        if (!roles.empty())
            roles += " + ";
        roles += kRoles[b];
    }
    char pwwn[32], nwwn[32];
    wwn_text(cfg->pwwn, pwwn, sizeof(pwwn));
    wwn_text(cfg->nwwn, nwwn, sizeof(nwwn));
    std::string value;
    appendf(value, "%s,%s,\"%.*s\",%s,%d", pwwn, nwwn,
            (int)strnlen(cfg->sym_name, sizeof(cfg->sym_name)), cfg->sym_name, roles.c_str(),
            vf_id);
    tval_config_set_vportdata(idx, value.c_str());
}

void tval_config_vport_del(tval_t *ioc, wwn_t pwwn)
{
    if (!ioc)
        return;
    int idx = tval_config_ioc_lookup(ioc->pwwn);
    if (idx < 0)
        return;
    char text[32];
    wwn_text(pwwn, text, sizeof(text));
    rec_t &r = ioc_config_data[idx];
    std::lock_guard<std::mutex> g(vportmutex);
    for (tval_vf_config_t **link = &r.vport; *link; link = &(*link)->next) {
        if (strcmp((*link)->pwwn, text) != 0)
            continue;
        tval_vf_config_t *gone = *link;
        *link = gone->next;
        free(gone);
        r.vpcount--;
        return;
    }
}

int tval_config_vport(tval_t *ioc, uint16_t vf_id, const struct tva_lport_cfg_s *cfg, int del)
{
    if (!cfg)
        return TVA_STATUS_EINVAL;
    const char *path = tval_get_cfg_path();
    int rc = tval_config_load(path);
    if (rc != TVA_STATUS_OK)
        return rc;
    if (del)
        tval_config_vport_del(ioc, cfg->pwwn);
    else
        tval_config_vport_add(ioc, vf_id, cfg);
    return tval_config_sync(path);
}
