#include "fchbamra.h"

#include "dlhandle.h"
#include "hbadispatch.h"
#include "zqmfc.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

// The entry point of the library that owns the adapter queried last.
ZqmfcGetAdapterAttributes2Func g_getAdapterAttributes2;

struct Vendor {
    const char *word;     // expected in the owning library's path
    const char *label;    // for the load failure text
    const char *paths[3]; // where its management library may live
};

const Vendor kQLogic = {"libqlsdm", "qlsdm",
                        {"/usr/lib/libqlsdm.so", "/usr/lib64/libqlsdm-x86_64.so", "/lib/cim/libqlsdm.so"}};
const Vendor kEmulex = {"libemsdm", "emsdm",
                        {"/usr/lib/libemsdm.so", "/usr/lib64/libemsdm.so", "/lib/cim/libemsdm.so"}};
const Vendor kTelvarn = {"tvahbaapi", "tvahbaapi",
                         {"/usr/lib/tvahbaapi.so", "/usr/lib64/tvahbaapi.so", "/lib/cim/tvahbaapi.so"}};

const Vendor &VendorOf(const std::string &name)
{
    if (name.find("qlogic") != std::string::npos)
        return kQLogic;
    if (name.find("Emulex") != std::string::npos)
        return kEmulex;
    return kTelvarn;
}

void CopyExtended(FcHbaAdapter &adapter, const HbaAdapterAttributes2 &ext)
{
    adapter.subsystemIds = ext.subsystemIds;
    adapter.bus = ext.bus;
    adapter.function = ext.function;
    adapter.domain = ext.domain;
}

bool SameNode(const FcHbaAdapter &adapter, const HbaAdapterAttributes2 &ext)
{
    return memcmp(ext.attributes.NodeWWN.wwn, adapter.nodeWwn, sizeof adapter.nodeWwn) == 0;
}

// Runs a cleanup when it goes out of scope.
template <typename F>
class AtExit {
public:
    explicit AtExit(F f) : f_(f) {}
    ~AtExit() { f_(); }
    AtExit(const AtExit &) = delete;
    AtExit &operator=(const AtExit &) = delete;

private:
    F f_;
};

int RouteA(FcHbaAdapter &adapter, void *library, char *message)
{
    if (!library) {
        snprintf(message, kExtendedMessageSize, "libHandle is NULL; cannot dlsym");
        return -1;
    }
    g_getAdapterAttributes2 = DlFunction<ZqmfcGetAdapterAttributes2Func>(library, "ZQMFC_GetAdapterAttributes2");
    if (!g_getAdapterAttributes2) {
        snprintf(message, kExtendedMessageSize, "unable to dlsym for ZQMFC_GetAdapterAttributes2");
        return -2;
    }
    snprintf(message, kExtendedMessageSize, "dlsym for ZQMFC_GetAdapterAttributes2 success!");

    char name[kHbaAdapterNameSize] = {};
    snprintf(name, sizeof name, "%s", adapter.name.c_str());
    HBA_HANDLE handle = HBA_OpenAdapter(name);
    if (handle == HBA_HANDLE_INVALID)
        return -4;
    AtExit closeAdapter([handle] { HBA_CloseAdapter(handle); });

    HBA_HANDLE vendor = handle & 0xFFFF;
    HbaAdapterAttributes2 ext{};
    HBA_STATUS status = g_getAdapterAttributes2(vendor, &ext);
    if (status != HBA_STATUS_OK) {
        snprintf(message, kExtendedMessageSize, "fail to read adapter attribs: handle used is 0x%x: retStatus is 0x%x",
                 vendor, status);
        return -3;
    }
    snprintf(message, kExtendedMessageSize, "read adapter attribs Success! handle used is 0x%x", vendor);
    if (!SameNode(adapter, ext))
        return -6;
    CopyExtended(adapter, ext);
    return 0;
}

struct ZqmfcEntries {
    ZqmfcLoadLibraryFunc loadLibrary;
    ZqmfcGetNumberOfAdaptersFunc getNumberOfAdapters;
    ZqmfcGetAdapterNameFunc getAdapterName;
    ZqmfcOpenAdapterFunc openAdapter;
    ZqmfcGetAdapterAttributes2Func getAdapterAttributes2;
    ZqmfcCloseAdapterFunc closeAdapter;
    ZqmfcFreeLibraryFunc freeLibrary;
};

