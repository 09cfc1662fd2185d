/*
 * Boot image file and boot-code update.
 *
 * A boot image file is an outer ustar archive holding the image archive and a
 * hash document with the image archive's MD5 digest; the image archive holds
 * the index (boot.txt) and the partition images it names. The readers,
 * the index parser, the option ROM patcher and the VPD fix-up stand alone;
 * tval_boot_fwupdate and below drive them against adapters.
 */
#ifndef TVAL_BOOT_H
#define TVAL_BOOT_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "tva_status.h"
#include "tval.h"

/* ---- ustar ---------------------------------------------------------------- */

typedef struct TVAL_TAR_HEADER_T {
    char filename[100];
    char filemode[8];
    char ouserid[8];
    char guserid[8];
    char filesize[12];
    char modifytime[12];
    char cheksum[8];
    char linkindicator;
    char linkfile[100];
    char magic[6];
    char rsvd[249];
} tar_header_t;
static_assert(sizeof(tar_header_t) == 512);
static_assert(offsetof(tar_header_t, filesize) == 124);
static_assert(offsetof(tar_header_t, linkindicator) == 156);
static_assert(offsetof(tar_header_t, magic) == 257);

#define TVAL_TAR_BLOCK 512

/* One member read from an archive. */
typedef struct IMAGEFILE_DATA_T {
    char iname[100];
    uint8_t *ibuf;
    int isize;
    bool ialloc;
} IMAGEFILE_DATA_T, *PIFDATA;

/* Size field: octal digits up to the first NUL. TVA_STATUS_BAD_FILE when a
 * character is not an octal digit or the value does not fit an int. */
int tval_tar_member_size(const tar_header_t *hdr, long *size);

/* Reads the member whose header starts at offset: header, size, content
 * (malloc'd, owned by the caller, at least one byte). *end is set when the
 * header's first byte is NUL (nothing else is then filled in). A short read,
 * a missing "ustar" or a size running past the end of the file is
 * TVA_STATUS_BAD_FILE; *next is the offset of the following header. */
int tval_tar_read_member(FILE *fp, long offset, tar_header_t *hdr, uint8_t **data,
                         long *size, long *next, int *end);

/* Every member of an image archive, in order. *images is malloc'd; free it
 * with tval_free_imagefiledata(images, count). */
int tval_read_image_archive(FILE *fp, IMAGEFILE_DATA_T **images, int *count);
void tval_free_imagefiledata(IMAGEFILE_DATA_T *images, int count);

/* Outer archive check: opens filename, checks both members and the MD5, and
 * hands back an open handle on the image archive (a temporary file named
 * tmp_<thread id> in the current directory when the first member is not the
 * index itself; *tmp_made then says so and tmpname holds its name). */
int tval_check_file_contains_tar(const char *filename, FILE **img, int *tmp_made,
                                 char tmpname[256]);

/* ---- MD5 (RFC 1321) -------------------------------------------------------- */

typedef struct MD5Context {
    uint32_t buf[4];
    uint32_t bits[2];
    uint8_t in[64];
} MD5Context;

void MD5Init(MD5Context *ctx);
void MD5Update(MD5Context *ctx, const uint8_t *data, size_t len);
void MD5Final(uint8_t digest[16], MD5Context *ctx);
void MD5Transform(uint32_t buf[4], const uint32_t in[16]);

/* 32 lowercase hex characters into out; no terminator written. */
int tval_compute_md5_hash(size_t size, const uint8_t *data, char out[32]);

/* ---- index (boot.txt) ------------------------------------------------------ */

#define TVAL_BOOT_INDEX_VERSION "3.0.0.0"
#define TVAL_BOOT_NAME_LEN 100
#define TVAL_BOOT_VALUE_MAX 63

typedef struct CARD_DATA_T {
    uint32_t card_type;
    char firmware_name[TVAL_BOOT_NAME_LEN];
    char option_rom_name[TVAL_BOOT_NAME_LEN];
    char option_rom_2_name[TVAL_BOOT_NAME_LEN];
    char boot_overlay_name[TVAL_BOOT_NAME_LEN];
    char pxe_overlay_name[TVAL_BOOT_NAME_LEN];
    char fw_config_name[TVAL_BOOT_NAME_LEN];
    char asic_block_name[TVAL_BOOT_NAME_LEN];
    uint8_t *port;
    int portcnt;
} CARD_DATA_T, *PCDATA;

