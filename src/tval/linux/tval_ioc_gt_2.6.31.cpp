/*
 * The function scan: PCI functions bound to the storage driver and to the
 * Ethernet driver, one information request each, registered in the
 * configuration file, kept in the flat IOC list.
 */
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <regex.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tva_ioctl.h"
#include "tva_status.h"
#include "tval.h"
#include "tval_adapter.h"
#include "tval_config.h"
#include "tval_transport.h"

namespace {

tval_t *ioc_list;
int total;
tval_pci_host_map_t pci_map_cna[TVAL_MAX_PCI_MAP];
int map_count;
int tva_inst_cnt;

const char kPciRegex[] = "[a-f0-9]{4}:[a-f0-9]{2}:[a-f0-9]{2}.[a-f0-9]";

template <size_t N> void copy_field(char (&dst)[N], const char *src, size_t src_size)
{
    size_t len = strnlen(src, src_size < N - 1 ? src_size : N - 1);
    memcpy(dst, src, len);
    memset(dst + len, 0, N - len);
}

/* SCSI host number of a storage function: the number after "host" in the
 * first entry of its directory named so. -1: none; -2: no directory. */
int host_of(const char *pci_name)
{
    char path[512];
    snprintf(path, sizeof(path), "%s/%s", TVAL_TVA_DRV_DIR, pci_name);
    DIR *d = opendir(path);
    if (!d)
        return -2;
    int host = -1;
    while (dirent *e = readdir(d)) {
        const char *h = strstr(e->d_name, "host");
        if (!h || h[4] < '0' || h[4] > '9')
            continue;
        host = atoi(h + 4);
        break;
    }
    closedir(d);
    return host;
}

/* Map pass over one driver directory. Returns the entries it added, or a
 * negative status; a failed pass leaves the map as it found it. */
int sysfs_scan(bool storage)
{
    DIR *dir = opendir(storage ? TVAL_TVA_DRV_DIR : TVAL_TVN_DRV_DIR);
    if (!dir)
        return -TVA_STATUS_NO_DRIVER;
    regex_t re;
    if (regcomp(&re, kPciRegex, REG_EXTENDED | REG_NOSUB) != 0) {
        closedir(dir);
        return -TVA_STATUS_FAILED;
    }
    const int start = map_count, start_inst = tva_inst_cnt;
    int rc = 0;
    while (map_count < TVAL_MAX_PCI_MAP) {
        dirent *e = readdir(dir);
        if (!e)
            break;
        if (regexec(&re, e->d_name, 0, nullptr, 0) != 0)
            continue;
        tval_pci_host_map_t &m = pci_map_cna[map_count];
        memset(&m, 0, sizeof(m));
        copy_field(m.pci_name, e->d_name, sizeof(e->d_name));
        m.pci_name[strcspn(m.pci_name, "\n")] = '\0';
        if (storage) {
            int host = host_of(m.pci_name);
            if (host == -2) {
                rc = -TVA_STATUS_FAILED;
                break;
            }
            if (host < 0)
                continue; /* no SCSI host: not usable */
            m.host_num = host;
            m.instance = map_count;
            tva_inst_cnt++;
        } else {
            m.host_num = -1;
            m.instance = map_count - tva_inst_cnt;
        }
        map_count++;
    }
    regfree(&re);
    closedir(dir);
    if (rc < 0) {
        map_count = start;
        tva_inst_cnt = start_inst;
        return rc;
    }
    return map_count - start;
}

/* The digits after the last "." or ":" of a hardware path. */
int pcifn_of(const char *hwpath)
{
    const char *dot = strrchr(hwpath, '.'), *colon = strrchr(hwpath, ':');
    const char *sep = dot > colon ? dot : colon;
    return sep ? atoi(sep + 1) : 0;
}

/* Records the function in the configuration file under its key. */
void register_ioc(const tval_t *ioc)
{
    const char *path = tval_get_cfg_path();
    if (tval_config_load(path) != TVA_STATUS_OK)
        return;
    if (ioc->ioc_type == TVA_IOC_TYPE_LL) {
        if (tval_config_ethioc_lookup(ioc->mac) < 0)
            tval_config_ethioc_add(ioc->mac);
    } else if (tval_config_ioc_lookup(ioc->pwwn) < 0) {
        tval_config_ioc_add(ioc->pwwn);
    }
    tval_config_sync(path);
}

void close_once(int fd)
{
    if (fd < 0)
        return;
    close(fd);
    for (tval_t *p = ioc_list; p; p = p->next) {
        if (p->fd == fd)
            p->fd = -1;
        if (p->ipfc_fd == fd)
            p->ipfc_fd = -1;
    }
}

/* Drops the records appended after `keep` (null: all). */
void truncate_list(tval_t *keep)
{
    tval_t **link = keep ? &keep->next : &ioc_list;
    tval_t *p = *link;
    *link = nullptr;
    while (p) {
        tval_t *next = p->next;
        free(p);
        total--;
        p = next;
    }
}

/* One pass: map, nodes, an information request and a record per function. */
int scan_pass(bool storage)
{
    (void)!system("mount -t debugfs debugfs /sys/kernel/debug/ 2>/dev/null");

    const int first = map_count;
    int found = sysfs_scan(storage);
    if (found < 0)
        return found;

    int shared_fd = -1, ipfc_fd = -1;
    if (storage) {
        ipfc_fd = open(TVAL_IPFC_NODE, O_RDWR | O_CLOEXEC);
    } else {
        shared_fd = open(TVAL_TVN_NODE, O_RDWR | O_CLOEXEC);
        if (shared_fd < 0)
            return -TVA_STATUS_NO_DRIVER;
    }

    tval_t *last = ioc_list;
    while (last && last->next)
        last = last->next;

    for (int i = first; i < first + found; i++) {
        const tval_pci_host_map_t &m = pci_map_cna[i];
        tval_t tmp;
        memset(&tmp, 0, sizeof(tmp));
        tmp.fd = shared_fd;
        tmp.sg_fd = -1;
        tmp.ipfc_fd = ipfc_fd;
        tmp.instance = m.instance;
        tmp.ioc_type = storage ? TVA_IOC_TYPE_FC : TVA_IOC_TYPE_LL;
        if (storage) {
            struct stat st;
            tmp.host = (uint32_t)m.host_num;
            snprintf(tmp.devpath, sizeof(tmp.devpath), "/dev/bsg/fc_host%d", m.host_num);
            if (stat(tmp.devpath, &st) != 0)
                snprintf(tmp.devpath, sizeof(tmp.devpath), "/dev/fc_host%d", m.host_num);
        } else {
            snprintf(tmp.devpath, sizeof(tmp.devpath), "%s", TVAL_TVN_NODE);
        }

        tva_ioctl_ioc_info_t info;
        memset(&info, 0, sizeof(info));
        info.tvad_num = (uint16_t)m.instance;
        int rc = tval_ioctl(&tmp, TVA_IOCTL_IOC_GET_INFO, &info, 0, 0, sizeof(info));
        if (rc == TVA_STATUS_OK)
            rc = (int)info.status;
        tval_t *ioc = rc == TVA_STATUS_OK ? (tval_t *)calloc(1, sizeof(tval_t)) : nullptr;
        if (rc == TVA_STATUS_OK && !ioc)
            rc = TVA_STATUS_ENOMEM;
        if (rc != TVA_STATUS_OK) {
            truncate_list(last);
            if (ipfc_fd >= 0)
                close(ipfc_fd);
            if (shared_fd >= 0)
                close(shared_fd);
            /* The map keeps the pass's entries: the Ethernet instances
             * count from the storage entries. */
            return -rc;
        }

        ioc->fd = storage ? -1 : shared_fd;
        ioc->sg_fd = -1;
        ioc->ipfc_fd = ipfc_fd;
        ioc->instance = info.tvad_num;
        ioc->host = info.host;
        ioc->id = i;
        copy_field(ioc->serialnum, info.serialnum, sizeof(info.serialnum));
        copy_field(ioc->ioc_hwpath, info.hwpath, sizeof(info.hwpath));
        copy_field(ioc->adapter_hwpath, info.adapter_hwpath, sizeof(info.adapter_hwpath));
        copy_field(ioc->name, info.name, sizeof(info.name));
        copy_field(ioc->port_name, info.port_name, sizeof(info.port_name));
        ioc->ioc_type = (tva_ioc_type_t)info.ioc_type;
        ioc->pcifn_id = pcifn_of(ioc->ioc_hwpath);
        if (ioc->ioc_type == TVA_IOC_TYPE_FC || ioc->ioc_type == TVA_IOC_TYPE_FCoE) {
            ioc->pwwn = info.pwwn;
            ioc->nwwn = info.nwwn;
            ioc->factorypwwn = info.factorypwwn;
            ioc->factorynwwn = info.factorynwwn;
            if (ioc->ioc_type == TVA_IOC_TYPE_FCoE) {
                ioc->mac = info.mac;
                ioc->factory_mac = info.factory_mac;
            }
            snprintf(ioc->devpath, sizeof(ioc->devpath), "%s", tmp.devpath);
        } else {
            ioc->mac = info.mac;
            ioc->factory_mac = info.factory_mac;
            ioc->current_mac = info.current_mac;
            copy_field(ioc->eth_name, info.eth_name, sizeof(info.eth_name));
            snprintf(ioc->devpath, sizeof(ioc->devpath), "%s", TVAL_TVN_NODE);
        }

        register_ioc(ioc);
        tval_list_append((void **)&ioc_list, ioc, e_ic);
        total++;
    }
    /* Nobody holds the shared node when the pass found no function. */
    if (found == 0 && shared_fd >= 0)
        close(shared_fd);
    if (found == 0 && ipfc_fd >= 0)
        close(ipfc_fd);
    return found;
}

} // namespace

int tval_ioc_scan(void)
{
    tval_ioc_free();
    map_count = 0;
    tva_inst_cnt = 0;
    for (bool storage : {true, false}) {
        int rc = scan_pass(storage);
        if (rc < 0)
            tval_set_last_error(-rc);
    }
    return total;
}

void tval_ioc_handles_close(void)
{
    for (tval_t *p = ioc_list; p; p = p->next) {
        close_once(p->fd);
        close_once(p->ipfc_fd);
    }
}

void tval_ioc_free(void)
{
    tval_ioc_handles_close();
    tval_list_free((void **)&ioc_list, e_ic);
    total = 0;
    map_count = 0;
    tva_inst_cnt = 0;
}

int tval_ioc_get_num(void)
{
    return total;
}

tval_t *tval_ioc_get_list(void)
{
    return ioc_list;
}
