// PCI vendor and device id of an adapter, found in sysfs by its PCI location
// and subsystem ids.
#pragma once

#include <cstdint>
#include <string>

// "%.4x%.4x" of the vendor and device id, or "N/A".
std::string PciIdOf(uint8_t domain, uint8_t bus, uint8_t function, uint16_t subsystemVendor, uint16_t subsystemDevice);

// The shell command that lists the subsystem_vendor files of the functions
// at domain:bus:any-device.function.
std::string PciSearchCommand(uint8_t domain, uint8_t bus, uint8_t function);
