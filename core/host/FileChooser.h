// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>

namespace orvane::host {

// A file dialog request as the system words it: `filter` in the original's form
// ("Piki HEX (*.hex)|*.hex|Wszystkie pliki (*.*)|*.*|"), a default extension such as "*.hex"
// and the initial file name. All text is CP1250.
struct FileRequest {
    std::string filter;
    std::string defaultExtension;
    std::string initialName;
};

// Open and save dialogs; an empty result means the user cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<std::string> ChooseOpen(const FileRequest& request) = 0;
    virtual std::optional<std::string> ChooseSave(const FileRequest& request) = 0;
};

}  // namespace orvane::host
