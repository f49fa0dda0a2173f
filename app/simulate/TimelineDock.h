// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

#include <QDockWidget>

#include "app/simulate/ServoTimeline.h"

class QComboBox;
class QLabel;
class QToolBar;

namespace orvane::host {
class FileChooser;
class Prompts;
}

namespace orvane::app::simulate {

class TimelinePlot;

// "Przebieg serw": the timeline of the last simulation with its zoom buttons and its exports,
// a picture (PNG) of the time shown and the moves as CSV, written whole or not at all.
class TimelineDock : public QDockWidget {
    Q_OBJECT
public:
    TimelineDock(orvane::host::FileChooser& files, orvane::host::Prompts& prompts, QWidget* parent);

    ServoTimeline& Timeline() { return timeline_; }
    TimelinePlot& Plot() { return *plot_; }
    // A new run: the plot empties and shows it whole; exports are offered as `baseName` + suffix.
    void Begin(const QString& baseName);
    // The timeline grew to `nowUs` of simulated time: the plot and the clock follow it.
    void Refresh(std::int64_t nowUs);
    // The pace the user chose: simulated time against real time, 0 as fast as it goes.
    double Speed() const;
    // Simulated time as the dock's clock shows it: seconds to the millisecond, Polish comma.
    static QString Seconds(std::int64_t us);

    bool ExportPng(const QString& path);
    bool ExportCsv(const QString& path);

signals:
    void speedChosen(double factor);

private:
    void AddToolBar();
    void AddSpeedChoice(QToolBar* bar);
    void ChooseAndExport(const char* filter, const char* suffix, bool (TimelineDock::*write)(const QString&));
    void TellFailure(const QString& path);

    orvane::host::FileChooser& files_;
    orvane::host::Prompts& prompts_;
    ServoTimeline timeline_;
    TimelinePlot* plot_;
    QComboBox* speed_ = nullptr;
    QLabel* clock_ = nullptr;
    QString baseName_;
};

}  // namespace orvane::app::simulate
