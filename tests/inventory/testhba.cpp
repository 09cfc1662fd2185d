// A configurable FC-HBA API library for the inventory tests. It reads its
// setup from "<its own file>.conf" when loaded (HBA LoadLibrary or
// ZQMFC_LoadLibrary) and appends every call to "<its own file>.log".
//
// Setup lines:
//   register N | version N | load N      results of those entry points
//   adapter NAME NODEWWN                 a new adapter (WWN as 16 hex digits)
//   text FIELD VALUE                     attribute text; \xHH escapes
//   nports N                             reported port count of the adapter
//   port PORTWWN [15 counters]           a port, with its statistics
//   ext SUBSYSIDS BUS FUNC DOMAIN        extended values (hex)
//   zwwn NODEWWN                         node WWN of the extended record
//   fail ENTRY [NAME|PORT]               make an entry point fail (for one
//                                        adapter name or port index)
//   zadapter NAME                        the ZQMFC adapter list (default: the
//                                        same as the HBA list)
// Build options drop exports: TESTHBA_NO_REGISTER, TESTHBA_NO_ZQMFC,
// TESTHBA_NO_ZQMFC_OPEN.
#include "zqmfc.h"

#include <vendorhbaapi.h>

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#define EXPORT extern "C" __attribute__((visibility("default")))

#ifdef TESTHBA_NO_REGISTER
// The HBA API entry points stay unreachable in this variant.
#pragma GCC diagnostic ignored "-Wunused-function"
#endif

namespace {

struct Port {
    uint8_t wwn[8] = {};
    HBA_INT64 stats[15] = {};
};

struct Adapter {
    std::string name;
    uint8_t node[8] = {};
    uint8_t zwwn[8] = {};
    std::map<std::string, std::string> text;
    long nports = -1;
    std::vector<Port> ports;
    uint32_t subsys = 0;
    unsigned bus = 0, function = 0, domain = 0;
};

struct Setup {
    HBA_STATUS reg = 0;
    HBA_UINT32 version = 1;
    HBA_STATUS load = 0;
    std::vector<Adapter> adapters;
    std::vector<std::string> zadapters;
    std::set<std::string> fails;  // "ENTRY" or "ENTRY ARG"
};

Setup g_setup;
std::string g_self;

const std::string &Self()
{
    if (g_self.empty()) {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void *>(&Self), &info) && info.dli_fname)
            g_self = info.dli_fname;
    }
    return g_self;
}

void Log(const char *fmt, ...)
{
    FILE *f = fopen((Self() + ".log").c_str(), "a");
    if (!f)
        return;
    va_list ap;
    va_start(ap, fmt);
    vfprintf(f, fmt, ap);
    va_end(ap);
    fputc('\n', f);
    fclose(f);
}

void ParseWwn(const std::string &hex, uint8_t *wwn)
{
    for (int i = 0; i < 8 && 2 * i + 1 < static_cast<int>(hex.size()); i++)
        wwn[i] = static_cast<uint8_t>(strtoul(hex.substr(2 * i, 2).c_str(), nullptr, 16));
}

std::string Unescape(const std::string &s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); i++) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
            out += static_cast<char>(strtoul(s.substr(i + 2, 2).c_str(), nullptr, 16));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

void ReadSetup()
{
    g_setup = Setup();
    std::ifstream in(Self() + ".conf");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream ws(line);
        std::string key;
        ws >> key;
        Adapter *last = g_setup.adapters.empty() ? nullptr : &g_setup.adapters.back();
        if (key == "register") {
            ws >> g_setup.reg;
        } else if (key == "version") {
            ws >> g_setup.version;
        } else if (key == "load") {
            ws >> g_setup.load;
        } else if (key == "adapter") {
            Adapter a;
            std::string wwn;
            ws >> a.name >> wwn;
            ParseWwn(wwn, a.node);
            memcpy(a.zwwn, a.node, 8);
            g_setup.adapters.push_back(a);
        } else if (key == "text" && last) {
            std::string field;
            ws >> field;
            std::string rest;
            std::getline(ws, rest);
            last->text[field] = Unescape(rest.empty() ? rest : rest.substr(1));
        } else if (key == "nports" && last) {
            ws >> last->nports;
        } else if (key == "port" && last) {
            Port p;
            std::string wwn;
            ws >> wwn;
            ParseWwn(wwn, p.wwn);
            for (HBA_INT64 &v : p.stats)
                if (!(ws >> v))
                    v = 0;
            last->ports.push_back(p);
        } else if (key == "ext" && last) {
            ws >> std::hex >> last->subsys >> last->bus >> last->function >> last->domain;
        } else if (key == "zwwn" && last) {
            std::string wwn;
            ws >> wwn;
            ParseWwn(wwn, last->zwwn);
        } else if (key == "fail") {
            std::string entry, arg;
            ws >> entry >> arg;
            g_setup.fails.insert(arg.empty() ? entry : entry + " " + arg);
        } else if (key == "zadapter") {
            std::string name;
            ws >> name;
            g_setup.zadapters.push_back(name);
        }
    }
    if (g_setup.zadapters.empty())
        for (const Adapter &a : g_setup.adapters)
            g_setup.zadapters.push_back(a.name);
}

