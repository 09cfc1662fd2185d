#include "scenario.h"

#include <cerrno>
#include <fstream>
#include <limits>
#include <cctype>
#include <set>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace tvasim {

const char *const default_scenario = R"json({
  "adapters": [
    {
      "serial": "TVA1234567",
      "name": "tva-hba-1",
      "model": "TV-825",
      "model_descr": "Telvarn 8Gb Fibre Channel HBA, 2 ports",
      "card_type": 825,
      "cap_bm": 1,
      "trunk_capable": true,
      "max_speed": 8,
      "hw_ver": "Rev-C",
      "fw_ver": "3.2.3.0",
      "optrom_ver": "3.2.3.0",
      "bios_ver": "3.2.3.0",
      "efi_ver": "3.2.3.0",
      "ob_ver": "3.2.3.0",
      "driver_ver": "3.2.3.0",
      "vpd": { "data": "PN:TV-825-C SN:TVA1234567" },
      "functions": [
        { "pci": "0000:0a:00.0", "type": "fc", "port": 0, "device_id": "0x0013", "ssid": "0x0015", "host": 3,
          "pwwn": "10:00:00:16:57:0a:00:00", "nwwn": "20:00:00:16:57:0a:00:00", "fcid": "0x010100",
          "rports": [
            { "pwwn": "50:06:01:60:3b:20:00:01", "nwwn": "50:06:01:60:bb:20:00:01", "fcid": "0x010200",
              "target": 0, "luns": [0, 1, 2] }
          ] },
        { "pci": "0000:0a:00.1", "type": "fc", "port": 1, "device_id": "0x0013", "ssid": "0x0015", "host": 4,
          "pwwn": "10:00:00:16:57:0a:00:01", "nwwn": "20:00:00:16:57:0a:00:01", "fcid": "0x020100" }
      ]
    },
    {
      "serial": "TVA7654321",
      "name": "tva-cna-2",
      "model": "TV-1020",
      "model_descr": "Telvarn 10Gb Converged Network Adapter, 2 ports",
      "card_type": 1020,
      "cap_bm": 2,
      "cna_capable": true,
      "max_speed": 10,
      "hw_ver": "Rev-B",
      "fw_ver": "3.2.3.0",
      "optrom_ver": "3.2.3.0",
      "bios_ver": "3.2.3.0",
      "efi_ver": "3.2.3.0",
      "ob_ver": "3.2.3.0",
      "driver_ver": "3.2.3.0",
      "vpd": { "data": "PN:TV-1020-B SN:TVA7654321" },
      "functions": [
        { "pci": "0000:0b:00.0", "type": "fcoe", "port": 0, "device_id": "0x0014", "ssid": "0x0016", "host": 5,
          "pwwn": "10:00:00:16:57:0b:00:00", "nwwn": "20:00:00:16:57:0b:00:00", "mac": "00:16:57:0b:00:00",
          "fcid": "0x030100" },
        { "pci": "0000:0b:00.1", "type": "fcoe", "port": 1, "device_id": "0x0014", "ssid": "0x0016", "host": 6,
          "pwwn": "10:00:00:16:57:0b:00:01", "nwwn": "20:00:00:16:57:0b:00:01", "mac": "00:16:57:0b:00:01",
          "fcid": "0x040100" },
        { "pci": "0000:0b:00.2", "type": "eth", "port": 0, "device_id": "0x0014", "ssid": "0x0016",
          "mac": "00:16:57:0b:00:02", "eth_name": "eth2" },
        { "pci": "0000:0b:00.3", "type": "eth", "port": 1, "device_id": "0x0014", "ssid": "0x0016",
          "mac": "00:16:57:0b:00:03", "eth_name": "eth3" }
      ]
    }
  ]
})json";

