// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <random>

class QAction;
class QDialog;
class QFileDialog;
class QMenu;
class QMessageBox;
class QWidget;

namespace orvane::soak {

class SoakChecks;
class SoakLog;

// What the soak does while a dialog, a box or a menu is in front: answers boxes with any of
// their buttons, fills and presses what dialogs offer, picks files only inside the soak's folder
// (or the examples), and watches that no box comes back endlessly and every dialog can be
// closed.
class SoakDialogs {
public:
    SoakDialogs(SoakLog& log, SoakChecks& checks, QString folder, QStringList examples);

    // The next file dialog that opens a file is answered with `path`; a `reopen` of the file
    // saved last is then checked.
    void AnswerOpenWith(const QString& path, bool reopen = false) {
        openWith_ = path;
        reopen_ = reopen;
    }
    void ActOnModal(QWidget& modal, std::mt19937_64& rng);
    void ActOnMenu(QMenu& menu, std::mt19937_64& rng);
    // A dialog beside the window (find and replace): worked in like a modal one.
    void WorkIn(QDialog& dialog, std::mt19937_64& rng);
    // The window is in front again: an answer no file dialog took is stale, and must not answer
    // the next file dialog, which may be another command's.
    void ForgetPendingOpen() {
        openWith_.clear();
        reopen_ = false;
    }
    // Something other than a box happened: a box seen again is no repetition.
    void ForgetBoxes() { boxRepeats_ = 0; }

    // An item of a menu the soak may click: enabled, shown, not a separator, not the end of the
    // program (the soak would end with it).
    static bool MayClick(const QAction* action);

private:
    void Answer(QMessageBox& box, std::mt19937_64& rng);
    void Answer(QFileDialog& dialog, std::mt19937_64& rng);
    void Work(QDialog& dialog, std::mt19937_64& rng);
    void Leave(QDialog& dialog);
    void Escape(QWidget& widget);
    QString AnyFile(std::mt19937_64& rng) const;

    SoakLog& log_;
    SoakChecks& checks_;
    QString folder_;
    QStringList examples_;
    QString openWith_;
    bool reopen_ = false;
    int saves_ = 0;
    QString lastBox_;
    int boxRepeats_ = 0;
    QPointer<QWidget> front_;
    QElapsedTimer frontSince_;
};

}  // namespace orvane::soak
