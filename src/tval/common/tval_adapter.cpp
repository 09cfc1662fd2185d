/*
 * The adapter tree: adapters grouped by hardware path, their ports, and a
 * copy of each function per port; the lookups into it.
 */
#include <cstdlib>
#include <cstring>

#include "tva_ioctl.h"
#include "tva_status.h"
#include "tval.h"
#include "tval_adapter.h"
#include "tval_config.h"

namespace {

tval_adapter_t *adapter_list;
int adapter_count;

template <size_t N> void copy_field(char (&dst)[N], const char *src, size_t src_size)
{
    size_t len = strnlen(src, src_size < N - 1 ? src_size : N - 1);
    memcpy(dst, src, len);
    memset(dst + len, 0, N - len);
}

int copy_out(const char *field, size_t field_size, char *out, size_t size)
{
    if (!out || size == 0)
        return TVA_STATUS_EINVAL;
    size_t len = strnlen(field, field_size);
    if (len >= size)
        len = size - 1;
    memcpy(out, field, len);
    out[len] = '\0';
    return TVA_STATUS_OK;
}

/* Length of the part of a hardware path before its second ":". */
size_t bus_prefix_len(const char *path, size_t size)
{
    size_t len = strnlen(path, size);
    int colons = 0;
    for (size_t i = 0; i < len; i++)
        if (path[i] == ':' && ++colons == 2)
            return i;
    return len;
}

bool same_adapter(const char *a, const char *b, size_t size)
{
    size_t la = bus_prefix_len(a, size), lb = bus_prefix_len(b, size);
    return la == lb && memcmp(a, b, la) == 0;
}

const char *adapter_type_of(uint8_t cap_bm)
{
    if ((cap_bm & TVA_CAP_HBA) && (cap_bm & (TVA_CAP_CNA | TVA_CAP_NIC)))
        return "AnyIO";
    if (cap_bm & TVA_CAP_HBA)
        return "HBA";
    if (cap_bm & TVA_CAP_CNA)
        return "CNA";
    if (cap_bm & TVA_CAP_NIC)
        return "NIC";
    return "--";
}

void register_adapter(const char *serial)
{
    const char *path = tval_get_cfg_path();
    if (tval_config_load(path) != TVA_STATUS_OK)
        return;
    if (tval_config_ad_lookup(serial) < 0)
        tval_config_ad_add(serial);
    tval_config_sync(path);
}

tval_t *slot_in(tval_t *list, int slot)
{
    return (tval_t *)tval_list_find(list, slot, e_ic);
}

/* Visits every function: adapters by index, ports by number, slots in order,
 * the storage copy of a slot before the Ethernet one. Stops at the first
 * for which match returns true. */
template <class F> tval_t *walk_iocs(F match)
{
    for (int a = 1; a <= adapter_count; a++) {
        tval_adapter_t *ad = tval_adapter_get_by_idx(a);
        for (int pn = 0; ad && pn < ad->port_count; pn++) {
            tval_port_t *port = tval_adapter_get_port(ad, pn);
            for (int s = 0; port && s < port->ioc_count; s++) {
                for (tval_t *ioc : {slot_in(port->fcioc_list, s), slot_in(port->ethioc_list, s)})
                    if (ioc && match(ioc))
                        return ioc;
            }
        }
    }
    return nullptr;
}

bool text_eq(const char *field, size_t size, const char *text)
{
    return strnlen(text, size + 1) <= size && strncmp(field, text, size) == 0;
}

} // namespace

/* ---- building ------------------------------------------------------------------ */

int tval_port_add_ioc(tval_port_t *port, const tval_t *ioc)
{
    tval_t *copy = (tval_t *)malloc(sizeof(tval_t));
    if (!copy) {
        tval_set_last_error(TVA_STATUS_ENOMEM);
        return TVA_STATUS_ENOMEM;
    }
    memcpy(copy, ioc, sizeof(*copy));
    copy->next = nullptr;
    copy->id = port->ioc_count;
    if (port->ioc_count == 0) {
        port->fcioc_list = nullptr;
        port->ethioc_list = nullptr;
        port->id = copy->port_num;
        port->factorypwwn = copy->factorypwwn;
        port->factorynwwn = copy->factorynwwn;
        port->ioc_type = copy->ioc_type;
        if (copy->ioc_type == TVA_IOC_TYPE_FCoE || copy->ioc_type == TVA_IOC_TYPE_LL)
            port->factory_mac = copy->factory_mac;
    }
    tval_t **list = tval_ioc_is_storage(copy) ? &port->fcioc_list : &port->ethioc_list;
    tval_list_append((void **)list, copy, e_ic);
    port->ioc_count++;
    return TVA_STATUS_OK;
}

void tval_adapter_free(void)
{
    tval_ioc_free();
    tval_list_free((void **)&adapter_list, e_ad);
    adapter_count = 0;
}

