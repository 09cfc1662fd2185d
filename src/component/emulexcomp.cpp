#include "emulexcomp.h"
#include "cmdoutput.h"
#include "textconv.h"

#include "Pattern.h"

#include <cstdlib>
#include <memory>

namespace EmulexComp {

namespace {

const char *const QueryPattern = "HBA=(.+),.*PCI ID=(\\w{1,4}),.*VID=(\\w{1,4}),.*SSID=(\\w{1,4}),.*SVID=(\\w{1,4}),"
                                 ".*Firmware=(.+),.*Boot Code=([\\w\\.]+).*";

// TEXT without its first two characters (all of it when shorter).
std::string DropTwo(const std::string &text)
{
    return text.size() > 2 ? text.substr(2) : std::string();
}

std::wstring WithoutPoints(std::wstring text)
{
    std::erase(text, L'.');
    return text;
}

struct SkipMessage {
    int status;
    const char *text;
};

const SkipMessage SkipMessages[] = {
    {11, "All updates were successful.  Skipped any MX710 or MX720 CNAs.\n"},
    {12, "No updates needed.  Skipped any MX710 or MX720 CNAs.\n"},
    {13, "All updates failed.  Skipped any MX710 or MX720 CNAs.\n"},
    {14, "Some updates failed.  Skipped any MX710 or MX720 CNAs.\n"},
    {15, "No supported hardware found.  Skipped any MX710 or MX720 CNAs.\n"},
    {16, "No updates available.  Skipped any MX710 or MX720 CNAs.\n"},
};

} // namespace

std::string CComponent::PadId(const std::string &text)
{
    return text.size() < 4 ? std::string(4 - text.size(), '0') + text : text;
}

std::wstring CComponent::ParseVersion(const std::wstring &text)
{
    return text.substr(0, text.find(L' '));
}

int CComponent::PrepareKit()
{
    log.Write("Preparing the Emulex Kit...");
    // Standard input closed: on a second run unzip keeps the files already
    // unpacked instead of waiting for an answer nobody can see.
    ReadCommandOutput("unzip elxflashStandalone*.zip </dev/null");
    log.Write("done\n");
    std::system("chmod 777 ./elxflashStandalone*/lx/elxflash.sh");
    return 0;
}

bool CComponent::AddDeviceFromQueryLine(const std::string &line)
{
    const std::shared_ptr<const Pattern> pattern = Pattern::Cached(QueryPattern, Pattern::DotAll);
    if (!pattern)
        return false;
    std::unique_ptr<Matcher> m = pattern->NewMatcher(line);
    if (!m->Matches())
        return false;
    const std::vector<std::string> g = m->Groups(false);
    const std::string &name = g[0];

    const std::wstring id = WidenLocale(PadId(g[2]) + "." + PadId(g[1]) + "." + PadId(g[4]) + "." + PadId(g[3]));
    const int idx = FindReferenceDevice(id);
    if (idx < 0 || static_cast<size_t>(idx) >= reference.DeviceCount())
        return false;
    const CRefDevice &ref = reference.Device(static_cast<size_t>(idx));

    const bool oce = name.find("OCe") != std::string::npos;
    const bool wholeFirmware = oce || name.find("LPe1600") != std::string::npos;
    const std::wstring firmware = WidenLocale(wholeFirmware ? g[5] : DropTwo(g[5]));
    const std::wstring boot = WidenLocale(oce ? g[6] : DropTwo(g[6]));

    CDevice dev;
    dev.deviceId = id;
    dev.productId = ref.model;

    CFwItem fw;
    fw.type = L"Firmware";
    fw.version = ref.firmware;
    fw.activeVersion = ref.firmware.find(L'.') == std::wstring::npos ? WithoutPoints(firmware) : firmware;
    fw.action = ActionWord(CompareVersions(fw.version, fw.activeVersion));
    fw.duration = ref.duration;
    fw.shared = L"no";
    dev.items.push_back(std::move(fw));

    if (ref.biosState != 0) {
        CFwItem rom;
        rom.type = L"Boot BIOS ROM";
        rom.version = ref.bios;
        rom.activeVersion = boot;
        rom.action = ActionWord(CompareVersions(rom.version, rom.activeVersion));
        rom.duration = ref.duration;
        dev.items.push_back(std::move(rom));
    }
    discovery.devices.push_back(std::move(dev));
    return true;
}

bool CComponent::Discover()
{
    if (PrepareKit() != 0)
        return false;
    const std::string out = ReadCommandOutput("./elxflashStandalone*/lx/elxflash.sh /q");
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        AddDeviceFromQueryLine(out.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

int CComponent::MapExitStatus(int status)
{
    if (status == 0)
        return ExitFlashed;
    if (status == 1)
        return ExitNothingDone;
    if (status >= 2 && status <= 6)
        return ExitFailed;
    for (const SkipMessage &s : SkipMessages)
        if (s.status == status) {
            log.Write(s.text);
            log.Write("For MX710 or MX720 CNAs, please use the \"Firmware image for offline update\" (OneConnect ISO) "
                      "tool available on ")
                .Write(OfflineToolHost)
                .Write("\n");
            return ExitFailed;
        }
    return status;
}

int CComponent::Flash()
{
    const std::string command = std::string("./elxflashStandalone*/lx/elxflash.sh ") + (force ? " /f " : " /update ") +
                                LogRedirections().substr(1);
    log.Write("Executing flash engine: ").Write(command).Write("\n");
    return MapExitStatus(RunFlashEngine(command));
}

} // namespace EmulexComp
