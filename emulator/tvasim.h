/* The emulated adapter host as request handlers see it: the scenario's
 * adapters and functions with their live state, the request being served,
 * and the registry that maps request codes to handlers.
 *
 * A handler file (emulator/handlers/<module>.cpp) registers its codes with
 * TVASIM_HANDLER and needs nothing else from the core. Handlers run with the
 * host lock held, one at a time, so they may read and change any state. */
#ifndef TVASIM_H
#define TVASIM_H

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tva_ioctl.h"

namespace tvasim {

using Wwn = std::array<uint8_t, 8>; /* transmission order */
using Mac = std::array<uint8_t, 6>;
using json = nlohmann::json;

wwn_t to_wwn_t(const Wwn &w);
Wwn from_wwn_t(wwn_t w);
std::string wwn_str(const Wwn &w);     /* "10:00:00:..." */
std::string wwn_hex(const Wwn &w);     /* 16 lower-case digits */
std::string mac_str(const Mac &m);
bool parse_wwn(const std::string &s, Wwn &out); /* "10:00:.." or 16 hex digits, optional 0x */
bool parse_mac(const std::string &s, Mac &out);
/* Bounded, NUL-terminated copy into a fixed array. */
template <size_t N> void put_str(char (&dst)[N], const std::string &s)
{
    size_t n = s.size() < N - 1 ? s.size() : N - 1;
    std::memcpy(dst, s.data(), n);
    std::memset(dst + n, 0, N - n);
}

enum class FnType { FC = 1, FCoE = 2, Eth = 3 };

struct Adapter;

struct Lun {
    uint64_t lun = 0;         /* Linux LUN number */
    std::string sg;           /* "sg3": SCSI generic node name */
    std::string block;        /* "sdb": block device name, may be empty */
    std::string vendor = "TELVARN", product = "EMUDISK", revision = "0001";
    uint64_t blocks = 2097152; /* 512-byte blocks */
    json raw;
};

struct RemotePort {
    Wwn pwwn{}, nwwn{};
    uint32_t fcid = 0;
    int channel = 0, target = 0;
    bool online = true;
    std::vector<Lun> luns;
    json raw;
};

struct Vport {
    Wwn pwwn{}, nwwn{};
    std::string symname;
    int number = 0; /* n of vport-H:0-n */
};

struct Function {
    Adapter *adapter = nullptr;
    std::string pci; /* 0000:0a:00.0 */
    FnType type = FnType::FC;
    uint16_t vendor_id = 0x1657, device_id = 0x13, ssvid = 0x1657, ssid = 0x15;
    uint32_t pci_class = 0x0c0400;
    int port = 0;              /* adapter port number */
    int pcifn = 0;             /* PCI function number (from the address) */
    int host = -1;             /* SCSI host number, storage functions */
    bool legacy_node = false;  /* node is /dev/fc_hostN instead of /dev/bsg/fc_hostN */
    bool bound = true;         /* listed in the driver directory */
    bool has_host_entry = true;/* storage: the hostN entry exists in its directory */
    int instance = -1;         /* driver instance, as the scan will number it */
    Wwn pwwn{}, nwwn{}, factory_pwwn{}, factory_nwwn{};
    Mac mac{}, factory_mac{}, current_mac{};
    std::string port_name, eth_name;
    uint32_t state = 6;        /* tva_ioc_state: operational */
    uint32_t fcid = 0;
    int max_vports = 16;
    std::vector<Vport> vports;
    std::vector<RemotePort> rports;
    json raw;      /* the scenario object, for fields the core does not model */
    json settings; /* live settings of handlers (object); kept with --state */

    bool storage() const { return type != FnType::Eth; }
    std::string node() const; /* request node of a storage function */
    const char *driver_dir() const { return storage() ? "tva" : "tvn"; }
};

struct Partition {
    uint32_t type = 0, instance = 0;
    uint32_t offset = 0, size = 0;
    std::string version;
    std::vector<uint8_t> data; /* contents, at most size bytes */
};

struct Adapter {
    int index = 0; /* 1-based, scenario order */
    std::string serial, name, model, model_descr, manufacturer = "Telvarn";
    std::string hwpath; /* adapter hardware path, defaults to the first function's PCI address */
    uint32_t card_type = 0;
    std::string hw_ver, fw_ver, optrom_ver, bios_ver, efi_ver, ob_ver;
    std::string driver_name = "tvad", driver_ver, os_type = "Linux";
    std::string chip_rev = "B2";
    uint8_t nports = 0, max_speed = 16, asic_rev = 2, pcie_gen = 2, pcie_lanes = 8;
    bool cna_capable = false, trunk_capable = false, is_mezz = false, prototype = false;
    uint8_t cap_bm = 1;
    uint8_t mfg_day = 1, mfg_month = 1;
    uint16_t mfg_year = 2024;
    std::vector<uint8_t> vpd; /* VPD data bytes */
    uint8_t vpd_version = 1, vpd_vendor = 0;
    std::vector<Partition> flash;
    std::vector<Function *> functions; /* scenario order */
    json raw;
    json settings;

