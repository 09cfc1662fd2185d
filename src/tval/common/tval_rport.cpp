/* Remote port requests. */
#include <cstring>

#include "tval_transport.h"

int tval_rport_get_scsi_address(tval_t *ioc, uint16_t vf_id, wwn_t lpwwn, wwn_t rpwwn, uint32_t *host,
                                uint32_t *bus, uint32_t *target)
{
    if (!ioc || !host || !bus || !target)
        return TVA_STATUS_FAILED;
    tva_ioctl_rport_scsi_addr_t p;
    std::memset(&p, 0, sizeof(p));
    p.tvad_num = static_cast<uint16_t>(ioc->instance);
    p.vf_id = vf_id;
    p.pwwn = lpwwn;
    p.rpwwn = rpwwn;
    int rc = tval_ioctl(ioc, TVA_IOCTL_RPORT_GET_SCSI_ADDRESS, &p, 0, 0, sizeof(p));
    if (rc != TVA_STATUS_OK)
        return rc;
    if (p.status == TVA_STATUS_OK) {
        *host = p.host;
        *bus = p.bus;
        *target = p.target;
    }
    return static_cast<int>(p.status);
}
