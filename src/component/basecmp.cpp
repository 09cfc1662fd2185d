#include "basecmp.h"
#include "textconv.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <strings.h>
#include <sys/wait.h>

CBaseCmp::CBaseCmp()
{
    log.Prepare();
}

CBaseCmp::~CBaseCmp()
{
    for (FcHbaInfo *info : adapters)
        delete info;
    adapters.clear();
}

std::wstring CBaseCmp::ParseVersion(const std::wstring &text)
{
    return text;
}

void CBaseCmp::BuildFirmwareItems() {}

int CBaseCmp::PrepareKit()
{
    return 0;
}

int CBaseCmp::Flash()
{
    return 0;
}

void CBaseCmp::PrintUsage()
{
    std::fputs("KTXXXXXX.fwrun [options]\n"
               "    options\n"
               "    --------------------------\n"
               "    /f = Force the installation\n"
               "    /s = Execute silently\n"
               "    /d [path] = Perform self-discovery and output to [path]\n",
               stdout);
}

int CBaseCmp::ParseCommandLine(int argc, const char *const *argv)
{
    auto is = [](const char *arg, const char *slash, const char *dash) {
        return std::strcmp(arg, slash) == 0 || std::strcmp(arg, dash) == 0;
    };
    for (int i = 1; i < argc; i++) {
        const char *a = argv[i];
        if (is(a, "/s", "-s")) {
            silent = true;
            log.SetSilent(true);
        } else if (is(a, "/f", "-f") || is(a, "/e", "-e") || is(a, "/g", "-g")) {
            force = true;
        } else if (is(a, "/h", "-h")) {
            PrintUsage();
            return 2;
        } else if (is(a, "/d", "-d")) {
            discoveryRequested = true;
            if (i + 1 >= argc) {
                PrintUsage();
                return 0;
            }
            // The path word is examined again on the next round, so a path
            // spelled like an option also acts as that option.
            discoveryPath = argv[i + 1];
        }
    }
    return 1;
}

int CBaseCmp::Run()
{
    int result = ExitNothingDone;

    log.Write("---------------------------------------------------\n");
    log.Write("Loading references...");
    if (!reference.LoadReference()) {
        log.Write("FAILED!\n");
        return ExitFailed;
    }
    log.Write("done.\n");

    log.Write("Performing discovery...\n");
    if (!Discover())
        return ExitFailed;

    if (discoveryRequested) {
        log.Write("Generating self-discovery XML...");
        if (!WriteDiscoveryXml())
            log.Write("FAILED!\n");
        log.Write("done.\n");
        return result;
    }

    if (OverallAction() != ActionUpgrade && !force) {
        log.Write("NOTICE : No operation was done.\n");
        return result;
    }
    if (!HasSupportedDevices()) {
        log.Write("ERROR! : No supported hardware was found.\n");
        return result;
    }

    log.Write("Performing flash -- DO NOT INTERRUPT!\n");
    result = Flash();
    log.Write("Flash complete [").Write(result).Write("]\n");
    return result;
}

int CBaseCmp::OverallAction() const
{
    int bits = 0;
    for (const CDevice &d : discovery.devices)
        for (const CFwItem &it : d.items) {
            if (it.action == L"downgrade")
                bits |= ActionDowngrade;
            else if (it.action == L"rewrite")
                bits |= ActionRewrite;
            else if (it.action == L"upgrade")
                bits |= ActionUpgrade;
        }
    if (bits & ActionUpgrade)
        return ActionUpgrade;
    if (bits & ActionDowngrade)
        return ActionDowngrade;
    if (bits & ActionRewrite)
        return ActionRewrite;
    return ActionNone;
}

bool CBaseCmp::Discover()
{
    DiscoverAdapters(adapters);
    if (adapters.empty()) {
        log.Write("WARNING! : No supported adapters found.\n");
        return false;
    }
    discovery.type = reference.DeviceCount() ? reference.Device(0).type : std::wstring();
    discovery.altName.clear();
    discovery.version.clear();
    discovery.takesEffect.clear();
    BuildFirmwareItems();
    return true;
}

std::wstring CBaseCmp::DeviceIdOf(const FcHbaInfo &info)
{
    // The record's fields are NUL-terminated within their arrays; strnlen
    // keeps a record that is not from being read past its field.
    std::string id;
    auto field = [](const char (&f)[256]) { return std::string(f, strnlen(f, sizeof f)); };
    const std::string pci = field(info.pciId);
    const std::string sub = field(info.subsystemIds);
    if (strcasecmp(pci.c_str(), "N/A") != 0)
        id += pci;
    if (strcasecmp(sub.c_str(), "N/A") != 0)
        id += sub;
    for (size_t pos = 4; pos < id.size(); pos += 5)
        id.insert(pos, 1, '.');
    return WidenBytes(id);
}

std::wstring CBaseCmp::DeviceIdOf(size_t adapterIndex) const
{
    size_t i = 0;
    for (const FcHbaInfo *info : adapters)
        if (i++ == adapterIndex)
            return DeviceIdOf(*info);
    return std::wstring();
}

int CBaseCmp::FindReferenceDevice(const std::wstring &deviceId)
{
    const std::vector<CRefDevice> &devs = reference.Devices();
    for (size_t i = 0; i < devs.size(); i++) {
        const std::wstring &r = devs[i].deviceId;
        if (r.size() == deviceId.size() && wcsncasecmp(r.c_str(), deviceId.c_str(), r.size()) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void CBaseCmp::BuildBootRomItems(bool idFromReference)
{
    for (const FcHbaInfo *info : adapters) {
        const std::wstring id = DeviceIdOf(*info);
        const int idx = FindReferenceDevice(id);
        if (idx < 0 || static_cast<size_t>(idx) >= reference.DeviceCount())
            continue;
        const CRefDevice &ref = reference.Device(static_cast<size_t>(idx));

        CDevice dev;
        dev.deviceId = idFromReference ? ref.deviceId : id;
        dev.productId = ref.model;

        CFwItem item;
        item.type = L"Boot BIOS ROM";
        item.version = ref.bios;
        const std::string rom(info->optionRomVersion, strnlen(info->optionRomVersion, sizeof info->optionRomVersion));
        item.activeVersion = ParseVersion(WidenLocale(rom));
        item.action = ActionWord(CompareVersions(item.version, item.activeVersion));
        item.duration = ref.duration;
        item.shared = L"no";

        dev.items.push_back(std::move(item));
        discovery.devices.push_back(std::move(dev));
    }
}

std::string CBaseCmp::LogRedirections()
{
    const std::string path = CCmpLog::DefaultPath;
    return " 1>> " + path + " 2>> " + path + " 3>> " + path;
}

int CBaseCmp::RunFlashEngine(const std::string &command)
{
    // Console text written so far must precede anything the child prints.
    std::fflush(stdout);
    const int ws = std::system(command.c_str());
    int code;
    if (ws == -1)
        code = 255;
    else if (WIFSIGNALED(ws))
        code = 128 + WTERMSIG(ws);
    else
        code = WEXITSTATUS(ws);
    log.Write("Flash Engine exit code: ").Write(code).Write("\n");
    return code;
}
