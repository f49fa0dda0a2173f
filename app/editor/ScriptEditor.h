// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "app/editor/PositionMap.h"
#include "core/host/EditorAccess.h"
#include "core/host/SettingKeys.h"

class QsciLexer;
class QsciScintilla;
class QWidget;

namespace orvane::host {
class Prompts;
}

namespace orvane::app::editor {

class Dictionaries;
class EditCommands;
class EditorFeatures;
class EditorMarks;
struct FunctionHint;

// The script editor: a QsciScintilla held (not inherited), shown as the window's central
// widget, and the core's EditorAccess over it on the window thread. The core counts CP1250
// characters, the widget UTF-8 bytes: one PositionMap, rebuilt when the text changed, converts.
//
// Extension points for the colouring and editing aids: SetLexer, AddKeyFilter (an event filter
// on the widget, seeing every key first), RecolourAll (the end of start-up). The widget itself
// (Scintilla()) is for the editor's own folder; the rest of the window draws through Marks()
// and edits through Edits().
class ScriptEditor : public QObject, public orvane::host::EditorAccess {
    Q_OBJECT
public:
    static constexpr int kDefaultTabSize = orvane::host::SettingKeys::kTabSize.fallback;
    static constexpr int kMinTabSize = 1;
    static constexpr int kMaxTabSize = 16;
    // A tab size from the settings, kept where Tab still inserts something sensible.
    static int ClampTabSize(int size);

    explicit ScriptEditor(QWidget* parent);
    ~ScriptEditor() override;

    QWidget* Widget() const;
    QsciScintilla* Scintilla() const { return sci_; }

    void SetLexer(QsciLexer* lexer);
    void AddKeyFilter(QObject* filter);
    // Colours every line again; with no lexer set there is nothing to colour.
    void RecolourAll();
    void SetTabSize(int size);
    int TabSize() const;

    // The word dictionaries of the colouring, completion and call tips, read from `folder`; and
    // what the editor adds to the plain widget (search, completion, indentation).
    void LoadDictionaries(const std::string& folder, orvane::host::Prompts& prompts);
    // Call tips and completion for the commands of the loaded command table too.
    void AddFunctions(std::vector<FunctionHint> functions);
    const Dictionaries& Words() const { return *words_; }
    EditorFeatures& Features() { return *features_; }
    EditorMarks& Marks() { return *marks_; }
    EditCommands& Edits() { return *edits_; }

    // The document's text: a load replaces it as a fresh start (no undo back into the old file).
    QString Text() const;
    // The word the caret stands in or just after (letters, digits, '_'); empty if none.
    QString WordAtCaret() const;
    void Load(const QString& text);
    bool IsModified() const;
    void SetModified(bool modified);
    bool IsOverwrite() const;
    int LineCount() const;
    // Scrolls so that the line (from 0) is in view.
    void ShowLine(int line);
    // Focuses the text and puts the caret at `index` of `line` (both from 0), as a click
    // there would: what is typed next goes in at that place.
    void PlaceCaret(int line, int index);

    // --- EditorAccess (core positions, CP1250) -----------------------------------------------
    std::int32_t Length() const override;
    unsigned char ByteAt(std::int32_t pos) const override;
    void GetSelection(std::int32_t& start, std::int32_t& end) const override;
    void SetSelection(std::int32_t start, std::int32_t end) override;
    bool IsEnabled() const override { return enabled_; }
    // A run keeps the text visible and scrollable but read-only, so its statement can be watched.
    void SetEnabled(bool enabled) override;
    void Focus() override;
    std::int32_t LineFromPosition(std::int32_t pos) const override;
    std::string LineText(std::int32_t line) const override;
    std::int32_t LineStart(std::int32_t line) const override;
    // A run shows its variables in the window's dock through its own display; nothing that
    // works on this editor directly (a compile, the servo dialogs) has variables to show.
    void ShowVariableList(bool) override {}
    void SetVariableLines(const std::vector<std::string>&) override {}

    const PositionMap& Map() const;

signals:
    // Text, selection, undo history or enabled state changed: the command rules look again.
    void stateChanged();
    void modificationChanged(bool modified);
    void overwriteChanged(bool overwrite);
    // Files dropped onto the text: the document opens them instead of pasting their names.
    void filesDropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpMargins();
    void NoteOverwrite();

    QsciScintilla* sci_;
    std::unique_ptr<Dictionaries> words_;
    EditorFeatures* features_ = nullptr;
    EditorMarks* marks_ = nullptr;
    std::unique_ptr<EditCommands> edits_;
    mutable PositionMap map_;
    mutable bool mapStale_ = true;
    bool enabled_ = true;
    bool overwrite_ = false;
};

}  // namespace orvane::app::editor
