// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulate/TimelinePlot.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace orvane::app::simulate {

namespace {
constexpr double kLabelWidth = 78;
constexpr double kAxisHeight = 24;
constexpr double kMinLane = 46;
constexpr double kLanePad = 6;
constexpr double kMinTickPixels = 90;
constexpr double kZoomStep = 1.5;
// The board's range of positions: lanes show at least this much, so plots compare.
constexpr int kBoardLow = 500;
constexpr int kBoardHigh = 2500;
// Before a servo's first move there is nothing to draw; 0 or less is a servo switched off.
constexpr int kNever = INT_MIN;

const QColor kColours[] = {QColor(0x2f, 0x7f, 0xd1), QColor(0xd2, 0x45, 0x3b), QColor(0x2e, 0x9d, 0x57),
                           QColor(0xe3, 0xa2, 0x1a), QColor(0x7a, 0x55, 0xc7), QColor(0x1a, 0x9c, 0xa8),
                           QColor(0xc2, 0x4f, 0x9a), QColor(0x6b, 0x7a, 0x2a)};

QString Decimal(double value, int decimals) {
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

// A tick's time, with as many decimals as the step between ticks needs.
QString TimeText(std::int64_t us, std::int64_t stepUs) {
    if (stepUs >= 10'000) {
        const int decimals = stepUs >= 1'000'000 ? 0 : stepUs >= 100'000 ? 1 : 2;
        return Decimal(static_cast<double>(us) / 1e6, decimals) + QStringLiteral(" s");
    }
    const int decimals = stepUs >= 1'000 ? 0 : stepUs >= 100 ? 1 : 2;
    return Decimal(static_cast<double>(us) / 1e3, decimals) + QStringLiteral(" ms");
}

// 1, 2 or 5 times a power of ten microseconds: the first step at least `minUs` long.
std::int64_t NiceStep(double minUs) {
    std::int64_t power = 1;
    while (true) {
        for (std::int64_t m : {1, 2, 5}) {
            if (static_cast<double>(m * power) >= minUs) return m * power;
        }
        power *= 10;
    }
}

// A polyline that keeps of each pixel column's points only the first and the last, and draws a
// vertical stroke over all of them, so a column costs a few segments however many points it has.
class ColumnLine {
public:
    explicit ColumnLine(QVector<QLineF>& strokes) : strokes_(strokes) {}
    bool Empty() const { return line_.isEmpty(); }
    void Start(QPointF p) {
        line_ = {p};
        Open(p);
    }
    void Add(QPointF p) {
        if (std::floor(p.x()) == column_) {
            low_ = std::min(low_, p.y());
            high_ = std::max(high_, p.y());
            last_ = p;
            return;
        }
        Close();
        line_.append(p);
        Open(p);
    }
    QPolygonF Finish() {
        Close();
        return std::exchange(line_, {});
    }

private:
    void Open(QPointF p) {
        column_ = std::floor(p.x());
        low_ = high_ = p.y();
        last_.reset();
    }
    void Close() {
        if (low_ < high_) strokes_.append(QLineF(column_ + 0.5, low_, column_ + 0.5, high_));
        if (last_) line_.append(*last_);
        last_.reset();
        low_ = high_;
    }

    QVector<QLineF>& strokes_;
    QPolygonF line_;
    double column_ = 0;
    double low_ = 0;
    double high_ = 0;
    std::optional<QPointF> last_;
};

QString PositionText(int position) {
    return position > 0 ? QString::number(position) : QString::fromUtf8("wył.");
}
}  // namespace

struct TimelinePlot::Layout {
    QRectF plot;  // the lanes' drawing area, right of the labels and above the axis
    double laneHeight = kMinLane;
    double firstLaneTop = 0;
    std::vector<int> servos;
    int low = kBoardLow;
    int high = kBoardHigh;
    std::int64_t startUs = 0;
    std::int64_t spanUs = 1;
    std::int64_t runEndUs = 0;

