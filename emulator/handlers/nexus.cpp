/* The requests the SCSI and FC pass-through rely on: the nexus attributes
 * and SCSI address of a remote port, and the function's LUN mask.
 *
 * LUN mask in a scenario function (or in its live settings, which win):
 *   "lunmask": { "enabled": true,
 *                "entries": [ { "lpwwn": "10:00:..", "rpwwn": "50:06:..", "lun": 2,
 *                               "active": true } ] }
 * A function without one answers "disabled". */
#include "tvasim.h"

namespace tvasim {

namespace {

RemotePort *find_rport(Function &f, wwn_t lpwwn, wwn_t rpwwn, uint32_t &status)
{
    if (lpwwn != 0 && lpwwn != to_wwn_t(f.pwwn)) {
        status = TVA_STATUS_UNKNOWN_LWWN;
        return nullptr;
    }
    for (RemotePort &r : f.rports)
        if (to_wwn_t(r.pwwn) == rpwwn)
            return &r;
    status = TVA_STATUS_UNKNOWN_RWWN;
    return nullptr;
}

void itnim_get_attr(Request &r)
{
    auto *p = r.payload<tva_ioctl_itnim_attr_t>();
    if (!p)
        return r.set_status(TVA_STATUS_EINVAL);
    uint32_t status = TVA_STATUS_OK;
    RemotePort *rp = find_rport(*r.fn, p->lpwwn, p->rpwwn, status);
    std::memset(&p->attr, 0, sizeof(p->attr));
    if (rp)
        p->attr.state = rp->online ? TVA_ITNIM_ONLINE : TVA_ITNIM_OFFLINE;
    p->status = status;
}

void rport_get_scsi_address(Request &r)
{
    auto *p = r.payload<tva_ioctl_rport_scsi_addr_t>();
    if (!p)
        return r.set_status(TVA_STATUS_EINVAL);
    uint32_t status = TVA_STATUS_OK;
    RemotePort *rp = find_rport(*r.fn, p->pwwn, p->rpwwn, status);
    if (rp) {
        p->host = static_cast<uint32_t>(r.fn->host);
        p->bus = static_cast<uint32_t>(rp->channel);
        p->target = static_cast<uint32_t>(rp->target);
        p->lun = 0;
    }
    p->status = status;
}

void lunmask_query(Request &r)
{
    auto *p = r.payload<tva_ioctl_fcpim_lunmask_query_t>();
    if (!p)
        return r.set_status(TVA_STATUS_EINVAL);
    Function &f = *r.fn;
    std::memset(&p->lun_mask, 0, sizeof(p->lun_mask));
    p->lun_mask.status = TVA_LUNMASK_DISABLED;
    const json *cfg = nullptr;
    if (f.settings.is_object() && f.settings.contains("lunmask"))
        cfg = &f.settings["lunmask"];
    else if (f.raw.is_object() && f.raw.contains("lunmask"))
        cfg = &f.raw["lunmask"];
    if (cfg && cfg->is_object()) {
        if (cfg->value("enabled", false))
            p->lun_mask.status = TVA_LUNMASK_ENABLED;
        if (auto it = cfg->find("entries"); it != cfg->end() && it->is_array()) {
            size_t n = 0;
            for (const json &e : *it) {
                if (n == TVA_LUNMASK_MAX || !e.is_object())
                    break;
                tva_lun_mask_t &m = p->lun_mask.lun_list[n++];
                Wwn w{};
                if (parse_wwn(e.value("lpwwn", std::string()), w))
                    m.lp_wwn = to_wwn_t(w);
                w = {};
                if (parse_wwn(e.value("rpwwn", std::string()), w))
                    m.rp_wwn = to_wwn_t(w);
                uint32_t lun = e.value("lun", 0u);
                m.lun[0] = static_cast<uint8_t>(lun >> 8);
                m.lun[1] = static_cast<uint8_t>(lun);
                m.state = e.value("active", true) ? TVA_LUNMASK_ENTRY_ACTIVE : 0;
            }
        }
    }
    p->status = TVA_STATUS_OK;
}

} // namespace

TVASIM_HANDLER(TVA_IOCTL_ITNIM_GET_ATTR, itnim_get_attr);
TVASIM_HANDLER(TVA_IOCTL_RPORT_GET_SCSI_ADDRESS, rport_get_scsi_address);
TVASIM_HANDLER(TVA_IOCTL_FCPIM_LUNMASK_QUERY, lunmask_query);

} // namespace tvasim