namespace {

struct Bad : std::runtime_error {
    using std::runtime_error::runtime_error;
};

uint64_t num(const json &j, const std::string &what)
{
    if (j.is_number_unsigned() || j.is_number_integer()) {
        if (j.is_number_integer() && j.get<int64_t>() < 0)
            throw Bad(what + ": negative number");
        return j.get<uint64_t>();
    }
    if (j.is_string()) {
        const std::string s = j.get<std::string>();
        size_t pos = 0;
        uint64_t v = 0;
        try {
            v = std::stoull(s, &pos, 0);
        } catch (...) {
            throw Bad(what + ": not a number: \"" + s + "\"");
        }
        if (pos != s.size())
            throw Bad(what + ": not a number: \"" + s + "\"");
        return v;
    }
    throw Bad(what + ": number expected");
}

template <class T> void opt_num(const json &o, const char *key, T &out, const std::string &ctx)
{
    auto it = o.find(key);
    if (it == o.end())
        return;
    uint64_t v = num(*it, ctx + "." + key);
    if (v > static_cast<uint64_t>(std::numeric_limits<T>::max()))
        throw Bad(ctx + "." + key + ": out of range");
    out = static_cast<T>(v);
}

void opt_str(const json &o, const char *key, std::string &out, const std::string &ctx)
{
    auto it = o.find(key);
    if (it == o.end())
        return;
    if (!it->is_string())
        throw Bad(ctx + "." + key + ": text expected");
    out = it->get<std::string>();
}

void opt_bool(const json &o, const char *key, bool &out, const std::string &ctx)
{
    auto it = o.find(key);
    if (it == o.end())
        return;
    if (!it->is_boolean())
        throw Bad(ctx + "." + key + ": true or false expected");
    out = it->get<bool>();
}

void opt_wwn(const json &o, const char *key, Wwn &out, const std::string &ctx)
{
    std::string s;
    opt_str(o, key, s, ctx);
    if (!s.empty() && !parse_wwn(s, out))
        throw Bad(ctx + "." + key + ": bad WWN \"" + s + "\"");
}

void opt_mac(const json &o, const char *key, Mac &out, const std::string &ctx)
{
    std::string s;
    opt_str(o, key, s, ctx);
    if (!s.empty() && !parse_mac(s, out))
        throw Bad(ctx + "." + key + ": bad MAC \"" + s + "\"");
}

bool zero(const Wwn &w)
{
    for (auto b : w)
        if (b)
            return false;
    return true;
}
bool zero(const Mac &m)
{
    for (auto b : m)
        if (b)
            return false;
    return true;
}

std::vector<uint8_t> bytes_of(const json &j, const std::string &ctx)
{
    /* text, or {"hex": "0a0b..."} */
    if (j.is_string()) {
        const std::string s = j.get<std::string>();
        return {s.begin(), s.end()};
    }
    if (j.is_object() && j.contains("hex") && j["hex"].is_string()) {
        std::string h = j["hex"].get<std::string>();
        std::vector<uint8_t> out;
        std::string digits;
        for (char c : h)
            if (!isspace(static_cast<unsigned char>(c)))
                digits += c;
        if (digits.size() % 2)
            throw Bad(ctx + ": odd number of hex digits");
        for (size_t i = 0; i < digits.size(); i += 2) {
            if (!isxdigit(static_cast<unsigned char>(digits[i])) || !isxdigit(static_cast<unsigned char>(digits[i + 1])))
                throw Bad(ctx + ": bad hex digit");
            out.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
        }
        return out;
    }
    throw Bad(ctx + ": text or {\"hex\": ...} expected");
}

/* 0000:0a:00.0: domain, bus, device, function in lower-case hex */
bool is_pci_address(const std::string &s)
{
    static const char shape[] = "xxxx:xx:xx.x";
    if (s.size() != sizeof(shape) - 1)
        return false;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (shape[i] == 'x' ? !(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'a' && c <= 'f')) : c != shape[i])
            return false;
    }
    return true;
}

