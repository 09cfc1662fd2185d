/* Boot-code update: check the boot image file, read it into memory and
 * write each adapter's partitions, one thread per adapter in the
 * all-adapters mode. */
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

#include "tval_adapter.h"
#include "tval_boot.h"
#include "tval_flash.h"
#include "tval_transport.h"

PIFDATA pimagefiledata;
PCDATA pcarddata;

namespace {

struct bootupdt_s {
    uint32_t ad_id;
    int image_count;
    int card_count;
    uint32_t thread_sts;
    tva_status_t code;
    size_t ret;
    /* The adapter's first IOC, copied before the threads start so that no
     * thread reads the adapter tree while it might be freed. */
    tval_t ioc;
    bool has_ioc;
};

bootupdt_s bootupdt[TVAL_BOOT_MAX_ADAPTERS];
pthread_t thread_id[TVAL_BOOT_MAX_ADAPTERS];

void free_flash_data(int image_count, int card_count)
{
    tval_free_imagefiledata(pimagefiledata, image_count);
    pimagefiledata = nullptr;
    tval_free_carddata(pcarddata, card_count);
    pcarddata = nullptr;
}

/* Copy of a member for patching and swapping; null for an empty one. */
uint8_t *member_copy(const IMAGEFILE_DATA_T *m)
{
    uint8_t *p = static_cast<uint8_t *>(malloc(m->isize > 0 ? (size_t)m->isize : 1));
    if (p && m->isize > 0)
        memcpy(p, m->ibuf, (size_t)m->isize);
    return p;
}

int write_member(tval_t *ioc, int type, uint8_t instance, const uint8_t *data, int size)
{
    return tval_flash_update_part(ioc, type, instance, data, 0, (uint32_t)size);
}

/* Patched (optionally) and swapped copy written to an option ROM or
 * overlay partition. */
int write_swapped(tval_t *ioc, int type, const IMAGEFILE_DATA_T *m, bool patch, uint16_t devid,
                  int capture)
{
    uint8_t *copy = member_copy(m);
    if (!copy)
        return TVA_STATUS_ENOMEM;
    int rc = TVA_STATUS_OK;
    if (patch)
        rc = tval_update_device_id_chksum(copy, (size_t)m->isize, devid, capture);
    if (rc == TVA_STATUS_OK) {
        tval_swap32(copy, (size_t)m->isize);
        rc = write_member(ioc, type, 0, copy, m->isize);
    }
    free(copy);
    return rc;
}

int vpd_step(tval_t *ioc, const tva_ioc_attr_t *attr)
{
    const tva_adapter_attr_t &ad = attr->adapter_attr;
    tval_vpd_model_t model = tval_boot_vpd_model(ad.model_descr, sizeof(ad.model_descr));
    uint8_t vpd[TVAL_VPD_SIZE];
    if (!tval_boot_build_vpd(model, ad.vpd.version, ad.vpd.len, ad.vpd.data, ad.serial_num,
                             tval_boot_curr_fwver, vpd))
        return TVA_STATUS_OK;
    return write_member(ioc, TVA_FLASH_PART_VPD, 0, vpd, TVAL_VPD_SIZE);
}

void *update_adapter_flash(void *arg)
{
    bootupdt_s *u = static_cast<bootupdt_s *>(arg);
    if (!u->has_ioc)
        return nullptr;
    tva_ioc_attr_t attr;
    if (tval_ioc_get_attr(&u->ioc, &attr) != TVA_STATUS_OK)
        return nullptr;
    u->code = (tva_status_t)tval_boot_flash_data(&u->ioc, attr.pci_attr.device_id,
                                                 attr.adapter_attr.card_type, u->image_count,
                                                 u->card_count);
    return u->code == TVA_STATUS_OK ? reinterpret_cast<void *>((uintptr_t)u->ad_id) : nullptr;
}

} // namespace

