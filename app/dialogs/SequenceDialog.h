// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

#include "app/dialogs/ServoToolDialog.h"
#include "core/tools/SequenceTool.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;
class QStackedWidget;

namespace orvane::app::dialogs {

// "Sekwencja": the step to record (a pause or one servo), the pause time or the servo's
// position, "Krok", "Czas", "Soft", the slider and "OFF". Like the position dialog it only
// shows a SequenceTool's state and reports what the user does.
class SequenceDialog : public ServoToolDialog {
    Q_OBJECT
public:
    static constexpr int kServos = tools::SequenceTool::kServos;

    explicit SequenceDialog(QWidget* parent = nullptr);

    void Begin();
    void ShowState(const tools::SequenceTool::State& state, std::uint64_t seq);
    void NoteMove(std::uint64_t seq) { lastMove_ = seq; }

    QRadioButton* Choice(int selection) const { return choices_[static_cast<std::size_t>(selection)]; }
    QLineEdit* Pause() const { return pause_; }
    QLineEdit* Step() const { return step_; }
    QLineEdit* TimeField() const { return time_; }
    QLineEdit* Soft() const { return soft_; }
    QSlider* Slider() const { return slider_; }
    QCheckBox* Off() const { return off_; }
    QLabel* PositionText() const { return positionText_; }

signals:
    void selected(int selection);
    void pauseEdited(const QString& text);
    void argumentsEdited(const QString& step, const QString& time, const QString& soft);
    void sliderMoved(int position);
    void offClicked(bool off);

private:
    QWidget* BuildChoices();
    QWidget* BuildValues();
    void EmitArguments();
    void BeforeRequest() override;

    std::array<QRadioButton*, kServos + 1> choices_{};
    QButtonGroup* group_;
    QLabel* label_;
    QStackedWidget* valueStack_;
    QLabel* positionText_;
    QLineEdit* pause_;
    QLineEdit* step_;
    QLineEdit* time_;
    QLineEdit* soft_;
    QWidget* sliderRow_;
    QSlider* slider_;
    QCheckBox* off_;
    QLabel* offLabel_;
    std::uint64_t lastMove_ = 0;
    bool argumentsEdited_ = false;
};

}  // namespace orvane::app::dialogs
