// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/SoakChecks.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <Qsci/qsciscintilla.h>
#include <utility>

#include "app/document/ScriptCodec.h"
#include "soak/SoakLog.h"

namespace orvane::soak {

namespace {
constexpr int kBeatMs = 10;

QString Shown(const QString& text) {
    QString shown = text.left(160);
    shown.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + shown + (text.size() > 160 ? QStringLiteral("...\"") : QStringLiteral("\""));
}

// Where two texts part, with a little of each from there.
QString Difference(const QString& before, const QString& after) {
    qsizetype at = 0;
    while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
    return QStringLiteral("at %1: %2 became %3").arg(at).arg(Shown(before.mid(at, 40))).arg(Shown(after.mid(at, 40)));
}
}  // namespace

bool SoakChecks::EditingCommand(const QString& plain) {
    static const QStringList kEditing{QStringLiteral("Nowy"),   QStringLiteral("Otwórz..."),
                                      QStringLiteral("Cofnij"), QStringLiteral("Ponów"),
                                      QStringLiteral("Usuń"),   QStringLiteral("Wklej"),
                                      QStringLiteral("Wklej Specjalnie..."), QStringLiteral("Zastąp"),
                                      QStringLiteral("Edycja Sekwencji"), QStringLiteral("Edycja Pozycji")};
    return kEditing.contains(plain) || (!plain.isEmpty() && plain.front().isDigit());  // a recent file
}

SoakChecks::SoakChecks(QsciScintilla& editor, SoakLog& log, int stallMs)
    : editor_(editor), log_(log), stallMs_(stallMs), baseline_(editor.text()), trace_(editor) {
    heartbeat_.setTimerType(Qt::PreciseTimer);
    connect(&heartbeat_, &QTimer::timeout, this, &SoakChecks::Beat);
    heartbeat_.start(kBeatMs);
    sinceMark_.start();
}

void SoakChecks::Beat() {
    CheckStall(sinceMark_.restart(), "event loop");
}

void SoakChecks::MarkActionStart() { CheckStall(sinceMark_.restart(), "before an action"); }

void SoakChecks::MarkActionEnd() { sinceMark_.restart(); }

void SoakChecks::CheckStall(qint64 gapMs, const char* where) {
    if (gapMs > stallMs_) log_.Fail(QStringLiteral("%1 stalled %2 ms (limit %3)").arg(QLatin1String(where)).arg(gapMs).arg(stallMs_));
}

// What decides who may change the script, for the log of a change nobody asked for.
QString SoakChecks::EditorState() const {
    int fromLine = 0, fromIndex = 0, toLine = 0, toIndex = 0;
    editor_.getSelection(&fromLine, &fromIndex, &toLine, &toIndex);
    const QWidget* front = QApplication::activeWindow();
    const QWidget* focus = QApplication::focusWidget();
    return QStringLiteral("editor %1, selection %2:%3-%4:%5, window in front \"%6\", focus in %7")
        .arg(editor_.isReadOnly() ? QStringLiteral("read-only") : QStringLiteral("writable"))
        .arg(fromLine).arg(fromIndex).arg(toLine).arg(toIndex)
        .arg(front != nullptr ? front->windowTitle() : QString())
        .arg(focus != nullptr ? QString::fromLatin1(focus->metaObject()->className()) : QStringLiteral("nothing"));
}

void SoakChecks::CheckScript() {
    const QString text = editor_.text();
    const QString state = EditorState();
    if (text != baseline_ && editTicks_ == 0) {
        log_.Note(QStringLiteral("at the look before: ") + baselineState_);
        log_.Note(QStringLiteral("now: ") + state);
        for (const QString& line : trace_.Describe()) log_.Note(line);
        log_.Fail(QStringLiteral("the script changed without an editing action: ") + Difference(baseline_, text));
    }
    baseline_ = text;
    baselineState_ = state;
    trace_.Forget();
    if (editTicks_ > 0) --editTicks_;
    CheckSave();
    CheckReopen();
    CheckRunEnd();
}

void SoakChecks::ExpectSave(const QString& path) {
    pendingSave_ = path;
    textToSave_ = editor_.text();
}

// The file holds what the editor showed when it was saved, decoded as the window decodes it.
void SoakChecks::CheckSave() {
    if (pendingSave_.isEmpty()) return;
    const QString path = std::exchange(pendingSave_, QString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {  // the save was refused or cancelled
        if (path == savedPath_) savedPath_.clear();
        return;
    }
    const auto decoded = app::document::ScriptCodec::Decode(file.readAll());
    if (decoded.text != textToSave_) {
        log_.Fail(QStringLiteral("saved %1 reads back otherwise: ").arg(path) + Difference(textToSave_, decoded.text));
        return;
    }
    savedPath_ = path;
    savedText_ = decoded.text;
    log_.Note(QStringLiteral("saved and read back %1 (%2 characters)").arg(path).arg(savedText_.size()));
}

void SoakChecks::ExpectReopen(const QString& path) {
    reopened_ = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    savedText_ = app::document::ScriptCodec::Decode(file.readAll()).text;
    pendingReopen_ = true;
}

void SoakChecks::CheckReopen() {
    if (!std::exchange(pendingReopen_, false)) return;
    if (editor_.text() != savedText_)
        log_.Fail(QStringLiteral("reopened %1 shows other text: ").arg(reopened_) + Difference(savedText_, editor_.text()));
    else log_.Note(QStringLiteral("reopened %1 as saved").arg(reopened_));
}

void SoakChecks::ExpectRunEnd() {
    if (!stopPressed_.isValid()) stopPressed_.start();
}

void SoakChecks::CheckRunEnd() {
    if (!stopPressed_.isValid()) return;
    if (!editor_.isReadOnly()) {
        stopPressed_.invalidate();
        return;
    }
    if (stopPressed_.elapsed() > kRunEndMs) log_.Fail(QStringLiteral("Stop did not end the run within %1 ms").arg(kRunEndMs));
}

}  // namespace orvane::soak
