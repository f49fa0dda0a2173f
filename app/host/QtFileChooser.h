// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "core/host/FileChooser.h"

class QWidget;

namespace orvane::app::host {

// The core's open and save dialogs as QFileDialog, on the window thread. The original filter
// "A (*.x)|*.x|B (*.*)|*.*|" becomes Qt's "A (*.x);;B (*)", the default extension the dialog's
// suffix. The core keeps paths in CP1250: a path it could not spell is refused with a box and
// the dialog asked again, so no file is ever written under a mangled name.
class QtFileChooser : public orvane::host::FileChooser {
public:
    explicit QtFileChooser(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> ChooseOpen(const orvane::host::FileRequest& request) override;
    std::optional<std::string> ChooseSave(const orvane::host::FileRequest& request) override;
    void SetClosing(bool closing) { closing_ = closing; }

    // "A (*.x)|*.x|B (*.*)|*.*|" as a Qt name filter list.
    static QString QtFilter(const std::string& cp1250Filter);
    // "*.hex" or ".hex" or "hex" -> "hex".
    static QString Suffix(const std::string& defaultExtension);

private:
    std::optional<std::string> Choose(const orvane::host::FileRequest& request, bool forSave);

    QWidget* parent_;
    bool closing_ = false;
};

}  // namespace orvane::app::host