// Fills the seven entry points in their lookup order; the name of the first
// missing one, or null.
const char *LookUpZqmfc(void *library, ZqmfcEntries &e)
{
#define TVA_ZQMFC_ENTRY(field, symbol)                                                                        \
    e.field = DlFunction<decltype(e.field)>(library, symbol);                                                 \
    if (!e.field)                                                                                             \
        return symbol;
    TVA_ZQMFC_ENTRY(loadLibrary, "ZQMFC_LoadLibrary")
    TVA_ZQMFC_ENTRY(getNumberOfAdapters, "ZQMFC_GetNumberOfAdapters")
    TVA_ZQMFC_ENTRY(getAdapterName, "ZQMFC_GetAdapterName")
    TVA_ZQMFC_ENTRY(openAdapter, "ZQMFC_OpenAdapter")
    TVA_ZQMFC_ENTRY(getAdapterAttributes2, "ZQMFC_GetAdapterAttributes2")
    TVA_ZQMFC_ENTRY(closeAdapter, "ZQMFC_CloseAdapter")
    TVA_ZQMFC_ENTRY(freeLibrary, "ZQMFC_FreeLibrary")
#undef TVA_ZQMFC_ENTRY
    return nullptr;
}

int RouteBWithLibrary(FcHbaAdapter &adapter, const Vendor &vendor, char *message)
{
    DlHandle library;
    for (const char *path : vendor.paths) {
        library.reset(dlopen(path, RTLD_LAZY));
        if (library)
            break;
    }
    if (!library) {
        snprintf(message, kExtendedMessageSize, "unable to load %s", vendor.label);
        return -1;
    }

    ZqmfcEntries e{};
    if (const char *missing = LookUpZqmfc(library.get(), e)) {
        snprintf(message, kExtendedMessageSize, "unable to dlsym for %s", missing);
        return -2;
    }
    if (e.loadLibrary() != HBA_STATUS_OK) {
        snprintf(message, kExtendedMessageSize, "fail to load library");
        return -7;
    }
    // Declared after `library`, so it runs before the library is unloaded.
    AtExit freeLibrary([&e] { e.freeLibrary(); });

    HBA_UINT32 n = e.getNumberOfAdapters();
    for (HBA_UINT32 i = 0; i < n; i++) {
        char name[kZqmfcNameSize] = {};
        if (e.getAdapterName(i, name) != HBA_STATUS_OK) {
            snprintf(message, kExtendedMessageSize, "fail to get adapter number");
            return -5;
        }
        name[sizeof name - 1] = '\0';
        HBA_HANDLE handle = e.openAdapter(name);
        if (handle == HBA_HANDLE_INVALID) {
            snprintf(message, kExtendedMessageSize, "fail to open adapter");
            return -4;
        }
        AtExit closeAdapter([&e, handle] { e.closeAdapter(handle); });
        HbaAdapterAttributes2 ext{};
        HBA_STATUS status = e.getAdapterAttributes2(handle, &ext);
        if (status != HBA_STATUS_OK) {
            snprintf(message, kExtendedMessageSize, "fail to read adapter attribs, adapterHandle 0x%x, retStatus 0x%x",
                     handle, status);
            return -3;
        }
        if (SameNode(adapter, ext)) {
            CopyExtended(adapter, ext);
            snprintf(message, kExtendedMessageSize, "pass");
            return 0;
        }
    }
    snprintf(message, kExtendedMessageSize, "could not find WWNN match");
    return -6;
}

int RouteB(FcHbaAdapter &adapter, const Vendor &vendor, char *message)
{
    HBA_FreeLibrary();
    int result = RouteBWithLibrary(adapter, vendor, message);
    // The adapter-name table stays as it is; only the libraries come back.
    HBA_LoadLibrary();
    return result;
}

}  // namespace

int ReadExtendedAttributes(FcHbaAdapter &adapter, char *message)
{
    message[0] = '\0';
    char path[kHbaLibraryPathSize];
    void *library = HbaLibraryOfAdapter(static_cast<HBA_UINT32>(adapter.index), path);
    const Vendor &vendor = VendorOf(adapter.name);
    if (strstr(path, vendor.word))
        return RouteA(adapter, library, message);
    return RouteB(adapter, vendor, message);
}

FcHbaMRA::FcHbaMRA() : ready(false), count(0)
{
    if (HBA_LoadLibrary() == HBA_STATUS_OK) {
        count = HBA_GetNumberOfAdapters();
        ready = true;
    }
}

FcHbaMRA::~FcHbaMRA() = default;

std::unique_ptr<FcHbaAdapter> FcHbaMRA::AdapterAt(HBA_UINT32 index, int &status)
{
    if (index >= count)
        return nullptr;
    std::unique_ptr<FcHbaAdapter> adapter(new (std::nothrow) FcHbaAdapter(static_cast<int>(index)));
    if (!adapter) {
        status = 2;
        return nullptr;
    }
    status = adapter->Refresh();
    char message[kExtendedMessageSize];
    ReadExtendedAttributes(*adapter, message);
    return adapter;
}

std::unique_ptr<FcHbaAdapter> FcHbaMRA::FirstAdapter(int &status)
{
    return AdapterAt(0, status);
}

std::unique_ptr<FcHbaAdapter> FcHbaMRA::NextAdapter(const FcHbaAdapter &previous, int &status)
{
    if (previous.index < 0)
        return nullptr;
    return AdapterAt(static_cast<HBA_UINT32>(previous.index) + 1, status);
}
