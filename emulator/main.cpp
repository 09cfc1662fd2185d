/* tvasim: runs one command on an emulated host with adapters of the Telvarn
 * family (see README.md).
 *
 *   tvasim run [--scenario FILE] [--state DIR] [--fault SPEC]... -- COMMAND [ARGS...]
 *   tvasim shell [--scenario FILE] [--state DIR] [--fault SPEC]...
 *
 * The process re-executes itself under the umockdev preload, makes a
 * private mount namespace with the host's fixed files taken from a state
 * directory, builds the testbed and serves the command's requests from its
 * GLib main loop until the command exits. */
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ftw.h>
#include <glib-unix.h>
#include <glib.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <sched.h>
#include <unistd.h>

#include "scenario.h"
#include "sim.h"
#include "testbed.h"

using namespace tvasim;

namespace {

constexpr int EXIT_SETUP = 125; /* tvasim itself failed before the command ran */
const char *const UMOCKDEV_PRELOAD = "libumockdev-preload.so.0";

struct Options {
    bool shell = false;
    std::string scenario_file;
    std::string state_dir;
    std::vector<std::string> faults;
    std::vector<std::string> command;
};

void usage(FILE *to)
{
    std::fputs("usage: tvasim run [--scenario FILE] [--state DIR] [--fault SPEC]... -- COMMAND [ARGS...]\n"
               "       tvasim shell [--scenario FILE] [--state DIR] [--fault SPEC]...\n"
               "  --scenario FILE  emulated adapters (JSON); default: a two-port FC HBA and a CNA\n"
               "  --state DIR      keep settings, flash contents, /etc/tva.conf, /var/zqm across runs\n"
               "  --fault SPEC     CODE[@PCI]=status:N|errno:E|delay:MS|corrupt[,times=N][,after=N]\n"
               "The exit status is the command's (128+N when killed by signal N, 125 when tvasim failed).\n",
               to);
}

bool parse_args(int argc, char **argv, Options &o)
{
    if (argc < 2) {
        usage(stderr);
        return false;
    }
    std::string verb = argv[1];
    if (verb == "--help" || verb == "-h") {
        usage(stdout);
        std::exit(0);
    }
    if (verb != "run" && verb != "shell") {
        std::fprintf(stderr, "tvasim: unknown command \"%s\"\n", verb.c_str());
        usage(stderr);
        return false;
    }
    o.shell = verb == "shell";
    int i = 2;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char *name) -> const char * {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "tvasim: %s needs a value\n", name);
                return nullptr;
            }
            return argv[++i];
        };
        if (a == "--") {
            ++i;
            break;
        } else if (a == "--scenario") {
            const char *v = value("--scenario");
            if (!v)
                return false;
            o.scenario_file = v;
        } else if (a == "--state") {
            const char *v = value("--state");
            if (!v)
                return false;
            o.state_dir = v;
        } else if (a == "--fault") {
            const char *v = value("--fault");
            if (!v)
                return false;
            o.faults.push_back(v);
        } else {
            std::fprintf(stderr, "tvasim: unknown option \"%s\"\n", a.c_str());
            usage(stderr);
            return false;
        }
    }
    for (; i < argc; ++i)
        o.command.push_back(argv[i]);
    if (o.shell) {
        if (!o.command.empty()) {
            std::fprintf(stderr, "tvasim: shell takes no command\n");
            return false;
        }
        const char *sh = std::getenv("SHELL");
        o.command = {sh && *sh ? sh : "/bin/sh", "-i"};
    } else if (o.command.empty()) {
        std::fprintf(stderr, "tvasim: run needs a command after --\n");
        usage(stderr);
        return false;
    }
    return true;
}

std::string exe_dir()
{
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
    if (n <= 0)
        return ".";
    buf[n] = 0;
    std::string p = buf;
    return p.substr(0, p.rfind('/'));
}

