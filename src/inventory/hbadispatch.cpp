#include "hbadispatch.h"

#include "dlhandle.h"

#include <vendorhbaapi.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct HbaLibrary {
    char name[kHbaLibraryNameSize];
    char path[kHbaLibraryPathSize];
    DlHandle handle;
    HBA_ENTRYPOINTS entry;
    int status;
};

struct HbaAdapterRow {
    char name[kHbaAdapterNameSize];
    int library;
};

// The tables live for the whole process; the libraries stay loaded until
// HBA_FreeLibrary, and are not unloaded behind their back at exit.
HbaLibrary *const g_libraries = new HbaLibrary[kHbaMaxLibraries]();
HbaAdapterRow g_adapters[kHbaMaxAdapters];
HBA_UINT32 g_adapterCount;

// Vendor libraries write adapter names into a buffer of this size.
constexpr size_t kVendorNameSize = 1024;

static_assert(sizeof(HBA_ENTRYPOINTS) == 24 * sizeof(void *), "version 1 table has 24 entries");

void CopyText(char *dst, size_t size, const char *src, size_t len)
{
    if (len >= size)
        len = size - 1;
    memcpy(dst, src, len);
    dst[len] = '\0';
}

bool IsPathChar(unsigned char c)
{
    return c == '_' || c == '.' || c == '/' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
           (c >= 'A' && c <= 'Z');
}

// Unloads every row (calling the library's own FreeLibrary where it was set
// up) and leaves the row in `status`.
void ReleaseLibraries(int status)
{
    for (int row = 0; row < kHbaMaxLibraries; row++) {
        HbaLibrary &lib = g_libraries[row];
        if (lib.status == kHbaLibUsable && lib.entry.FreeLibraryHandler)
            lib.entry.FreeLibraryHandler();
        if (lib.handle || lib.status == kHbaLibUsable)
            lib.status = status;
        lib.handle.reset();
        memset(&lib.entry, 0, sizeof lib.entry);
    }
}

// Row of a handle call: 3 for a library part out of range, 1 for a row that
// is not usable, else 0 with the row.
HBA_STATUS RowOfHandle(HBA_HANDLE handle, HbaLibrary **lib)
{
    HBA_UINT32 row = handle >> 16;
    if (row >= kHbaMaxLibraries)
        return HBA_STATUS_ERROR_INVALID_HANDLE;
    if (g_libraries[row].status != kHbaLibUsable)
        return HBA_STATUS_ERROR;
    *lib = &g_libraries[row];
    return HBA_STATUS_OK;
}

// Calls a library entry point with the library's own part of the handle; an
// entry the library did not register counts as failed.
template <typename Entry, typename... Args>
HBA_STATUS CallWithHandle(HBA_HANDLE handle, Entry HBA_ENTRYPOINTS::*entry, Args... args)
{
    HbaLibrary *lib;
    HBA_STATUS status = RowOfHandle(handle, &lib);
    if (status != HBA_STATUS_OK)
        return status;
    Entry fn = lib->entry.*entry;
    if (!fn)
        return HBA_STATUS_ERROR;
    return fn(handle & 0xFFFF, args...);
}

void SetUpRow(HbaLibrary &lib)
{
    lib.handle.reset(dlopen(lib.path, RTLD_LAZY));
    if (!lib.handle)
        return;
    auto reg = DlFunction<HBARegisterLibraryFunc>(lib.handle.get(), "HBA_RegisterLibrary");
    if (!reg)
        return;
    memset(&lib.entry, 0, sizeof lib.entry);
    if (reg(&lib.entry) != HBA_STATUS_OK) {
        lib.status = kHbaLibFailed;
        return;
    }
    if (!lib.entry.GetVersionHandler)
        return;
    if (lib.entry.GetVersionHandler() == 0) {
        lib.status = kHbaLibFailed;
        return;
    }
    if (!lib.entry.LoadLibraryHandler)
        return;
    lib.status = lib.entry.LoadLibraryHandler() == HBA_STATUS_OK ? kHbaLibUsable : kHbaLibFailed;
}

struct FileCloser {
    void operator()(FILE *f) const { fclose(f); }
};

}  // namespace

bool HbaParseConfLine(const char *line, char *name, size_t nameSize, char *path, size_t pathSize)
{
    if (line[0] == '#' || line[0] == '\0')
        return false;
    const char *split = strchr(line, '\t');
    if (!split)
        split = strchr(line, ' ');
    if (!split)
        return false;
    const char *rest = split + 1;
    while (*rest == ' ' || *rest == '\t')
        rest++;
    size_t pathLen = 0;
    while (IsPathChar(static_cast<unsigned char>(rest[pathLen])))
        pathLen++;
    // An empty path would make the loader hand back the program itself.
    if (split == line || pathLen == 0)
        return false;
    CopyText(name, nameSize, line, static_cast<size_t>(split - line));
    CopyText(path, pathSize, rest, pathLen);
    return true;
}

