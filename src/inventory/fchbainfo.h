// One discovered adapter as the component sees it: fixed-size NUL-terminated
// texts, each field cleared before it is filled and cut to fit.
#pragma once

#include <cstddef>
#include <list>

struct FcHbaInfo {
    char nodeWwn[256];          // "%02X:..:%02X" of the adapter's node WWN
    char portWwn[256];          // the same for port 0, empty without ports
    char pciId[256];            // vendor and device id, "%.4x%.4x", or "N/A"
    char subsystemIds[256];     // subsystem vendor id then device id, "%.4x%.4x"
    char driverVersion[512];
    char firmwareVersion[256];
    char optionRomVersion[256];
    char model[256];
    char hardwareVersion[256];
};

static_assert(sizeof(FcHbaInfo) == 8 * 256 + 512, "FcHbaInfo is a packed run of text fields");
static_assert(offsetof(FcHbaInfo, driverVersion) == 4 * 256);
static_assert(offsetof(FcHbaInfo, firmwareVersion) == 4 * 256 + 512);

// The component's adapter list owns its records (it deletes them).
using FcHbaInfoList = std::list<FcHbaInfo *>;

// Walks every adapter the HBA API libraries of /etc/hba.conf report and
// appends one record per adapter, in adapter index order. Always true.
bool DiscoverAdapters(FcHbaInfoList &adapters);
