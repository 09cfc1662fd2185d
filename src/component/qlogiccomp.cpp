#include "qlogiccomp.h"

#include <cstdlib>
#include <cwctype>

namespace QLogicComp {

std::wstring CComponent::UpperCase(const std::wstring &text)
{
    std::wstring up = text;
    for (wchar_t &c : up)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return up;
}

int CComponent::FindReferenceDevice(const std::wstring &deviceId)
{
    const int exact = CBaseCmp::FindReferenceDevice(deviceId);
    if (exact >= 0)
        return exact;
    // An adapter without any id is contained in every text; it is supported
    // only by a reference device with an empty id, which the exact rule finds.
    if (deviceId.empty())
        return -1;
    const std::wstring wanted = UpperCase(deviceId);
    const std::vector<CRefDevice> &devs = reference.Devices();
    for (size_t i = 0; i < devs.size(); i++)
        if (UpperCase(devs[i].deviceId).find(wanted) != std::wstring::npos)
            return static_cast<int>(i);
    return -1;
}

std::wstring CComponent::ParseVersion(const std::wstring &text)
{
    std::wstring version = text.substr(0, text.find(L' '));
    const size_t v = version.find(L"v.");
    if (v != std::wstring::npos)
        version.erase(v, 2);
    return version;
}

void CComponent::BuildFirmwareItems()
{
    BuildBootRomItems(true);
}

int CComponent::MapExitStatus(int status)
{
    if (status == 0)
        return ExitFlashed;
    if (status == 1)
        return ExitNothingDone;
    if ((status >= 2 && status <= 10) || status == 14 || status == 16 || status == 17)
        return ExitFailed;
    return status;
}

int CComponent::Flash()
{
    std::string command = "./qvqlafwupdate";
    if (silent)
        command += " /s";
    if (force)
        command += " /f";
    log.Write("Executing flash engine: ").Write(command).Write("\n");
    command += LogRedirections();
    std::system("chmod 777 ./qvqlafwupdate");
    return MapExitStatus(RunFlashEngine(command));
}

} // namespace QLogicComp
