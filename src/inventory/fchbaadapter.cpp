#include "fchbaadapter.h"

#include "hbadispatch.h"

#include <cstring>

namespace {

const char kUndefined[] = "Undefined";

// Text of a fixed field that a library may have left unterminated.
template <size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

template <size_t N>
void Terminate(char (&field)[N])
{
    field[N - 1] = '\0';
}

// Closes an adapter handle of the dispatch layer when it goes out of scope.
class OpenedAdapter {
public:
    explicit OpenedAdapter(HBA_HANDLE handle) : handle_(handle) {}
    ~OpenedAdapter()
    {
        if (handle_ != HBA_HANDLE_INVALID)
            HBA_CloseAdapter(handle_);
    }
    OpenedAdapter(const OpenedAdapter &) = delete;
    OpenedAdapter &operator=(const OpenedAdapter &) = delete;
    HBA_HANDLE get() const { return handle_; }

private:
    HBA_HANDLE handle_;
};

}  // namespace

void CleanText(char *text)
{
    size_t len = strlen(text);
    while (len > 1) {
        unsigned char c = static_cast<unsigned char>(text[len - 1]);
        if (c >= 0x21 && c <= 0x7D)
            break;
        text[--len] = '\0';
    }
    char *out = text;
    for (const char *in = text; *in; in++) {
        if (*in == ' ' && in > text && in[-1] == ' ')
            continue;
        *out++ = *in;
    }
    *out = '\0';
}

FcHbaPort::FcHbaPort()
    : portWwn{}, portFcId(0), portType(HBA_PORTTYPE_UNKNOWN), portState(HBA_PORTSTATE_UNKNOWN),
      symbolicName(kUndefined), osDeviceName(kUndefined), supportedSpeed(0), currentSpeed(0), maxFrameSize(0),
      fabricName{}, portIndex(0), activeFc4Types{}, supportedFc4Types{}, statistics{}
{
}

FcHbaPort::~FcHbaPort() = default;

FcHbaAdapter::FcHbaAdapter(int index_)
    : index(index_), name(kUndefined), manufacturer(kUndefined), serialNumber(kUndefined), model(kUndefined),
      modelDescription(kUndefined), nodeWwn{}, nodeSymbolicName(kUndefined), hardwareVersion(kUndefined),
      driverVersion(kUndefined), optionRomVersion(kUndefined), firmwareVersion(kUndefined), numberOfPorts(0),
      driverName(kUndefined), subsystemIds(0), bus(0), function(0), domain(0)
{
}

FcHbaAdapter::~FcHbaAdapter() = default;

int FcHbaAdapter::Refresh()
{
    std::lock_guard<std::mutex> guard(lock);

    char adapterName[kHbaAdapterNameSize] = {};
    if (HBA_GetAdapterName(static_cast<HBA_UINT32>(index), adapterName) != HBA_STATUS_OK)
        return 1;
    Terminate(adapterName);
    name = adapterName;

    OpenedAdapter handle(HBA_OpenAdapter(adapterName));
    HBA_ADAPTERATTRIBUTES attr{};
    if (handle.get() == HBA_HANDLE_INVALID || HBA_GetAdapterAttributes(handle.get(), &attr) != HBA_STATUS_OK)
        return 1;

    ports.clear();
    Terminate(attr.SerialNumber);
    Terminate(attr.ModelDescription);
    Terminate(attr.Manufacturer);
    Terminate(attr.HardwareVersion);
    Terminate(attr.OptionROMVersion);
    Terminate(attr.FirmwareVersion);
    CleanText(attr.SerialNumber);
    CleanText(attr.ModelDescription);
    CleanText(attr.Manufacturer);
    CleanText(attr.HardwareVersion);
    CleanText(attr.OptionROMVersion);
    CleanText(attr.FirmwareVersion);

    manufacturer = FieldText(attr.Manufacturer);
    serialNumber = FieldText(attr.SerialNumber);
    model = FieldText(attr.Model);
    modelDescription = FieldText(attr.ModelDescription);
    memcpy(nodeWwn, attr.NodeWWN.wwn, sizeof nodeWwn);
    nodeSymbolicName = FieldText(attr.NodeSymbolicName);
    hardwareVersion = FieldText(attr.HardwareVersion);
    driverVersion = FieldText(attr.DriverVersion);
    optionRomVersion = FieldText(attr.OptionROMVersion);
    firmwareVersion = FieldText(attr.FirmwareVersion);
    subsystemIds = attr.VendorSpecificID;
    numberOfPorts = attr.NumberOfPorts;
    driverName = FieldText(attr.DriverName);

    int status = 0;
    for (HBA_UINT32 p = 0; p < numberOfPorts; p++) {
        HBA_PORTATTRIBUTES pa{};
        if (HBA_GetAdapterPortAttributes(handle.get(), p, &pa) != HBA_STATUS_OK) {
            status = 1;
            continue;
        }
        FcHbaPort port;
        memcpy(port.portWwn, pa.PortWWN.wwn, sizeof port.portWwn);
        port.portFcId = pa.PortFcId;
        port.portType = pa.PortType;
        port.portState = pa.PortState;
        port.symbolicName = FieldText(pa.PortSymbolicName);
        port.osDeviceName = FieldText(pa.OSDeviceName);
        port.supportedSpeed = pa.PortSupportedSpeed;
        port.currentSpeed = pa.PortSpeed;
        port.maxFrameSize = pa.PortMaxFrameSize;
        memcpy(port.fabricName, pa.FabricName.wwn, sizeof port.fabricName);
        port.portIndex = static_cast<int>(p);
        memcpy(port.activeFc4Types, pa.PortActiveFc4Types.bits, sizeof port.activeFc4Types);
        memcpy(port.supportedFc4Types, pa.PortSupportedFc4Types.bits, sizeof port.supportedFc4Types);

        HBA_PORTSTATISTICS ps{};
        if (HBA_GetPortStatistics(handle.get(), p, &ps) != HBA_STATUS_OK) {
            status = 1;
        } else {
            const HBA_INT64 reported[] = {ps.SecondsSinceLastReset, ps.TxFrames, ps.TxWords, ps.RxFrames,
                                          ps.RxWords, ps.LIPCount, ps.NOSCount, ps.ErrorFrames,
                                          ps.DumpedFrames, ps.LinkFailureCount, ps.LossOfSyncCount,
                                          ps.LossOfSignalCount, ps.PrimitiveSeqProtocolErrCount,
                                          ps.InvalidTxWordCount, ps.InvalidCRCCount};
            static_assert(sizeof reported / sizeof reported[0] == sizeof port.statistics / sizeof port.statistics[0]);
            for (size_t i = 0; i < sizeof reported / sizeof reported[0]; i++) {
                if (reported[i] != -1)
                    port.statistics[i] = reported[i];
            }
        }
        ports.push_back(std::move(port));
    }
    return status;
}
