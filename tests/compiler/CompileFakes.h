// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "core/compiler/ProgramWriter.h"
#include "core/compiler/ScriptDocument.h"
#include "core/host/ProcessRunner.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::test {

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
    // Each Save gives the document the next queued path (an empty one: the user cancelled).
    void Save() override {
        ++saveCalls;
        if (!saves.empty()) path_ = saves.front(), saves.pop_front();
    }
    std::deque<std::string> saves;
    int saveCalls = 0;

private:
    std::string path_;
};

// Stands for /bin/sh running the build script: records the command and leaves the chosen report
// in the script's folder.
class FakeRunner : public host::ProcessRunner {
public:
    int Run(const std::vector<std::string>& argv) override {
        runs.push_back(argv);
        if (exitCode >= 0 && writeReport && argv.size() == 2)
            platform::AtomicFile::Write(argv[1].substr(0, argv[1].rfind('/') + 1) + "Wynik.txt", report);
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
    device::DeviceMode Mode() override { return mode; }
    bool WriteProgram(const std::string& hexPath) override {
        written.push_back(hexPath);
        return result;
    }
    device::DeviceMode mode = device::DeviceMode::System;
    bool result = true;
    std::vector<std::string> written;
};

}  // namespace orvane::test
