/* tvahbaapi.so: this adapter family's FC-HBA API library (version 1 entry
 * points through HBA_RegisterLibrary) and its ZQMFC_ extension entry points,
 * answered from the access library with the same driver requests tvcli
 * sends. One HBA API adapter per scanned adapter that has a storage (FC or
 * FCoE) function; its ports are the adapter's ports with such a function. */
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "../inventory/zqmfc.h"  /* <hbaapi.h> first: <vendorhbaapi.h> builds on it */

#include <vendorhbaapi.h>

#include "tva_status.h"
#include "tval_adapter.h"
#include "tval_transport.h"

#define TVAHBA_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

#define TVAHBA_MAX_ADAPTERS 64
#define TVAHBA_MAX_PORTS 16
#define TVAHBA_MAX_HANDLES 256
#define TVAHBA_NAME_LEN 64

typedef struct tvahba_adapter_s {
    tval_adapter_t *adapter;
    char name[TVAHBA_NAME_LEN];
    tval_t *port_ioc[TVAHBA_MAX_PORTS]; /* first storage function per port */
    int nports;
} tvahba_adapter_t;

tvahba_adapter_t g_adapters[TVAHBA_MAX_ADAPTERS];
int g_adapter_count;
int g_users; /* LoadLibrary calls (HBA API and ZQMFC_) not yet freed */
/* Open handles: handle h is slot h - 1 and holds the adapter index + 1. */
int g_handles[TVAHBA_MAX_HANDLES];

template <size_t N>
void copy_text(char (&dst)[N], const char *src, size_t src_size)
{
    size_t n = strnlen(src, src_size);
    if (n >= N)
        n = N - 1;
    memcpy(dst, src, n);
    memset(dst + n, 0, N - n);
}

/* "com.telvarn-<model>-<index>": unique, and never naming another vendor. */
void make_name(tvahba_adapter_t *ad, const tva_ioc_attr_t *attr, int index)
{
    char model[sizeof attr->adapter_attr.model + 1] = {};
    copy_text(model, attr->adapter_attr.model, sizeof attr->adapter_attr.model);
    for (char *c = model; *c; c++) {
        bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') ||
                     *c == '.' || *c == '_';
        if (!plain)
            *c = '_';
    }
    if (!model[0] || strcasestr(model, "qlogic") || strcasestr(model, "emulex"))
        snprintf(model, sizeof model, "adapter");
    snprintf(ad->name, sizeof ad->name, "com.telvarn-%s-%d", model, index);
}

void unload(void)
{
    tval_adapter_free();
    memset(g_adapters, 0, sizeof g_adapters);
    memset(g_handles, 0, sizeof g_handles);
    g_adapter_count = 0;
}

HBA_STATUS load(void)
{
    if (g_users++ > 0)
        return HBA_STATUS_OK;
    tval_libinit(tva_aen_app_tvcli);
    int n = tval_adapter_scan();
    for (int idx = 1; idx <= n && g_adapter_count < TVAHBA_MAX_ADAPTERS; idx++) {
        tval_adapter_t *adapter = tval_adapter_get_by_idx(idx);
        if (!adapter)
            continue;
        tvahba_adapter_t *ad = &g_adapters[g_adapter_count];
        memset(ad, 0, sizeof *ad);
        ad->adapter = adapter;
        for (int num = 0; num < adapter->port_count && ad->nports < TVAHBA_MAX_PORTS; num++) {
            tval_port_t *port = tval_adapter_get_port(adapter, num);
            tval_t *ioc = port ? tval_port_get_first_fcioc(port) : nullptr;
            if (ioc)
                ad->port_ioc[ad->nports++] = ioc;
        }
        if (ad->nports == 0)
            continue; /* Ethernet only: not an FC adapter */
        g_adapter_count++;
    }
    /* The scan follows directory order; PCI order keeps indexes stable. */
    std::sort(g_adapters, g_adapters + g_adapter_count, [](const tvahba_adapter_t &a, const tvahba_adapter_t &b) {
        return strcmp(a.port_ioc[0]->ioc_hwpath, b.port_ioc[0]->ioc_hwpath) < 0;
    });
    for (int i = 0; i < g_adapter_count; i++) {
        tva_ioc_attr_t attr = {};
        tval_ioc_get_attr(g_adapters[i].port_ioc[0], &attr);
        make_name(&g_adapters[i], &attr, i);
    }
    return HBA_STATUS_OK;
}

