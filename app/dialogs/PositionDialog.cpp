// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/PositionDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "app/dialogs/UiText.h"
#include "core/tools/ServoFormula.h"

namespace orvane::app::dialogs {

namespace {
constexpr int kRowsPerColumn = 8;
constexpr int kPageStep = 100;
}  // namespace

PositionDialog::PositionDialog(QWidget* parent)
    : ServoToolDialog(parent),
      formula_(new QLineEdit(this)),
      formulaProblems_(new QLabel(this)),
      compute_(new QCheckBox(QStringLiteral("Licz"), this)),
      time_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("positionDialog"));
    setWindowTitle(QStringLiteral("Pozycja"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildRows());
    layout->addWidget(BuildFields());
    layout->addLayout(ButtonRow());
}

QWidget* PositionDialog::BuildRows() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    const int valueWidth = fontMetrics().horizontalAdvance(QStringLiteral("-00000"));
    for (int servo = 1; servo <= kServos; ++servo) {
        Row& row = rows_[static_cast<std::size_t>(servo - 1)];
        row.servo = new QCheckBox(QStringLiteral("Serwo %1").arg(servo), box);
        row.slider = new QSlider(Qt::Horizontal, box);
        row.slider->setRange(tools::PositionTool::kMinPosition, tools::PositionTool::kMaxPosition);
        row.slider->setPageStep(kPageStep);
        row.slider->setMinimumWidth(170);
        row.off = new QCheckBox(Pl("Wył."), box);
        row.value = new QLabel(QStringLiteral("0"), box);
        row.value->setMinimumWidth(valueWidth);
        row.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (QWidget* w : {static_cast<QWidget*>(row.slider), static_cast<QWidget*>(row.off),
                           static_cast<QWidget*>(row.value)}) {
            w->setEnabled(false);
        }
        const int r = (servo - 1) % kRowsPerColumn;
        const int c = (servo - 1) / kRowsPerColumn * 5;
        grid->addWidget(row.servo, r, c);
        grid->addWidget(row.slider, r, c + 1);
        grid->addWidget(row.off, r, c + 2);
        grid->addWidget(row.value, r, c + 3);
        if (c == 0) grid->setColumnMinimumWidth(4, 18);
        // Every scroll action (drag, click, wheel, arrow and page keys, Home, End) ends here.
        connect(row.slider, &QSlider::valueChanged, this, [this, servo, &row](int value) {
            row.value->setText(QString::number(value));
            emit sliderMoved(servo, value);
        });
        connect(row.servo, &QCheckBox::clicked, this, [this, servo](bool on) { emit servoClicked(servo, on); });
        connect(row.off, &QCheckBox::clicked, this, [this, servo](bool on) { emit offClicked(servo, on); });
    }
    return box;
}

QWidget* PositionDialog::BuildFields() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    fields_ = form;
    form->setContentsMargins(0, 8, 0, 0);
    auto* formulaRow = new QHBoxLayout;
    formulaRow->addWidget(formula_, 1);
    formulaRow->addWidget(compute_);
    form->addRow(QStringLiteral("Oblicz (S1=S2+2;):"), formulaRow);
    formulaProblems_->setStyleSheet(QStringLiteral("color: #b00020"));
    formulaProblems_->setWordWrap(true);
    form->addRow(QString(), formulaProblems_);
    time_->setMaximumWidth(120);
    form->addRow(QStringLiteral("Czas realizacji:"), time_);
    connect(formula_, &QLineEdit::textEdited, this, [this] { EmitFields(); });
    connect(formula_, &QLineEdit::textChanged, this, &PositionDialog::ShowFormulaProblems);
    connect(time_, &QLineEdit::textEdited, this, [this] { EmitFields(); });
    connect(compute_, &QCheckBox::clicked, this, [this] { EmitFields(); });
    ShowFormulaProblems();
    return box;
}

void PositionDialog::EmitFields() {
    fieldsEdited_ = true;
    emit fieldsEdited(formula_->text(), time_->text(), compute_->isChecked());
}

void PositionDialog::ShowFormulaProblems() {
    const auto problems = tools::ServoFormula::Parse(ToCp1250(formula_->text())).Problems();
    formulaProblems_->setText(problems.empty() ? QString() : Pl("Pominięte: ") + FromCp1250(problems.front()));
    fields_->setRowVisible(formulaProblems_, !problems.empty());
}

void PositionDialog::Begin() {
    lastMove_.fill(0);
    fieldsEdited_ = false;
    ServoToolDialog::Begin();
}

void PositionDialog::ShowState(const tools::PositionTool::State& state, std::uint64_t seq) {
    for (int servo = 1; servo <= kServos; ++servo) {
        const auto& in = state.rows[static_cast<std::size_t>(servo - 1)];
        Row& row = rows_[static_cast<std::size_t>(servo - 1)];
        const QSignalBlocker blockSlider(row.slider);
        row.servo->setChecked(in.enabled);
        row.off->setChecked(in.off);
        for (QWidget* w : {static_cast<QWidget*>(row.slider), static_cast<QWidget*>(row.off),
                           static_cast<QWidget*>(row.value)}) {
            w->setEnabled(in.enabled);
        }
        if (seq >= lastMove_[static_cast<std::size_t>(servo - 1)]) {
            row.slider->setValue(in.position);
            row.value->setText(QString::number(in.position));
        }
    }
    if (!fieldsEdited_) {
        formula_->setText(FromCp1250(state.formula));
        time_->setText(FromCp1250(state.time));
        compute_->setChecked(state.compute);
    }
}

}  // namespace orvane::app::dialogs
