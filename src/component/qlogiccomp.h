// The QLogic component: adapters found through the HBA API and QLogic's
// management library, boot code flashed by the package's qvqlafwupdate.
#pragma once

#include "basecmp.h"

#include <string>

namespace QLogicComp {

class CComponent : public CBaseCmp {
public:
    CComponent() = default;
    ~CComponent() override = default;

    std::wstring ParseVersion(const std::wstring &text) override;
    void BuildFirmwareItems() override;
    int Flash() override;
    // Whole id ignoring case first; then the first reference device whose id
    // text contains the given id, so one reference entry may list several ids.
    int FindReferenceDevice(const std::wstring &deviceId) override;

    static std::wstring UpperCase(const std::wstring &text);
    // The component's exit code for the engine's exit status.
    static int MapExitStatus(int status);
};

} // namespace QLogicComp