void load_function(Host &h, Adapter &a, const json &o, const std::string &ctx, int &next_sg)
{
    if (!o.is_object())
        throw Bad(ctx + ": object expected");
    auto f = std::make_unique<Function>();
    f->adapter = &a;
    f->raw = o;
    f->settings = json::object();
    opt_str(o, "pci", f->pci, ctx);
    if (!is_pci_address(f->pci))
        throw Bad(ctx + ".pci: PCI address like 0000:0a:00.0 expected, got \"" + f->pci + "\"");
    if (h.by_pci(f->pci))
        throw Bad(ctx + ".pci: " + f->pci + " used twice");
    f->pcifn = static_cast<int>(std::stoul(f->pci.substr(f->pci.size() - 1), nullptr, 16));
    std::string type = "fc";
    opt_str(o, "type", type, ctx);
    if (type == "fc")
        f->type = FnType::FC;
    else if (type == "fcoe")
        f->type = FnType::FCoE;
    else if (type == "eth")
        f->type = FnType::Eth;
    else
        throw Bad(ctx + ".type: \"fc\", \"fcoe\" or \"eth\" expected");
    opt_num(o, "port", f->port, ctx);
    opt_num(o, "vendor_id", f->vendor_id, ctx);
    opt_num(o, "device_id", f->device_id, ctx);
    opt_num(o, "ssvid", f->ssvid, ctx);
    opt_num(o, "ssid", f->ssid, ctx);
    f->pci_class = f->storage() ? 0x0c0400 : 0x020000;
    opt_num(o, "class", f->pci_class, ctx);
    opt_num(o, "instance", f->instance, ctx);
    opt_num(o, "state", f->state, ctx);
    opt_num(o, "fcid", f->fcid, ctx);
    opt_num(o, "max_vports", f->max_vports, ctx);
    opt_bool(o, "bound", f->bound, ctx);
    opt_bool(o, "host_entry", f->has_host_entry, ctx);
    std::string node = "bsg";
    opt_str(o, "node", node, ctx);
    if (node != "bsg" && node != "legacy")
        throw Bad(ctx + ".node: \"bsg\" or \"legacy\" expected");
    f->legacy_node = node == "legacy";
    if (f->storage()) {
        if (o.contains("host"))
            opt_num(o, "host", f->host, ctx);
    } else if (o.contains("host")) {
        throw Bad(ctx + ".host: only storage functions have a SCSI host");
    }
    opt_wwn(o, "pwwn", f->pwwn, ctx);
    opt_wwn(o, "nwwn", f->nwwn, ctx);
    f->factory_pwwn = f->pwwn;
    f->factory_nwwn = f->nwwn;
    opt_wwn(o, "factory_pwwn", f->factory_pwwn, ctx);
    opt_wwn(o, "factory_nwwn", f->factory_nwwn, ctx);
    opt_mac(o, "mac", f->mac, ctx);
    f->factory_mac = f->mac;
    opt_mac(o, "factory_mac", f->factory_mac, ctx);
    f->current_mac = f->mac;
    opt_mac(o, "current_mac", f->current_mac, ctx);
    opt_str(o, "port_name", f->port_name, ctx);
    opt_str(o, "eth_name", f->eth_name, ctx);

    /* Identities a scenario leaves out are derived from the address. */
    unsigned bus = static_cast<unsigned>(std::stoul(f->pci.substr(5, 2), nullptr, 16));
    unsigned dev = static_cast<unsigned>(std::stoul(f->pci.substr(8, 2), nullptr, 16));
    if (f->type != FnType::Eth) {
        if (zero(f->pwwn))
            f->pwwn = {0x10, 0x00, 0x00, 0x16, 0x57, uint8_t(bus), uint8_t(dev), uint8_t(f->pcifn)};
        if (zero(f->nwwn))
            f->nwwn = {0x20, 0x00, 0x00, 0x16, 0x57, uint8_t(bus), uint8_t(dev), uint8_t(f->pcifn)};
        if (zero(f->factory_pwwn))
            f->factory_pwwn = f->pwwn;
        if (zero(f->factory_nwwn))
            f->factory_nwwn = f->nwwn;
    }
    if (f->type != FnType::FC) {
        if (zero(f->mac))
            f->mac = {0x00, 0x16, 0x57, uint8_t(bus), uint8_t(dev), uint8_t(f->pcifn)};
        if (zero(f->factory_mac))
            f->factory_mac = f->mac;
        if (zero(f->current_mac))
            f->current_mac = f->mac;
    }
    if (f->type == FnType::Eth && f->eth_name.empty())
        f->eth_name = "eth" + std::to_string(h.functions.size());
    if (f->eth_name.size() >= 16)
        throw Bad(ctx + ".eth_name: at most 15 characters");
    if (f->port_name.empty())
        f->port_name = a.name + "-port" + std::to_string(f->port) + (f->type == FnType::Eth ? "-eth" : "");

    if (auto it = o.find("rports"); it != o.end()) {
        if (!f->storage() || !it->is_array())
            throw Bad(ctx + ".rports: a list on a storage function expected");
        int t = 0;
        for (size_t i = 0; i < it->size(); ++i) {
            const json &r = (*it)[i];
            std::string rc = ctx + ".rports[" + std::to_string(i) + "]";
            if (!r.is_object())
                throw Bad(rc + ": object expected");
            RemotePort rp;
            rp.raw = r;
            rp.target = t;
            opt_wwn(r, "pwwn", rp.pwwn, rc);
            opt_wwn(r, "nwwn", rp.nwwn, rc);
            if (zero(rp.pwwn))
                throw Bad(rc + ".pwwn: required");
            opt_num(r, "fcid", rp.fcid, rc);
            opt_num(r, "channel", rp.channel, rc);
            opt_num(r, "target", rp.target, rc);
            opt_bool(r, "online", rp.online, rc);
            t = rp.target + 1;
            if (auto lt = r.find("luns"); lt != r.end()) {
                if (!lt->is_array())
                    throw Bad(rc + ".luns: list expected");
                for (size_t k = 0; k < lt->size(); ++k) {
                    const json &l = (*lt)[k];
                    std::string lc = rc + ".luns[" + std::to_string(k) + "]";
                    Lun lun;
                    if (l.is_object()) {
                        lun.raw = l;
                        opt_num(l, "lun", lun.lun, lc);
                        opt_str(l, "sg", lun.sg, lc);
                        opt_str(l, "block", lun.block, lc);
                        opt_str(l, "vendor", lun.vendor, lc);
                        opt_str(l, "product", lun.product, lc);
                        opt_str(l, "revision", lun.revision, lc);
                        opt_num(l, "blocks", lun.blocks, lc);
                    } else {
                        lun.lun = num(l, lc);
                    }
                    if (lun.sg.empty())
                        lun.sg = "sg" + std::to_string(next_sg++);
                    rp.luns.push_back(std::move(lun));
                }
            }
            f->rports.push_back(std::move(rp));
        }
    }
    a.functions.push_back(f.get());
    h.functions.push_back(std::move(f));
}