    double X(std::int64_t us) const {
        return plot.left() + plot.width() * static_cast<double>(us - startUs) / static_cast<double>(spanUs);
    }
    std::int64_t TimeAt(double x) const {
        return startUs + static_cast<std::int64_t>(std::llround((x - plot.left()) / plot.width() * static_cast<double>(spanUs)));
    }
    double LaneTop(int lane) const { return firstLaneTop + lane * laneHeight; }
    double Y(int lane, int position) const {
        const double bottom = LaneTop(lane) + laneHeight - kLanePad;
        const double share = static_cast<double>(position - low) / std::max(1, high - low);
        return bottom - std::clamp(share, 0.0, 1.0) * (laneHeight - 2 * kLanePad);
    }
    double OffY(int lane) const { return LaneTop(lane) + laneHeight - 2; }
};

TimelinePlot::TimelinePlot(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("timelinePlot"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::CrossCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TimelinePlot::SetTimeline(const ServoTimeline* timeline) {
    timeline_ = timeline;
    window_.ShowAll();
    Refresh();
}

void TimelinePlot::Refresh() {
    window_.SetRunEnd(timeline_ != nullptr ? timeline_->EndUs() : 0);
    WindowChanged();
}

void TimelinePlot::ZoomIn() {
    window_.Zoom(kZoomStep, AnchorAt(pointerX_.value_or(-1)));
    WindowChanged();
}

void TimelinePlot::ZoomOut() {
    window_.Zoom(1 / kZoomStep, AnchorAt(pointerX_.value_or(-1)));
    WindowChanged();
}

void TimelinePlot::ShowAll() {
    window_.ShowAll();
    WindowChanged();
}

QSize TimelinePlot::sizeHint() const { return {640, 240}; }

// --- layout and painting ---------------------------------------------------------------------

TimelinePlot::Layout TimelinePlot::LayoutFor(QSize size, int firstLanePixel) const {
    Layout layout;
    layout.plot = QRectF(kLabelWidth, 0, std::max(10.0, size.width() - kLabelWidth - 8),
                         std::max(10.0, size.height() - kAxisHeight));
    layout.startUs = window_.StartUs();
    layout.spanUs = std::max<std::int64_t>(1, window_.SpanUs());
    if (timeline_ == nullptr) return layout;
    layout.runEndUs = timeline_->EndUs();
    layout.servos = timeline_->MovedServos();
    if (auto range = timeline_->PositionRange()) {
        layout.low = std::min(kBoardLow, range->first);
        layout.high = std::max(kBoardHigh, range->second);
    }
    if (!layout.servos.empty()) {
        const double share = layout.plot.height() / static_cast<double>(layout.servos.size());
        layout.laneHeight = firstLanePixel < 0 ? share : std::max(kMinLane, share);
    }
    layout.firstLaneTop = -std::max(0, firstLanePixel);
    return layout;
}

void TimelinePlot::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const Layout layout = LayoutFor(viewport()->size(), verticalScrollBar()->value());
    Paint(painter, layout);
    PaintPointer(painter, layout);
}

QImage TimelinePlot::Render(QSize size) const {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(font());
    Paint(painter, LayoutFor(size, -1));
    return image;
}

void TimelinePlot::Paint(QPainter& painter, const Layout& layout) const {
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(layout.plot.right() + 8, layout.plot.bottom() + kAxisHeight)),
                     Qt::white);
    if (layout.servos.empty()) {
        painter.setPen(QColor(0x60, 0x66, 0x70));
        painter.drawText(layout.plot, Qt::AlignCenter,
                         QString::fromUtf8("Symuluj (Ctrl+F5) rysuje tu ruchy serw w czasie symulacji."));
    }
    painter.save();
    painter.setClipRect(QRectF(0, 0, layout.plot.right() + 8, layout.plot.bottom()));
    for (int lane = 0; lane < static_cast<int>(layout.servos.size()); ++lane) PaintLane(painter, layout, lane);
    painter.restore();
    PaintAxis(painter, layout);
}

void TimelinePlot::PaintAxis(QPainter& painter, const Layout& layout) const {
    const double y = layout.plot.bottom();
    painter.setPen(QColor(0x27, 0x38, 0x4a));
    painter.drawLine(QPointF(layout.plot.left(), y), QPointF(layout.plot.right(), y));
    const std::int64_t step =
        NiceStep(kMinTickPixels * static_cast<double>(layout.spanUs) / std::max(1.0, layout.plot.width()));
    const QFontMetrics metrics(painter.font());
    for (std::int64_t t = (layout.startUs + step - 1) / step * step; t <= layout.startUs + layout.spanUs; t += step) {
        const double x = layout.X(t);
        painter.setPen(QColor(0xe4, 0xe8, 0xee));
        painter.drawLine(QPointF(x, 0), QPointF(x, y));
        painter.setPen(QColor(0x27, 0x38, 0x4a));
        painter.drawLine(QPointF(x, y), QPointF(x, y + 4));
        const QString text = TimeText(t, step);
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(QPointF(std::clamp(x - width / 2, layout.plot.left() - 30, layout.plot.right() - width),
                                 y + 6 + metrics.ascent()),
                         text);
    }
}