    Partition *partition(uint32_t type, uint32_t instance = 0);
};

/* One request as a handler sees it. The payload is the buffer the sender
 * moved (on the bsg path the whole data-out length, on the Ethernet path the
 * size encoded in the code); a handler writes its answer into it. */
struct Request {
    uint32_t code = 0;     /* with group byte 0x43 form for Ethernet requests */
    uint8_t *data = nullptr;
    size_t len = 0;
    Function *fn = nullptr; /* addressed function, never null for a handler */
    enum class Path { Bsg, Eth, Ipfc } path = Path::Bsg;
    int error = 0;          /* set to an errno to make the request itself fail */
    void *priv = nullptr;   /* the core's */

    template <class T> T *payload()
    {
        return len >= sizeof(T) ? reinterpret_cast<T *>(data) : nullptr;
    }
    void set_status(uint32_t s)
    {
        if (len >= 4)
            std::memcpy(data, &s, 4);
    }
    uint32_t status() const
    {
        uint32_t s = 0;
        if (len >= 4)
            std::memcpy(&s, data, 4);
        return s;
    }
    /* The sender's memory that the 64-bit address at payload offset
     * ptr_offset points to, n bytes of it; changes are written back. Null
     * when the address is invalid. */
    uint8_t *client_buffer(size_t ptr_offset, size_t n);
};

using Handler = void (*)(Request &);

/* Registers a handler for one request code (group 0x43 form). */
struct Register {
    Register(uint32_t code, const char *name, Handler h);
};
#define TVASIM_CAT2(a, b) a##b
#define TVASIM_CAT(a, b) TVASIM_CAT2(a, b)
#define TVASIM_HANDLER(code, fn) \
    static const ::tvasim::Register TVASIM_CAT(tvasim_reg_, __LINE__)((code), #fn, (fn))

Handler find_handler(uint32_t code);

/* Called after a partition's contents changed outside the flash requests
 * (the Ethernet flash path through ethtool), so that handlers that derive
 * state from flash contents (versions) can follow. Register with
 * TVASIM_ON_PARTITION_WRITE(fn). */
using PartitionHook = void (*)(Adapter &, Partition &);
struct OnPartitionWrite {
    explicit OnPartitionWrite(PartitionHook h);
};
#define TVASIM_ON_PARTITION_WRITE(fn) \
    static const ::tvasim::OnPartitionWrite TVASIM_CAT(tvasim_pw_, __LINE__)(fn)
void partition_written(Adapter &a, Partition &p);

/* The emulated host: scenario, live state, clock. */
class Host {
public:
    std::vector<std::unique_ptr<Adapter>> adapters;
    std::vector<std::unique_ptr<Function>> functions; /* scenario order */
    json globals; /* free state of handlers, kept with --state */
    json options; /* the scenario's top-level object, for host-wide settings */

    std::mutex lock; /* held by the core around every handler */

    Function *by_pci(const std::string &pci);
    Function *by_host(int host);
    Function *by_eth_instance(int instance);
    Function *by_pwwn(const Wwn &w);
    /* Seconds the emulated host has been up; continues across runs with --state. */
    double uptime() const;
    /* A counter that advances with time: base + rate per second. */
    uint64_t counter(uint64_t base, double per_second) const;
    /* Testbed root: the directory the programs see as / for /sys and /dev. */
    const std::string &root() const { return root_; }

    void start_clock();

    std::string root_;
    double epoch_ = 0; /* monotonic seconds at start minus saved uptime */
};

Host &host();

/* The IOC attribute record of a function, as the attribute request answers. */
void fill_ioc_attr(Function &f, tva_ioc_attr_t &out);

} // namespace tvasim

#endif