int tval_adapter_scan(void)
{
    tval_ioc_handles_close();
    int found = tval_ioc_scan();
    tval_list_free((void **)&adapter_list, e_ad);
    adapter_count = 0;
    if (found == 0)
        return 0;

    int count = 0;
    for (tval_t *ioc = tval_ioc_get_list(); ioc; ioc = ioc->next) {
        tva_ioc_attr_t attr;
        tva_ioctl_ioc_info_t info;
        int rc = tval_ioc_get_attr(ioc, &attr);
        if (rc == TVA_STATUS_OK) {
            ioc->port_num = attr.port_id;
            ioc->pcifn_id = (int)attr.pci_attr.pcifn;
            ioc->vendor_id = attr.pci_attr.vendor_id;
            ioc->device_id = attr.pci_attr.device_id;
            rc = tval_ioc_get_info(ioc, &info);
        }
        if (rc != TVA_STATUS_OK) {
            /* No half-built tree is left behind a failed scan. */
            tval_set_last_error(rc);
            tval_list_free((void **)&adapter_list, e_ad);
            return 0;
        }

        tval_adapter_t *ad = adapter_list;
        while (ad && !same_adapter(ad->adapter_hwpath, ioc->adapter_hwpath,
                                   sizeof(ioc->adapter_hwpath)))
            ad = ad->next;

        tval_port_t *port;
        if (!ad) {
            ad = (tval_adapter_t *)calloc(1, sizeof(*ad));
            port = ad ? (tval_port_t *)calloc(1, sizeof(*port)) : nullptr;
            if (!port) {
                free(ad);
                tval_set_last_error(TVA_STATUS_ENOMEM);
                tval_list_free((void **)&adapter_list, e_ad);
                return 0;
            }
            ad->id = ++count;
            ad->port_count = ioc->port_num + 1;
            ioc->ad_id = ad->id;
            copy_field(ad->serial_num, ioc->serialnum, sizeof(ioc->serialnum));
            register_adapter(ad->serial_num);
            copy_field(ad->model_descr, attr.adapter_attr.model_descr,
                       sizeof(attr.adapter_attr.model_descr));
            copy_field(ad->adapter_hwpath, ioc->adapter_hwpath, sizeof(ioc->adapter_hwpath));
            copy_field(ad->name, info.name, sizeof(info.name));
            ad->cna_capable = attr.adapter_attr.cna_capable;
            ad->trunk_capable = attr.adapter_attr.trunk_capable;
            copy_field(ad->adapter_type, adapter_type_of(attr.cap_bm), 32);
            port->id = ioc->port_num;
            ad->port_list = port;
            tval_list_append((void **)&adapter_list, ad, e_ad);
        } else {
            ioc->ad_id = ad->id;
            port = (tval_port_t *)tval_list_find(ad->port_list, ioc->port_num, e_prt);
            if (!port) {
                port = (tval_port_t *)calloc(1, sizeof(*port));
                if (!port) {
                    tval_set_last_error(TVA_STATUS_ENOMEM);
                    tval_list_free((void **)&adapter_list, e_ad);
                    return 0;
                }
                port->id = ioc->port_num;
                tval_list_append((void **)&ad->port_list, port, e_prt);
            }
            if (ioc->port_num + 1 > ad->port_count)
                ad->port_count = ioc->port_num + 1;
        }
        if (tval_port_add_ioc(port, ioc) != TVA_STATUS_OK) {
            tval_list_free((void **)&adapter_list, e_ad);
            return 0;
        }
    }
    adapter_count = count;
    return count;
}

/* ---- adapter lookups ------------------------------------------------------------- */

int tval_adapter_get_count(void)
{
    return adapter_count;
}

tval_adapter_t *tval_adapter_get_by_idx(int idx)
{
    if (idx < 1 || idx > adapter_count)
        return nullptr;
    return (tval_adapter_t *)tval_list_find(adapter_list, idx, e_ad);
}

tval_port_t *tval_adapter_get_port(tval_adapter_t *adapter, int port_num)
{
    if (!adapter || port_num < 0)
        return nullptr;
    return (tval_port_t *)tval_list_find(adapter->port_list, port_num, e_prt);
}

int tval_adapter_get_port_count(int idx)
{
    tval_adapter_t *ad = tval_adapter_get_by_idx(idx);
    return ad ? ad->port_count : -1;
}

int tval_adapter_get_hw_port_count(int idx, int *count)
{
    int dummy;
    if (!count)
        count = &dummy;
    *count = -1;
    tval_t *ioc = tval_adapter_get_first_ioc(tval_adapter_get_by_idx(idx));
    if (!ioc)
        return TVA_STATUS_FAILED;
    tva_ioc_attr_t attr;
    int rc = tval_ioc_get_attr(ioc, &attr);
    if (rc == TVA_STATUS_OK)
        *count = attr.adapter_attr.nports;
    return rc;
}

int tval_adapter_is_cna_capable(int idx)
{
    tval_adapter_t *ad = tval_adapter_get_by_idx(idx);
    return ad ? ad->cna_capable : 0;
}

