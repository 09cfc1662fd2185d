// Texts fccomp prints, as the tests expect them.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace console {

const std::string Usage = "KTXXXXXX.fwrun [options]\n"
                          "    options\n"
                          "    --------------------------\n"
                          "    /f = Force the installation\n"
                          "    /s = Execute silently\n"
                          "    /d [path] = Perform self-discovery and output to [path]\n";
const std::string Rule = std::string(51, '-') + "\n";
// Up to the point where discovery starts.
const std::string Loaded = Rule + "Loading references...done.\nPerforming discovery...\n";
const std::string NoCatalogue = Rule + "Loading references...FAILED!\n";

} // namespace console

// The component log as it is now (the tests run in a namespace of their own).
inline std::string ComponentLogText()
{
    std::ifstream in("/var/zqm/Component.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
