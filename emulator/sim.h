/* The core of tvasim: the umockdev testbed with the sysfs tree and the served
 * nodes, request dispatch, fault injection, and the run of one command. */
#ifndef TVASIM_SIM_H
#define TVASIM_SIM_H

#include <string>
#include <vector>

#include "tvasim.h"

namespace tvasim {

/* --fault CODE[@PCI]=ACTION[:VALUE][,times=N][,after=N] (README.md). */
struct Fault {
    uint32_t code = 0; /* 0: every code */
    std::string pci;   /* empty: every function */
    enum class Kind { Status, Errno, Delay, Corrupt } kind = Kind::Status;
    long value = 0;
    long times = -1; /* -1: always */
    long after = 0;  /* matching requests let through first */
    long seen = 0;
};
bool parse_fault(const std::string &spec, Fault &out, std::string &err);

/* What the faults say about one request: errno to fail it with, payload
 * status to answer instead of the handler, delay, corruption of the answer. */
struct FaultOutcome {
    int err = 0;
    bool status_set = false;
    uint32_t status = 0;
    long delay_ms = 0;
    bool corrupt = false;
};
FaultOutcome check_faults(uint32_t code, const Function *fn);
void set_faults(std::vector<Fault> faults);

/* Serving one request: begin_request checks the faults; after waiting
 * delay_ms the caller calls finish_request, which runs the handler of
 * req.code (payload status 26 when none) under the host lock, or fails the
 * request as the faults say. serve_blocking does both and waits itself. */
FaultOutcome begin_request(Request &req);
void finish_request(Request &req, const FaultOutcome &fo);
void serve_blocking(Request &req);

/* Storage function whose driver instance is n. */
Function *storage_by_instance(int n);

/* SCSI command on a LUN's generic node (handlers/scsi.cpp). */
struct ScsiCmd {
    Function *fn;
    RemotePort *rport;
    Lun *lun;
    const uint8_t *cdb;
    size_t cdb_len;
    uint8_t *data;  /* data buffer, len bytes */
    size_t len;
    bool to_device;
    uint8_t status = 0;      /* SCSI status */
    uint8_t sense[32] = {};
    size_t sense_len = 0;
    size_t resid = 0;
};
void scsi_command(ScsiCmd &c);

/* FC ELS / CT exchange (handlers/passthru.cpp): the request and the room
 * for the answer; returns the answer length or -errno. rport null for
 * exchanges sent through the host node (to the port id did). */
struct FcExchange {
    Function *fn;
    RemotePort *rport;
    uint32_t msgcode;
    uint32_t did;
    uint8_t els_code;
    const uint8_t *req;
    size_t req_len;
    uint8_t *rsp;
    size_t rsp_len;
};
long fc_exchange(FcExchange &x);

/* The debug-file-system and sysfs files that answer what is written. */
bool start_files(const std::string &mountpoint, std::string &err);
void stop_files();
/* Contents of a debug file (drvtrc, fwtrc, fwsave) of a function. */
std::string debug_file_contents(Function &fn, const std::string &name);
/* regrd / regwr */
std::string reg_read(Function &fn, uint32_t offset, uint32_t count, int &err);
int reg_write(Function &fn, uint32_t offset, uint32_t value);
/* vport_create / vport_delete on host hn: 0 or an errno. */
int vport_create(int hn, const std::string &text);
int vport_delete(int hn, const std::string &text);
/* Symbolic names the command wrote to virtual ports' sysfs files. */
void refresh_vport_names();
void sysfs_write(const std::string &rel, const std::string &text); /* under the testbed root */

/* The ethtool requests of the preload shim. */
bool start_ethtool_server(const std::string &sock_path, std::string &err);
void stop_ethtool_server();

} // namespace tvasim

#endif
