// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "app/document/RecentFiles.h"
#include "app/document/ScriptCodec.h"
#include "app/editor/ScriptPrinter.h"

class QWidget;

namespace orvane::app::editor { class ScriptEditor; }

namespace orvane::app::document {

// The script file behind the editor: New, Open, Save, Save as, the recent files, files named on
// the command line or dropped on the window, printing. Nothing it offers loses a modified
// script: every way of replacing or closing it asks first, and a save replaces the file only
// once the new bytes are complete on disk.
class ScriptDocument : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
    static inline const QString kFilter = QStringLiteral("ORVANE Pliki (*.orv)");
    static inline const QString kExtension = QStringLiteral("orv");

    // Asks for a path (open or save dialog); empty when the user cancelled. Replaceable so tests
    // and other front ends need no file dialog.
    using PathAsker = std::function<QString(bool forSave, const QString& suggested)>;

    ScriptDocument(editor::ScriptEditor& editor, QWidget* window);
    ~ScriptDocument() override;

    void SetPathAsker(PathAsker asker) { askPath_ = std::move(asker); }
    RecentFiles& Recent() { return recent_; }

    const QString& FilePath() const { return path_; }
    // The file's name, or "Bez tytułu" for a script never saved.
    QString DisplayName() const;
    ScriptCodec::Encoding FileEncoding() const { return encoding_; }
    bool IsModified() const;

    // Each returns false when nothing changed (the user cancelled or the file was refused).
    bool New();
    bool Open();
    bool OpenPath(const QString& path);  // the command line, a drop, a recent file
    bool Save();
    bool SaveAs();
    // Before the script is closed or replaced: true when it may go (saved, not modified, or the
    // user chose not to save it).
    bool MaybeSave();

    void Print();
    void PrintPreview();
    void PageSetup();

signals:
    // A script was created or opened: the window runs its per-document start-up again.
    void replaced();
    void titleChanged(const QString& title, bool modified);

private:
    bool Load(const QString& path);
    bool Write(const QString& path);
    bool AskEncodingFor(const QString& text);
    void Refused(const QString& text);
    void EmitTitle();

    editor::ScriptEditor& editor_;
    QWidget* window_;
    RecentFiles recent_;
    PathAsker askPath_;
    QString path_;
    ScriptCodec::Encoding encoding_ = ScriptCodec::Encoding::Cp1250;
    bool bom_ = false;
    editor::ScriptPrinter printer_;
};

}  // namespace orvane::app::document
