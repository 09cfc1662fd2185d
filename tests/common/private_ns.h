// Runs a command in a private mount namespace (tests/common/nsrun.sh): /etc and
// /var are copy-on-write, /var/zqm is an empty tmpfs, so tests never touch the
// host's log or configuration. Captures the exit status and both outputs.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef TVA_SOURCE_DIR
#error "TVA_SOURCE_DIR must name the source tree"
#endif

namespace tva_test {

struct NsResult {
    int status = -1;  // exit status, or 128 + signal, or -1 when it did not run
    std::string out;
    std::string err;
};

struct NsOptions {
    std::string setup;  // shell text run inside the namespace before the command
    std::string dir;    // working directory of the command
};

inline std::string ReadWholeFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// argv[0] is looked up in PATH unless it holds a "/".
inline NsResult RunInPrivateNs(const std::vector<std::string> &argv, const NsOptions &opt = {})
{
    NsResult r;
    char outPath[] = "/tmp/nsrun-out.XXXXXX";
    char errPath[] = "/tmp/nsrun-err.XXXXXX";
    int outFd = mkstemp(outPath);
    int errFd = mkstemp(errPath);
    if (outFd < 0 || errFd < 0) {
        if (outFd >= 0) { close(outFd); unlink(outPath); }
        if (errFd >= 0) { close(errFd); unlink(errPath); }
        return r;
    }

    std::vector<std::string> args = {"sh", TVA_SOURCE_DIR "/tests/common/nsrun.sh"};
    if (!opt.setup.empty()) { args.push_back("-s"); args.push_back(opt.setup); }
    if (!opt.dir.empty()) { args.push_back("-C"); args.push_back(opt.dir); }
    args.push_back("--");
    args.insert(args.end(), argv.begin(), argv.end());
    std::vector<char *> cargv;
    for (std::string &a : args)
        cargv.push_back(a.data());
    cargv.push_back(nullptr);

    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int in = open("/dev/null", O_RDONLY);
        if (in >= 0) dup2(in, 0);
        dup2(outFd, 1);
        dup2(errFd, 2);
        execvp("sh", cargv.data());
        _exit(126);
    }
    close(outFd);
    close(errFd);
    if (pid > 0) {
        int ws = 0;
        pid_t w;
        while ((w = waitpid(pid, &ws, 0)) < 0 && errno == EINTR) {}
        if (w == pid)
            r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
    }
    r.out = ReadWholeFile(outPath);
    r.err = ReadWholeFile(errPath);
    unlink(outPath);
    unlink(errPath);
    return r;
}

// The same for one shell command line.
inline NsResult RunShellInPrivateNs(const std::string &command, const NsOptions &opt = {})
{
    return RunInPrivateNs({"sh", "-c", command}, opt);
}

} // namespace tva_test
