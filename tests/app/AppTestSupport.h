#pragma once
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

#include "app/shell/AppSetup.h"

namespace orvane::test {

// The window's settings, recent files and data folder in a temporary home, so no test touches
// the user's own files; the application named and translated as at a real start.
class TempHome {
public:
    TempHome() {
        qputenv("HOME", dir_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + QStringLiteral("/config")).toUtf8());
        qputenv("XDG_DATA_HOME", (dir_.path() + QStringLiteral("/data")).toUtf8());
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

// Answers the message boxes the window shows, as a user would click them: each box seen is
// recorded (caption and text) and answered with the next queued button, or with its default.
class BoxAnswerer : public QObject {
public:
    struct Seen {
        QString caption;
        QString text;
    };

    BoxAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(20);
    }
    void Queue(QMessageBox::StandardButton button) { answers_.push_back(button); }
    const std::vector<Seen>& Boxes() const { return seen_; }
    bool SawText(const QString& part) const {
        for (const Seen& box : seen_) {
            if (box.text.contains(part) || box.caption.contains(part)) return true;
        }
        return false;
    }
    std::size_t Count() const { return seen_.size(); }

private:
    void Poll() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) continue;
            box->setProperty("answered", true);
            seen_.push_back({box->windowTitle(), box->text()});
            QAbstractButton* button = nullptr;
            if (!answers_.empty()) {
                button = box->button(answers_.front());
                answers_.pop_front();
            }
            if (button == nullptr) button = box->defaultButton();
            if (button == nullptr && !box->buttons().isEmpty()) button = box->buttons().first();
            QTimer::singleShot(0, button, &QAbstractButton::click);
        }
    }

    QTimer timer_;
    std::deque<QMessageBox::StandardButton> answers_;
    std::vector<Seen> seen_;
};

// Keeps the window's event loop turning until `done` holds or `timeoutMs` passed.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QTest::qWait(10);
    }
    return true;
}

}  // namespace orvane::test