void load_adapter(Host &h, const json &o, int index, int &next_sg)
{
    std::string ctx = "adapters[" + std::to_string(index - 1) + "]";
    if (!o.is_object())
        throw Bad(ctx + ": object expected");
    auto a = std::make_unique<Adapter>();
    a->index = index;
    a->raw = o;
    a->settings = json::object();
    opt_str(o, "serial", a->serial, ctx);
    if (a->serial.empty())
        a->serial = "TVA" + std::to_string(1000000 + index);
    opt_str(o, "name", a->name, ctx);
    if (a->name.empty())
        a->name = "tva-adapter-" + std::to_string(index);
    opt_str(o, "model", a->model, ctx);
    opt_str(o, "model_descr", a->model_descr, ctx);
    opt_str(o, "manufacturer", a->manufacturer, ctx);
    opt_str(o, "hwpath", a->hwpath, ctx);
    opt_num(o, "card_type", a->card_type, ctx);
    opt_str(o, "hw_ver", a->hw_ver, ctx);
    opt_str(o, "fw_ver", a->fw_ver, ctx);
    opt_str(o, "optrom_ver", a->optrom_ver, ctx);
    opt_str(o, "bios_ver", a->bios_ver, ctx);
    opt_str(o, "efi_ver", a->efi_ver, ctx);
    opt_str(o, "ob_ver", a->ob_ver, ctx);
    opt_str(o, "driver_ver", a->driver_ver, ctx);
    opt_str(o, "os_type", a->os_type, ctx);
    opt_str(o, "chip_rev", a->chip_rev, ctx);
    opt_num(o, "max_speed", a->max_speed, ctx);
    opt_num(o, "asic_rev", a->asic_rev, ctx);
    opt_num(o, "pcie_gen", a->pcie_gen, ctx);
    opt_num(o, "pcie_lanes", a->pcie_lanes, ctx);
    opt_num(o, "cap_bm", a->cap_bm, ctx);
    opt_bool(o, "cna_capable", a->cna_capable, ctx);
    opt_bool(o, "trunk_capable", a->trunk_capable, ctx);
    opt_bool(o, "is_mezz", a->is_mezz, ctx);
    opt_bool(o, "prototype", a->prototype, ctx);
    opt_num(o, "mfg_day", a->mfg_day, ctx);
    opt_num(o, "mfg_month", a->mfg_month, ctx);
    opt_num(o, "mfg_year", a->mfg_year, ctx);
    if (auto it = o.find("vpd"); it != o.end()) {
        if (!it->is_object())
            throw Bad(ctx + ".vpd: object expected");
        opt_num(*it, "version", a->vpd_version, ctx + ".vpd");
        opt_num(*it, "vendor", a->vpd_vendor, ctx + ".vpd");
        if (it->contains("data"))
            a->vpd = bytes_of((*it)["data"], ctx + ".vpd.data");
        if (a->vpd.size() > 512)
            throw Bad(ctx + ".vpd.data: at most 512 bytes");
    }
    if (auto it = o.find("flash"); it != o.end()) {
        if (!it->is_array())
            throw Bad(ctx + ".flash: list expected");
        for (size_t i = 0; i < it->size(); ++i) {
            const json &p = (*it)[i];
            std::string pc = ctx + ".flash[" + std::to_string(i) + "]";
            if (!p.is_object())
                throw Bad(pc + ": object expected");
            Partition part;
            opt_num(p, "type", part.type, pc);
            opt_num(p, "instance", part.instance, pc);
            opt_num(p, "offset", part.offset, pc);
            opt_num(p, "size", part.size, pc);
            opt_str(p, "version", part.version, pc);
            if (p.contains("data"))
                part.data = bytes_of(p["data"], pc + ".data");
            if (part.data.size() > part.size)
                throw Bad(pc + ".data: larger than the partition");
            a->flash.push_back(std::move(part));
        }
    }
    auto fit = o.find("functions");
    if (fit == o.end() || !fit->is_array() || fit->empty())
        throw Bad(ctx + ".functions: a non-empty list expected");
    Adapter &ar = *a;
    h.adapters.push_back(std::move(a));
    for (size_t i = 0; i < fit->size(); ++i)
        load_function(h, ar, (*fit)[i], ctx + ".functions[" + std::to_string(i) + "]", next_sg);
    if (ar.hwpath.empty())
        ar.hwpath = ar.functions.front()->pci;
    int maxport = 0;
    for (auto *f : ar.functions)
        maxport = std::max(maxport, f->port);
    if (!o.contains("nports"))
        ar.nports = static_cast<uint8_t>(maxport + 1);
    else
        opt_num(o, "nports", ar.nports, ctx);
    if (ar.model.empty())
        ar.model = "TV-" + std::to_string(ar.card_type);
    if (ar.model_descr.empty())
        ar.model_descr = "Telvarn adapter " + ar.model;
    if (ar.driver_ver.empty())
        ar.driver_ver = "3.2.3.0";
}