int tval_populate_flash_data(FILE *fp, int *image_count, int *card_count)
{
    *image_count = 0;
    *card_count = 0;
    int rc = tval_read_image_archive(fp, &pimagefiledata, image_count);
    if (rc != TVA_STATUS_OK)
        return rc;
    if (strstr(pimagefiledata[0].iname, "boot.txt") == nullptr)
        return TVA_STATUS_BAD_FILE;
    return tval_parse_boot_index(reinterpret_cast<const char *>(pimagefiledata[0].ibuf),
                                 (size_t)pimagefiledata[0].isize, &pcarddata, card_count);
}

int tval_boot_flash_data(tval_t *ioc, uint16_t devid, uint32_t card_type, int image_count,
                         int card_count)
{
    tval_boot_reset_fwver();
    tva_ioc_attr_t attr;
    int rc = tval_ioc_get_attr(ioc, &attr);
    if (rc != TVA_STATUS_OK)
        return rc;
    const CARD_DATA_T *card = tval_boot_find_card(pcarddata, card_count, card_type);
    if (!card)
        return TVA_STATUS_CARDTYPE_MISSING;

    auto member = [&](const char *name) { return tval_boot_find_image(pimagefiledata, image_count, name); };
    const IMAGEFILE_DATA_T *m;

    if ((m = member(card->firmware_name)) &&
        (rc = write_member(ioc, TVA_FLASH_PART_FWIMG, 0, m->ibuf, m->isize)) != TVA_STATUS_OK)
        return rc;
    if ((m = member(card->option_rom_name))) {
        if ((rc = write_swapped(ioc, TVA_FLASH_PART_OPTROM, m, true, devid, 1)) != TVA_STATUS_OK)
            return rc;
        if ((rc = vpd_step(ioc, &attr)) != TVA_STATUS_OK)
            return rc;
    }
    if ((m = member(card->option_rom_2_name)) &&
        (rc = write_swapped(ioc, TVA_FLASH_PART_OPTROM2, m, true, devid, 0)) != TVA_STATUS_OK)
        return rc;
    if ((m = member(card->boot_overlay_name)) &&
        (rc = write_swapped(ioc, TVA_FLASH_PART_BOOTOVL, m, false, devid, 0)) != TVA_STATUS_OK)
        return rc;
    if ((m = member(card->pxe_overlay_name)) &&
        (rc = write_swapped(ioc, TVA_FLASH_PART_PXEOVL, m, false, devid, 0)) != TVA_STATUS_OK)
        return rc;
    if ((m = member(card->fw_config_name))) {
        for (int i = 0; i < card->portcnt; i++)
            if ((rc = write_member(ioc, TVA_FLASH_PART_FWCFG, card->port[i], m->ibuf, m->isize)) !=
                TVA_STATUS_OK)
                return rc;
    }
    if ((m = member(card->asic_block_name)) &&
        (rc = write_member(ioc, TVA_FLASH_PART_ASIC, 0, m->ibuf, m->isize)) != TVA_STATUS_OK)
        return rc;
    return tval_flash_enable_optrom(ioc);
}

int tval_update_adapter_thread(uint16_t *mask, tva_status_t statuses[TVAL_BOOT_MAX_ADAPTERS],
                               int image_count, int card_count)
{
    int n = tval_adapter_get_count();
    if (n > TVAL_BOOT_MAX_ADAPTERS) {
        printf("Adapter count exceeds the maximum!\n");
        return 1;
    }
    for (int i = 0; i < TVAL_BOOT_MAX_ADAPTERS; i++) {
        bootupdt_s &u = bootupdt[i];
        u.ad_id = (uint32_t)i + 1;
        u.image_count = image_count;
        u.card_count = card_count;
        u.thread_sts = 0;
        u.code = TVA_STATUS_FAILED;
        u.ret = 0;
        u.has_ioc = false;
        statuses[i] = TVA_STATUS_FAILED;
    }
    for (int i = 0; i < n; i++) {
        tval_adapter_t *ad = tval_adapter_get_by_idx(i + 1);
        tval_t *ioc = ad ? tval_adapter_get_first_ioc(ad) : nullptr;
        if (ioc) {
            bootupdt[i].ioc = *ioc;
            bootupdt[i].ioc.next = nullptr;
            bootupdt[i].has_ioc = true;
        }
    }
    for (int i = 0; i < n; i++)
        bootupdt[i].thread_sts = (uint32_t)pthread_create(&thread_id[i], nullptr, update_adapter_flash,
                                                         &bootupdt[i]);
    for (int i = 0; i < n; i++) {
        if (bootupdt[i].thread_sts != 0)
            continue;
        void *ret = nullptr;
        pthread_join(thread_id[i], &ret);
        bootupdt[i].ret = (size_t)(uintptr_t)ret;
    }
    uint16_t m = 0;
    for (int i = 0; i < TVAL_BOOT_MAX_ADAPTERS; i++) {
        statuses[i] = bootupdt[i].code;
        if (bootupdt[i].ret != 0 && bootupdt[i].ret <= TVAL_BOOT_MAX_ADAPTERS)
            m = (uint16_t)(m | (1u << (bootupdt[i].ret - 1)));
    }
    *mask = m;
    return 0;
}

