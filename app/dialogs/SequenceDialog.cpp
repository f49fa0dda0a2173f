// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/SequenceDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/dialogs/NumberField.h"
#include "app/dialogs/UiText.h"

namespace orvane::app::dialogs {

using tools::SequenceTool;

SequenceDialog::SequenceDialog(QWidget* parent)
    : ServoToolDialog(parent),
      group_(new QButtonGroup(this)),
      label_(new QLabel(this)),
      valueStack_(new QStackedWidget(this)),
      positionText_(new QLabel(this)),
      pause_(NumberField(this)),
      step_(NumberField(this)),
      time_(NumberField(this)),
      soft_(NumberField(this)),
      sliderRow_(new QWidget(this)),
      slider_(new QSlider(Qt::Horizontal, sliderRow_)),
      off_(new QCheckBox(QStringLiteral("OFF"), sliderRow_)),
      offLabel_(new QLabel(sliderRow_)) {
    setObjectName(QStringLiteral("sequenceDialog"));
    setWindowTitle(QStringLiteral("Sekwencja"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildChoices());
    layout->addWidget(BuildValues());
    layout->addLayout(ButtonRow());
    setMinimumWidth(520);
}

QWidget* SequenceDialog::BuildChoices() {
    auto* box = new QGroupBox(QStringLiteral("Krok sekwencji"), this);
    auto* grid = new QGridLayout(box);
    for (int selection = 0; selection <= kServos; ++selection) {
        auto* choice = new QRadioButton(selection == 0 ? QStringLiteral("Pauza") : QString::number(selection), box);
        choices_[static_cast<std::size_t>(selection)] = choice;
        group_->addButton(choice, selection);
        if (selection == 0) grid->addWidget(choice, 0, 0, 2, 1);
        else grid->addWidget(choice, (selection - 1) / 8, 1 + (selection - 1) % 8);
    }
    connect(group_, &QButtonGroup::idClicked, this, &SequenceDialog::selected);
    return box;
}

QWidget* SequenceDialog::BuildValues() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 8, 0, 0);
    valueStack_->addWidget(positionText_);
    valueStack_->addWidget(pause_);
    valueStack_->setMaximumWidth(140);
    form->addRow(label_, valueStack_);
    for (auto [text, edit] : {std::pair{"Krok:", step_}, {"Czas:", time_}, {"Soft:", soft_}}) {
        edit->setMaximumWidth(140);
        form->addRow(QString::fromUtf8(text), edit);
        connect(edit, &QLineEdit::textEdited, this, &SequenceDialog::EmitArguments);
    }
    slider_->setRange(SequenceTool::kMinPosition, SequenceTool::kMaxPosition);
    slider_->setPageStep(100);
    offLabel_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-00000")));
    offLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* sliderLayout = new QHBoxLayout(sliderRow_);
    sliderLayout->setContentsMargins(0, 0, 0, 0);
    sliderLayout->addWidget(slider_, 1);
    sliderLayout->addWidget(off_);
    sliderLayout->addWidget(offLabel_);
    form->addRow(QStringLiteral("Pozycja:"), sliderRow_);
    connect(pause_, &QLineEdit::editingFinished, this, [this] {
        pause_->setModified(false);  // the kept value comes back with the tool's state
        emit pauseEdited(pause_->text());
    });
    connect(slider_, &QSlider::valueChanged, this, [this](int value) {
        if (!off_->isChecked()) offLabel_->setText(QString::number(value));
        emit sliderMoved(value);
    });
    connect(off_, &QCheckBox::clicked, this, &SequenceDialog::offClicked);
    return box;
}

void SequenceDialog::EmitArguments() {
    argumentsEdited_ = true;
    emit argumentsEdited(step_->text(), time_->text(), soft_->text());
}

void SequenceDialog::Begin() {
    lastMove_ = 0;
    argumentsEdited_ = false;
    ServoToolDialog::Begin();
}

void SequenceDialog::ShowState(const SequenceTool::State& state, std::uint64_t seq) {
    const bool servo = state.selection != SequenceTool::kPause;
    for (int selection = 1; selection <= kServos; ++selection) Choice(selection)->setEnabled(state.servosEnabled);
    Choice(state.selection)->setChecked(true);
    label_->setText(FromCp1250(state.label));
    positionText_->setText(FromCp1250(state.positionText));
    valueStack_->setCurrentWidget(servo ? static_cast<QWidget*>(positionText_) : pause_);
    // The pause time is rewritten once the user has finished it, not while they type.
    if (!pause_->isModified()) pause_->setText(FromCp1250(state.pauseText));
    if (!argumentsEdited_) {
        step_->setText(FromCp1250(state.step));
        time_->setText(FromCp1250(state.time));
        soft_->setText(FromCp1250(state.soft));
    }
    for (QWidget* w : {static_cast<QWidget*>(step_), static_cast<QWidget*>(time_), static_cast<QWidget*>(soft_),
                       static_cast<QWidget*>(slider_), static_cast<QWidget*>(off_)}) {
        w->setEnabled(servo);
    }
    sliderRow_->setVisible(servo);
    off_->setChecked(state.off);
    offLabel_->setText(FromCp1250(state.offLabel));
    if (seq >= lastMove_) {
        const QSignalBlocker block(slider_);
        slider_->setValue(state.slider);
    }
}

void SequenceDialog::BeforeRequest() {
    if (pause_->isModified()) emit pauseEdited(pause_->text());  // OK takes the time as typed, kept in range
}

}  // namespace orvane::app::dialogs
