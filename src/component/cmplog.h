// The component log: every run message is appended to one file and echoed on
// the console unless the run is silent.
#pragma once

#include <string>

class CCmpLog {
public:
    static constexpr const char *DefaultPath = "/var/zqm/Component.log";

    CCmpLog() = default;
    explicit CCmpLog(std::string logPath) : path(std::move(logPath)) {}

    // Creates the log directory and file through the shell (results not checked).
    void Prepare();

    CCmpLog &Write(const char *text);
    CCmpLog &Write(const std::string &text);
    CCmpLog &Write(const std::wstring &text);
    CCmpLog &Write(int value);
    CCmpLog &Write(long value);

    void SetSilent(bool on) { silent = on; }
    bool IsSilent() const { return silent; }
    const std::string &Path() const { return path; }

private:
    void Emit(const char *data, size_t len);

    std::string path = DefaultPath;
    bool silent = false;
};