// One servo's lane: its name, the centre line and its path. Points that fall on one pixel
// column are drawn as one vertical stroke, so a long run costs the plot's width, not its moves.
void TimelinePlot::PaintLane(QPainter& painter, const Layout& layout, int lane) const {
    const int servo = layout.servos[static_cast<std::size_t>(lane)];
    const double top = layout.LaneTop(lane);
    const QColor colour = kColours[static_cast<std::size_t>(servo - 1) % std::size(kColours)];
    if (lane % 2 == 1) painter.fillRect(QRectF(0, top, layout.plot.right(), layout.laneHeight), QColor(0xf5, 0xf7, 0xfa));
    painter.setPen(QColor(0xd5, 0xdb, 0xe3));
    painter.drawLine(QPointF(layout.plot.left(), layout.Y(lane, 1500)), QPointF(layout.plot.right(), layout.Y(lane, 1500)));
    painter.setPen(colour.darker(130));
    painter.drawText(QRectF(6, top, kLabelWidth - 10, layout.laneHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Serwo %1").arg(servo));

    const std::int64_t clipUs = std::min(layout.startUs + layout.spanUs, layout.runEndUs);
    if (clipUs <= layout.startUs) return;
    // The path's points in view: where it stood at the left edge, its own points, where it
    // stood at the right edge (or where the run stopped).
    std::vector<std::pair<double, int>> points;
    points.emplace_back(layout.X(layout.startUs), timeline_->PositionAt(servo, layout.startUs).value_or(kNever));
    const auto& path = timeline_->PathOf(servo);
    auto it = std::upper_bound(path.begin(), path.end(), layout.startUs,
                               [](std::int64_t t, const ServoSample& s) { return t < s.timeUs; });
    for (; it != path.end() && it->timeUs < clipUs; ++it) points.emplace_back(layout.X(it->timeUs), it->position);
    points.emplace_back(layout.X(clipUs), timeline_->PositionAt(servo, clipUs).value_or(kNever));

    QVector<QPolygonF> lines;
    QVector<QLineF> strokes;
    QVector<QLineF> off;
    ColumnLine column(strokes);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const auto [x0, v0] = points[i - 1];
        const auto [x1, v1] = points[i];
        if (v0 == kNever) continue;
        if (v0 <= 0) {
            off.append(QLineF(x0, layout.OffY(lane), x1, layout.OffY(lane)));
            continue;
        }
        if (column.Empty()) column.Start(QPointF(x0, layout.Y(lane, v0)));
        // Into a switched-off point the servo holds its position until then.
        column.Add(QPointF(x1, layout.Y(lane, v1 > 0 ? v1 : v0)));
        if (v1 <= 0 || i + 1 == points.size()) lines.append(column.Finish());
    }
    painter.setPen(QPen(colour, 2));
    for (const QPolygonF& line : lines) painter.drawPolyline(line);
    painter.drawLines(strokes);
    painter.setPen(QPen(QColor(0x8c, 0x96, 0xa3), 1, Qt::DashLine));
    painter.drawLines(off);
}

void TimelinePlot::PaintPointer(QPainter& painter, const Layout& layout) const {
    if (!pointerX_ || *pointerX_ < layout.plot.left() || *pointerX_ > layout.plot.right() || timeline_ == nullptr) return;
    const double x = *pointerX_;
    painter.setPen(QPen(QColor(0x27, 0x38, 0x4a), 1, Qt::DotLine));
    painter.drawLine(QPointF(x, 0), QPointF(x, layout.plot.bottom()));
    const std::int64_t t = layout.TimeAt(x);
    const QFontMetrics metrics(painter.font());
    const auto label = [&](double y, const QString& text) {
        const double width = metrics.horizontalAdvance(text) + 8;
        const double left = x + width + 4 > layout.plot.right() ? x - width - 4 : x + 4;
        const QRectF box(left, y - metrics.height() / 2.0 - 1, width, metrics.height() + 2);
        painter.fillRect(box, QColor(255, 255, 255, 225));
        painter.setPen(QColor(0x27, 0x38, 0x4a));
        painter.drawText(box, Qt::AlignCenter, text);
    };
    for (int lane = 0; lane < static_cast<int>(layout.servos.size()); ++lane) {
        if (auto value = timeline_->PositionAt(layout.servos[static_cast<std::size_t>(lane)], t)) {
            label(layout.LaneTop(lane) + layout.laneHeight / 2, PositionText(*value));
        }
    }
    label(layout.plot.bottom() - metrics.height(), TimeText(t, 1));
}

// --- the user's hand -------------------------------------------------------------------------

double TimelinePlot::AnchorAt(double x) const {
    if (x < 0) return 0.5;  // keys and buttons zoom about the middle
    const double width = viewport()->width() - kLabelWidth - 8;
    return width > 0 ? std::clamp((x - kLabelWidth) / width, 0.0, 1.0) : 0.5;
}

void TimelinePlot::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (event->modifiers() & Qt::ControlModifier) {
        window_.Zoom(std::pow(kZoomStep, steps), AnchorAt(event->position().x()));
        WindowChanged();
    } else if (event->modifiers() & Qt::ShiftModifier) {
        verticalScrollBar()->setValue(verticalScrollBar()->value() - static_cast<int>(steps * kMinLane));
    } else {
        window_.Scroll(-static_cast<std::int64_t>(steps * static_cast<double>(window_.SpanUs()) / 10));
        WindowChanged();
    }
    event->accept();
}

