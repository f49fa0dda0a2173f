// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <deque>

class QsciScintilla;

namespace orvane::soak {

// Each change of the script's text since the soak last looked at it, with the call stack that
// made it: a change nobody asked for then names its maker in the log. The stacks are taken as
// addresses and resolved (addr2line) only for a failure.
class SoakEditTrace : public QObject {
public:
    explicit SoakEditTrace(QsciScintilla& editor);

    // The soak looked: what changed before now is accounted for.
    void Forget() { changes_.clear(); }
    // The changes since the last look, each with its stack, for the log.
    QStringList Describe() const;

private:
    static constexpr int kFrames = 28;
    static constexpr std::size_t kKept = 6;
    struct Change {
        bool insert = false;
        int position = 0;
        int length = 0;
        std::array<void*, kFrames> frames{};
        int depth = 0;
    };

    void Record(int position, int modificationType, int length);
    static QStringList Resolve(const Change& change);

    std::deque<Change> changes_;
};

}  // namespace orvane::soak
