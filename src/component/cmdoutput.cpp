#include "cmdoutput.h"

#include <cstdio>
#include <memory>

namespace {
struct PipeClose {
    void operator()(FILE *f) const { pclose(f); }
};
} // namespace

std::string ReadCommandOutput(const std::string &command)
{
    std::unique_ptr<FILE, PipeClose> pipe(popen(command.c_str(), "r"));
    if (!pipe)
        return "ERROR";
    std::string out;
    char buf[128];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf - 1, pipe.get())) > 0)
        out.append(buf, n);
    return out;
}