bool Fails(const char *entry, const std::string &arg = "")
{
    return g_setup.fails.count(entry) || (!arg.empty() && g_setup.fails.count(std::string(entry) + " " + arg));
}

// Handles: 0x100 + adapter index, so the lower 16 bits are not trivial.
Adapter *ByHandle(HBA_HANDLE h)
{
    HBA_UINT32 i = (h & 0xFFFF) - 0x100;
    return i < g_setup.adapters.size() ? &g_setup.adapters[i] : nullptr;
}

HBA_HANDLE OpenByName(const char *name)
{
    for (size_t i = 0; i < g_setup.adapters.size(); i++)
        if (g_setup.adapters[i].name == name)
            return static_cast<HBA_HANDLE>(0x100 + i);
    return 0;
}

void SetText(char *dst, size_t size, const Adapter &a, const char *field)
{
    auto it = a.text.find(field);
    std::string v = it != a.text.end() ? it->second : std::string(field) + "-" + a.name;
    snprintf(dst, size, "%s", v.c_str());
}

HBA_UINT32 GetVersion()
{
    Log("GetVersion");
    return g_setup.version;
}

HBA_STATUS LoadLibrary_()
{
    ReadSetup();
    Log("LoadLibrary");
    return g_setup.load;
}

HBA_STATUS FreeLibrary_()
{
    Log("FreeLibrary");
    return 0;
}

HBA_UINT32 GetNumberOfAdapters()
{
    return static_cast<HBA_UINT32>(g_setup.adapters.size());
}

HBA_STATUS GetAdapterName(HBA_UINT32 index, char *name)
{
    if (index >= g_setup.adapters.size() || Fails("GetAdapterName"))
        return HBA_STATUS_ERROR;
    strcpy(name, g_setup.adapters[index].name.c_str());
    return 0;
}

HBA_HANDLE OpenAdapter(char *name)
{
    HBA_HANDLE h = Fails("OpenAdapter", name) ? 0 : OpenByName(name);
    Log("OpenAdapter %s 0x%x", name, h);
    return h;
}

void CloseAdapter(HBA_HANDLE h)
{
    Log("CloseAdapter 0x%x", h);
}

HBA_STATUS GetAdapterAttributes(HBA_HANDLE h, HBA_ADAPTERATTRIBUTES *attr)
{
    Log("GetAdapterAttributes 0x%x", h);
    Adapter *a = ByHandle(h);
    if (!a || Fails("GetAdapterAttributes", a->name))
        return HBA_STATUS_ERROR;
    memset(attr, 0, sizeof *attr);
    SetText(attr->Manufacturer, sizeof attr->Manufacturer, *a, "Manufacturer");
    SetText(attr->SerialNumber, sizeof attr->SerialNumber, *a, "SerialNumber");
    SetText(attr->Model, sizeof attr->Model, *a, "Model");
    SetText(attr->ModelDescription, sizeof attr->ModelDescription, *a, "ModelDescription");
    SetText(attr->NodeSymbolicName, sizeof attr->NodeSymbolicName, *a, "NodeSymbolicName");
    SetText(attr->HardwareVersion, sizeof attr->HardwareVersion, *a, "HardwareVersion");
    SetText(attr->DriverVersion, sizeof attr->DriverVersion, *a, "DriverVersion");
    SetText(attr->OptionROMVersion, sizeof attr->OptionROMVersion, *a, "OptionROMVersion");
    SetText(attr->FirmwareVersion, sizeof attr->FirmwareVersion, *a, "FirmwareVersion");
    SetText(attr->DriverName, sizeof attr->DriverName, *a, "DriverName");
    memcpy(attr->NodeWWN.wwn, a->node, 8);
    attr->VendorSpecificID = 0xABCD1234;
    attr->NumberOfPorts = static_cast<HBA_UINT32>(a->nports >= 0 ? a->nports : static_cast<long>(a->ports.size()));
    return 0;
}

