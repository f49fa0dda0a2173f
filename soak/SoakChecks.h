// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include "soak/SoakEditTrace.h"

class QsciScintilla;

namespace orvane::soak {

class SoakLog;

// The invariants the soak holds the window to between its actions: the script changes only
// through actions that edit it; a saved file reads back as the script that was saved and
// reopens as it; Stop ends a run; the event loop never stalls.
class SoakChecks : public QObject {
public:
    SoakChecks(QsciScintilla& editor, SoakLog& log, int stallMs);

    // Whether a window command (its text without "&" and key) changes the script or puts another
    // one in its place.
    static bool EditingCommand(const QString& plain);

    // The next change of the script is allowed: an action that edits it has begun.
    void AllowEdit() { editTicks_ = kEditTicks; }
    // Looks at the script once the window is idle (no dialog open).
    void CheckScript();
    // Time spent in the soak's own code is not the window's: marks where it begins and ends.
    void MarkActionStart();
    void MarkActionEnd();

    // A save into `path` was answered: the file must hold the script as it is now (checked at the
    // next idle moment, when the save is done).
    void ExpectSave(const QString& path);
    // The saved file whose text a reopen must show; empty while nothing was saved.
    const QString& SavedPath() const { return savedPath_; }
    // A file the soak saved is being opened again: the editor must then show what it holds now.
    void ExpectReopen(const QString& path);
    // The script may have been written over the saved file by a plain save or a compile.
    void ForgetSaved() { savedPath_.clear(); }
    // Stop was pressed while a run was on: it must end.
    void ExpectRunEnd();

private:
    static constexpr int kEditTicks = 3;
    static constexpr int kRunEndMs = 15000;

    void Beat();
    void CheckStall(qint64 gapMs, const char* where);
    void CheckSave();
    void CheckReopen();
    void CheckRunEnd();
    QString EditorState() const;

    QsciScintilla& editor_;
    SoakLog& log_;
    int stallMs_;
    QString baseline_;
    QString baselineState_;
    SoakEditTrace trace_;
    int editTicks_ = 0;
    QString pendingSave_;
    QString textToSave_;
    QString savedPath_;
    QString savedText_;
    bool pendingReopen_ = false;
    QString reopened_;
    QElapsedTimer stopPressed_;
    QElapsedTimer sinceMark_;
    QTimer heartbeat_;
};

}  // namespace orvane::soak
