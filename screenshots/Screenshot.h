// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <vector>

#include <QString>

class QWidget;

namespace orvane::app::shell { class MainWindow; }

namespace orvane::screenshots {

// What a picture function gets: the main window, already started on the virtual controller with
// an example script, and where the examples are.
struct ShotContext {
    app::shell::MainWindow& window;
    QString examplesFolder;
};

// One picture of docs/screenshots: a name (the PNG's file name without ".png") and a function
// that brings the window into shape and returns the widget to grab. Add a picture by adding a
// file with one `Screenshot::Registrar` beside the others; nothing else needs changing.
class Screenshot {
public:
    using Take = std::function<QWidget*(ShotContext&)>;
    struct Entry {
        QString name;
        Take take;
    };
    struct Registrar {
        Registrar(const char* name, Take take);
    };
    static std::vector<Entry>& All();
};

}  // namespace orvane::screenshots