void TimelinePlot::keyPressEvent(QKeyEvent* event) {
    const std::int64_t span = window_.SpanUs();
    switch (event->key()) {
        case Qt::Key_Plus: case Qt::Key_Equal: ZoomIn(); return;
        case Qt::Key_Minus: ZoomOut(); return;
        case Qt::Key_0: ShowAll(); return;
        case Qt::Key_Left: window_.Scroll(-span / 10); break;
        case Qt::Key_Right: window_.Scroll(span / 10); break;
        case Qt::Key_PageUp: window_.Scroll(-span); break;
        case Qt::Key_PageDown: window_.Scroll(span); break;
        case Qt::Key_Home: window_.ScrollTo(0); break;
        case Qt::Key_End: window_.ScrollTo(window_.TotalUs()); break;
        default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    WindowChanged();
}

void TimelinePlot::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragFrom_ = event->position().toPoint();
    dragStartUs_ = window_.StartUs();
    viewport()->setCursor(Qt::ClosedHandCursor);
}

void TimelinePlot::mouseMoveEvent(QMouseEvent* event) {
    pointerX_ = event->position().x();
    if (dragFrom_) {
        const double width = std::max(1.0, viewport()->width() - kLabelWidth - 8);
        const double moved = (event->position().x() - dragFrom_->x()) / width * static_cast<double>(window_.SpanUs());
        window_.ScrollTo(dragStartUs_ - static_cast<std::int64_t>(moved));
        WindowChanged();
    }
    viewport()->update();
}

void TimelinePlot::mouseReleaseEvent(QMouseEvent*) {
    dragFrom_.reset();
    viewport()->setCursor(Qt::CrossCursor);
}

void TimelinePlot::leaveEvent(QEvent*) {
    pointerX_.reset();
    viewport()->update();
}

void TimelinePlot::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

// The scroll bars moved by the user: the horizontal one moves the time window.
void TimelinePlot::scrollContentsBy(int, int) {
    if (!updatingBars_) window_.ScrollTo(horizontalScrollBar()->value() * scrollUnitUs_);
    viewport()->update();
}

void TimelinePlot::WindowChanged() {
    UpdateScrollBars();
    viewport()->update();
}

void TimelinePlot::UpdateScrollBars() {
    updatingBars_ = true;
    const std::int64_t total = window_.TotalUs();
    scrollUnitUs_ = std::max<std::int64_t>(1, total / 1'000'000);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, static_cast<int>((total - window_.SpanUs()) / scrollUnitUs_));
    h->setPageStep(static_cast<int>(std::max<std::int64_t>(1, window_.SpanUs() / scrollUnitUs_)));
    h->setSingleStep(std::max(1, h->pageStep() / 10));
    h->setValue(static_cast<int>(window_.StartUs() / scrollUnitUs_));
    const Layout layout = LayoutFor(viewport()->size(), 0);
    const double lanes = layout.laneHeight * static_cast<double>(layout.servos.size());
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, static_cast<int>(std::ceil(lanes - layout.plot.height()))));
    v->setPageStep(static_cast<int>(layout.plot.height()));
    v->setSingleStep(static_cast<int>(kMinLane / 2));
    updatingBars_ = false;
}

}  // namespace orvane::app::simulate