void number_functions(Host &h)
{
    /* SCSI hosts not given are numbered after the highest given one. */
    std::set<int> hosts;
    int next = 0;
    for (auto &f : h.functions)
        if (f->storage() && f->host >= 0) {
            if (!hosts.insert(f->host).second)
                throw Bad("SCSI host " + std::to_string(f->host) + " used twice");
            next = std::max(next, f->host + 1);
        }
    if (next == 0)
        next = 3;
    for (auto &f : h.functions)
        if (f->storage() && f->host < 0)
            f->host = next++;
    /* sysfs names: LUN block devices get sdb, sdc, ... */
    char blk = 'b';
    for (auto &f : h.functions)
        for (auto &r : f->rports)
            for (auto &l : r.luns)
                if (l.block.empty() && blk <= 'z')
                    l.block = std::string("sd") + blk++;
}

} // namespace

bool load_scenario(Host &h, const std::string &text, std::string &err)
{
    h.adapters.clear();
    h.functions.clear();
    h.globals = json::object();
    try {
        json j = json::parse(text);
        if (!j.is_object() || !j.contains("adapters") || !j["adapters"].is_array())
            throw Bad("a top-level object with an \"adapters\" list expected");
        int next_sg = 1;
        if (j.contains("first_sg"))
            next_sg = static_cast<int>(num(j["first_sg"], "first_sg"));
        int idx = 1;
        for (const auto &a : j["adapters"])
            load_adapter(h, a, idx++, next_sg);
        number_functions(h);
        if (j.contains("globals") && j["globals"].is_object())
            h.globals = j["globals"];
        h.options = j;
        h.options.erase("adapters");
        return true;
    } catch (const json::exception &e) {
        err = std::string("scenario: ") + e.what();
    } catch (const std::exception &e) {
        err = std::string("scenario: ") + e.what();
    }
    h.adapters.clear();
    h.functions.clear();
    return false;
}

