// A fresh working directory for one test, entered for its lifetime.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class ScratchDir {
public:
    ScratchDir()
    {
        char tmpl[] = "/tmp/fccomp-test.XXXXXX";
        const char *d = mkdtemp(tmpl);
        if (!d)
            throw std::runtime_error("mkdtemp failed");
        path_ = d;
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::current_path(old_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "/" + name; }

    void Write(const std::string &name, const std::string &content) const
    {
        std::filesystem::path p = std::filesystem::path(path_) / name;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
    }
    std::string Read(const std::string &name) const
    {
        std::ifstream in(std::filesystem::path(path_) / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
    std::filesystem::path old_;
};
