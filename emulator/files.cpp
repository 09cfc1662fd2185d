/* Files that answer what is written to them: the debug file system of the
 * two drivers (drvtrc, fwtrc, fwsave, regrd, regwr under
 * /sys/kernel/debug/<tva|tvn>/pci_dev:<address>) and the virtual-port files
 * vport_create and vport_delete of /sys/class/fc_host/hostN. They live on a
 * small FUSE file system; the testbed's sysfs links to it. */
#define FUSE_USE_VERSION 312
#include <fuse.h>

#include <cerrno>
#include <glib.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

#include "sim.h"

namespace tvasim {

namespace {

const char *const debug_files[] = {"drvtrc", "fwtrc", "fwsave", "regrd", "regwr"};

/* Request codes whose faults also apply to these files. */
uint32_t code_of(const std::string &name)
{
    if (name == "drvtrc")
        return TVA_IOCTL_DEBUG_DRV_TRACE;
    if (name == "fwtrc")
        return TVA_IOCTL_DEBUG_FW_TRACE;
    if (name == "fwsave")
        return TVA_IOCTL_DEBUG_FW_STATE;
    if (name == "regrd")
        return TVA_IOCTL_DIAG_REGREAD;
    if (name == "regwr")
        return TVA_IOCTL_DIAG_REGWRITE;
    if (name == "vport_create")
        return TVA_IOCTL_VPORT_CREATE;
    if (name == "vport_delete")
        return TVA_IOCTL_VPORT_DELETE;
    return 0;
}

/* What a path names. */
struct Target {
    enum class Kind { None, Dir, DebugFile, VportFile } kind = Kind::None;
    Function *fn = nullptr;
    int host = -1;
    std::string name;
};

std::vector<std::string> split(const std::string &path)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i < path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string::npos)
            j = path.size();
        if (j > i)
            out.push_back(path.substr(i, j - i));
        i = j + 1;
    }
    return out;
}

bool is_debug_file(const std::string &n)
{
    for (auto *f : debug_files)
        if (n == f)
            return true;
    return false;
}

Function *debug_fn(const std::string &drv, const std::string &dir)
{
    if (dir.rfind("pci_dev:", 0) != 0)
        return nullptr;
    Function *f = host().by_pci(dir.substr(8));
    if (!f || !f->bound || f->driver_dir() != drv)
        return nullptr;
    return f;
}

Target resolve(const char *cpath)
{
    Target t;
    auto p = split(cpath);
    if (p.empty()) {
        t.kind = Target::Kind::Dir;
        return t;
    }
    if (p[0] == "debug") {
        if (p.size() == 1) {
            t.kind = Target::Kind::Dir;
        } else if (p[1] == "tva" || p[1] == "tvn") {
            if (p.size() == 2) {
                t.kind = Target::Kind::Dir;
            } else if (Function *f = debug_fn(p[1], p[2])) {
                if (p.size() == 3) {
                    t.kind = Target::Kind::Dir;
                } else if (p.size() == 4 && is_debug_file(p[3])) {
                    t.kind = Target::Kind::DebugFile;
                    t.fn = f;
                    t.name = p[3];
                }
            }
        }
    } else if (p[0] == "fc_host") {
        if (p.size() == 1) {
            t.kind = Target::Kind::Dir;
        } else if (p[1].rfind("host", 0) == 0) {
            int hn = std::atoi(p[1].c_str() + 4);
            Function *f = host().by_host(hn);
            if (f && f->bound && "host" + std::to_string(hn) == p[1]) {
                if (p.size() == 2) {
                    t.kind = Target::Kind::Dir;
                } else if (p.size() == 3 && (p[2] == "vport_create" || p[2] == "vport_delete")) {
                    t.kind = Target::Kind::VportFile;
                    t.fn = f;
                    t.host = hn;
                    t.name = p[2];
                }
            }
        }
    }
    return t;
}

struct Open {
    Target t;
    std::string out;   /* what reads return */
    size_t rd = 0;     /* read cursor: reads follow the last write's answer */
};

int fs_getattr(const char *path, struct stat *st, struct fuse_file_info *)
{
    std::memset(st, 0, sizeof(*st));
    Target t = resolve(path);
    switch (t.kind) {
    case Target::Kind::None:
        return -ENOENT;
    case Target::Kind::Dir:
        st->st_mode = S_IFDIR | 0755;
        st->st_nlink = 2;
        return 0;
    case Target::Kind::DebugFile:
        st->st_mode = S_IFREG | (t.name == "regwr" ? 0200 : 0600);
        st->st_nlink = 1;
        return 0;
    case Target::Kind::VportFile:
        st->st_mode = S_IFREG | 0200;
        st->st_nlink = 1;
        return 0;
    }
    return -ENOENT;
}

