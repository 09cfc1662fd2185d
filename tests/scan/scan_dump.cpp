// Runs the adapter scan on the host it finds itself on and prints the
// result: counts, the adapter tree, a few lookups, and the setting lines of
// /etc/tva.conf. The scan tests run it inside the emulated host.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "tva_ioctl.h"
#include "tva_status.h"
#include "tval.h"
#include "tval_adapter.h"
#include "tval_config.h"

namespace {

std::string wwn(wwn_t w)
{
    char b[32];
    snprintf(b, sizeof(b), "%02x:%02x:%02x:%02x:%02x:%02x:%02x:%02x", tval_wwn_byte(w, 0),
             tval_wwn_byte(w, 1), tval_wwn_byte(w, 2), tval_wwn_byte(w, 3), tval_wwn_byte(w, 4),
             tval_wwn_byte(w, 5), tval_wwn_byte(w, 6), tval_wwn_byte(w, 7));
    return b;
}

std::string mac(const mac_t &m)
{
    char b[24];
    snprintf(b, sizeof(b), "%02x:%02x:%02x:%02x:%02x:%02x", m.mac[0], m.mac[1], m.mac[2],
             m.mac[3], m.mac[4], m.mac[5]);
    return b;
}

void print_ioc(const char *list, const tval_t *i)
{
    printf("    slot %d %s %s inst=%d pcifn=%d ad=%d type=%d dev=%s", i->id, list, i->ioc_hwpath,
           i->instance, i->pcifn_id, i->ad_id, (int)i->ioc_type, i->devpath);
    if (tval_ioc_is_storage(i))
        printf(" pwwn=%s", wwn(i->pwwn).c_str());
    if (i->ioc_type != TVA_IOC_TYPE_FC)
        printf(" mac=%s", mac(i->mac).c_str());
    if (i->ioc_type == TVA_IOC_TYPE_LL)
        printf(" eth=%s", i->eth_name);
    printf("\n");
}

} // namespace

/* Names the adapter found by `text` and its first function the way the adapter and port
 * name commands record them (an adapter is added when it has no record), and prints what the name checks then say. */
void name_adapter(const char *text, const char *name)
{
    tval_adapter_t *ad = tval_adapter_get_by_str(text);
    if (!ad) {
        printf("no adapter %s\n", text);
        return;
    }
    int idx = ad->id;
    const char *path = tval_get_cfg_path();
    if (tval_config_load(path) != TVA_STATUS_OK) {
        printf("load failed\n");
        return;
    }
    tval_t *ioc = tval_adapter_get_first_ioc(ad);
    if (tval_config_ad_lookup(ad->serial_num) < 0)
        tval_config_ad_add(ad->serial_num);
    tval_config_ad_name(idx, name);
    tval_config_ioc_name(ioc, name);
    printf("sync %d\n", tval_config_sync(path));
    if (tval_config_load(path) != TVA_STATUS_OK)
        return;
    printf("ad-name-exists same-serial=%d other-serial=%d port-name-exists=%d other-port=%d\n",
           tval_config_get_ad_name_exists(idx, name, ad->serial_num),
           tval_config_get_ad_name_exists(idx, name, "OTHER"),
           tval_config_get_port_name_exists(idx, name, ioc->port_num),
           tval_config_get_port_name_exists(idx, name, ioc->port_num + 1));
    tval_config_unload();
}

const char *hw(const tval_t *ioc)
{
    return ioc ? ioc->ioc_hwpath : "null";
}

const char *adhw(const tval_adapter_t *ad)
{
    return ad ? ad->adapter_hwpath : "null";
}

/* The identifier lookups, each with what it found. `words` are tried as
 * adapter and function texts; the WWN lookups take the first function's. */
