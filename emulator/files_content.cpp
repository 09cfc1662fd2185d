/* What the emulated drivers answer on their answering files: traces, saved
 * state, registers and virtual ports. */
#include <cerrno>
#include <cstdio>

#include "sim.h"
#include "testbed.h"

namespace tvasim {

namespace {

constexpr size_t TRACE_SIZE = 65568;

void put32(std::string &s, size_t off, uint32_t v)
{
    std::memcpy(&s[off], &v, 4);
}

/* A trace buffer: a header naming the function, then 32-byte entries with a
 * time stamp, a sequence number and a short text. */
std::string trace(Function &fn, const char *kind, uint32_t entries)
{
    std::string out(TRACE_SIZE, '\0');
    std::string head = std::string("TVATRC ") + kind + " " + fn.pci;
    std::memcpy(&out[0], head.data(), std::min<size_t>(head.size(), 31));
    put32(out, 32, entries);
    uint64_t t0 = static_cast<uint64_t>(host().uptime() * 1000.0);
    for (uint32_t i = 0; i < entries && 64 + (i + 1) * 32 <= TRACE_SIZE; ++i) {
        size_t off = 64 + i * 32;
        uint64_t ts = t0 - (entries - i) * 10;
        std::memcpy(&out[off], &ts, 8);
        put32(out, off + 8, i);
        char text[16];
        std::snprintf(text, sizeof(text), "%s ev%u", kind, i % 97);
        std::memcpy(&out[off + 12], text, std::min<size_t>(std::strlen(text), 20));
    }
    return out;
}

uint32_t reg_default(const Function &fn, uint32_t off)
{
    /* plausible, stable contents: the function number and the offset mixed */
    return (off * 2654435761u) ^ (0x1657u << 16) ^ static_cast<uint32_t>(fn.pcifn);
}

std::string reg_key(uint32_t off)
{
    char b[16];
    std::snprintf(b, sizeof(b), "%08x", off);
    return b;
}

/* "pwwn:nwwn" as 16 hex digits each. */
bool parse_vport(const std::string &text, Wwn &p, Wwn &n)
{
    std::string t = text;
    while (!t.empty() && (t.back() == '\n' || t.back() == '\r' || t.back() == ' '))
        t.pop_back();
    auto c = t.find(':');
    if (c != 16 || t.size() != 33)
        return false;
    return parse_wwn(t.substr(0, 16), p) && parse_wwn(t.substr(17), n);
}

/* The function of host hn and the two WWNs written to one of its files. */
int vport_target(int hn, const std::string &text, Function *&f, Wwn &p, Wwn &n)
{
    f = host().by_host(hn);
    if (!f)
        return ENODEV;
    return parse_vport(text, p, n) ? 0 : EINVAL;
}

void update_inuse(const Function &f)
{
    sysfs_write("/sys/class/fc_host/host" + std::to_string(f.host) + "/npiv_vports_inuse",
                std::to_string(f.vports.size()) + "\n");
}

} // namespace

std::string debug_file_contents(Function &fn, const std::string &name)
{
    if (name == "drvtrc") {
        bool on = fn.settings.value("drv_trace", true);
        return trace(fn, "drv", on ? 1500 : 0);
    }
    if (name == "fwtrc")
        return trace(fn, "fw", 1800);
    if (name == "fwsave") {
        if (fn.settings.value("fwsave_cleared", false))
            return std::string(TRACE_SIZE, '\0');
        return trace(fn, "fwsave", 400);
    }
    return {};
}

std::string reg_read(Function &fn, uint32_t offset, uint32_t count, int &err)
{
    if (count == 0 || count > 16384 || offset % 4 || uint64_t(offset) + uint64_t(count) * 4 > 0x100000000ull) {
        err = EINVAL;
        return {};
    }
    std::string out(count * 4, '\0');
    const json *regs = fn.settings.contains("regs") ? &fn.settings["regs"] : nullptr;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t off = offset + i * 4;
        uint32_t v = reg_default(fn, off);
        if (regs) {
            auto it = regs->find(reg_key(off));
            if (it != regs->end())
                v = it->get<uint32_t>();
        }
        std::memcpy(&out[i * 4], &v, 4);
    }
    return out;
}

int reg_write(Function &fn, uint32_t offset, uint32_t value)
{
    if (offset % 4)
        return EINVAL;
    fn.settings["regs"][reg_key(offset)] = value;
    return 0;
}

int vport_create(int hn, const std::string &text)
{
    Function *f;
    Wwn p, n;
    if (int e = vport_target(hn, text, f, p, n))
        return e;
    if (static_cast<int>(f->vports.size()) >= f->max_vports)
        return ENOSPC;
    if (p == f->pwwn)
        return EINVAL;
    for (auto &fp : host().functions)
        for (auto &v : fp->vports)
            if (v.pwwn == p)
                return EEXIST;
    Vport v;
    v.pwwn = p;
    v.nwwn = n;
    /* numbers are never reused while the host runs */
    int next = f->settings.value("next_vport", 0);
    for (auto &o : f->vports)
        next = std::max(next, o.number + 1);
    v.number = next;
    f->settings["next_vport"] = next + 1;
    f->vports.push_back(v);
    add_vport_dir(*f, v);
    update_inuse(*f);
    return 0;
}

int vport_delete(int hn, const std::string &text)
{
    Function *f;
    Wwn p, n;
    if (int e = vport_target(hn, text, f, p, n))
        return e;
    for (auto it = f->vports.begin(); it != f->vports.end(); ++it) {
        if (it->pwwn != p)
            continue;
        remove_vport_dir(*f, *it);
        f->vports.erase(it);
        update_inuse(*f);
        return 0;
    }
    return ENOENT;
}

/* A symbolic name written to a virtual port's sysfs file is picked up
 * when the state is saved. */
void refresh_vport_names()
{
    for (auto &f : host().functions)
        for (auto &v : f->vports) {
            std::string path = host().root() + "/sys/class/fc_vports/vport-" + std::to_string(f->host) + ":0-" +
                               std::to_string(v.number) + "/symbolic_name";
            FILE *in = std::fopen(path.c_str(), "r");
            if (!in)
                continue;
            char buf[256] = {};
            size_t n = std::fread(buf, 1, sizeof(buf) - 1, in);
            std::fclose(in);
            std::string s(buf, n);
            while (!s.empty() && s.back() == '\n')
                s.pop_back();
            v.symname = s;
        }
}

} // namespace tvasim