int fs_readdir(const char *path, void *buf, fuse_fill_dir_t fill, off_t, struct fuse_file_info *,
               enum fuse_readdir_flags)
{
    Target t = resolve(path);
    if (t.kind != Target::Kind::Dir)
        return -ENOTDIR;
    fill(buf, ".", nullptr, 0, FUSE_FILL_DIR_PLUS);
    fill(buf, "..", nullptr, 0, FUSE_FILL_DIR_PLUS);
    auto p = split(path);
    std::lock_guard<std::mutex> g(host().lock);
    if (p.empty()) {
        fill(buf, "debug", nullptr, 0, FUSE_FILL_DIR_PLUS);
        fill(buf, "fc_host", nullptr, 0, FUSE_FILL_DIR_PLUS);
    } else if (p[0] == "debug" && p.size() == 1) {
        bool tva = false, tvn = false;
        for (auto &f : host().functions)
            (f->storage() ? tva : tvn) |= f->bound;
        if (tva)
            fill(buf, "tva", nullptr, 0, FUSE_FILL_DIR_PLUS);
        if (tvn)
            fill(buf, "tvn", nullptr, 0, FUSE_FILL_DIR_PLUS);
    } else if (p[0] == "debug" && p.size() == 2) {
        for (auto &f : host().functions)
            if (f->bound && f->driver_dir() == p[1])
                fill(buf, ("pci_dev:" + f->pci).c_str(), nullptr, 0, FUSE_FILL_DIR_PLUS);
    } else if (p[0] == "debug" && p.size() == 3) {
        for (auto *n : debug_files)
            fill(buf, n, nullptr, 0, FUSE_FILL_DIR_PLUS);
    } else if (p[0] == "fc_host" && p.size() == 1) {
        for (auto &f : host().functions)
            if (f->storage() && f->bound)
                fill(buf, ("host" + std::to_string(f->host)).c_str(), nullptr, 0, FUSE_FILL_DIR_PLUS);
    } else if (p[0] == "fc_host" && p.size() == 2) {
        fill(buf, "vport_create", nullptr, 0, FUSE_FILL_DIR_PLUS);
        fill(buf, "vport_delete", nullptr, 0, FUSE_FILL_DIR_PLUS);
    }
    return 0;
}

/* Faults of the request code a file stands for: errno fails the open. */
int apply_faults(const Target &t)
{
    FaultOutcome fo = check_faults(code_of(t.name), t.fn);
    if (fo.delay_ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(fo.delay_ms));
    return fo.err ? -fo.err : 0;
}

int fs_open(const char *path, struct fuse_file_info *fi)
{
    Target t = resolve(path);
    if (t.kind == Target::Kind::None)
        return -ENOENT;
    if (t.kind == Target::Kind::Dir)
        return -EISDIR;
    if (int r = apply_faults(t))
        return r;
    auto *o = new Open{t, {}, 0};
    if (t.kind == Target::Kind::DebugFile && (t.name == "drvtrc" || t.name == "fwtrc" || t.name == "fwsave")) {
        std::lock_guard<std::mutex> g(host().lock);
        try {
            o->out = debug_file_contents(*t.fn, t.name);
        } catch (const std::exception &e) {
            std::fprintf(stderr, "tvasim: %s: %s\n", t.name.c_str(), e.what());
            delete o;
            return -EIO;
        }
    }
    fi->fh = reinterpret_cast<uint64_t>(o);
    fi->direct_io = 1;
    fi->nonseekable = 0;
    return 0;
}

int fs_read(const char *, char *buf, size_t size, off_t, struct fuse_file_info *fi)
{
    auto *o = reinterpret_cast<Open *>(fi->fh);
    if (!o || o->t.kind != Target::Kind::DebugFile || o->t.name == "regwr")
        return -EINVAL;
    if (o->rd >= o->out.size())
        return 0;
    size_t n = std::min(size, o->out.size() - o->rd);
    std::memcpy(buf, o->out.data() + o->rd, n);
    o->rd += n;
    return static_cast<int>(n);
}

