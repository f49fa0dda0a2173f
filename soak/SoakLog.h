// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace orvane::soak {

// What the soak did, one numbered line per action, written through to a file as it goes (so a
// crash leaves it behind), and the verdict: the first broken invariant ends the soak with the
// seed and the actions that led there.
class SoakLog {
public:
    SoakLog(const QString& path, std::uint64_t seed);

    void Action(const QString& what);
    void Note(const QString& what);
    // The first failure wins; later ones (often its consequences) are noted only.
    void Fail(const QString& why);

    bool Failed() const { return !failure_.isEmpty(); }
    const QString& Failure() const { return failure_; }
    int Actions() const { return actions_; }
    QString Path() const { return file_.fileName(); }
    // The seed, the failure and the last `tail` actions, for the terminal.
    QString Report(int tail) const;

private:
    void Write(const QString& line);

    QFile file_;
    std::uint64_t seed_;
    int actions_ = 0;
    QStringList recent_;
    QString failure_;
};

}  // namespace orvane::soak
