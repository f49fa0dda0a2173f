// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>

class QAction;
class QMainWindow;
class QsciScintilla;

namespace orvane::soak {

class SoakChecks;
class SoakDialogs;
class SoakLog;
class SoakSim;

// Drives the real window as a user would, with a seeded random generator: typing, completion,
// Ctrl and Alt chords, menus and toolbars, dialogs, saves and reopens, runs and Stop, and the
// virtual controller restarted with other faults. It finds everything as a user does (menus,
// toolbars, the widgets on screen), never through the window's own accessors. Each tick draws
// one number from the seeded generator, so a seed replays the same choices.
class SoakDriver : public QObject {
public:
    struct Options {
        std::uint64_t seed = 1;
        qint64 seconds = 30;
        int maxActions = 0;  // 0: no limit
        int stallMs = 100;
        QString folder;      // where saves go
        QStringList examples;
    };

    SoakDriver(QMainWindow& window, SoakSim& sim, SoakLog& log, Options options);
    ~SoakDriver() override;

    // Runs the event loop until the time or the actions are used up or an invariant broke;
    // true when none broke.
    bool Run();

private:
    void Tick();
    bool Over() const;
    void Finish();
    void ActOnWindow(std::mt19937_64& rng);

    void Type(std::mt19937_64& rng);
    void Chord(std::mt19937_64& rng);
    void Complete(std::mt19937_64& rng);
    void Menu(std::mt19937_64& rng);
    void Toolbar(std::mt19937_64& rng);
    void Select(std::mt19937_64& rng);
    void RunKey(std::mt19937_64& rng);
    void SaveAs();
    void Reopen();
    void OpenExample(std::mt19937_64& rng);
    void RestartSim(std::mt19937_64& rng);
    void CloseOtherWindows(std::mt19937_64& rng);

    void ClickInEditor(std::mt19937_64& rng, Qt::KeyboardModifiers modifiers = {});
    void Key(int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {});
    QAction* FindAction(const QString& plainText) const;
    void WatchEditingActions();

    QMainWindow& window_;
    QsciScintilla* editor_;
    SoakSim& sim_;
    SoakLog& log_;
    Options options_;
    std::mt19937_64 rng_;
    SoakChecks* checks_;
    SoakDialogs* dialogs_;
    QElapsedTimer clock_;
    bool finished_ = false;
};

}  // namespace orvane::soak
