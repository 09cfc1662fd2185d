// Reading a shell command's output.
#pragma once

#include <string>

// The command's whole standard output, or "ERROR" when it cannot be started.
std::string ReadCommandOutput(const std::string &command);
