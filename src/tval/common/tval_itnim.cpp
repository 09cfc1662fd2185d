/* Initiator-target nexus requests. */
#include <cstring>

#include "tval_transport.h"

int tval_itnim_get_attr(tval_t *ioc, uint16_t vf_id, wwn_t lpwwn, wwn_t rpwwn, tva_itnim_attr_t *attr)
{
    if (!ioc || !attr)
        return TVA_STATUS_FAILED;
    tva_ioctl_itnim_attr_t p;
    std::memset(&p, 0, sizeof(p));
    p.tvad_num = static_cast<uint16_t>(ioc->instance);
    p.vf_id = vf_id;
    p.lpwwn = lpwwn;
    p.rpwwn = rpwwn;
    int rc = tval_ioctl(ioc, TVA_IOCTL_ITNIM_GET_ATTR, &p, 0, 0, sizeof(p));
    if (rc != TVA_STATUS_OK)
        return rc;
    *attr = p.attr;
    return static_cast<int>(p.status);
}
