// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "core/commands/CommandTable.h"
#include "core/help/Reference.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;

namespace orvane::app::help {

class HelpBrowser;

// The reference in a window: contents, index and full-text search beside the page, Back and
// Forward through the pages seen, zoom. The pages are rebuilt from the help source, the command
// table last given and the keyboard rows each time the window is opened, so a command the user
// has just added is documented too. Shown on its own beside the main window, or modally over a
// message box whose Pomoc button asked for it.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(QWidget* parent, std::string dataFolder, std::vector<orvane::help::ShortcutRow> shortcuts);
    ~HelpWindow() override;

    void SetCommands(orvane::commands::CommandTable commands) { commands_ = std::move(commands); }
    // Opens `topicId` (the contents when it is unknown) beside the main window.
    void ShowTopic(const std::string& topicId);
    // Opens the entry of a word of the script (`script` UTF-8); the contents when none fits.
    void ShowForWord(const std::string& word, const std::string& script);
    // Opens `topicId` and returns when the window is closed.
    void ShowModal(const std::string& topicId);

    const orvane::help::Reference& Reference() const { return *reference_; }
    // The id of the page shown.
    std::string CurrentTopic() const;

private:
    void Rebuild();
    void Open(const std::string& topicId);
    void Present(const std::string& topicId);
    void FillContents();
    void FillIndex(const QString& filter);
    void RunSearch();
    QWidget* BuildSidebar();

    std::string dataFolder_;
    std::vector<orvane::help::ShortcutRow> shortcuts_;
    orvane::commands::CommandTable commands_;
    std::optional<orvane::help::Reference> reference_;
    HelpBrowser* browser_;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* indexFilter_ = nullptr;
    QListWidget* index_ = nullptr;
    QLineEdit* searchText_ = nullptr;
    QListWidget* results_ = nullptr;
};

}  // namespace orvane::app::help
