/*
 * Library init and exit, the IOC attribute and information requests, the
 * IOC record accessors and the generic record lists.
 */
#include <cstdlib>
#include <cstring>

#include "tva_ioctl.h"
#include "tva_status.h"
#include "tval.h"
#include "tval_adapter.h"
#include "tval_transport.h"

namespace {

int application_id = -1;

/* Bounded copy into a caller's buffer of size bytes. */
void copy_out(char *dst, size_t size, const char *src)
{
    if (!dst || size == 0)
        return;
    size_t len = strnlen(src, size - 1);
    memcpy(dst, src, len);
    dst[len] = '\0';
}

} // namespace

int tval_libinit(int app_id)
{
    application_id = app_id;
    return TVA_STATUS_OK;
}

void tval_libexit(void)
{
}

/* ---- requests -------------------------------------------------------------- */

int tval_ioc_get_attr(tval_t *ioc, struct tva_ioc_attr_s *attr)
{
    if (!ioc || !attr)
        return TVA_STATUS_FAILED;
    tva_ioctl_ioc_attr_t req;
    memset(&req, 0, sizeof(req));
    req.tvad_num = (uint16_t)ioc->instance;
    int rc = tval_ioctl(ioc, TVA_IOCTL_IOC_GET_ATTR, &req, 0, 0, sizeof(req));
    if (rc != TVA_STATUS_OK)
        return rc;
    memcpy(attr, &req.ioc_attr, sizeof(*attr));
    return (int)req.status;
}

int tval_ioc_get_info(tval_t *ioc, tva_ioctl_ioc_info_t *info)
{
    if (!ioc || !info)
        return TVA_STATUS_FAILED;
    tva_ioctl_ioc_info_t req;
    memset(&req, 0, sizeof(req));
    req.tvad_num = (uint16_t)ioc->instance;
    int rc = tval_ioctl(ioc, TVA_IOCTL_IOC_GET_INFO, &req, 0, 0, sizeof(req));
    if (rc != TVA_STATUS_OK)
        return rc;
    tva_ioc_attr_t attr;
    rc = tval_ioc_get_attr(ioc, &attr);
    if (rc != TVA_STATUS_OK)
        return rc;
    if (attr.pci_attr.device_id == 0x17 && attr.pci_attr.pcifn == 1)
        return TVA_STATUS_FAILED;
    memcpy(info, &req, sizeof(*info));
    return (int)req.status;
}

int tval_ioc_is_operational(tval_t *ioc, int *operational)
{
    if (!ioc || !operational)
        return TVA_STATUS_FAILED;
    tva_ioc_attr_t attr;
    int rc = tval_ioc_get_attr(ioc, &attr);
    if (rc != TVA_STATUS_OK)
        return rc;
    *operational = attr.state == TVA_IOC_OPERATIONAL;
    return TVA_STATUS_OK;
}

int tval_ioc_get_operational_pf(tval_t **ioc)
{
    if (!ioc || !*ioc)
        return TVA_STATUS_OK;
    tva_ioc_attr_t attr;
    if (tval_ioc_get_attr(*ioc, &attr) != TVA_STATUS_OK || attr.state == TVA_IOC_OPERATIONAL)
        return TVA_STATUS_OK;
    tval_port_t *port = tval_adapter_get_port(tval_adapter_get_by_idx((*ioc)->ad_id),
                                              (*ioc)->port_num);
    for (int slot = 0; port && slot < port->ioc_count; slot++) {
        tval_t *cand = tval_port_get_ioc(port, slot);
        if (cand && tval_ioc_get_attr(cand, &attr) == TVA_STATUS_OK &&
            attr.state == TVA_IOC_OPERATIONAL) {
            *ioc = cand;
            break;
        }
    }
    return TVA_STATUS_OK;
}

/* ---- accessors --------------------------------------------------------------- */

int tval_ioc_get_path(const tval_t *ioc, char *devpath, char *ioc_hwpath, char *adapter_hwpath)
{
    if (!ioc)
        return TVA_STATUS_FAILED;
    copy_out(devpath, sizeof(ioc->devpath), ioc->devpath);
    copy_out(ioc_hwpath, sizeof(ioc->ioc_hwpath), ioc->ioc_hwpath);
    copy_out(adapter_hwpath, sizeof(ioc->adapter_hwpath), ioc->adapter_hwpath);
    return TVA_STATUS_OK;
}

