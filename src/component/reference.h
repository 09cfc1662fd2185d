// The reference catalogue: the adapters a package supports and the firmware
// versions it carries, loaded from reference.xml in the working directory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CRefDevice {
public:
    // The seven texts by index, in catalogue order.
    enum Field { Type, DeviceId, Model, Firmware, Bios, Boot, Duration, FieldCount };

    std::wstring type;
    std::wstring deviceId;
    std::wstring model;
    std::wstring firmware;
    std::wstring bios;
    std::wstring boot;
    std::wstring duration;
    // 2 once created; 0 when the device names an empty bios version.
    int biosState = 2;

    std::wstring &FieldRef(Field f);
    // Index of a source element name, FieldCount when it is none of them.
    static Field FieldOfElement(const char *name);
};

class CReference {
public:
    // Loads ./reference.xml. False when the file is missing or not well-formed.
    bool LoadReference();

    const std::wstring &DiscoveryAppPath() const { return discoveryAppPath; }
    const std::wstring &InstallerAppPath() const { return installerAppPath; }
    size_t DeviceCount() const { return devices.size(); }
    const CRefDevice &Device(size_t i) const { return devices.at(i); }
    const std::vector<CRefDevice> &Devices() const { return devices; }

private:
    std::wstring discoveryAppPath;
    std::wstring installerAppPath;
    std::vector<CRefDevice> devices;
};