tval_adapter_t *tval_adapter_get_by_str(const char *text)
{
    if (!text)
        return nullptr;
    for (int a = 1; a <= adapter_count; a++) {
        tval_adapter_t *ad = tval_adapter_get_by_idx(a);
        if (ad && (text_eq(ad->serial_num, sizeof(ad->serial_num), text) ||
                   text_eq(ad->name, sizeof(ad->name), text) ||
                   text_eq(ad->adapter_hwpath, sizeof(ad->adapter_hwpath), text)))
            return ad;
    }
    return nullptr;
}

tval_t *tval_adapter_get_ioc_by_str(const char *text)
{
    if (!text)
        return nullptr;
    return walk_iocs([text](tval_t *ioc) {
        return text_eq(ioc->ioc_hwpath, sizeof(ioc->ioc_hwpath), text) ||
               text_eq(ioc->port_name, sizeof(ioc->port_name), text) ||
               text_eq(ioc->serialnum, sizeof(ioc->serialnum), text);
    });
}

tval_t *tval_adapter_get_ioc_by_wwn(wwn_t wwn)
{
    return walk_iocs([wwn](tval_t *ioc) {
        return tval_ioc_is_storage(ioc) && (ioc->pwwn == wwn || ioc->nwwn == wwn);
    });
}

tval_t *tval_adapter_get_ioc_by_inst(int instance)
{
    return walk_iocs([instance](tval_t *ioc) { return ioc->instance == instance; });
}

tval_t *tval_adapter_get_first_ioc(tval_adapter_t *adapter)
{
    for (int pn = 0; adapter && pn < adapter->port_count; pn++) {
        tval_t *ioc = tval_port_get_first_ioc(tval_adapter_get_port(adapter, pn));
        if (ioc)
            return ioc;
    }
    return nullptr;
}

int tval_adapter_get_serial_num(const tval_adapter_t *adapter, char *out, size_t size)
{
    return adapter ? copy_out(adapter->serial_num, sizeof(adapter->serial_num), out, size)
                   : TVA_STATUS_FAILED;
}

int tval_adapter_get_model(const tval_adapter_t *adapter, char *out, size_t size)
{
    return adapter ? copy_out(adapter->model_descr, sizeof(adapter->model_descr), out, size)
                   : TVA_STATUS_FAILED;
}

int tval_adapter_get_hw_path(const tval_adapter_t *adapter, char *out, size_t size)
{
    return adapter ? copy_out(adapter->adapter_hwpath, sizeof(adapter->adapter_hwpath), out, size)
                   : TVA_STATUS_FAILED;
}

int tval_adapter_get_type(const tval_adapter_t *adapter, char *out, size_t size)
{
    return adapter ? copy_out(adapter->adapter_type, sizeof(adapter->adapter_type), out, size)
                   : TVA_STATUS_FAILED;
}

const char *tval_adapter_get_name(int idx)
{
    tval_adapter_t *ad = tval_adapter_get_by_idx(idx);
    tval_t *ioc = tval_adapter_get_first_ioc(ad);
    if (!ioc)
        return nullptr;
    tva_ioctl_ioc_info_t info;
    if (tval_ioc_get_info(ioc, &info) == TVA_STATUS_OK)
        copy_field(ad->name, info.name, sizeof(info.name));
    return ad->name;
}

/* ---- port lookups ---------------------------------------------------------------- */

tval_t *tval_port_get_fcioc(tval_port_t *port, int slot)
{
    return port ? slot_in(port->fcioc_list, slot) : nullptr;
}

tval_t *tval_port_get_ethioc(tval_port_t *port, int slot)
{
    return port ? slot_in(port->ethioc_list, slot) : nullptr;
}

tval_t *tval_port_get_ioc(tval_port_t *port, int slot)
{
    tval_t *ioc = tval_port_get_fcioc(port, slot);
    return ioc ? ioc : tval_port_get_ethioc(port, slot);
}

tval_t *tval_port_get_first_fcioc(tval_port_t *port)
{
    return port ? port->fcioc_list : nullptr;
}

tval_t *tval_port_get_first_ethioc(tval_port_t *port)
{
    return port ? port->ethioc_list : nullptr;
}

tval_t *tval_port_get_first_ioc(tval_port_t *port)
{
    tval_t *ioc = tval_port_get_first_fcioc(port);
    return ioc ? ioc : tval_port_get_first_ethioc(port);
}

tval_t *tval_port_get_ioc_by_pcifn(tval_port_t *port, int pcifn)
{
    if (!port)
        return nullptr;
    for (tval_t *list : {port->fcioc_list, port->ethioc_list})
        for (tval_t *ioc = list; ioc; ioc = ioc->next)
            if (ioc->pcifn_id == pcifn)
                return ioc;
    return nullptr;
}

int tval_port_get_ioc_count(const tval_port_t *port)
{
    return port ? port->ioc_count : 0;
}
