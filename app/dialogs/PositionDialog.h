// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

#include "app/dialogs/ServoToolDialog.h"
#include "core/tools/PositionTool.h"

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSlider;

namespace orvane::app::dialogs {

// "Pozycja": sixteen rows of "Serwo n", a slider, "Wył." and the position, the formula with
// "Licz" and the execution time. It only shows a PositionTool's state and reports what the
// user does; the tool, on the device thread, talks to the controller and decides.
class PositionDialog : public ServoToolDialog {
    Q_OBJECT
public:
    static constexpr int kServos = tools::PositionTool::kServos;

    explicit PositionDialog(QWidget* parent = nullptr);

    // A new showing: fields editable again, nothing moved yet.
    void Begin();
    // The tool's state after the action numbered `seq` (0: the opening). A slider whose move
    // is still on its way keeps the user's value, so a late answer never pulls it back.
    void ShowState(const tools::PositionTool::State& state, std::uint64_t seq);
    void NoteMove(int servo, std::uint64_t seq) { lastMove_[static_cast<std::size_t>(servo - 1)] = seq; }

    QSlider* Slider(int servo) const { return rows_[static_cast<std::size_t>(servo - 1)].slider; }
    QCheckBox* ServoBox(int servo) const { return rows_[static_cast<std::size_t>(servo - 1)].servo; }
    QCheckBox* OffBox(int servo) const { return rows_[static_cast<std::size_t>(servo - 1)].off; }
    QLabel* ValueLabel(int servo) const { return rows_[static_cast<std::size_t>(servo - 1)].value; }
    QLineEdit* Formula() const { return formula_; }
    QLineEdit* Time() const { return time_; }
    QCheckBox* Compute() const { return compute_; }

signals:
    void sliderMoved(int servo, int position);
    void servoClicked(int servo, bool enabled);
    void offClicked(int servo, bool off);
    void fieldsEdited(const QString& formula, const QString& time, bool compute);

private:
    struct Row {
        QCheckBox* servo = nullptr;
        QSlider* slider = nullptr;
        QCheckBox* off = nullptr;
        QLabel* value = nullptr;
    };
    QWidget* BuildRows();
    QWidget* BuildFields();
    void EmitFields();
    void ShowFormulaProblems();

    std::array<Row, kServos> rows_{};
    std::array<std::uint64_t, kServos> lastMove_{};
    QLineEdit* formula_;
    QLabel* formulaProblems_;
    QFormLayout* fields_ = nullptr;
    QCheckBox* compute_;
    QLineEdit* time_;
    bool fieldsEdited_ = false;
};

}  // namespace orvane::app::dialogs