int tval_boot_fwupdate(tval_t *ioc, const char *file, uint16_t devid, uint16_t *mask,
                       tva_status_t statuses[TVAL_BOOT_MAX_ADAPTERS])
{
    tva_ioc_attr_t attr;
    bool have_attr = false;
    uint16_t use_devid = 0;
    uint32_t card_type = 0;
    FILE *img = nullptr;
    int tmp_made = 0;
    char tmpname[256];
    int image_count = 0, card_count = 0;
    int rc;
    /* The caller's record may be freed by the time a timed-out update is
     * still running; work on a copy. */
    tval_t ioc_copy;

    if (ioc) {
        ioc_copy = *ioc;
        ioc_copy.next = nullptr;
        ioc = &ioc_copy;
        have_attr = tval_ioc_get_attr(ioc, &attr) == TVA_STATUS_OK;
    }
    if (devid != 0 && devid != 0x13 && devid != 0x14 && devid != 0x17 && devid != 0x21) {
        rc = TVA_STATUS_INVALID_DEVID;
        goto early;
    }
    if (ioc && have_attr) {
        use_devid = devid ? devid : attr.pci_attr.device_id;
        card_type = attr.adapter_attr.card_type;
    }

    rc = tval_check_file_contains_tar(file, &img, &tmp_made, tmpname);
    if (rc != TVA_STATUS_OK) {
        if (img)
            fclose(img);
        if (tmp_made)
            unlink(tmpname);
        goto early;
    }
    rc = tval_populate_flash_data(img, &image_count, &card_count);
    fclose(img);
    if (tmp_made)
        unlink(tmpname);
    if (rc != TVA_STATUS_OK) {
        free_flash_data(image_count, card_count);
        goto early;
    }

    if (ioc)
        rc = tval_boot_flash_data(ioc, use_devid, card_type, image_count, card_count);
    else
        rc = tval_update_adapter_thread(mask, statuses, image_count, card_count);
    free_flash_data(image_count, card_count);
    return rc;

early:
    for (int i = 0; i < TVAL_BOOT_MAX_ADAPTERS; i++)
        statuses[i] = (tva_status_t)rc;
    return rc;
}

int tval_boot_get_cfg_version(tval_t *ioc, char out[TVA_BOOT_CFG_VERSION_LEN])
{
    struct {
        tva_ioctl_flash_t rec;
        char text[TVA_BOOT_CFG_VERSION_LEN];
    } req;
    static_assert(sizeof(req) == 88);
    memset(&req, 0, sizeof(req));
    req.rec.tvad_num = (uint16_t)ioc->instance;
    req.rec.type = 0;
    req.rec.bufsz = TVA_BOOT_CFG_VERSION_LEN;
    req.rec.buf_ptr = (uint64_t)(uintptr_t)req.text;
    int rc = tval_ioctl(ioc, TVA_IOCTL_BOOT_GET_CFG_VERSION, &req, 0, 0, sizeof(req));
    if (rc != TVA_STATUS_OK)
        return rc;
    if (req.rec.status != TVA_STATUS_OK)
        return (int)req.rec.status;
    memcpy(out, req.text, sizeof(req.text));
    return TVA_STATUS_OK;
}
