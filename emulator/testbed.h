/* The umockdev testbed of one run (testbed.cpp). */
#ifndef TVASIM_TESTBED_H
#define TVASIM_TESTBED_H

#include <string>

#include "tvasim.h"

namespace tvasim {

/* Creates the testbed, its sysfs tree and served nodes for the host's
 * scenario, and numbers the driver instances. Must run in the process that
 * iterates the GLib main context and runs under the umockdev preload. */
bool build_testbed(std::string &err);
/* Forgets the nodes; the testbed directory is left to the caller, which
 * ends the process soon after. */
void destroy_testbed();

/* sysfs directories of a virtual port (/sys/class/fc_vports/vport-H:0-n). */
void add_vport_dir(Function &f, const Vport &v);
void remove_vport_dir(Function &f, const Vport &v);

} // namespace tvasim

#endif
