/* Scenario files (the emulated host's hardware) and the state kept across
 * runs with --state. */
#ifndef TVASIM_SCENARIO_H
#define TVASIM_SCENARIO_H

#include <string>

#include "tvasim.h"

namespace tvasim {

/* The built-in host: a two-port FC HBA and a converged adapter. */
extern const char *const default_scenario;

/* Fills the host from a scenario text. False with a message on bad input;
 * the host is then left empty. */
bool load_scenario(Host &h, const std::string &text, std::string &err);

/* A whole file; false when it cannot be read. */
bool read_file(const std::string &path, std::string &out);

/* Live state: settings, names, flash contents, virtual ports, clock. */
bool load_state(Host &h, const std::string &dir, std::string &err);
bool save_state(Host &h, const std::string &dir, std::string &err);

} // namespace tvasim

#endif