/* Parses an index text. On success *cards (malloc'd, possibly null when
 * *count is 0) holds one record per section opened; free with
 * tval_free_carddata. Version errors: TVA_STATUS_BAD_FILE or
 * TVA_STATUS_BOOT_VERSION; grammar errors: TVA_STATUS_FAILED. */
int tval_parse_boot_index(const char *text, size_t len, CARD_DATA_T **cards, int *count);
void tval_free_carddata(CARD_DATA_T *cards, int count);

/* First section for card_type, or null. */
const CARD_DATA_T *tval_boot_find_card(const CARD_DATA_T *cards, int count, uint32_t card_type);

/* Member whose name equals name exactly, or null (also for an empty name). */
const IMAGEFILE_DATA_T *tval_boot_find_image(const IMAGEFILE_DATA_T *images, int count,
                                             const char *name);

/* ---- option ROM chains ------------------------------------------------------ */

typedef struct pci_optrom_hdr_s {
    uint16_t sig;
    uint8_t len;
    uint8_t inivec[3];
    uint8_t vendor_sig[4];
    uint16_t bofmds;
    uint16_t dateptr;
    uint8_t rsvd[3];
    uint16_t ovltable;
    uint8_t cksum;
    uint16_t verlen;
    uint16_t verptr;
    uint16_t pcids;
    uint16_t pnphdr;
} __attribute__((packed)) pci_optrom_hdr_t;
static_assert(sizeof(pci_optrom_hdr_t) == 28);
static_assert(offsetof(pci_optrom_hdr_t, ovltable) == 17);
static_assert(offsetof(pci_optrom_hdr_t, verptr) == 22);
static_assert(offsetof(pci_optrom_hdr_t, pnphdr) == 26);

typedef struct pci_3_0_ds_s {
    uint32_t sig;
    uint16_t vendid;
    uint16_t devid;
    uint16_t devlistoff;
    uint16_t len;
    uint8_t rev;
    uint8_t clcode[3];
    uint16_t imglen;
    uint16_t coderev;
    uint8_t codetype;
    uint8_t indr;
    uint16_t mrtimglen;
    uint16_t cuoff;
    uint16_t dmtfclp;
} __attribute__((packed)) pci_3_0_ds_t;
static_assert(sizeof(pci_3_0_ds_t) == 28);
static_assert(offsetof(pci_3_0_ds_t, imglen) == 16);
static_assert(offsetof(pci_3_0_ds_t, codetype) == 20);
static_assert(offsetof(pci_3_0_ds_t, indr) == 21);

typedef struct pnp_hdr_s {
    uint32_t signature;
    uint8_t rev;
    uint8_t len;
    uint16_t off;
    uint8_t rsvd;
    uint8_t cksum;
    uint32_t pnp_dev_id;
    uint16_t mfstr;
    uint16_t prstr;
    uint8_t devtype[3];
    uint8_t devind;
    uint16_t bcventr;
    uint16_t rsvd2;
    uint16_t sriv;
} __attribute__((packed)) pnp_hdr_t;
static_assert(sizeof(pnp_hdr_t) == 28);
static_assert(offsetof(pnp_hdr_t, cksum) == 9);
static_assert(offsetof(pnp_hdr_t, pnp_dev_id) == 10);
static_assert(offsetof(pnp_hdr_t, sriv) == 26);

#define TVAL_OPTROM_CODETYPE_X86 0
#define TVAL_OPTROM_LAST_IMAGE 0x80

/* Boot-code version of the adapter update running on this thread: twelve
 * characters (the last one usually NUL), "000000000000" after the reset. */
#define TVAL_BOOT_FWVER_LEN 12
extern thread_local char tval_boot_curr_fwver[TVAL_BOOT_FWVER_LEN + 1];
void tval_boot_reset_fwver(void);

/* Patches a chain in place for device id devid (only 0x14, 0x17, 0x21 and
 * 0x22 are written) and fixes the checksums; with capture, the first x86
 * image's version text sets tval_boot_curr_fwver once per reset. A chain
 * that runs past the buffer or is malformed is TVA_STATUS_BAD_BOOT_CODE. */
int tval_update_device_id_chksum(uint8_t *buf, size_t size, uint16_t devid, int capture);
bool tval_boot_devid_patchable(uint16_t devid);