HBA_STATUS GetAdapterPortAttributes(HBA_HANDLE h, HBA_UINT32 port, HBA_PORTATTRIBUTES *attr)
{
    Adapter *a = ByHandle(h);
    if (!a || port >= a->ports.size() || Fails("GetAdapterPortAttributes", std::to_string(port)))
        return HBA_STATUS_ERROR_ILLEGAL_INDEX;
    memset(attr, 0, sizeof *attr);
    memcpy(attr->NodeWWN.wwn, a->node, 8);
    memcpy(attr->PortWWN.wwn, a->ports[port].wwn, 8);
    attr->PortFcId = 0x010200 + port;
    attr->PortType = HBA_PORTTYPE_NPORT;
    attr->PortState = HBA_PORTSTATE_ONLINE;
    snprintf(attr->PortSymbolicName, sizeof attr->PortSymbolicName, "%s port %u", a->name.c_str(), port);
    snprintf(attr->OSDeviceName, sizeof attr->OSDeviceName, "/dev/test%u", port);
    attr->PortSupportedSpeed = 0x3c;
    attr->PortSpeed = 0x8;
    attr->PortMaxFrameSize = 2048;
    attr->PortActiveFc4Types.bits[2] = 1;
    attr->PortSupportedFc4Types.bits[2] = 3;
    return 0;
}

HBA_STATUS GetPortStatistics(HBA_HANDLE h, HBA_UINT32 port, HBA_PORTSTATISTICS *stats)
{
    Adapter *a = ByHandle(h);
    if (!a || port >= a->ports.size() || Fails("GetPortStatistics", std::to_string(port)))
        return HBA_STATUS_ERROR;
    static_assert(sizeof *stats == sizeof a->ports[port].stats);
    memcpy(stats, a->ports[port].stats, sizeof *stats);
    return 0;
}

}  // namespace

#ifndef TESTHBA_NO_REGISTER
EXPORT HBA_STATUS HBA_RegisterLibrary(HBA_ENTRYPOINTS *e)
{
    ReadSetup();
    Log("RegisterLibrary");
    e->GetVersionHandler = GetVersion;
    e->LoadLibraryHandler = LoadLibrary_;
    e->FreeLibraryHandler = FreeLibrary_;
    e->GetNumberOfAdaptersHandler = GetNumberOfAdapters;
    e->GetAdapterNameHandler = GetAdapterName;
    e->OpenAdapterHandler = OpenAdapter;
    e->CloseAdapterHandler = CloseAdapter;
    e->GetAdapterAttributesHandler = GetAdapterAttributes;
    e->GetAdapterPortAttributesHandler = GetAdapterPortAttributes;
    e->GetPortStatisticsHandler = GetPortStatistics;
    return g_setup.reg;
}
#endif

#ifndef TESTHBA_NO_ZQMFC
EXPORT HBA_STATUS ZQMFC_LoadLibrary()
{
    ReadSetup();
    Log("ZQMFC_LoadLibrary");
    return Fails("ZQMFC_LoadLibrary") ? HBA_STATUS_ERROR : 0;
}

EXPORT HBA_UINT32 ZQMFC_GetNumberOfAdapters()
{
    return Fails("ZQMFC_GetNumberOfAdapters") ? 0 : static_cast<HBA_UINT32>(g_setup.zadapters.size());
}

EXPORT HBA_STATUS ZQMFC_GetAdapterName(HBA_UINT32 index, char *name)
{
    if (index >= g_setup.zadapters.size() || Fails("ZQMFC_GetAdapterName"))
        return HBA_STATUS_ERROR;
    strcpy(name, g_setup.zadapters[index].c_str());
    return 0;
}

#ifndef TESTHBA_NO_ZQMFC_OPEN
EXPORT HBA_HANDLE ZQMFC_OpenAdapter(char *name)
{
    HBA_HANDLE h = Fails("ZQMFC_OpenAdapter", name) ? 0 : OpenByName(name);
    Log("ZQMFC_OpenAdapter %s 0x%x", name, h);
    return h;
}
#endif

EXPORT HBA_STATUS ZQMFC_GetAdapterAttributes2(HBA_HANDLE h, HbaAdapterAttributes2 *ext)
{
    Log("ZQMFC_GetAdapterAttributes2 0x%x", h);
    Adapter *a = ByHandle(h);
    if (!a || Fails("ZQMFC_GetAdapterAttributes2", a->name))
        return 0x2a;
    memset(ext, 0, sizeof *ext);
    memcpy(ext->attributes.NodeWWN.wwn, a->zwwn, 8);
    ext->subsystemIds = a->subsys;
    ext->bus = static_cast<uint8_t>(a->bus);
    ext->function = static_cast<uint8_t>(a->function);
    ext->domain = static_cast<uint8_t>(a->domain);
    return 0;
}

EXPORT void ZQMFC_CloseAdapter(HBA_HANDLE h)
{
    Log("ZQMFC_CloseAdapter 0x%x", h);
}

EXPORT HBA_STATUS ZQMFC_FreeLibrary()
{
    Log("ZQMFC_FreeLibrary");
    return 0;
}
#endif