HBA_STATUS release(void)
{
    if (g_users > 0 && --g_users == 0)
        unload();
    return HBA_STATUS_OK;
}

tvahba_adapter_t *by_name(const char *name)
{
    for (int i = 0; i < g_adapter_count; i++)
        if (strcmp(g_adapters[i].name, name) == 0)
            return &g_adapters[i];
    return nullptr;
}

tvahba_adapter_t *by_handle(HBA_HANDLE handle)
{
    if (handle == 0 || handle > TVAHBA_MAX_HANDLES || g_handles[handle - 1] == 0)
        return nullptr;
    return &g_adapters[g_handles[handle - 1] - 1];
}

HBA_HANDLE open_adapter(const char *name)
{
    tvahba_adapter_t *ad = by_name(name);
    if (!ad)
        return 0;
    for (int slot = 0; slot < TVAHBA_MAX_HANDLES; slot++) {
        if (g_handles[slot] == 0) {
            g_handles[slot] = static_cast<int>(ad - g_adapters) + 1;
            return static_cast<HBA_HANDLE>(slot + 1);
        }
    }
    return 0;
}

void close_adapter(HBA_HANDLE handle)
{
    if (by_handle(handle))
        g_handles[handle - 1] = 0;
}

/* The standard attributes, from the first storage function. */
HBA_STATUS read_attributes(tvahba_adapter_t *ad, HBA_ADAPTERATTRIBUTES *out)
{
    tval_t *ioc = ad->port_ioc[0];
    tva_ioc_attr_t attr = {};
    if (tval_ioc_get_attr(ioc, &attr) != TVA_STATUS_OK)
        return HBA_STATUS_ERROR;
    const tva_adapter_attr_t *a = &attr.adapter_attr;
    const tva_driver_attr_t *d = &attr.driver_attr;
    memset(out, 0, sizeof *out);
    copy_text(out->Manufacturer, a->manufacturer, sizeof a->manufacturer);
    copy_text(out->SerialNumber, a->serial_num, sizeof a->serial_num);
    copy_text(out->Model, a->model, sizeof a->model);
    copy_text(out->ModelDescription, a->model_descr, sizeof a->model_descr);
    memcpy(out->NodeWWN.wwn, &ioc->nwwn, sizeof out->NodeWWN.wwn);
    copy_text(out->NodeSymbolicName, a->node_symname, sizeof a->node_symname);
    copy_text(out->HardwareVersion, a->hw_ver, sizeof a->hw_ver);
    copy_text(out->DriverVersion, d->driver_ver, sizeof d->driver_ver);
    copy_text(out->OptionROMVersion, a->optrom_ver, sizeof a->optrom_ver);
    copy_text(out->FirmwareVersion, a->fw_ver, sizeof a->fw_ver);
    out->VendorSpecificID = static_cast<HBA_UINT32>(attr.pci_attr.ssid) << 16 | attr.pci_attr.ssvid;
    out->NumberOfPorts = static_cast<HBA_UINT32>(ad->nports);
    copy_text(out->DriverName, d->driver, sizeof d->driver);
    return HBA_STATUS_OK;
}

HBA_UINT32 port_state(uint32_t state)
{
    switch (state) {
    case TVA_PORT_ST_LINKUP:
        return HBA_PORTSTATE_ONLINE;
    case TVA_PORT_ST_LINKDOWN:
        return HBA_PORTSTATE_LINKDOWN;
    case TVA_PORT_ST_DISABLED:
    case TVA_PORT_ST_PREBOOT_DISABLED:
    case TVA_PORT_ST_STOPPED:
        return HBA_PORTSTATE_OFFLINE;
    case TVA_PORT_ST_DPORT:
        return HBA_PORTSTATE_DIAGNOSTICS;
    case TVA_PORT_ST_IOCDOWN:
    case TVA_PORT_ST_IOCDIS:
    case TVA_PORT_ST_FWMISMATCH:
    case TVA_PORT_ST_FAA_MISCONFIG:
        return HBA_PORTSTATE_ERROR;
    default:
        return HBA_PORTSTATE_UNKNOWN;
    }
}

