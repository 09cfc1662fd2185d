// Word-level parsers and syntax checks of tvcli over arbitrary words: one
// word per line of the input. Nothing is scanned, so the identifier
// resolvers run their parsing against an empty adapter tree.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tvcli.h"

static void check(bool ok)
{
    if (!ok)
        abort();
}

static std::string lower(const std::string &s)
{
    std::string r = s;
    for (char &c : r)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return r;
}

static void one_word(const char *w)
{
    wwn_t wwn = 0;
    if (tvcli_get_port_wwn(w, &wwn)) {
        char buf[24];
        check(lower(w) == tvcli_wwn2str(buf, wwn));
    }
    mac_t mac = {};
    if (tvcli_get_mac_number(w, &mac))
        check(strlen(w) == 17);
    check(tvcli_verify_name(w) == 0 || strlen(w) <= 15);
    check(tvcli_verify_pattern(w) == 0 || strlen(w) <= 8);
    tvcli_verify_num(w);
    tvcli_verify_lun(w);
    int v = tvcli_parse_vlan_id(w);
    check(v >= -1 && v <= 4094);
    int speed = 0, topo = 0;
    tvcli_set_speed(w, &speed);
    tvcli_set_topology(w, &topo);
    uint64_t lun = 0;
    tvcli_convert_string_to_lun(w, strlen(w), &lun);
    char lbuf[20];
    tvcli_convert_lun_to_string(lun, lbuf, sizeof(lbuf));
    check(strlen(lbuf) == 19);

    tvcli_pcifn_t pf;
    tvcli_get_adapter_port_id(w, &pf, 0);
    check(tvcli_get_adapter_id(w) == nullptr);
    tvcli_id_t id;
    for (tvcli_want_t want : {TVCLI_WANT_FC, TVCLI_WANT_ETH}) {
        memset(&id, 0, sizeof(id));
        port_id_type_t kind;
        check(tvcli_get_port_id_any(w, want, &id, &kind) != 0);
    }
    tval_t *ioc = nullptr;
    int port = -1, pcifn = -1;
    check(tvcli_get_first_ioc(w, &ioc, &port, &pcifn, 0) != 0);
    check(tvcli_get_first_ioc(w, &ioc, &port, &pcifn, 1) != 0);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<std::string> words;
    std::string cur;
    for (size_t i = 0; i < size; i++) {
        char c = static_cast<char>(data[i]);
        if (c == '\n' || c == '\0') {
            words.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    words.push_back(cur);
    if (words.size() > 64)
        words.resize(64);

    std::vector<char *> argv;
    for (std::string &w : words) {
        one_word(w.c_str());
        argv.push_back(w.data());
    }
    wwn_t lp = 0;
    int rc = tvcli_fill_vfid_lpwwn(argv.data(), static_cast<int>(argv.size()), 0, 0, &lp);
    check(rc == 0 || rc == E_CLI_INCORRECT_CMD || rc == E_CLI_BAD_WWN);

    lnode *list = nullptr;
    for (const std::string &w : words)
        tvcli_list_append(&list, w.c_str());
    tvcli_list_free(&list);
    return 0;
}
