#include "pciid.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct PipeCloser {
    void operator()(FILE *f) const { pclose(f); }
};
using Pipe = std::unique_ptr<FILE, PipeCloser>;

Pipe RunCommand(const std::string &command)
{
    return Pipe(popen(command.c_str(), "r"));
}

// Next line of a command's output without its line end; false at the end.
bool ReadLine(FILE *f, std::string &line)
{
    char *buf = nullptr;
    size_t cap = 0;
    ssize_t n = getline(&buf, &cap, f);
    if (n >= 0) {
        line.assign(buf, static_cast<size_t>(n));
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
    }
    free(buf);
    return n >= 0;
}

std::string Format(const char *fmt, auto... args)
{
    int n = snprintf(nullptr, 0, fmt, args...);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    snprintf(s.data(), s.size() + 1, fmt, args...);
    return s;
}

// The directory goes into shell commands unquoted; sysfs device paths never
// hold anything beyond these characters.
bool IsPlainPath(const std::string &path)
{
    for (unsigned char c : path) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
                     c == '.' || c == '_' || c == ':' || c == '-' || c == '+' || c == ',' || c == '@';
        if (!plain)
            return false;
    }
    return !path.empty();
}

bool Exists(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

bool IsAdapterDirectory(const std::string &dir, uint16_t subsystemVendor, uint16_t subsystemDevice)
{
    if (!Exists(dir + "/subsystem_device") || !Exists(dir + "/vendor") || !Exists(dir + "/device"))
        return false;
    Pipe count = RunCommand(Format("cat %s/subsystem_vendor %s/subsystem_device | grep -i -E '%.4x|%.4x' | wc -l",
                                   dir.c_str(), dir.c_str(), subsystemVendor, subsystemDevice));
    std::string line;
    return count && ReadLine(count.get(), line) && atoi(line.c_str()) == 2;
}

bool ParseHex(const std::string &text, unsigned long &value)
{
    const char *begin = text.c_str();
    char *end = nullptr;
    value = strtoul(begin, &end, 16);
    return end != begin;
}

}  // namespace

std::string PciSearchCommand(uint8_t domain, uint8_t bus, uint8_t function)
{
    return Format("find /sys -name subsystem_vendor | grep -i -e '%.4x:%.2x:\\(\\w\\)*\\.%x'", domain, bus, function);
}

std::string PciIdOf(uint8_t domain, uint8_t bus, uint8_t function, uint16_t subsystemVendor, uint16_t subsystemDevice)
{
    std::string result = "N/A";
    std::string dir;
    {
        Pipe find = RunCommand(PciSearchCommand(domain, bus, function));
        if (!find)
            return result;
        std::string line;
        while (ReadLine(find.get(), line)) {
            size_t slash = line.rfind('/');
            if (slash == std::string::npos)
                continue;
            std::string candidate = line.substr(0, slash);
            if (IsPlainPath(candidate) && IsAdapterDirectory(candidate, subsystemVendor, subsystemDevice)) {
                dir = candidate;
                break;
            }
        }
    }
    if (dir.empty())
        return result;

    Pipe ids = RunCommand(Format("cat %s/vendor %s/device", dir.c_str(), dir.c_str()));
    std::string vendorLine, deviceLine;
    unsigned long vendor, device;
    if (ids && ReadLine(ids.get(), vendorLine) && ReadLine(ids.get(), deviceLine) && ParseHex(vendorLine, vendor) &&
        ParseHex(deviceLine, device))
        result = Format("%.4lx%.4lx", vendor, device);
    return result;
}
