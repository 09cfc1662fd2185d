/*
 * Flash partitions of an adapter: attributes, read, write with read-back
 * check, erase, option ROM enable and disable.
 */
#ifndef TVAL_FLASH_H
#define TVAL_FLASH_H

#include <cstdint>

#include "tva_ioctl.h"
#include "tva_status.h"
#include "tval.h"

/* Bytes of the manufacturing block the capability characters come from. */
#define TVAL_FLASH_MFG_BLOCK_SIZE 256

/* Capability mask bits. */
#define TVAL_CAP_HBA 0x01
#define TVAL_CAP_CNA 0x02
#define TVAL_CAP_NIC 0x04
#define TVAL_CAP_FC16G 0x08
#define TVAL_CAP_SRIOV 0x10
#define TVAL_CAP_MEZZ 0x20

/* Copies the 1032-byte attribute record out when the transport worked;
 * returns the record status. */
int tval_flash_get_attr(tval_t *ioc, tva_flash_attr_t *attr);

/* Reads size bytes of a partition into buf (to_file 0) or into the file
 * named by buf (to_file 1, created or truncated). The buffer or file is
 * written whatever the record status, which is then returned. */
int tval_flash_read_part(tval_t *ioc, int type, uint8_t instance, void *buf, uint32_t size,
                         int to_file);

/* Writes a partition from buf (size bytes) or from the file named by buf
 * (from_file 1, its whole content), then reads it back and compares; a
 * difference is TVA_STATUS_FAILED. */
int tval_flash_update_part(tval_t *ioc, int type, uint8_t instance, const void *buf, int from_file,
                           uint32_t size);

/* Reads a whole file into a new buffer (free it). */
int tval_file_read(const char *file, uint32_t *size, uint8_t **buf);

int tval_flash_erase_part(tval_t *ioc, int type, uint8_t instance);
int tval_flash_enable_optrom(tval_t *ioc);
int tval_flash_disable_optrom(tval_t *ioc);

/* Erases the configuration partitions (FWCFG, DRV, BOOT, PBC, PXECFG) with
 * the IOC's port number as the instance. */
int tval_flash_clr_cfg(tval_t *ioc);

/* Capability mask (TVAL_CAP_*) from the manufacturing block. */
int tval_flash_read_adapter_capability(tval_t *ioc, uint32_t *mask);

#endif