void lookups(int argc, char **argv)
{
    for (int i = 0; i < argc; i++)
        printf("by-str %s: adapter %s ioc %s\n", argv[i], adhw(tval_adapter_get_by_str(argv[i])),
               hw(tval_adapter_get_ioc_by_str(argv[i])));
    for (int a = 1; a <= tval_adapter_get_count(); a++) {
        tval_adapter_t *ad = tval_adapter_get_by_idx(a);
        tval_t *first = tval_adapter_get_first_ioc(ad);
        printf("adapter %s: first %s", ad->adapter_hwpath, hw(first));
        if (first && tval_ioc_is_storage(first))
            printf(" by-pwwn %s by-nwwn %s", hw(tval_adapter_get_ioc_by_wwn(first->pwwn)),
                   hw(tval_adapter_get_ioc_by_wwn(first->nwwn)));
        printf(" by-inst %s\n", hw(tval_adapter_get_ioc_by_inst(first ? first->instance : -1)));
        for (int p = 0; p < ad->port_count; p++) {
            tval_port_t *port = tval_adapter_get_port(ad, p);
            if (!port)
                continue;
            printf("  port %d: first %s fc %s eth %s slot1 %s pcifn2 %s", p,
                   hw(tval_port_get_first_ioc(port)), hw(tval_port_get_first_fcioc(port)),
                   hw(tval_port_get_first_ethioc(port)), hw(tval_port_get_ioc(port, 1)),
                   hw(tval_port_get_ioc_by_pcifn(port, 2)));
            tval_t *ioc = tval_port_get_first_ioc(port);
            int oper = -1;
            tval_ioc_is_operational(ioc, &oper);
            tval_ioc_get_operational_pf(&ioc);
            printf(" operational %d -> %s\n", oper, hw(ioc));
        }
    }
    tval_t *none = nullptr;
    printf("wwn-0 %s inst-99 %s oper-null %d\n", hw(tval_adapter_get_ioc_by_wwn(0)),
           hw(tval_adapter_get_ioc_by_inst(99)), tval_ioc_get_operational_pf(&none));
}

int main(int argc, char **argv)
{
    tval_libinit(tva_aen_app_tvcli);
    int n = tval_adapter_scan();
    printf("scan %d last %d flat %d\n", n, tval_get_last_error(), tval_ioc_get_num());
    for (int a = 1; a <= tval_adapter_get_count(); a++) {
        tval_adapter_t *ad = tval_adapter_get_by_idx(a);
        printf("adapter %d sn=%s name=%s hw=%s type=%s ports=%d cna=%d\n", ad->id, ad->serial_num,
               ad->name, ad->adapter_hwpath, ad->adapter_type, ad->port_count, ad->cna_capable);
        for (int p = 0; p < ad->port_count; p++) {
            tval_port_t *port = tval_adapter_get_port(ad, p);
            if (!port)
                continue;
            printf("  port %d type=%d iocs=%d\n", port->id, port->ioc_type, port->ioc_count);
            for (int s = 0; s < tval_port_get_ioc_count(port); s++) {
                if (tval_t *i = tval_port_get_fcioc(port, s))
                    print_ioc("fc", i);
                if (tval_t *i = tval_port_get_ethioc(port, s))
                    print_ioc("eth", i);
            }
        }
    }
    int count = tval_adapter_get_count();
    printf("lookup idx0=%s above=%s port-count-above=%d\n",
           tval_adapter_get_by_idx(0) ? "found" : "null",
           tval_adapter_get_by_idx(count + 1) ? "found" : "null",
           tval_adapter_get_port_count(count + 1));

    if (argc == 4 && strcmp(argv[1], "--name-adapter") == 0)
        name_adapter(argv[2], argv[3]);
    if (argc >= 2 && strcmp(argv[1], "--lookups") == 0)
        lookups(argc - 2, argv + 2);

    std::ifstream conf(tval_get_cfg_path());
    std::string line;
    while (std::getline(conf, line))
        if (!line.empty() && line[0] != '#')
            printf("conf %s\n", line.c_str());
    tval_adapter_free();
    tval_libexit();
    return n > 0 ? 0 : 1;
}
