// Runs tvcli (or any command) inside the emulated host from a scratch
// directory holding the scenario, the emulator's state and the files the
// command reads and writes.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sim {

const std::string kBin = TVA_BINARY_DIR "/bin/";

struct Result {
    int status = -1;
    std::string out, err;
};

inline std::string Slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<uint8_t> SlurpBytes(const std::string &path)
{
    std::string s = Slurp(path);
    return std::vector<uint8_t>(s.begin(), s.end());
}

inline void Spit(const std::string &path, const std::vector<uint8_t> &b)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(b.data()), (std::streamsize)b.size());
}

inline void Spit(const std::string &path, const std::string &s)
{
    std::ofstream(path, std::ios::binary) << s;
}

inline bool HaveEmulator()
{
    return access((kBin + "tvasim").c_str(), X_OK) == 0 && access((kBin + "tvcli").c_str(), X_OK) == 0;
}

// Runs argv with dir as the working directory and input on standard input.
inline Result Exec(const std::vector<std::string> &argv, const std::string &dir, const std::string &input,
                   const std::string &preload = "")
{
    Result r;
    std::string in = dir + "/.stdin", out = dir + "/.stdout", err = dir + "/.stderr";
    Spit(in, input);
    std::vector<char *> av;
    for (const auto &a : argv)
        av.push_back(const_cast<char *>(a.c_str()));
    av.push_back(nullptr);
    fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        if (!preload.empty()) {
            setenv("LD_PRELOAD", preload.c_str(), 1);
            // sanitized builds: the preload comes before the sanitizer runtime
            const char *asan = getenv("ASAN_OPTIONS");
            std::string opts = std::string(asan ? asan : "") + (asan && *asan ? ":" : "") + "verify_asan_link_order=0";
            setenv("ASAN_OPTIONS", opts.c_str(), 1);
        }
        if (chdir(dir.c_str()) != 0 || !freopen(in.c_str(), "r", stdin) || !freopen(out.c_str(), "w", stdout) ||
            !freopen(err.c_str(), "w", stderr))
            _exit(126);
        execv(av[0], av.data());
        _exit(127);
    }
    int ws = 0;
    waitpid(pid, &ws, 0);
    r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
    r.out = Slurp(out);
    // the emulator's FUSE layer may note on stderr that it runs without
    // clone_fd; that is the emulator talking, not the command
    std::string e = Slurp(err), kept;
    size_t pos = 0;
    while (pos < e.size()) {
        size_t nl = e.find('\n', pos);
        size_t end = nl == std::string::npos ? e.size() : nl + 1;
        if (e.compare(pos, 6, "fuse: ") != 0)
            kept += e.substr(pos, end - pos);
        pos = end;
    }
    r.err = kept;
    return r;
}

// A scratch host: scenario text, state kept across runs, working directory.
class Host {
public:
    std::string dir;

    explicit Host(const std::string &scenario)
    {
        char tmpl[] = "/tmp/tvasim-boot.XXXXXX";
        dir = mkdtemp(tmpl);
        Spit(dir + "/scenario.json", scenario);
        std::filesystem::create_directory(dir + "/state");
    }
    ~Host() { std::filesystem::remove_all(dir); }

    std::string path(const std::string &name) const { return dir + "/" + name; }

    // tvcli with the given words; faults are tvasim --fault specs.
    Result Tvcli(const std::vector<std::string> &words, const std::string &input = "",
                 const std::vector<std::string> &faults = {}) const
    {
        std::vector<std::string> cmd = {kBin + "tvcli"};
        cmd.insert(cmd.end(), words.begin(), words.end());
        return Run(cmd, input, faults);
    }

    // preload: a library the command runs with (beside the emulator's own)
    std::string preload;

    Result Run(const std::vector<std::string> &cmd, const std::string &input = "",
               const std::vector<std::string> &faults = {}) const
    {
        std::vector<std::string> argv = {kBin + "tvasim", "run", "--scenario", dir + "/scenario.json",
                                         "--state", dir + "/state"};
        for (const auto &f : faults) {
            argv.push_back("--fault");
            argv.push_back(f);
        }
        argv.push_back("--");
        argv.insert(argv.end(), cmd.begin(), cmd.end());
        return Exec(argv, dir, input, preload);
    }

