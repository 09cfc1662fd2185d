// Feeds each line of the input to the /etc/hba.conf line parser and to
// CleanText, and checks what they promise.
#include "fchbaadapter.h"
#include "hbadispatch.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool IsPathChar(unsigned char c)
{
    return c == '_' || c == '.' || c == '/' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
           (c >= 'A' && c <= 'Z');
}

void CheckConfLine(const std::string &line)
{
    char name[kHbaLibraryNameSize], path[kHbaLibraryPathSize];
    memset(name, 'x', sizeof name);
    memset(path, 'x', sizeof path);
    if (!HbaParseConfLine(line.c_str(), name, sizeof name, path, sizeof path))
        return;
    size_t n = strnlen(name, sizeof name), p = strnlen(path, sizeof path);
    if (n == 0 || n == sizeof name || p == 0 || p == sizeof path)
        abort();
    for (size_t i = 0; i < p; i++)
        if (!IsPathChar(static_cast<unsigned char>(path[i])))
            abort();
}

void CheckCleanText(const std::string &text)
{
    std::string buf = text + '\0';
    CleanText(buf.data());
    size_t len = strlen(buf.c_str());
    if (len > strlen(text.c_str()))
        abort();
    for (size_t i = 1; i < len; i++)
        if (buf[i] == ' ' && buf[i - 1] == ' ')
            abort();
    unsigned char last = static_cast<unsigned char>(buf[len ? len - 1 : 0]);
    if (len > 1 && (last < 0x21 || last > 0x7d))
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string input(reinterpret_cast<const char *>(data), size);
    size_t start = 0;
    while (start <= input.size()) {
        size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        std::string line = input.substr(start, end - start);
        line = line.substr(0, strlen(line.c_str()));  // as C text
        CheckConfLine(line.substr(0, 511));
        CheckCleanText(line);
        start = end + 1;
    }
    return 0;
}