wwn_t tval_ioc_get_pwwn(const tval_t *ioc)
{
    return ioc ? ioc->pwwn : 0;
}

wwn_t tval_ioc_get_nwwn(const tval_t *ioc)
{
    return ioc ? ioc->nwwn : 0;
}

void tval_ioc_get_mac(const tval_t *ioc, mac_t *mac)
{
    if (ioc && mac)
        *mac = ioc->mac;
}

void tval_ioc_get_factory_mac(const tval_t *ioc, mac_t *mac)
{
    if (ioc && mac)
        *mac = ioc->factory_mac;
}

int tval_ioc_get_current_mac(tval_t *ioc, mac_t *mac)
{
    if (!ioc)
        return TVA_STATUS_FAILED;
    tva_ioctl_ioc_info_t info;
    int rc = tval_ioc_get_info(ioc, &info);
    if (rc == TVA_STATUS_OK)
        ioc->current_mac = info.current_mac;
    if (mac)
        *mac = ioc->current_mac;
    return rc;
}

int tval_ioc_get_port_id(const tval_t *ioc)
{
    return ioc ? ioc->port_num : -1;
}

int tval_ioc_get_ioc_type(const tval_t *ioc)
{
    return ioc ? (int)ioc->ioc_type : -1;
}

const char *tval_ioc_get_name(const tval_t *ioc)
{
    return ioc ? ioc->port_name : nullptr;
}

const char *tval_ioc_get_eth_name(const tval_t *ioc)
{
    return ioc ? ioc->eth_name : nullptr;
}

const char *tval_ioc_get_sn(const tval_t *ioc)
{
    return ioc ? ioc->serialnum : nullptr;
}

int tval_ioc_get_pcifn(const tval_t *ioc)
{
    return ioc ? ioc->pcifn_id : -1;
}

int tval_ioc_get_adapter_id(const tval_t *ioc)
{
    return ioc ? ioc->ad_id : -1;
}

int tval_ioc_get_index(const tval_t *ioc)
{
    return ioc ? ioc->id : -1;
}

void tval_ioc_close(tval_t *)
{
}

/* ---- lists ------------------------------------------------------------------- */

namespace {

void **next_of(void *node, ad_ioc kind)
{
    switch (kind) {
    case e_ic: return (void **)&static_cast<tval_t *>(node)->next;
    case e_ad: return (void **)&static_cast<tval_adapter_t *>(node)->next;
    case e_prt: return (void **)&static_cast<tval_port_t *>(node)->next;
    }
    return nullptr;
}

int id_of(void *node, ad_ioc kind)
{
    switch (kind) {
    case e_ic: return static_cast<tval_t *>(node)->id;
    case e_ad: return static_cast<tval_adapter_t *>(node)->id;
    case e_prt: return static_cast<tval_port_t *>(node)->id;
    }
    return -1;
}

} // namespace

void tval_list_append(void **head, void *node, ad_ioc kind)
{
    if (!head || !node)
        return;
    *next_of(node, kind) = nullptr;
    void **link = head;
    while (*link)
        link = next_of(*link, kind);
    *link = node;
}

void *tval_list_find(void *head, int id, ad_ioc kind)
{
    for (void *p = head; p; p = *next_of(p, kind))
        if (id_of(p, kind) == id)
            return p;
    return nullptr;
}

void tval_list_free(void **head, ad_ioc kind)
{
    if (!head)
        return;
    void *p = *head;
    while (p) {
        void *next = *next_of(p, kind);
        if (kind == e_ad) {
            tval_adapter_t *ad = static_cast<tval_adapter_t *>(p);
            tval_list_free((void **)&ad->port_list, e_prt);
        } else if (kind == e_prt) {
            tval_port_t *port = static_cast<tval_port_t *>(p);
            tval_list_free((void **)&port->fcioc_list, e_ic);
            tval_list_free((void **)&port->ethioc_list, e_ic);
        }
        free(p);
        p = next;
    }
    *head = nullptr;
}