HBA_UINT32 port_type(uint32_t type)
{
    switch (type) {
    case TVA_PORT_TYPE_NPORT:
        return HBA_PORTTYPE_NPORT;
    case TVA_PORT_TYPE_NLPORT:
        return HBA_PORTTYPE_NLPORT;
    case TVA_PORT_TYPE_LPORT:
        return HBA_PORTTYPE_LPORT;
    case TVA_PORT_TYPE_P2P:
        return HBA_PORTTYPE_PTP;
    case TVA_PORT_TYPE_VPORT:
        return HBA_PORTTYPE_OTHER;
    default:
        return HBA_PORTTYPE_UNKNOWN;
    }
}

/* Speed bits of the FC-HBA API (hbaapi.h names the first four). */
HBA_UINT32 port_speed_bit(uint32_t speed)
{
    switch (speed) {
    case TVA_PORT_SPEED_1GBPS:
        return HBA_PORTSPEED_1GBIT;
    case TVA_PORT_SPEED_2GBPS:
        return HBA_PORTSPEED_2GBIT;
    case TVA_PORT_SPEED_4GBPS:
        return 0x8;
    case TVA_PORT_SPEED_8GBPS:
        return 0x10;
    case TVA_PORT_SPEED_10GBPS:
        return HBA_PORTSPEED_10GBIT;
    case TVA_PORT_SPEED_16GBPS:
        return 0x20;
    case TVA_PORT_SPEED_32GBPS:
        return 0x40;
    default:
        return HBA_PORTSPEED_UNKNOWN;
    }
}

/* Supported speeds: the maximum and every lower FC speed. */
HBA_UINT32 port_speeds_up_to(uint32_t speed)
{
    static const uint32_t fc_speeds[] = {TVA_PORT_SPEED_1GBPS, TVA_PORT_SPEED_2GBPS, TVA_PORT_SPEED_4GBPS,
                                         TVA_PORT_SPEED_8GBPS, TVA_PORT_SPEED_16GBPS, TVA_PORT_SPEED_32GBPS};
    if (speed == TVA_PORT_SPEED_10GBPS)
        return HBA_PORTSPEED_10GBIT;
    HBA_UINT32 bits = 0;
    for (uint32_t s : fc_speeds)
        if (s <= speed)
            bits |= port_speed_bit(s);
    return bits;
}

int get_port_attr(tval_t *ioc, tva_port_attr_t *attr)
{
    tva_ioctl_port_attr_t req = {};
    int status = tval_ioctl_send(ioc, TVA_IOCTL_PORT_GET_ATTR, &req, sizeof req);
    if (status == TVA_STATUS_OK)
        *attr = req.attr;
    return status;
}

/* The function that answers for a port: 3 for a bad handle, 6 for a port
 * index the adapter does not have. */
HBA_STATUS port_ioc(HBA_HANDLE handle, HBA_UINT32 port, tval_t **ioc)
{
    tvahba_adapter_t *ad = by_handle(handle);
    if (!ad)
        return HBA_STATUS_ERROR_INVALID_HANDLE;
    if (port >= static_cast<HBA_UINT32>(ad->nports))
        return HBA_STATUS_ERROR_ILLEGAL_INDEX;
    *ioc = ad->port_ioc[port];
    return HBA_STATUS_OK;
}

/* ---- HBA API version 1 entry points ------------------------------------- */

HBA_UINT32 tvahba_get_version(void)
{
    return 1;
}

HBA_STATUS tvahba_load_library(void)
{
    return load();
}

HBA_STATUS tvahba_free_library(void)
{
    return release();
}

HBA_UINT32 tvahba_get_number_of_adapters(void)
{
    return static_cast<HBA_UINT32>(g_adapter_count);
}

HBA_STATUS tvahba_get_adapter_name(HBA_UINT32 index, char *name)
{
    if (index >= static_cast<HBA_UINT32>(g_adapter_count))
        return HBA_STATUS_ERROR_ILLEGAL_INDEX;
    memcpy(name, g_adapters[index].name, sizeof g_adapters[index].name);
    return HBA_STATUS_OK;
}

HBA_HANDLE tvahba_open_adapter(char *name)
{
    return open_adapter(name);
}

void tvahba_close_adapter(HBA_HANDLE handle)
{
    close_adapter(handle);
}

