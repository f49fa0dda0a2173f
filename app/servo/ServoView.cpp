// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/servo/ServoView.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QPainter>
#include <QPainterPath>

namespace orvane::app::servo {

namespace {
constexpr double kMaxAngle = 100.0;
constexpr int kCellMin = 88;
const QColor kHorn(0xE0, 0x7B, 0x00);
const QColor kBody(0x3C, 0x41, 0x48);
}  // namespace

ServoView::ServoView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("servoView"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* clear = new QAction(QString::fromUtf8("Wyczyść"), this);
    clear->setStatusTip(QString::fromUtf8("Zapomina pozycje serw pokazane w widoku"));
    connect(clear, &QAction::triggered, this, &ServoView::Clear);
    addAction(clear);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ServoView::SetPosition(int servo, int position) {
    if (servo < 1 || servo > kServos) return;
    positions_[static_cast<std::size_t>(servo - 1)] = position;
    last_ = servo;
    update();
}

void ServoView::Clear() {
    positions_.fill(std::nullopt);
    last_ = 0;
    update();
}

std::optional<int> ServoView::Position(int servo) const {
    if (servo < 1 || servo > kServos) return std::nullopt;
    return positions_[static_cast<std::size_t>(servo - 1)];
}

double ServoView::AngleOf(int position) {
    const double angle = 90.0 * (position - kCentre) / kHalfRange;
    return std::clamp(angle, -kMaxAngle, kMaxAngle);
}

// Two columns by default: the dock takes little of the editor's width.
QSize ServoView::sizeHint() const { return {2 * kCellMin + 8, 8 * kCellMin}; }

QSize ServoView::minimumSizeHint() const { return {kCellMin + 8, 2 * kCellMin}; }

// As many columns as give the largest cells: four by four in a square, two by eight in a
// narrow dock, eight by two along the bottom.
int ServoView::Columns() const {
    int best = 4;
    double bestSide = 0;
    for (int columns : {1, 2, 4, 8, 16}) {
        const int rows = kServos / columns;
        const double side = std::min(width() / double(columns), height() / double(rows));
        if (side > bestSide) {
            bestSide = side;
            best = columns;
        }
    }
    return best;
}

void ServoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const int columns = Columns();
    const int rows = kServos / columns;
    const double w = width() / double(columns);
    const double h = height() / double(rows);
    for (int servo = 1; servo <= kServos; ++servo) {
        const int i = servo - 1;
        PaintServo(painter, QRectF((i % columns) * w, (i / columns) * h, w, h).adjusted(3, 3, -3, -3), servo);
    }
}

void ServoView::PaintServo(QPainter& painter, const QRectF& cell, int servo) const {
    const std::optional<int> position = positions_[static_cast<std::size_t>(servo - 1)];
    const bool on = position && *position > 0;
    painter.setPen(QPen(servo == last_ ? kHorn : palette().mid().color(), servo == last_ ? 2 : 1));
    painter.setBrush(palette().window());
    painter.drawRoundedRect(cell, 6, 6);

    QFont font = painter.font();
    const double side = std::min(cell.width(), cell.height());
    font.setPixelSize(std::max(9, int(side / 8)));
    painter.setFont(font);
    const double text = font.pixelSize() * 1.4;
    painter.setPen(palette().text().color());
    painter.drawText(cell.adjusted(6, 2, -6, 0), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("S%1").arg(servo));
    const QString value = !position ? QStringLiteral("—") : on ? QString::number(*position) : QStringLiteral("wył.");
    painter.drawText(cell.adjusted(4, 0, -4, -2), Qt::AlignHCenter | Qt::AlignBottom, value);

    // The servo seen from above: its body, the shaft near one end, the horn on the shaft.
    const QRectF area = cell.adjusted(8, text, -8, -text);
    const double unit = std::min(area.width(), area.height()) / 2.2;
    const QPointF shaft(area.center().x(), area.center().y() + unit * 0.35);
    const QRectF body(shaft.x() - unit * 0.55, shaft.y() - unit * 0.6, unit * 1.1, unit * 1.25);
    // The horn's sweep, from fully left to fully right, to read the angle against.
    const double reach = unit * 0.95;
    painter.setPen(QPen(palette().mid().color(), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(shaft.x() - reach, shaft.y() - reach, 2 * reach, 2 * reach), 0, 180 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? kBody : palette().mid().color());
    painter.drawRoundedRect(body, unit * 0.12, unit * 0.12);
    if (position) {
        painter.save();
        painter.translate(shaft);
        painter.rotate(AngleOf(on ? *position : kCentre));
        QPainterPath horn;
        horn.addRoundedRect(QRectF(-unit * 0.13, -unit * 0.95, unit * 0.26, unit * 1.1), unit * 0.13, unit * 0.13);
        painter.setBrush(on ? kHorn : palette().midlight().color());
        painter.drawPath(horn);
        painter.restore();
    }
    painter.setBrush(palette().light());
    painter.drawEllipse(shaft, unit * 0.1, unit * 0.1);
}

}  // namespace orvane::app::servo