HBA_STATUS HBA_LoadLibrary()
{
    std::unique_ptr<FILE, FileCloser> conf(fopen("/etc/hba.conf", "r"));
    if (!conf)
        return HBA_STATUS_ERROR;

    // A second load starts from a clean table.
    ReleaseLibraries(kHbaLibNotSetUp);
    for (int row = 0; row < kHbaMaxLibraries; row++) {
        g_libraries[row].name[0] = g_libraries[row].path[0] = '\0';
        g_libraries[row].status = kHbaLibNotSetUp;
    }

    int rows = 0;
    char line[512];
    while (rows < kHbaMaxLibraries && fgets(line, sizeof line, conf.get())) {
        char *nl = strchr(line, '\n');
        if (nl) {
            *nl = '\0';
        } else if (!feof(conf.get())) {
            // Keep the first 511 characters; the rest is not a line of its own.
            int c;
            while ((c = fgetc(conf.get())) != EOF && c != '\n') {
            }
        }
        HbaLibrary &lib = g_libraries[rows];
        if (!HbaParseConfLine(line, lib.name, sizeof lib.name, lib.path, sizeof lib.path))
            continue;
        rows++;
        SetUpRow(lib);
    }
    return HBA_STATUS_OK;
}

HBA_STATUS HBA_FreeLibrary()
{
    ReleaseLibraries(kHbaLibFailed);
    return HBA_STATUS_OK;
}

HBA_UINT32 HBA_GetNumberOfAdapters()
{
    g_adapterCount = 0;
    for (int row = 0; row < kHbaMaxLibraries; row++) {
        HbaLibrary &lib = g_libraries[row];
        if (lib.status != kHbaLibUsable || !lib.entry.GetNumberOfAdaptersHandler ||
            !lib.entry.GetAdapterNameHandler)
            continue;
        HBA_UINT32 n = lib.entry.GetNumberOfAdaptersHandler();
        for (HBA_UINT32 i = 0; i < n && g_adapterCount < kHbaMaxAdapters; i++) {
            char name[kVendorNameSize] = {};
            lib.entry.GetAdapterNameHandler(i, name);
            name[sizeof name - 1] = '\0';
            HbaAdapterRow &adapter = g_adapters[g_adapterCount++];
            CopyText(adapter.name, sizeof adapter.name, name, strlen(name));
            adapter.library = row;
        }
    }
    return g_adapterCount;
}

HBA_STATUS HBA_GetAdapterName(HBA_UINT32 index, char *name)
{
    if (index >= g_adapterCount)
        return HBA_STATUS_ERROR_ILLEGAL_INDEX;
    memcpy(name, g_adapters[index].name, sizeof g_adapters[index].name);
    return HBA_STATUS_OK;
}

HBA_HANDLE HBA_OpenAdapter(char *name)
{
    for (HBA_UINT32 i = 0; i < g_adapterCount; i++) {
        if (strcmp(g_adapters[i].name, name) != 0)
            continue;
        int row = g_adapters[i].library;
        HbaLibrary &lib = g_libraries[row];
        if (lib.status != kHbaLibUsable || !lib.entry.OpenAdapterHandler)
            return HBA_HANDLE_INVALID;
        HBA_HANDLE vendor = lib.entry.OpenAdapterHandler(name);
        if (vendor == HBA_HANDLE_INVALID)
            return HBA_HANDLE_INVALID;
        return (static_cast<HBA_UINT32>(row) << 16) | (vendor & 0xFFFF);
    }
    return HBA_HANDLE_INVALID;
}

void HBA_CloseAdapter(HBA_HANDLE handle)
{
    HbaLibrary *lib;
    if (RowOfHandle(handle, &lib) == HBA_STATUS_OK && lib->entry.CloseAdapterHandler)
        lib->entry.CloseAdapterHandler(handle & 0xFFFF);
}

HBA_STATUS HBA_GetAdapterAttributes(HBA_HANDLE handle, HBA_ADAPTERATTRIBUTES *attributes)
{
    return CallWithHandle(handle, &HBA_ENTRYPOINTS::GetAdapterAttributesHandler, attributes);
}

HBA_STATUS HBA_GetAdapterPortAttributes(HBA_HANDLE handle, HBA_UINT32 port, HBA_PORTATTRIBUTES *attributes)
{
    return CallWithHandle(handle, &HBA_ENTRYPOINTS::GetAdapterPortAttributesHandler, port, attributes);
}

HBA_STATUS HBA_GetPortStatistics(HBA_HANDLE handle, HBA_UINT32 port, HBA_PORTSTATISTICS *statistics)
{
    return CallWithHandle(handle, &HBA_ENTRYPOINTS::GetPortStatisticsHandler, port, statistics);
}

void *HbaLibraryOfAdapter(HBA_UINT32 index, char *path)
{
    path[0] = '\0';
    if (index >= g_adapterCount)
        return nullptr;
    HbaLibrary &lib = g_libraries[g_adapters[index].library];
    memcpy(path, lib.path, sizeof lib.path);
    return lib.handle.get();
}
