// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tools/SerialDeviceList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

namespace orvane::tools {

namespace fs = std::filesystem;

namespace {

// "ttyS10" sorts after "ttyS9".
bool ByNumber(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

std::vector<std::string> Names(const fs::path& folder, const std::string& prefix) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size()) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), ByNumber);
    return names;
}

}  // namespace

bool SerialDeviceList::IsDevice(const std::string& path) {
    std::error_code error;
    return fs::is_character_file(path, error);
}

// Every ttyS node exists whether or not a UART is fitted; the kernel's port type 0 means none.
std::vector<SerialDevice> SerialDeviceList::BuiltInPorts() const {
    std::vector<SerialDevice> ports;
    const fs::path dev = fs::path(root_) / "dev";
    for (const std::string& name : Names(fs::path(root_) / "sys/class/tty", "ttyS")) {
        std::ifstream typeFile(fs::path(root_) / "sys/class/tty" / name / "type");
        int type = 0;
        std::error_code error;
        if (typeFile >> type && type != 0 && fs::exists(dev / name, error)) {
            ports.push_back({"/dev/" + name, "/dev/" + name});
        }
    }
    return ports;
}

std::vector<SerialDevice> SerialDeviceList::Adapters() const {
    const fs::path dev = fs::path(root_) / "dev";
    // The stable name of each adapter, by the device it points at.
    std::map<std::string, std::string> stableNames;
    std::error_code error;
    for (const auto& link : fs::directory_iterator(dev / "serial/by-id", error)) {
        const fs::path target = fs::read_symlink(link.path(), error);
        if (!error) stableNames[target.filename().string()] = link.path().filename().string();
    }
    std::vector<SerialDevice> adapters;
    for (const char* prefix : {"ttyUSB", "ttyACM"}) {
        for (const std::string& name : Names(dev, prefix)) {
            const auto stable = stableNames.find(name);
            if (stable == stableNames.end()) {
                adapters.push_back({"/dev/" + name, "/dev/" + name});
            } else {
                adapters.push_back({"/dev/serial/by-id/" + stable->second, stable->second + " (" + name + ")"});
            }
        }
    }
    return adapters;
}

std::vector<SerialDevice> SerialDeviceList::Present() const {
    std::vector<SerialDevice> all = BuiltInPorts();
    std::vector<SerialDevice> adapters = Adapters();
    all.insert(all.end(), adapters.begin(), adapters.end());
    return all;
}

}  // namespace orvane::tools
