#include <cstdio>
#include <ctime>
#include <unordered_map>

#include "tvasim.h"

namespace tvasim {

wwn_t to_wwn_t(const Wwn &w)
{
    return tval_wwn_from_bytes(w.data());
}

Wwn from_wwn_t(wwn_t v)
{
    Wwn w;
    std::memcpy(w.data(), &v, 8);
    return w;
}

std::string wwn_str(const Wwn &w)
{
    char b[24];
    std::snprintf(b, sizeof(b), "%02x:%02x:%02x:%02x:%02x:%02x:%02x:%02x", w[0], w[1], w[2], w[3], w[4], w[5],
                  w[6], w[7]);
    return b;
}

std::string wwn_hex(const Wwn &w)
{
    char b[17];
    std::snprintf(b, sizeof(b), "%02x%02x%02x%02x%02x%02x%02x%02x", w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7]);
    return b;
}

std::string mac_str(const Mac &m)
{
    char b[18];
    std::snprintf(b, sizeof(b), "%02x:%02x:%02x:%02x:%02x:%02x", m[0], m[1], m[2], m[3], m[4], m[5]);
    return b;
}

namespace {

template <size_t N> bool parse_bytes(std::string s, std::array<uint8_t, N> &out)
{
    if (s.rfind("0x", 0) == 0 || s.rfind("0X", 0) == 0)
        s = s.substr(2);
    std::string digits;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == ':' || c == '-') {
            /* separators only between pairs */
            if (digits.size() % 2 != 0 || digits.empty())
                return false;
            continue;
        }
        if (!isxdigit(static_cast<unsigned char>(c)))
            return false;
        digits += c;
    }
    if (digits.size() != 2 * N)
        return false;
    for (size_t i = 0; i < N; ++i)
        out[i] = static_cast<uint8_t>(std::stoul(digits.substr(2 * i, 2), nullptr, 16));
    return true;
}

} // namespace

bool parse_wwn(const std::string &s, Wwn &out)
{
    return parse_bytes(s, out);
}

bool parse_mac(const std::string &s, Mac &out)
{
    return parse_bytes(s, out);
}

std::string Function::node() const
{
    return (legacy_node ? "/dev/fc_host" : "/dev/bsg/fc_host") + std::to_string(host);
}

Partition *Adapter::partition(uint32_t t, uint32_t inst)
{
    for (auto &p : flash)
        if (p.type == t && p.instance == inst)
            return &p;
    return nullptr;
}

/* ---- handler registry ------------------------------------------------------ */

namespace {
std::unordered_map<uint32_t, Handler> &registry()
{
    static std::unordered_map<uint32_t, Handler> r;
    return r;
}
} // namespace

Register::Register(uint32_t code, const char *name, Handler h)
{
    auto [it, fresh] = registry().emplace(code, h);
    if (!fresh && it->second != h)
        std::fprintf(stderr, "tvasim: request 0x%08x registered twice (%s)\n", code, name);
}

Handler find_handler(uint32_t code)
{
    auto &r = registry();
    auto it = r.find(code);
    return it == r.end() ? nullptr : it->second;
}

namespace {
std::vector<PartitionHook> &partition_hooks()
{
    static std::vector<PartitionHook> h;
    return h;
}
} // namespace

OnPartitionWrite::OnPartitionWrite(PartitionHook h)
{
    partition_hooks().push_back(h);
}

void partition_written(Adapter &a, Partition &p)
{
    for (auto h : partition_hooks())
        h(a, p);
}

/* ---- host ------------------------------------------------------------------ */

Host &host()
{
    static Host h;
    return h;
}

Function *Host::by_pci(const std::string &pci)
{
    for (auto &f : functions)
        if (f->pci == pci)
            return f.get();
    return nullptr;
}

Function *Host::by_host(int hn)
{
    for (auto &f : functions)
        if (f->storage() && f->host == hn)
            return f.get();
    return nullptr;
}

Function *Host::by_eth_instance(int instance)
{
    for (auto &f : functions)
        if (!f->storage() && f->bound && f->instance == instance)
            return f.get();
    return nullptr;
}

Function *Host::by_pwwn(const Wwn &w)
{
    for (auto &f : functions)
        if (f->storage() && f->pwwn == w)
            return f.get();
    return nullptr;
}

static double now_mono()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

void Host::start_clock()
{
    epoch_ = now_mono();
}

double Host::uptime() const
{
    return now_mono() - epoch_;
}

uint64_t Host::counter(uint64_t base, double per_second) const
{
    return base + static_cast<uint64_t>(uptime() * per_second);
}

} // namespace tvasim
