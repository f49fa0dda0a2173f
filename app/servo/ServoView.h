// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <optional>

#include <QWidget>

namespace orvane::app::servo {

// The sixteen servos as the program last commanded them: each a servo body with its horn at
// the commanded angle (500 fully left, 1500 straight up, 2500 fully right) and the position as
// a number; a servo switched off is drawn grey, one never commanded shows no horn. The most
// recently moved servo is marked, so a run can be followed at a glance.
class ServoView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kServos = 16;
    static constexpr int kCentre = 1500;
    static constexpr int kHalfRange = 1000;  // positions from the centre to a full quarter turn

    explicit ServoView(QWidget* parent = nullptr);

    // Servo 1..16 commanded to `position` (0 or less: off); others are ignored.
    void SetPosition(int servo, int position);
    void Clear();
    std::optional<int> Position(int servo) const;
    // The horn's angle in degrees from straight up, clockwise; kept within a little more than
    // a quarter turn each way for positions beyond the range.
    static double AngleOf(int position);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int Columns() const;
    void PaintServo(class QPainter& painter, const QRectF& cell, int servo) const;

    std::array<std::optional<int>, kServos> positions_{};
    int last_ = 0;
};

}  // namespace orvane::app::servo
