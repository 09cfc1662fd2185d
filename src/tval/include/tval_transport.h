/* The driver transport: how one library request reaches the kernel driver
 * of a function (bsg vendor request, Ethernet control node, debugfs, sysfs,
 * ethtool, SCSI generic and FC pass-through). */
#ifndef TVAL_TRANSPORT_H
#define TVAL_TRANSPORT_H

#include <cstddef>
#include <cstdint>

#include "tva_ioctl.h"
#include "tva_status.h"
#include "tval.h"

/* Timeouts of the bsg and SCSI generic requests, in milliseconds. */
#define TVAL_BSG_TIMEOUT_MS 60000
#define TVAL_SCSI_TIMEOUT_MS 30000
/* PCI vendor id of the adapter family; sent in every bsg vendor request. */
#define TVAL_PCI_VENDOR_ID 0x1657
/* Bytes the senders of trace and saved-state requests provide at buf_ptr. */
#define TVAL_DEBUG_BUF_SIZE 65568

/* Sends one request. 0 means the transport worked and the caller then reads
 * the payload's status; any other value is the transport's own status and
 * the payload is left unread. inlen and outlen are not used on this
 * platform. A size of 0 moves TVA_IOCTL_BUF_SIZE bytes, so buf must then hold
 * at least that many. On the bsg path size bytes at buf are sent and the
 * answer is written back over them. */
int tval_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t inlen, uint32_t outlen,
               uint32_t size);

/* Routes by function type: FC and FCoE to tval_os_fc_ioctl, Ethernet to
 * tval_os_eth_ioctl. Same contract as tval_ioctl. */
int tval_os_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t inlen, uint32_t outlen,
                  uint32_t size);
int tval_os_fc_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t inlen, uint32_t outlen,
                     uint32_t size);
int tval_os_eth_ioctl(tval_t *ioc, uint32_t code, void *buf, uint32_t inlen, uint32_t outlen,
                      uint32_t size);

/* Copies len bytes of buf into a request buffer, sends with size = len and
 * copies the buffer back (only when the transport worked). len must not
 * exceed TVA_IOCTL_BUF_SIZE (else TVA_STATUS_EINVAL). */
int tval_ioctl_nomask(tval_t *ioc, uint32_t code, void *buf, uint32_t len);

/* ioctl on the record's /dev/tvaipfc descriptor with the code unchanged. */
int tval_ioctl_ipfc(tval_t *ioc, uint32_t code, void *payload);

/* The usual sender step: puts the function's instance into tvad_num (at
 * offset 4: not for tva_ioctl_log_t), sends size bytes (0: the whole request
 * buffer, which payload must then hold) and returns the transport status
 * when non-zero, else the payload's status. */
int tval_ioctl_send(tval_t *ioc, uint32_t code, void *payload, uint32_t size);

/* System error number -> library status. */
int tval_get_status(int err);

/* ---- pass-through ---------------------------------------------------------- */

/* One SCSI command to a remote LUN through its SCSI generic node. lun is the
 * 8-byte LUN in wire order. write non-zero sends data to the device. On
 * return *scsi_status holds the SCSI status and *sns_len the sense bytes
 * room. A REPORT LUNS answer is filtered by the function's LUN mask. */
int tval_scsi_cmnd(tval_t *ioc, uint16_t vf_id, wwn_t lpwwn, wwn_t rpwwn, const uint8_t lun[8],
                   const uint8_t cdb[16], int write, void *buf, uint32_t bufsz,
                   uint8_t *scsi_status, void *sns_buf, uint32_t *sns_len);

/* One FC ELS or common-transport exchange. fchs is the 24-byte frame header
 * (its byte 8, the FC-4 type, must be 0x01 or 0x20). On entry *rsp_len is the
 * room at rsp_buf, on return the bytes received. */
int tval_fcpt(tval_t *ioc, uint16_t vf_id, wwn_t lpwwn, wwn_t rpwwn, uint32_t tsecs, uint32_t cts,
              uint32_t cos, const uint8_t fchs[24], void *req_buf, uint32_t req_len,
              void *rsp_buf, uint32_t *rsp_len);

/* /dev name of the SCSI device H:C:T:L ("/dev/sdb", a tape node, ...):
 * fills name (name_len bytes) and sets *name_count to 1. */
int tval_get_osname(int host, int channel, int target, int lun, char *name, size_t name_len,
                    int *name_count);

/* SCSI generic node ("/dev/sgN") of H:C:T:L, or of the first LUN of H:C:T
 * that has one. */
int tval_get_rport_lun_sg(int host, int channel, int target, int lun, char *path,
                          size_t path_len);
/* The SCSI generic node of exactly H:C:T:L; TVA_STATUS_FAILED when none. */
int tval_check_sg_node_presence(int host, int channel, int target, int lun, char *path,
                                size_t path_len);

/* ---- requests of other classes that the pass-through needs -------------- */

/* Initiator-target nexus attributes of (lpwwn, rpwwn). */
int tval_itnim_get_attr(tval_t *ioc, uint16_t vf_id, wwn_t lpwwn, wwn_t rpwwn,
                        tva_itnim_attr_t *attr);
/* SCSI host, bus (channel) and target of a remote port; filled only when the
 * payload status is 0. */
int tval_rport_get_scsi_address(tval_t *ioc, uint16_t vf_id, wwn_t lpwwn, wwn_t rpwwn,
                                uint32_t *host, uint32_t *bus, uint32_t *target);
/* The function's LUN mask: copies the whole payload out. */
int tval_fcpim_lunmask_query(tval_t *ioc, tva_ioctl_fcpim_lunmask_query_t *out);

#endif
