// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/SoakEditTrace.h"

#include <dlfcn.h>
#include <execinfo.h>

#include <QFileInfo>
#include <QProcess>
#include <Qsci/qsciscintilla.h>
#include <cstdint>

namespace orvane::soak {

namespace {
constexpr int kInserted = 0x1;  // SC_MOD_INSERTTEXT
constexpr int kDeleted = 0x2;   // SC_MOD_DELETETEXT
}  // namespace

SoakEditTrace::SoakEditTrace(QsciScintilla& editor) {
    connect(&editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length) { Record(position, type, length); });
}

void SoakEditTrace::Record(int position, int modificationType, int length) {
    if ((modificationType & (kInserted | kDeleted)) == 0) return;
    Change change;
    change.insert = (modificationType & kInserted) != 0;
    change.position = position;
    change.length = length;
    change.depth = ::backtrace(change.frames.data(), kFrames);
    changes_.push_back(change);
    if (changes_.size() > kKept) changes_.pop_front();
}

QStringList SoakEditTrace::Describe() const {
    QStringList lines;
    for (const Change& change : changes_) {
        lines << QStringLiteral("%1 %2 at %3, made by:")
                     .arg(change.insert ? QStringLiteral("inserted") : QStringLiteral("deleted"))
                     .arg(change.length)
                     .arg(change.position);
        for (const QString& frame : Resolve(change)) lines << QStringLiteral("   ") + frame;
    }
    return lines;
}

// Function names and lines of the program's own frames (the libraries' are left out), from their
// addresses relative to where the program is loaded.
QStringList SoakEditTrace::Resolve(const Change& change) {
    Dl_info own{};
    if (change.depth == 0 || ::dladdr(change.frames[0], &own) == 0) return {};
    const void* base = own.dli_fbase;  // the first frame is Record(), in the program
    QStringList addresses;
    for (int i = 1; i < change.depth; ++i) {
        void* frame = change.frames[static_cast<std::size_t>(i)];
        Dl_info info{};
        if (::dladdr(frame, &info) == 0 || info.dli_fbase != base) continue;
        const auto offset = reinterpret_cast<std::uintptr_t>(frame) - reinterpret_cast<std::uintptr_t>(base) - 1;
        addresses << QStringLiteral("0x%1").arg(offset, 0, 16);
    }
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    QProcess addr2line;
    addr2line.start(QStringLiteral("addr2line"),
                    QStringList{QStringLiteral("-Cfpe"), program} + addresses);
    if (!addr2line.waitForFinished(10000) || addr2line.exitCode() != 0)
        return {program + QLatin1Char(' ') + addresses.join(u' ')};
    return QString::fromLocal8Bit(addr2line.readAllStandardOutput()).trimmed().split(u'\n');
}

}  // namespace orvane::soak