/* ---- state kept across runs --------------------------------------------- */

namespace {

std::string flash_file(const std::string &dir, const Adapter &a, const Partition &p)
{
    return dir + "/flash/" + a.serial + "-" + std::to_string(p.type) + "-" + std::to_string(p.instance) + ".bin";
}

} // namespace

bool read_file(const std::string &path, std::string &out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    return true;
}

bool load_state(Host &h, const std::string &dir, std::string &err)
{
    std::string text;
    if (!read_file(dir + "/tvasim-state.json", text))
        return true; /* first run with this directory */
    try {
        json j = json::parse(text);
        if (j.contains("uptime"))
            h.epoch_ -= j["uptime"].get<double>();
        if (j.contains("globals") && j["globals"].is_object())
            h.globals = j["globals"];
        for (auto &a : h.adapters) {
            auto it = j["adapters"].find(a->serial);
            if (it == j["adapters"].end())
                continue;
            const json &s = *it;
            a->name = s.value("name", a->name);
            a->fw_ver = s.value("fw_ver", a->fw_ver);
            a->optrom_ver = s.value("optrom_ver", a->optrom_ver);
            a->bios_ver = s.value("bios_ver", a->bios_ver);
            a->efi_ver = s.value("efi_ver", a->efi_ver);
            a->ob_ver = s.value("ob_ver", a->ob_ver);
            if (s.contains("settings"))
                a->settings = s["settings"];
            if (s.contains("vpd"))
                a->vpd = s["vpd"].get<std::vector<uint8_t>>();
            if (s.contains("flash")) {
                for (const auto &p : s["flash"]) {
                    uint32_t type = p["type"], inst = p["instance"];
                    Partition *part = a->partition(type, inst);
                    if (!part) {
                        a->flash.push_back({});
                        part = &a->flash.back();
                        part->type = type;
                        part->instance = inst;
                    }
                    part->offset = p.value("offset", part->offset);
                    part->size = p.value("size", part->size);
                    part->version = p.value("version", part->version);
                    std::string data;
                    if (read_file(flash_file(dir, *a, *part), data))
                        part->data.assign(data.begin(), data.end());
                }
            }
        }
        for (auto &f : h.functions) {
            auto it = j["functions"].find(f->pci);
            if (it == j["functions"].end())
                continue;
            const json &s = *it;
            f->port_name = s.value("port_name", f->port_name);
            f->state = s.value("state", f->state);
            if (s.contains("current_mac"))
                parse_mac(s["current_mac"].get<std::string>(), f->current_mac);
            if (s.contains("settings"))
                f->settings = s["settings"];
            if (s.contains("vports")) {
                f->vports.clear();
                for (const auto &v : s["vports"]) {
                    Vport vp;
                    parse_wwn(v["pwwn"].get<std::string>(), vp.pwwn);
                    parse_wwn(v["nwwn"].get<std::string>(), vp.nwwn);
                    vp.symname = v.value("symname", "");
                    vp.number = v.value("number", 0);
                    f->vports.push_back(vp);
                }
            }
        }
        return true;
    } catch (const std::exception &e) {
        err = "state " + dir + "/tvasim-state.json: " + e.what();
        return false;
    }
}

