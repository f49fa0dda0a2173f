// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>

#include <QAbstractScrollArea>
#include <QImage>

#include "app/simulate/ServoTimeline.h"
#include "app/simulate/TimeWindow.h"

class QPainter;

namespace orvane::app::simulate {

// The servo timeline as a plot: one lane per moved servo, its position over simulated time as
// steps (a position holds until the next move; a servo switched off leaves a gap), a time axis
// below. Ctrl+wheel or +/- zoom at the pointer, the wheel, the arrow and page keys, dragging and
// the scroll bar move along the run, Home and End go to its ends, 0 shows it whole. The pointer
// shows the time under it and every servo's position there.
class TimelinePlot : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TimelinePlot(QWidget* parent = nullptr);

    // The plot draws `timeline`, which outlives it; call Refresh after it changed.
    void SetTimeline(const ServoTimeline* timeline);
    void Refresh();
    const TimeWindow& Window() const { return window_; }

    void ZoomIn();
    void ZoomOut();
    void ShowAll();
    // The time window as it stands now, every lane, drawn into an image of `size` for export.
    QImage Render(QSize size) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Layout;

    Layout LayoutFor(QSize size, int firstLanePixel) const;
    void Paint(QPainter& painter, const Layout& layout) const;
    void PaintAxis(QPainter& painter, const Layout& layout) const;
    void PaintLane(QPainter& painter, const Layout& layout, int lane) const;
    void PaintPointer(QPainter& painter, const Layout& layout) const;
    double AnchorAt(double x) const;
    void WindowChanged();
    void UpdateScrollBars();

    const ServoTimeline* timeline_ = nullptr;
    TimeWindow window_;
    std::optional<double> pointerX_;
    std::optional<QPoint> dragFrom_;
    std::int64_t dragStartUs_ = 0;
    std::int64_t scrollUnitUs_ = 1;
    bool updatingBars_ = false;
};

}  // namespace orvane::app::simulate