HBA_STATUS tvahba_get_adapter_attributes(HBA_HANDLE handle, HBA_ADAPTERATTRIBUTES *attr)
{
    tvahba_adapter_t *ad = by_handle(handle);
    if (!ad)
        return HBA_STATUS_ERROR_INVALID_HANDLE;
    return read_attributes(ad, attr);
}

HBA_STATUS tvahba_get_adapter_port_attributes(HBA_HANDLE handle, HBA_UINT32 port, HBA_PORTATTRIBUTES *out)
{
    tval_t *ioc;
    HBA_STATUS status = port_ioc(handle, port, &ioc);
    if (status != HBA_STATUS_OK)
        return status;
    tva_port_attr_t attr = {};
    if (get_port_attr(ioc, &attr) != TVA_STATUS_OK)
        return HBA_STATUS_ERROR;
    memset(out, 0, sizeof *out);
    memcpy(out->NodeWWN.wwn, &attr.nwwn, 8);
    memcpy(out->PortWWN.wwn, &attr.pwwn, 8);
    /* The 24-bit address sits in the first three bytes, most significant first. */
    const uint8_t *pid = reinterpret_cast<const uint8_t *>(&attr.pid);
    out->PortFcId = static_cast<HBA_UINT32>(pid[0]) << 16 | pid[1] << 8 | pid[2];
    out->PortType = port_type(attr.port_type);
    out->PortState = port_state(attr.port_state);
    out->PortSupportedClassofService = attr.cos_supported;
    /* FCP (type 8): bit 8 of the first big-endian word of the bitmap. */
    out->PortSupportedFc4Types.bits[2] = 0x01;
    if (out->PortState == HBA_PORTSTATE_ONLINE)
        out->PortActiveFc4Types.bits[2] = 0x01;
    copy_text(out->PortSymbolicName, attr.port_symname, sizeof attr.port_symname);
    snprintf(out->OSDeviceName, sizeof out->OSDeviceName, "/sys/class/fc_host/host%u", ioc->host);
    out->PortSupportedSpeed = port_speeds_up_to(attr.speed_supported);
    out->PortSpeed = out->PortState == HBA_PORTSTATE_ONLINE ? port_speed_bit(attr.speed) : HBA_PORTSPEED_UNKNOWN;
    out->PortMaxFrameSize = attr.pport_cfg.maxfrsize;
    return HBA_STATUS_OK;
}

HBA_STATUS tvahba_get_port_statistics(HBA_HANDLE handle, HBA_UINT32 port, HBA_PORTSTATISTICS *out)
{
    tval_t *ioc;
    HBA_STATUS status = port_ioc(handle, port, &ioc);
    if (status != HBA_STATUS_OK)
        return status;
    tva_port_stats_req_t req = {};
    req.hdr.buf_size = TVA_PORT_STATS_SIZE;
    req.hdr.buf_ptr = reinterpret_cast<uintptr_t>(&req.stats);
    if (tval_ioctl_send(ioc, TVA_IOCTL_PORT_GET_STATS, &req, sizeof req) != TVA_STATUS_OK)
        return HBA_STATUS_ERROR;
    /* -1 marks a counter the port does not keep. */
    memset(out, 0xff, sizeof *out);
    if (ioc->ioc_type != TVA_IOC_TYPE_FC) {
        out->SecondsSinceLastReset = -1;
        return HBA_STATUS_OK;
    }
    const tva_port_fc_stats_t *s = &req.stats.fc;
    out->SecondsSinceLastReset = static_cast<HBA_INT64>(s->secs_reset);
    out->TxFrames = static_cast<HBA_INT64>(s->tx_frames);
    out->TxWords = static_cast<HBA_INT64>(s->tx_words);
    out->RxFrames = static_cast<HBA_INT64>(s->rx_frames);
    out->RxWords = static_cast<HBA_INT64>(s->rx_words);
    out->LIPCount = static_cast<HBA_INT64>(s->lip_count);
    out->NOSCount = static_cast<HBA_INT64>(s->nos_count);
    out->ErrorFrames = static_cast<HBA_INT64>(s->error_frames);
    out->DumpedFrames = static_cast<HBA_INT64>(s->dropped_frames);
    out->LinkFailureCount = static_cast<HBA_INT64>(s->link_failures);
    out->LossOfSyncCount = static_cast<HBA_INT64>(s->loss_of_syncs);
    out->LossOfSignalCount = static_cast<HBA_INT64>(s->loss_of_signals);
    out->PrimitiveSeqProtocolErrCount = static_cast<HBA_INT64>(s->primseq_errs);
    out->InvalidTxWordCount = static_cast<HBA_INT64>(s->err_enc + s->err_enc_out);
    out->InvalidCRCCount = static_cast<HBA_INT64>(s->invalid_crcs);
    return HBA_STATUS_OK;
}

