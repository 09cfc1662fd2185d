#include "cmplog.h"
#include "textconv.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

void CCmpLog::Prepare()
{
    // The flash engines append to the same file through the shell, so the
    // directory and file are made the same way.
    (void)std::system("mkdir -p /var/zqm");
    (void)std::system("touch /var/zqm/Component.log");
}

void CCmpLog::Emit(const char *data, size_t len)
{
    if (!silent && len)
        std::fwrite(data, 1, len, stdout);
    // Opened and closed per message: a child started between two messages
    // appends its own output in between.
    FILE *f = std::fopen(path.c_str(), "a");
    if (!f) {
        std::fputs("ERROR : Unable to write to log file\n", stdout);
        return;
    }
    if (len)
        std::fwrite(data, 1, len, f);
    std::fclose(f);
}

CCmpLog &CCmpLog::Write(const char *text)
{
    Emit(text, std::char_traits<char>::length(text));
    return *this;
}

CCmpLog &CCmpLog::Write(const std::string &text)
{
    Emit(text.data(), text.size());
    return *this;
}

CCmpLog &CCmpLog::Write(const std::wstring &text)
{
    const std::string n = NarrowBytes(text);
    Emit(n.data(), n.size());
    return *this;
}

CCmpLog &CCmpLog::Write(int value)
{
    return Write(static_cast<long>(value));
}

CCmpLog &CCmpLog::Write(long value)
{
    char buf[24];
    int n = std::snprintf(buf, sizeof buf, "%ld", value);
    Emit(buf, static_cast<size_t>(n));
    return *this;
}

std::wstring WidenLocale(const std::string &s)
{
    std::wstring w;
    std::mbstate_t st{};
    const char *p = s.c_str();
    const char *end = p + s.size();
    while (p < end) {
        wchar_t wc;
        size_t n = std::mbrtowc(&wc, p, static_cast<size_t>(end - p), &st);
        if (n == 0 || n == static_cast<size_t>(-1) || n == static_cast<size_t>(-2))
            break;
        w.push_back(wc);
        p += n;
    }
    return w;
}
