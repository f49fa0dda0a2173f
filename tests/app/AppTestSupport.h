// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <deque>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/host/EventSpin.h"
#include "app/shell/AppSetup.h"

namespace orvane::test {

// The window's settings, recent files and data folder in a temporary home, so no test touches
// the user's own files; the application named and translated as at a real start.
class TempHome {
public:
    TempHome() {
        app::shell::AppSetup::UseHome(dir_.path());
        app::shell::AppSetup::Configure(*qApp);
    }
    QString Path(const QString& name = {}) const { return name.isEmpty() ? dir_.path() : dir_.filePath(name); }
    QString SettingsFile() const { return Path(QStringLiteral("config/ORVANE/ORVANE.ini")); }

private:
    QTemporaryDir dir_;
};

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QPushButton* Button(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == text) return button;
    }
    return nullptr;
}

// Calls `answer` once for each top-level widget of type T that shows, as a user acting on it would.
template <typename T>
class Answerer : public QObject {
public:
    explicit Answerer(std::function<void(T&)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* shown = qobject_cast<T*>(widget);
                if (shown == nullptr || !shown->isVisible() || shown->property("answered").toBool()) continue;
                shown->setProperty("answered", true);
                answer_(*shown);
            }
        });
        timer_.start(20);
    }

private:
    std::function<void(T&)> answer_;
    QTimer timer_;
};

// Records each message box (caption and text) and clicks the next queued button, or its default.
class BoxAnswerer {
public:
    struct Seen {
        QString caption;
        QString text;
    };
    void Queue(QMessageBox::StandardButton button) { answers_.push_back(button); }
    const std::vector<Seen>& Boxes() const { return seen_; }
    bool SawText(const QString& part) const {
        return std::any_of(seen_.begin(), seen_.end(),
                           [&](const Seen& box) { return box.text.contains(part) || box.caption.contains(part); });
    }
    std::size_t Count() const { return seen_.size(); }
    // Called as each box is seen, before it is answered: what the window shows beside it.
    std::function<void()> onBox;

private:
    void Answer(QMessageBox& box) {
        seen_.push_back({box.windowTitle(), box.text()});
        if (onBox) onBox();
        QAbstractButton* button = answers_.empty() ? nullptr : box.button(answers_.front());
        if (!answers_.empty()) answers_.pop_front();
        if (button == nullptr) button = box.defaultButton();
        if (button == nullptr && !box.buttons().isEmpty()) button = box.buttons().first();
        QTimer::singleShot(0, button, &QAbstractButton::click);
    }

    std::deque<QMessageBox::StandardButton> answers_;
    std::vector<Seen> seen_;
    Answerer<QMessageBox> answerer_{[this](QMessageBox& box) { Answer(box); }};
};

// The one wait of the window's tests: the event loop turns until a condition holds.
using app::host::SpinUntil;

}  // namespace orvane::test
