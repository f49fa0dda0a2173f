#pragma once
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/compiler/ProgramWriter.h"
#include "core/compiler/ScriptDocument.h"
#include "core/host/ProcessRunner.h"

namespace orvane::test {

// A private folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvane-compile-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        path_ += '/';
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // With its trailing "/".
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class FakeDocument : public compiler::ScriptDocument {
public:
    explicit FakeDocument(std::string path = {}) : path_(std::move(path)) {}
    std::string PathName() const override { return path_; }
    // The next Save gives the document this path (an empty one: the user cancelled).
    void QueueSave(std::string path) { saves_.push_back(std::move(path)); }
    void Save() override {
        ++saveCalls;
        if (saves_.empty()) return;
        path_ = saves_.front();
        saves_.pop_front();
    }
    int saveCalls = 0;

private:
    std::string path_;
    std::deque<std::string> saves_;
};

// Stands for /bin/sh running the build script: records the command and leaves the report the
// test chose in the script's folder.
class FakeRunner : public host::ProcessRunner {
public:
    int Run(const std::vector<std::string>& argv) override {
        runs.push_back(argv);
        if (exitCode < 0) return exitCode;
        if (writeReport && argv.size() == 2) {
            const std::string folder = argv[1].substr(0, argv[1].rfind('/') + 1);
            WriteText(folder + "Wynik.txt", report);
        }
        return exitCode;
    }
    void ShowReport(const std::string& path) override { shown.push_back(path); }

    std::string report = "Pass 1...\nAssembly complete with no errors.\n";
    bool writeReport = true;
    int exitCode = 0;
    std::vector<std::vector<std::string>> runs;
    std::vector<std::string> shown;
};

class FakeWriter : public compiler::ProgramWriter {
public:
    std::string DeviceMode() override { return mode; }
    bool WriteProgram(const std::string& hexPath) override {
        written.push_back(hexPath);
        return result;
    }
    std::string mode = "System";
    bool result = true;
    std::vector<std::string> written;
};

}  // namespace orvane::test