    // Several tvcli commands in one run of the emulator, each with its own
    // exit status and outputs.
    std::vector<Result> TvcliMany(const std::vector<std::vector<std::string>> &commands,
                                  const std::vector<std::string> &faults = {}) const
    {
        std::string script;
        for (size_t i = 0; i < commands.size(); i++) {
            script += "'" + kBin + "tvcli'";
            for (const auto &w : commands[i])
                script += " '" + w + "'";
            std::string n = std::to_string(i);
            script += " </dev/null >.out" + n + " 2>.err" + n + "; echo $? >.rc" + n + "\n";
        }
        Result all = Run({"/bin/sh", "-c", script}, "", faults);
        EXPECT_EQ(all.status, 0) << all.err;
        std::vector<Result> out;
        for (size_t i = 0; i < commands.size(); i++) {
            std::string n = std::to_string(i);
            Result r;
            r.status = atoi(Slurp(path(".rc" + n)).c_str());
            r.out = Slurp(path(".out" + n));
            r.err = Slurp(path(".err" + n));
            out.push_back(r);
        }
        return out;
    }

    struct Part {
        int ad;
        std::string opt; // flash --read option: -f, -o, -t, ...
        size_t size;
        int instance = 0;
    };

    // Reads partitions with flash --read, all in one run of the emulator.
    std::vector<std::vector<uint8_t>> ReadParts(const std::vector<Part> &parts) const
    {
        std::string script;
        for (size_t i = 0; i < parts.size(); i++) {
            const Part &p = parts[i];
            script += "'" + kBin + "tvcli' flash --read " + std::to_string(p.ad) + " " + p.opt + " part" +
                      std::to_string(i) + ".bin -i " + std::to_string(p.instance) + " -d " +
                      std::to_string(p.size) + " >/dev/null || echo failed " + std::to_string(i) + "\n";
        }
        Result r = Run({"/bin/sh", "-c", script});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "") << r.err;
        std::vector<std::vector<uint8_t>> out;
        for (size_t i = 0; i < parts.size(); i++)
            out.push_back(SlurpBytes(path("part" + std::to_string(i) + ".bin")));
        return out;
    }

    std::vector<uint8_t> ReadPart(int ad, const std::string &opt, size_t size, int instance = 0) const
    {
        return ReadParts({{ad, opt, size, instance}})[0];
    }
};

// One adapter of a scenario: FC functions for each port, PCI bus "bus".
inline std::string Adapter(int bus, const std::string &serial, int card_type, const std::string &extra = "",
                           int ports = 1, const std::string &devid = "0x0013")
{
    char hex[8];
    snprintf(hex, sizeof(hex), "%02x", bus);
    std::string fns;
    for (int p = 0; p < ports; p++) {
        char fn[512];
        snprintf(fn, sizeof(fn),
                 "%s{ \"pci\": \"0000:%s:00.%d\", \"type\": \"fc\", \"port\": %d, \"device_id\": \"%s\", "
                 "\"pwwn\": \"10:00:00:16:57:%s:00:%02x\", \"nwwn\": \"20:00:00:16:57:%s:00:%02x\" }",
                 p ? ", " : "", hex, p, p, devid.c_str(), hex, p, hex, p);
        fns += fn;
    }
    // every adapter carries some VPD unless the caller gives its own
    std::string more = extra;
    if (more.find("\"vpd\"") == std::string::npos)
        more += std::string(more.empty() ? "" : ", ") + "\"vpd\": {\"data\": \"PN:TV-" + std::to_string(card_type) +
                " SN:" + serial + "\"}";
    return "{ \"serial\": \"" + serial + "\", \"card_type\": " + std::to_string(card_type) + ", " + more +
           ", \"functions\": [" + fns + "] }";
}

inline std::string Scenario(const std::vector<std::string> &adapters)
{
    std::string s = "{ \"adapters\": [";
    for (size_t i = 0; i < adapters.size(); i++)
        s += (i ? ", " : "") + adapters[i];
    return s + "] }";
}

} // namespace sim