bool save_state(Host &h, const std::string &dir, std::string &err)
{
    json j;
    j["uptime"] = h.uptime();
    j["globals"] = h.globals;
    j["adapters"] = json::object();
    j["functions"] = json::object();
    if (mkdir((dir + "/flash").c_str(), 0755) != 0 && errno != EEXIST) {
        err = "cannot create " + dir + "/flash";
        return false;
    }
    for (auto &a : h.adapters) {
        json s;
        s["name"] = a->name;
        s["fw_ver"] = a->fw_ver;
        s["optrom_ver"] = a->optrom_ver;
        s["bios_ver"] = a->bios_ver;
        s["efi_ver"] = a->efi_ver;
        s["ob_ver"] = a->ob_ver;
        s["settings"] = a->settings;
        s["vpd"] = a->vpd;
        s["flash"] = json::array();
        for (auto &p : a->flash) {
            s["flash"].push_back({{"type", p.type}, {"instance", p.instance}, {"offset", p.offset},
                                  {"size", p.size}, {"version", p.version}});
            std::string path = flash_file(dir, *a, p);
            std::ofstream out(path + ".tmp", std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char *>(p.data.data()), static_cast<std::streamsize>(p.data.size()));
            out.close();
            if (!out || rename((path + ".tmp").c_str(), path.c_str()) != 0) {
                err = "cannot write " + path;
                return false;
            }
        }
        j["adapters"][a->serial] = s;
    }
    for (auto &f : h.functions) {
        json s;
        s["port_name"] = f->port_name;
        s["state"] = f->state;
        s["current_mac"] = mac_str(f->current_mac);
        s["settings"] = f->settings;
        s["vports"] = json::array();
        for (auto &v : f->vports)
            s["vports"].push_back({{"pwwn", wwn_str(v.pwwn)}, {"nwwn", wwn_str(v.nwwn)},
                                   {"symname", v.symname}, {"number", v.number}});
        j["functions"][f->pci] = s;
    }
    std::string path = dir + "/tvasim-state.json";
    std::ofstream out(path + ".tmp", std::ios::trunc);
    out << j.dump(2) << "\n";
    out.close();
    if (!out || rename((path + ".tmp").c_str(), path.c_str()) != 0) {
        err = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace tvasim
