// Runs a shell command line and collects what it prints: the way end-to-end
// tests start the emulated host and the programs under it.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace tvatest {

struct CommandResult {
    int status = -1; // exit status, or -1 when the command did not exit normally
    std::string out; // standard output (and whatever the command line redirects into it)
};

inline CommandResult RunCommand(const std::string &cmd)
{
    CommandResult r;
    FILE *p = popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), p)) > 0)
        r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

// One word for sh, whatever it holds.
inline std::string ShellQuote(const std::string &s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace tvatest
