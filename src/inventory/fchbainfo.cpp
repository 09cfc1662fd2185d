#include "fchbainfo.h"

#include "fchbamra.h"
#include "pciid.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

template <size_t N>
void SetText(char (&field)[N], const std::string &text)
{
    snprintf(field, N, "%s", text.c_str());
}

template <size_t N>
void SetWwn(char (&field)[N], const uint8_t *wwn)
{
    snprintf(field, N, "%02X:%02X:%02X:%02X:%02X:%02X:%02X:%02X", wwn[0], wwn[1], wwn[2], wwn[3], wwn[4], wwn[5],
             wwn[6], wwn[7]);
}

FcHbaInfo *InfoOf(const FcHbaAdapter &adapter)
{
    FcHbaInfo *info = new (std::nothrow) FcHbaInfo;
    if (!info)
        return nullptr;
    memset(info, 0, sizeof *info);
    SetWwn(info->nodeWwn, adapter.nodeWwn);
    if (!adapter.ports.empty())
        SetWwn(info->portWwn, adapter.ports.front().portWwn);
    uint16_t subsystemVendor = adapter.subsystemIds & 0xFFFF;
    uint16_t subsystemDevice = adapter.subsystemIds >> 16;
    SetText(info->pciId, PciIdOf(adapter.domain, adapter.bus, adapter.function, subsystemVendor, subsystemDevice));
    snprintf(info->subsystemIds, sizeof info->subsystemIds, "%.4x%.4x", subsystemVendor, subsystemDevice);
    SetText(info->driverVersion, adapter.driverVersion);
    SetText(info->firmwareVersion, adapter.firmwareVersion);
    SetText(info->optionRomVersion, adapter.optionRomVersion);
    SetText(info->model, adapter.model);
    SetText(info->hardwareVersion, adapter.hardwareVersion);
    return info;
}

}  // namespace

bool DiscoverAdapters(FcHbaInfoList &adapters)
{
    FcHbaMRA mra;
    int status = 0;
    for (auto adapter = mra.FirstAdapter(status); adapter; adapter = mra.NextAdapter(*adapter, status)) {
        if (status != 0) {
            fputs("MRA get returned failed status!\n", stdout);
            fflush(stdout);
        }
        if (FcHbaInfo *info = InfoOf(*adapter))
            adapters.push_back(info);
    }
    return true;
}
