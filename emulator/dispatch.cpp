/* Request dispatch and fault injection. */
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>
#include <unistd.h>

#include "sim.h"

namespace tvasim {

namespace {
std::vector<Fault> g_faults;
std::mutex g_fault_lock;

struct ErrnoName {
    const char *name;
    int value;
};
const ErrnoName errno_names[] = {
    {"EPERM", EPERM},   {"ENOENT", ENOENT}, {"EINTR", EINTR},   {"EIO", EIO},         {"ENXIO", ENXIO},
    {"EBADF", EBADF},   {"EAGAIN", EAGAIN}, {"ENOMEM", ENOMEM}, {"EACCES", EACCES},   {"EBUSY", EBUSY},
    {"ENODEV", ENODEV}, {"EINVAL", EINVAL}, {"ENOTTY", ENOTTY}, {"ENOSPC", ENOSPC},   {"ETIMEDOUT", ETIMEDOUT},
    {"EOPNOTSUPP", EOPNOTSUPP},
};

bool to_long(const std::string &s, long &out)
{
    if (s.empty())
        return false;
    char *end = nullptr;
    errno = 0;
    long v = std::strtol(s.c_str(), &end, 0);
    if (errno || *end || v < 0)
        return false;
    out = v;
    return true;
}
} // namespace

bool parse_fault(const std::string &spec, Fault &f, std::string &err)
{
    f = Fault{};
    auto eq = spec.find('=');
    if (eq == std::string::npos) {
        err = "fault \"" + spec + "\": CODE[@PCI]=ACTION expected";
        return false;
    }
    std::string target = spec.substr(0, eq);
    std::string rest = spec.substr(eq + 1);
    if (auto at = target.find('@'); at != std::string::npos) {
        f.pci = target.substr(at + 1);
        target = target.substr(0, at);
        if (f.pci.empty()) {
            err = "fault \"" + spec + "\": empty function after @";
            return false;
        }
    }
    if (target == "*" || target == "any") {
        f.code = 0;
    } else {
        long v;
        if (!to_long(target, v) || v > 0xffffffffL || v == 0) {
            err = "fault \"" + spec + "\": bad request code \"" + target + "\"";
            return false;
        }
        f.code = static_cast<uint32_t>(v);
    }
    /* ACTION[:VALUE] then ,key=value options */
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        auto c = rest.find(',', start);
        parts.push_back(rest.substr(start, c == std::string::npos ? std::string::npos : c - start));
        if (c == std::string::npos)
            break;
        start = c + 1;
    }
    std::string action = parts[0], value;
    if (auto c = action.find(':'); c != std::string::npos) {
        value = action.substr(c + 1);
        action = action.substr(0, c);
    }
    if (action == "status") {
        f.kind = Fault::Kind::Status;
        if (!to_long(value, f.value) || f.value > 254) {
            err = "fault \"" + spec + "\": status:N with N from 0 to 254 expected";
            return false;
        }
    } else if (action == "errno") {
        f.kind = Fault::Kind::Errno;
        bool named = false;
        for (const auto &e : errno_names)
            if (value == e.name) {
                f.value = e.value;
                named = true;
            }
        if (!named && (!to_long(value, f.value) || f.value == 0 || f.value > 4095)) {
            err = "fault \"" + spec + "\": errno:N or errno:NAME (EIO, ENOTTY, ...) expected";
            return false;
        }
    } else if (action == "delay") {
        f.kind = Fault::Kind::Delay;
        if (!to_long(value, f.value) || f.value > 3600000) {
            err = "fault \"" + spec + "\": delay:MILLISECONDS expected";
            return false;
        }
    } else if (action == "corrupt") {
        f.kind = Fault::Kind::Corrupt;
        if (!value.empty()) {
            err = "fault \"" + spec + "\": corrupt takes no value";
            return false;
        }
    } else {
        err = "fault \"" + spec + "\": action status, errno, delay or corrupt expected";
        return false;
    }
    for (size_t i = 1; i < parts.size(); ++i) {
        auto e = parts[i].find('=');
        std::string k = parts[i].substr(0, e), v = e == std::string::npos ? "" : parts[i].substr(e + 1);
        long n;
        if (k == "times" && to_long(v, n))
            f.times = n;
        else if (k == "after" && to_long(v, n))
            f.after = n;
        else {
            err = "fault \"" + spec + "\": option times=N or after=N expected, got \"" + parts[i] + "\"";
            return false;
        }
    }
    return true;
}

void set_faults(std::vector<Fault> faults)
{
    std::lock_guard<std::mutex> g(g_fault_lock);
    g_faults = std::move(faults);
}

FaultOutcome check_faults(uint32_t code, const Function *fn)
{
    FaultOutcome out;
    std::lock_guard<std::mutex> g(g_fault_lock);
    for (auto &f : g_faults) {
        if (f.code && f.code != code)
            continue;
        if (!f.pci.empty() && (!fn || fn->pci != f.pci))
            continue;
        if (f.seen++ < f.after)
            continue;
        if (f.times == 0)
            continue;
        if (f.times > 0)
            --f.times;
        switch (f.kind) {
        case Fault::Kind::Status:
            if (!out.status_set) {
                out.status_set = true;
                out.status = static_cast<uint32_t>(f.value);
            }
            break;
        case Fault::Kind::Errno:
            if (!out.err)
                out.err = static_cast<int>(f.value);
            break;
        case Fault::Kind::Delay:
            out.delay_ms += f.value;
            break;
        case Fault::Kind::Corrupt:
            out.corrupt = true;
            break;
        }
    }
    return out;
}

namespace {

void run_handler(Request &req, const FaultOutcome &fo)
{
    if (fo.err) {
        req.error = fo.err;
        return;
    }
    if (fo.status_set) {
        req.set_status(fo.status);
        return;
    }
    Handler h = find_handler(req.code);
    {
        std::lock_guard<std::mutex> g(host().lock);
        try {
            if (h)
                h(req);
            else
                req.set_status(TVA_STATUS_CMD_NOTSUPP);
        } catch (const std::exception &e) {
            /* a handler's fault must not take the emulated host down */
            std::fprintf(stderr, "tvasim: request 0x%08x on %s: %s\n", req.code, req.fn ? req.fn->pci.c_str() : "-",
                         e.what());
            req.set_status(TVA_STATUS_FAILED);
        }
    }
    if (fo.corrupt && req.len > 8 && !req.error) {
        /* a read-back that differs: every answer byte after the header flipped */
        for (size_t i = 8; i < req.len; ++i)
            req.data[i] ^= 0x5a;
    }
}

} // namespace

FaultOutcome begin_request(Request &req)
{
    return check_faults(req.code, req.fn);
}

void finish_request(Request &req, const FaultOutcome &fo)
{
    run_handler(req, fo);
}

void serve_blocking(Request &req)
{
    FaultOutcome fo = begin_request(req);
    if (fo.delay_ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(fo.delay_ms));
    run_handler(req, fo);
}

Function *storage_by_instance(int n)
{
    for (auto &f : host().functions)
        if (f->storage() && f->bound && f->instance == n)
            return f.get();
    return nullptr;
}

} // namespace tvasim