void add_asan_option(const char *opt)
{
    const char *cur = std::getenv("ASAN_OPTIONS");
    std::string v = cur ? cur : "";
    if (v.find(std::string(opt).substr(0, std::string(opt).find('='))) != std::string::npos)
        return;
    v = v.empty() ? opt : v + ":" + opt;
    setenv("ASAN_OPTIONS", v.c_str(), 1);
}

/* ---- the private mount namespace ------------------------------------------ */

int rm_entry(const char *path, const struct stat *, int, struct FTW *)
{
    remove(path);
    return 0;
}

void rm_tree(const std::string &dir)
{
    nftw(dir.c_str(), rm_entry, 16, FTW_DEPTH | FTW_PHYS);
}

bool mkdir_p(const std::string &p)
{
    return g_mkdir_with_parents(p.c_str(), 0755) == 0;
}

/* An overlay over a host directory: the host's files show through, what
 * the command writes lands in the state directory. */
bool overlay(const std::string &target, const std::string &upper, const std::string &work, std::string &err)
{
    if (!mkdir_p(upper) || !mkdir_p(work)) {
        err = "cannot create " + upper;
        return false;
    }
    std::string opts = "lowerdir=" + target + ",upperdir=" + upper + ",workdir=" + work;
    if (mount("overlay", target.c_str(), "overlay", 0, opts.c_str()) != 0) {
        err = "cannot mount an overlay on " + target + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

/* A directory of the upper layer that hides the host's one of that name. */
void opaque_dir(const std::string &dir)
{
    mkdir_p(dir);
    setxattr(dir.c_str(), "trusted.overlay.opaque", "y", 1, 0);
}

/* Hides a host file the state does not have (an overlay whiteout). */
void hide_host_file(const std::string &host_path, const std::string &upper_path)
{
    struct stat st;
    if (lstat(upper_path.c_str(), &st) == 0 || lstat(host_path.c_str(), &st) != 0)
        return;
    mknod(upper_path.c_str(), S_IFCHR | 0000, makedev(0, 0));
}

/* A private mount namespace and a scratch file system for the run (the
 * testbed and a temporary state live there: thousands of small files that
 * must come and go quickly). */
bool enter_namespace(std::string &rundir, std::string &err)
{
    if (unshare(CLONE_NEWNS) != 0) {
        err = std::string("cannot make a private mount namespace (root needed): ") + std::strerror(errno);
        return false;
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        err = std::string("cannot make the mounts private: ") + std::strerror(errno);
        return false;
    }
    /* One directory serves every run as mount point: each run mounts its
     * own tmpfs there in its own namespace, so nothing is left behind even
     * when a run is killed. */
    const char *tmp = std::getenv("TMPDIR");
    rundir = std::string(tmp && *tmp ? tmp : "/tmp") + "/.tvasim-run";
    if (mkdir(rundir.c_str(), 0700) != 0 && errno != EEXIST) {
        err = "cannot create " + rundir + ": " + std::strerror(errno);
        rundir.clear();
        return false;
    }
    if (mount("tvasim", rundir.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "mode=0700") != 0) {
        err = "cannot mount a tmpfs on " + rundir + ": " + std::strerror(errno);
        rundir.clear();
        return false;
    }
    return true;
}

void leave_rundir(const std::string &rundir)
{
    if (rundir.empty())
        return;
    umount2(rundir.c_str(), MNT_DETACH);
}

bool setup_namespace(const std::string &state, const std::string &hbaapi, std::string &err)
{
    const std::string up = state + "/root", wk = state + "/.work";
    mkdir_p(up + "/etc");
    mkdir_p(up + "/var");
    mkdir_p(up + "/usr/lib");
    opaque_dir(up + "/var/zqm");
    opaque_dir(up + "/usr/lib/firmware");
    hide_host_file("/etc/tva.conf", up + "/etc/tva.conf");

    /* /etc/hba.conf lists this build's HBA API library, at the path the
     * inventory expects it. */
    std::string lib = "/usr/lib/tvahbaapi.so";
    std::string conf = "# written by tvasim\ncom.telvarn.tvahbaapi\t" + lib + "\n";
    {
        std::ofstream out(up + "/etc/hba.conf", std::ios::trunc);
        out << conf;
    }
    unlink((up + "/usr/lib/tvahbaapi.so").c_str());
    if (!hbaapi.empty())
        if (symlink(hbaapi.c_str(), (up + "/usr/lib/tvahbaapi.so").c_str()) != 0) {
            err = "cannot link " + hbaapi + ": " + std::strerror(errno);
            return false;
        }
    if (!overlay("/etc", up + "/etc", wk + "/etc", err) || !overlay("/var", up + "/var", wk + "/var", err) ||
        !overlay("/usr/lib", up + "/usr/lib", wk + "/usr/lib", err))
        return false;
    return true;
}

/* ---- the run -------------------------------------------------------------------- */

GMainLoop *g_loop = nullptr;
int g_status = 0;
pid_t g_child = -1;

void on_child_exit(GPid, gint status, gpointer)
{
    if (WIFEXITED(status))
        g_status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        g_status = 128 + WTERMSIG(status);
    else
        g_status = EXIT_SETUP;
    g_main_loop_quit(g_loop);
}

gboolean on_term(gpointer sig)
{
    if (g_child > 0)
        kill(g_child, GPOINTER_TO_INT(sig));
    return G_SOURCE_CONTINUE;
}

int serve(const Options &o)
{
    std::string err;
    /* the scenario */
    std::string text = default_scenario;
    if (!o.scenario_file.empty() && !read_file(o.scenario_file, text)) {
        std::fprintf(stderr, "tvasim: cannot read scenario %s\n", o.scenario_file.c_str());
        return EXIT_SETUP;
    }
    Host &h = host();
    if (!load_scenario(h, text, err)) {
        std::fprintf(stderr, "tvasim: %s%s\n", o.scenario_file.empty() ? "" : (o.scenario_file + ": ").c_str(),
                     err.c_str());
        return EXIT_SETUP;
    }
    std::vector<Fault> faults;
    for (auto &s : o.faults) {
        Fault f;
        if (!parse_fault(s, f, err)) {
            std::fprintf(stderr, "tvasim: %s\n", err.c_str());
            return EXIT_SETUP;
        }
        faults.push_back(f);
    }
    set_faults(faults);

    std::string rundir;
    if (!enter_namespace(rundir, err)) {
        std::fprintf(stderr, "tvasim: %s\n", err.c_str());
        return EXIT_SETUP;
    }
    /* the state directory */
    bool temp_state = o.state_dir.empty();
    std::string state;
    if (temp_state) {
        state = rundir + "/state";
    } else {
        char real[PATH_MAX];
        if (!mkdir_p(o.state_dir) || !realpath(o.state_dir.c_str(), real)) {
            std::fprintf(stderr, "tvasim: cannot create %s: %s\n", o.state_dir.c_str(), std::strerror(errno));
            leave_rundir(rundir);
            return EXIT_SETUP;
        }
        state = real;
    }
    h.start_clock();
    if (!temp_state && !load_state(h, state, err)) {
        std::fprintf(stderr, "tvasim: %s\n", err.c_str());
        leave_rundir(rundir);
        return EXIT_SETUP;
    }

    const std::string bin = exe_dir();
    std::string hbaapi = bin + "/../lib/tvahbaapi.so";
    char real[PATH_MAX];
    hbaapi = realpath(hbaapi.c_str(), real) ? real : "";
    if (!setup_namespace(state, hbaapi, err)) {
        std::fprintf(stderr, "tvasim: %s\n", err.c_str());
        leave_rundir(rundir);
        return EXIT_SETUP;
    }
    /* the testbed goes to the run directory; the command gets TMPDIR back */
    const char *tmpdir = std::getenv("TMPDIR");
    const std::string user_tmpdir = tmpdir ? tmpdir : "";
    const bool had_tmpdir = tmpdir != nullptr;
    setenv("TMPDIR", rundir.c_str(), 1);

    int status = EXIT_SETUP;
    bool built = build_testbed(err);
    bool files = built && start_files(h.root() + "/.tvasim/files", err);
    std::string sock = h.root() + "/.tvasim/ethtool.sock";
    bool eth = files && start_ethtool_server(sock, err);
    if (!eth) {
        std::fprintf(stderr, "tvasim: %s\n", err.c_str());
    } else {
        g_loop = g_main_loop_new(nullptr, FALSE);
        signal(SIGINT, SIG_IGN);
        signal(SIGQUIT, SIG_IGN);
        guint term = g_unix_signal_add(SIGTERM, on_term, GINT_TO_POINTER(SIGTERM));
        guint hup = g_unix_signal_add(SIGHUP, on_term, GINT_TO_POINTER(SIGHUP));

        std::string preload = UMOCKDEV_PRELOAD;
        std::string shim = bin + "/../lib/libtvasim-preload.so";
        if (realpath(shim.c_str(), real))
            preload = std::string(real) + ":" + preload;
        if (const char *user = std::getenv("TVASIM_USER_PRELOAD"); user && *user)
            preload += std::string(":") + user;

        pid_t pid = fork();
        if (pid == 0) {
            signal(SIGINT, SIG_DFL);
            signal(SIGQUIT, SIG_DFL);
            setenv("LD_PRELOAD", preload.c_str(), 1);
            setenv("TVASIM_ETHTOOL_SOCKET", sock.c_str(), 1);
            unsetenv("TVASIM_SERVING");
            if (had_tmpdir)
                setenv("TMPDIR", user_tmpdir.c_str(), 1);
            else
                unsetenv("TMPDIR");
            unsetenv("TVASIM_USER_PRELOAD");
            std::vector<char *> args;
            for (auto &a : o.command)
                args.push_back(const_cast<char *>(a.c_str()));
            args.push_back(nullptr);
            execvp(args[0], args.data());
            int e = errno;
            std::fprintf(stderr, "tvasim: cannot run %s: %s\n", args[0], std::strerror(e));
            _exit(e == ENOENT ? 127 : 126);
        }
        if (pid < 0) {
            std::fprintf(stderr, "tvasim: fork: %s\n", std::strerror(errno));
        } else {
            g_child = pid;
            g_child_watch_add(pid, on_child_exit, nullptr);
            g_main_loop_run(g_loop);
            status = g_status;
        }
        g_source_remove(term);
        g_source_remove(hup);
        g_main_loop_unref(g_loop);
    }
    stop_ethtool_server();
    stop_files();
    if (!temp_state) {
        std::lock_guard<std::mutex> g(h.lock);
        refresh_vport_names();
        if (!save_state(h, state, err)) {
            std::fprintf(stderr, "tvasim: %s\n", err.c_str());
            if (status == 0)
                status = EXIT_SETUP;
        }
    }
    destroy_testbed();
    for (const char *m : {"/usr/lib", "/var", "/etc"})
        umount2(m, MNT_DETACH);
    if (!temp_state)
        rm_tree(state + "/.work");
    leave_rundir(rundir);
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    Options o;
    if (!parse_args(argc, argv, o))
        return EXIT_SETUP;
    if (!std::getenv("TVASIM_SERVING")) {
        /* The owner of the testbed runs under the umockdev preload itself. */
        const char *user = std::getenv("LD_PRELOAD");
        setenv("TVASIM_USER_PRELOAD", user ? user : "", 1);
        setenv("LD_PRELOAD", UMOCKDEV_PRELOAD, 1);
        setenv("TVASIM_SERVING", "1", 1);
        /* sanitized builds: the preload comes before the sanitizer runtime */
        add_asan_option("verify_asan_link_order=0");
        execv("/proc/self/exe", argv);
        std::fprintf(stderr, "tvasim: cannot re-execute itself: %s\n", std::strerror(errno));
        return EXIT_SETUP;
    }
    int status = serve(o);
    std::fflush(stdout);
    std::fflush(stderr);
    /* The command's status, unchanged by exit-time work of libraries. */
    _exit(status);
}