/* PCI domain, bus and function of a hardware path "dddd:bb:dd.f". */
bool parse_pci_path(const char *path, unsigned *domain, unsigned *bus, unsigned *function)
{
    unsigned device;
    return sscanf(path, "%x:%x:%x.%x", domain, bus, &device, function) == 4;
}

} // namespace

TVAHBA_EXPORT HBA_STATUS HBA_RegisterLibrary(HBA_ENTRYPOINTS *entry)
{
    if (!entry)
        return HBA_STATUS_ERROR_ARG;
    memset(entry, 0, sizeof *entry);
    entry->GetVersionHandler = tvahba_get_version;
    entry->LoadLibraryHandler = tvahba_load_library;
    entry->FreeLibraryHandler = tvahba_free_library;
    entry->GetNumberOfAdaptersHandler = tvahba_get_number_of_adapters;
    entry->GetAdapterNameHandler = tvahba_get_adapter_name;
    entry->OpenAdapterHandler = tvahba_open_adapter;
    entry->CloseAdapterHandler = tvahba_close_adapter;
    entry->GetAdapterAttributesHandler = tvahba_get_adapter_attributes;
    entry->GetAdapterPortAttributesHandler = tvahba_get_adapter_port_attributes;
    entry->GetPortStatisticsHandler = tvahba_get_port_statistics;
    return HBA_STATUS_OK;
}

/* ---- ZQMFC_ extension entry points ---------------------------------------- */

TVAHBA_EXPORT HBA_STATUS ZQMFC_LoadLibrary(void)
{
    return load();
}

TVAHBA_EXPORT HBA_UINT32 ZQMFC_GetNumberOfAdapters(void)
{
    return tvahba_get_number_of_adapters();
}

TVAHBA_EXPORT HBA_STATUS ZQMFC_GetAdapterName(HBA_UINT32 index, char *name)
{
    return tvahba_get_adapter_name(index, name);
}

TVAHBA_EXPORT HBA_HANDLE ZQMFC_OpenAdapter(char *name)
{
    return open_adapter(name);
}

TVAHBA_EXPORT HBA_STATUS ZQMFC_GetAdapterAttributes2(HBA_HANDLE handle, HbaAdapterAttributes2 *out)
{
    tvahba_adapter_t *ad = by_handle(handle);
    if (!ad)
        return HBA_STATUS_ERROR_INVALID_HANDLE;
    if (!out)
        return HBA_STATUS_ERROR_ARG;
    memset(out, 0, sizeof *out);
    HBA_STATUS status = read_attributes(ad, &out->attributes);
    if (status != HBA_STATUS_OK)
        return status;
    /* PCI identity of the adapter's first function, whatever its type. */
    tval_t *first = tval_adapter_get_first_ioc(ad->adapter);
    if (!first)
        first = ad->port_ioc[0];
    tva_ioc_attr_t attr = {};
    if (tval_ioc_get_attr(first, &attr) != TVA_STATUS_OK)
        return HBA_STATUS_ERROR;
    unsigned domain, bus, function;
    if (!parse_pci_path(first->ioc_hwpath, &domain, &bus, &function))
        return HBA_STATUS_ERROR;
    out->subsystemIds = static_cast<uint32_t>(attr.pci_attr.ssid) << 16 | attr.pci_attr.ssvid;
    out->bus = static_cast<uint8_t>(bus);
    out->function = static_cast<uint8_t>(function);
    out->domain = static_cast<uint8_t>(domain);
    return HBA_STATUS_OK;
}

TVAHBA_EXPORT void ZQMFC_CloseAdapter(HBA_HANDLE handle)
{
    close_adapter(handle);
}

TVAHBA_EXPORT HBA_STATUS ZQMFC_FreeLibrary(void)
{
    return release();
}