/* Reverses every whole 4-byte word; a remainder stays as it is. */
void tval_swap32(uint8_t *buf, size_t len);

/* ---- VPD -------------------------------------------------------------------- */

#define TVAL_VPD_SIZE 512
#define TVAL_VPD_KW_START 134
#define TVAL_VPD_M11_SN_OFF 201
#define TVAL_VPD_M11_VPDR_LEN 236
#define TVAL_VPD_DCM_TEXT "1001008018120200804121010080182302008041"

typedef struct pci_vpd_parse_s {
    uint8_t LR_STR_TAG;
    uint8_t pn_length[2];
    uint8_t PN[128];
    uint8_t LR_VPDR_TAG;
    uint16_t vpdr_length;
    uint8_t vpd_kword0[2];
    uint8_t kword0_len;
    uint8_t kword0_data[16];
} __attribute__((packed)) pci_vpd_parse_t;
static_assert(offsetof(pci_vpd_parse_t, LR_VPDR_TAG) == 131);
static_assert(offsetof(pci_vpd_parse_t, vpdr_length) == 132);
static_assert(offsetof(pci_vpd_parse_t, kword0_data) == 137);

/* Used for model M11 when its own VPD is not usable. */
extern const std::array<uint8_t, TVAL_VPD_SIZE> &dell_vpd_bin;

/* 1 when kw is found (offset of its data, its length), 0 otherwise. */
int search_vpd_keyword(const char kw[2], const uint8_t *vpd, int *offset, int *len);
/* 1 when a V0..V9, VA..VZ keyword's data starts with "FFV". */
int tval_vpd_find_fw_ver_offset(const uint8_t *vpd, int *offset, int *len);
void tval_vpd_update_checksum(uint8_t *vpd);
void tval_update_adapter_falder1_sn(uint8_t *vpd, const char serial_num[12]);
void tval_check_and_update_falder1_vpdr_len(uint8_t *vpd);
void tval_update_falder1_dcm(uint8_t *vpd);

typedef enum {
    TVAL_VPD_MODEL_OTHER = 0,
    TVAL_VPD_MODEL_M11,
    TVAL_VPD_MODEL_M12,
    TVAL_VPD_MODEL_M13,
} tval_vpd_model_t;

tval_vpd_model_t tval_boot_vpd_model(const char *model_descr, size_t size);

/* Builds the VPD image to write after an option ROM update, from the
 * adapter's current VPD (version, len, 512 data bytes), its serial number
 * and the boot-code version. Returns 1 with out filled when the VPD is to be
 * written, 0 when the step is skipped for this model. */
int tval_boot_build_vpd(tval_vpd_model_t model, uint32_t vpd_version, uint32_t vpd_len,
                        const uint8_t *vpd_data, const char serial_num[12],
                        const char fwver[TVAL_BOOT_FWVER_LEN], uint8_t out[TVAL_VPD_SIZE]);

/* ---- the update ------------------------------------------------------------ */

#define TVAL_BOOT_MAX_ADAPTERS 16

/* Members and sections of the boot image file being installed; they live
 * from the reading of the image archive until tval_boot_fwupdate returns
 * and are only read by the adapter threads. */
extern PIFDATA pimagefiledata;
extern PCDATA pcarddata;

/* Installs the boot image file on the IOC's adapter, or with ioc null on
 * every adapter; then mask bit i says adapter i+1 was updated and
 * statuses[i] holds its result. devid 0 means no override. */
int tval_boot_fwupdate(tval_t *ioc, const char *file, uint16_t devid, uint16_t *mask,
                       tva_status_t statuses[TVAL_BOOT_MAX_ADAPTERS]);

/* Reads every member into pimagefiledata and parses the index into
 * pcarddata. */
int tval_populate_flash_data(FILE *fp, int *image_count, int *card_count);

/* Writes the partitions of the section for card_type, in the fixed order,
 * then enables the option ROM. */
int tval_boot_flash_data(tval_t *ioc, uint16_t devid, uint32_t card_type, int image_count,
                         int card_count);

/* One thread per adapter; 0, or 1 when there are more than 16 adapters. */
int tval_update_adapter_thread(uint16_t *mask, tva_status_t statuses[TVAL_BOOT_MAX_ADAPTERS],
                               int image_count, int card_count);

/* The adapter's configuration version text (64 bytes). */
int tval_boot_get_cfg_version(tval_t *ioc, char out[64]);

#endif