bool parse_pair(const std::string &text, uint32_t &a, uint32_t &b)
{
    unsigned long x = 0, y = 0;
    char extra = 0;
    int n = std::sscanf(text.c_str(), "%lx:%lx%c", &x, &y, &extra);
    if (n < 2 || (n == 3 && extra != '\n' && extra != 0) || x > 0xffffffffUL || y > 0xffffffffUL)
        return false;
    a = static_cast<uint32_t>(x);
    b = static_cast<uint32_t>(y);
    return true;
}

int write_locked(Open *o, const std::string &text, size_t size);

int fs_write(const char *, const char *buf, size_t size, off_t, struct fuse_file_info *fi)
{
    auto *o = reinterpret_cast<Open *>(fi->fh);
    if (!o)
        return -EINVAL;
    std::string text(buf, size);
    std::lock_guard<std::mutex> g(host().lock);
    try {
        return write_locked(o, text, size);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tvasim: %s: %s\n", o->t.name.c_str(), e.what());
        return -EIO;
    }
}

int write_locked(Open *o, const std::string &text, size_t size)
{
    if (o->t.kind == Target::Kind::VportFile) {
        int e = o->t.name == "vport_create" ? vport_create(o->t.host, text) : vport_delete(o->t.host, text);
        return e ? -e : static_cast<int>(size);
    }
    if (o->t.name == "regrd") {
        uint32_t off, count;
        if (!parse_pair(text, off, count))
            return -EINVAL;
        int err = 0;
        std::string words = reg_read(*o->t.fn, off, count, err);
        if (err)
            return -err;
        o->out = words;
        o->rd = 0;
        return static_cast<int>(size);
    }
    if (o->t.name == "regwr") {
        uint32_t off, value;
        if (!parse_pair(text, off, value))
            return -EINVAL;
        int e = reg_write(*o->t.fn, off, value);
        return e ? -e : static_cast<int>(size);
    }
    /* trace files take any write (a clear) */
    return static_cast<int>(size);
}

int fs_truncate(const char *path, off_t, struct fuse_file_info *)
{
    return resolve(path).kind == Target::Kind::None ? -ENOENT : 0;
}

int fs_release(const char *, struct fuse_file_info *fi)
{
    delete reinterpret_cast<Open *>(fi->fh);
    fi->fh = 0;
    return 0;
}

void *fs_init(struct fuse_conn_info *, struct fuse_config *cfg)
{
    cfg->direct_io = 1;
    cfg->attr_timeout = 0;
    cfg->entry_timeout = 0;
    cfg->negative_timeout = 0;
    return nullptr;
}

struct fuse *g_fuse = nullptr;
std::thread g_thread;
std::string g_mount;

} // namespace

bool start_files(const std::string &mountpoint, std::string &err)
{
    static struct fuse_operations ops = {};
    ops.getattr = fs_getattr;
    ops.readdir = fs_readdir;
    ops.open = fs_open;
    ops.read = fs_read;
    ops.write = fs_write;
    ops.truncate = fs_truncate;
    ops.release = fs_release;
    ops.init = fs_init;
    g_mkdir_with_parents(mountpoint.c_str(), 0755);
    const char *argv[] = {"tvasim", "-o", "fsname=tvasim,subtype=tvasim", nullptr};
    struct fuse_args args = FUSE_ARGS_INIT(3, const_cast<char **>(argv));
    g_fuse = fuse_new(&args, &ops, sizeof(ops), nullptr);
    fuse_opt_free_args(&args);
    if (!g_fuse) {
        err = "cannot start the debug file system";
        return false;
    }
    if (fuse_mount(g_fuse, mountpoint.c_str()) != 0) {
        fuse_destroy(g_fuse);
        g_fuse = nullptr;
        err = "cannot mount the debug file system on " + mountpoint + " (is /dev/fuse there?)";
        return false;
    }
    g_mount = mountpoint;
    g_thread = std::thread([] {
        struct fuse_loop_config *cfg = fuse_loop_cfg_create();
        fuse_loop_cfg_set_max_threads(cfg, 4);
        fuse_loop_cfg_set_clone_fd(cfg, 0);
        fuse_loop_mt(g_fuse, cfg);
        fuse_loop_cfg_destroy(cfg);
    });
    return true;
}

void stop_files()
{
    if (!g_fuse)
        return;
    fuse_exit(g_fuse);
    fuse_unmount(g_fuse); /* wakes the loop */
    if (g_thread.joinable())
        g_thread.join();
    fuse_destroy(g_fuse);
    g_fuse = nullptr;
}

} // namespace tvasim
