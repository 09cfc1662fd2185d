/* Initiator mode requests: LUN masking. */
#include <cstring>

#include "tval_transport.h"

int tval_fcpim_lunmask_query(tval_t *ioc, tva_ioctl_fcpim_lunmask_query_t *out)
{
    if (!ioc || !out)
        return TVA_STATUS_FAILED;
    tva_ioctl_fcpim_lunmask_query_t p;
    std::memset(&p, 0, sizeof(p));
    p.tvad_num = static_cast<uint16_t>(ioc->instance);
    int rc = tval_ioctl(ioc, TVA_IOCTL_FCPIM_LUNMASK_QUERY, &p, 0, 0, sizeof(p));
    if (rc != TVA_STATUS_OK)
        return rc;
    *out = p;
    return static_cast<int>(p.status);
}
