// One adapter's standard FC-HBA API attributes and its ports, as the
// dispatch layer reports them.
#pragma once

#include <ctime>  // <hbaapi.h> uses struct tm without including it
#include <hbaapi.h>

#include <cstdint>
#include <list>
#include <mutex>
#include <string>

// Trims trailing bytes outside '!'..'}' (never the first character) and folds
// runs of spaces into one, in place.
void CleanText(char *text);

class FcHbaPort {
public:
    FcHbaPort();
    virtual ~FcHbaPort();

    uint8_t portWwn[8];
    uint32_t portFcId;
    uint32_t portType;
    uint32_t portState;
    std::string symbolicName;
    std::string osDeviceName;
    uint32_t supportedSpeed;
    uint32_t currentSpeed;
    uint32_t maxFrameSize;
    uint8_t fabricName[8];
    int portIndex;
    uint8_t activeFc4Types[32];
    uint8_t supportedFc4Types[32];
    // The standard port statistics counters, in their standard order.
    int64_t statistics[15];
};

class FcHbaAdapter {
public:
    explicit FcHbaAdapter(int index = 0);
    virtual ~FcHbaAdapter();
    FcHbaAdapter(const FcHbaAdapter &) = delete;
    FcHbaAdapter &operator=(const FcHbaAdapter &) = delete;

    // Fills the record through the dispatch layer: 0 when every call
    // succeeded, 1 when any failed.
    int Refresh();

    int index;
    std::list<FcHbaPort> ports;
    std::string name;
    std::string manufacturer;
    std::string serialNumber;
    std::string model;
    std::string modelDescription;
    uint8_t nodeWwn[8];
    std::string nodeSymbolicName;
    std::string hardwareVersion;
    std::string driverVersion;
    std::string optionRomVersion;
    std::string firmwareVersion;
    uint32_t numberOfPorts;
    std::string driverName;
    uint32_t subsystemIds;  // low 16 bits subsystem vendor id, high 16 bits subsystem device id
    uint8_t bus;
    uint8_t function;
    uint8_t domain;
    std::mutex lock;
};
