// The server maker's extension entry points that the adapter vendors'
// management libraries export next to the FC-HBA API, and the extended
// attribute record they fill.
#pragma once

#include <ctime>  // <hbaapi.h> uses struct tm without including it
#include <hbaapi.h>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct HbaAdapterAttributes2 {
    HBA_ADAPTERATTRIBUTES attributes;
    uint32_t subsystemIds;  // low 16 bits subsystem vendor id, high 16 bits subsystem device id
    uint8_t bus;
    uint8_t function;
    uint8_t domain;
    uint8_t padding;
};
#pragma pack(pop)

static_assert(sizeof(HBA_ADAPTERATTRIBUTES) == 2192);
static_assert(offsetof(HBA_ADAPTERATTRIBUTES, NodeWWN) == 640);
static_assert(sizeof(HbaAdapterAttributes2) == 2200);
static_assert(offsetof(HbaAdapterAttributes2, subsystemIds) == 2192);
static_assert(offsetof(HbaAdapterAttributes2, bus) == 2196);
static_assert(offsetof(HbaAdapterAttributes2, function) == 2197);
static_assert(offsetof(HbaAdapterAttributes2, domain) == 2198);

extern "C" {
typedef HBA_STATUS (*ZqmfcLoadLibraryFunc)();
typedef HBA_UINT32 (*ZqmfcGetNumberOfAdaptersFunc)();
typedef HBA_STATUS (*ZqmfcGetAdapterNameFunc)(HBA_UINT32 index, char *name);
typedef HBA_HANDLE (*ZqmfcOpenAdapterFunc)(char *name);
typedef HBA_STATUS (*ZqmfcGetAdapterAttributes2Func)(HBA_HANDLE handle, HbaAdapterAttributes2 *attributes);
typedef void (*ZqmfcCloseAdapterFunc)(HBA_HANDLE handle);
typedef HBA_STATUS (*ZqmfcFreeLibraryFunc)();
}

// Size of the name buffer handed to ZQMFC_GetAdapterName.
constexpr size_t kZqmfcNameSize = 1024;
