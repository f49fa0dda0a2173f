// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/ControlDialog.h"

#include <optional>

#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/dialogs/DialogText.h"
#include "app/host/GuiCall.h"
#include "core/platform/AtomicFile.h"

namespace orvane::app::dialogs {

using tools::ConsoleValues;
using tools::ConsoleView;
using tools::DeviceConsole;

ControlDialog::ControlDialog(device::DeviceThread& device, orvane::host::SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(this), files_(this),
      threadPrompts_(prompts_, this, &device.Breaker()), loan_(new device::LinkLoan(device, this)) {
    setObjectName(QStringLiteral("controlDialog"));
    setWindowTitle(QStringLiteral("Sterowanie zaprogramowanego urządzenia"));
    setWindowModality(Qt::WindowModal);
    BuildControls();
}

// The device thread ends before the window's objects go, so no exchange outlives the logic.
ControlDialog::~ControlDialog() = default;

void ControlDialog::BuildControls() {
    received_ = new QLabel(QStringLiteral("Odebrano:"), this);
    received_->setObjectName(QStringLiteral("received"));
    received_->setWordWrap(true);
    received_->setFrameShape(QFrame::StyledPanel);
    received_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    received_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    received_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    received_->setMinimumHeight(2 * received_->fontMetrics().lineSpacing() + 8);
    received_->setMinimumWidth(80 * received_->fontMetrics().horizontalAdvance(QLatin1Char('0')));

    auto edit = [this](const char* name, int width) {
        auto* line = new QLineEdit(this);
        line->setObjectName(QString::fromLatin1(name));
        line->setMaximumWidth(width);
        return line;
    };
    min_ = edit("minimum", 60);
    max_ = edit("maximum", 60);
    number_ = edit("number", 70);
    value_ = edit("value", 110);
    period_ = edit("period", 50);
    period_->setReadOnly(true);
    period_->setAlignment(Qt::AlignCenter);
    slider_ = new QScrollBar(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("slider"));
    slider_->setSingleStep(1);
    slider_->setPageStep(100);

    start_ = new QPushButton(QStringLiteral("Start"), this);
    start_->setObjectName(QStringLiteral("start"));
    start_->setCheckable(true);
    send_ = new QPushButton(QStringLiteral("Wyślij"), this);
    auto* plus = new QPushButton(QStringLiteral("+"), this);
    auto* minus = new QPushButton(QStringLiteral("-"), this);
    for (QPushButton* small : {plus, minus}) small->setFixedWidth(28);
    hex_ = new QCheckBox(QStringLiteral("Szesnastkowo"), this);
    hex_->setObjectName(QStringLiteral("hex"));
    auto* save = new QPushButton(QStringLiteral("Zapisz rozmowę…"), this);
    end_ = new QPushButton(QStringLiteral("Koniec"), this);
    // Enter never presses a button by itself (see keyPressEvent).
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);

    auto* sliderRow = new QHBoxLayout;
    sliderRow->addWidget(min_);
    sliderRow->addWidget(slider_, 1);
    sliderRow->addWidget(max_);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Numer:"), this), 0, 0);
    grid->addWidget(number_, 0, 1);
    grid->addWidget(start_, 0, 2);
    grid->addWidget(value_, 1, 1);
    grid->addWidget(send_, 1, 2);
    grid->setColumnStretch(3, 1);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(plus);
    periodRow->addWidget(period_);
    periodRow->addWidget(minus);
    periodRow->addSpacing(12);
    periodRow->addWidget(hex_);
    grid->addLayout(periodRow, 0, 4, Qt::AlignRight);
    auto* endRow = new QHBoxLayout;
    endRow->addWidget(save);
    endRow->addWidget(end_);
    grid->addLayout(endRow, 1, 4, Qt::AlignRight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(received_);
    layout->addLayout(sliderRow);
    layout->addLayout(grid);

    connect(start_, &QPushButton::clicked, this,
            [this] { Act([](DeviceConsole& c, const ConsoleValues& v) { return c.StartStop(v); }); });
    connect(send_, &QPushButton::clicked, this,
            [this] { Act([](DeviceConsole& c, const ConsoleValues& v) { return c.Send(v); }); });
    connect(plus, &QPushButton::clicked, this,
            [this] { Act([](DeviceConsole& c, const ConsoleValues& v) { return c.StepPeriod(v, true); }); });
    connect(minus, &QPushButton::clicked, this,
            [this] { Act([](DeviceConsole& c, const ConsoleValues& v) { return c.StepPeriod(v, false); }); });
    connect(slider_, &QScrollBar::actionTriggered, this, &ControlDialog::Slide);
    // The end of a drag sends the position once more, as the thumb's release always has.
    connect(slider_, &QScrollBar::sliderReleased, this, [this] { Slide(QAbstractSlider::SliderMove); });
    connect(hex_, &QCheckBox::toggled, this, [this](bool hex) {
        Act([hex](DeviceConsole& c, const ConsoleValues&) {
            c.SetHex(hex);
            return c.View();
        });
    });
    connect(save, &QPushButton::clicked, this, &ControlDialog::SaveConversation);
    connect(end_, &QPushButton::clicked, this, &ControlDialog::End);
}

ConsoleValues ControlDialog::Values() const {
    ConsoleValues values;
    values.minText = ToCp1250(min_->text());
    values.maxText = ToCp1250(max_->text());
    values.numberText = ToCp1250(number_->text());
    values.valueText = ToCp1250(value_->text());
    values.periodText = ToCp1250(period_->text());
    values.position = slider_->sliderPosition();
    values.started = start_->isChecked();
    return values;
}

void ControlDialog::Present(const ConsoleView& view) {
    min_->setText(FromCp1250(view.values.minText));
    max_->setText(FromCp1250(view.values.maxText));
    number_->setText(FromCp1250(view.values.numberText));
    value_->setText(FromCp1250(view.values.valueText));
    period_->setText(FromCp1250(view.values.periodText));
    const QSignalBlocker quiet(slider_);
    slider_->setRange(view.rangeMin, view.rangeMax);
    slider_->setValue(view.values.position);
    start_->setChecked(view.values.started);
    start_->setText(FromCp1250(view.startText));
    for (QWidget* control : std::initializer_list<QWidget*>{end_, min_, max_}) control->setEnabled(view.limitsEnabled);
    ShowReceived(FromCp1250(view.received));
}

void ControlDialog::ShowReceived(const QString& text) { received_->setText(text); }

void ControlDialog::Act(std::function<ConsoleView(DeviceConsole&, const ConsoleValues&)> action) {
    auto view = std::make_shared<std::optional<ConsoleView>>();
    loan_->Post([this, view, values = Values(), action = std::move(action)](device::DeviceSession&) {
        if (console_) *view = action(*console_, values);
    }, [this, view] {
        if (*view) Present(**view);
    });
}

void ControlDialog::Slide(int action) {
    tools::SliderMove move = tools::SliderMove::Other;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: move = tools::SliderMove::LineLeft; break;
        case QAbstractSlider::SliderSingleStepAdd: move = tools::SliderMove::LineRight; break;
        case QAbstractSlider::SliderPageStepSub: move = tools::SliderMove::PageLeft; break;
        case QAbstractSlider::SliderPageStepAdd: move = tools::SliderMove::PageRight; break;
        case QAbstractSlider::SliderToMinimum: move = tools::SliderMove::ToMinimum; break;
        case QAbstractSlider::SliderToMaximum: move = tools::SliderMove::ToMaximum; break;
        case QAbstractSlider::SliderMove: move = tools::SliderMove::Thumb; break;
        default: break;
    }
    // The scroll bar has moved its thumb already; the logic moves from where it stood.
    ConsoleValues values = Values();
    values.position = slider_->value();
    const int thumb = slider_->sliderPosition();
    Act([values, move, thumb](DeviceConsole& console, const ConsoleValues&) { return console.Slide(values, move, thumb); });
}

void ControlDialog::Prepare(const orvane::device::PortLoan& loan) {
    ending_ = false;
    loan_->SetTimerHandler([this](int id) {
        if (!console_ || id != DeviceConsole::kRefreshTimer) return false;
        const QString text = FromCp1250(console_->Refresh().received);
        host::PostToThreadOf(this, [this, text] { ShowReceived(text); });
        return true;
    });
    auto view = std::make_shared<ConsoleView>();
    loan_->Post([this, view, loan](device::DeviceSession& session) {
        if (!console_) {
            console_ = std::make_unique<DeviceConsole>(session.Serial(), settings_, threadPrompts_, session.Timers(),
                                                       session.Clock());
        }
        *view = console_->Open(loan);
    }, [this, view] { Present(*view); });
}

void ControlDialog::Open(device::LinkLoan::Lend lend, device::LinkLoan::Work afterwards) {
    afterwards_ = std::move(afterwards);
    loan_->Begin(std::move(lend), [this](const orvane::device::PortLoan& loan) {
        Prepare(loan);
        open();
    });
}

void ControlDialog::SaveConversation() {
    auto text = std::make_shared<std::string>();
    loan_->Post([this, text](device::DeviceSession&) {
        if (console_) *text = console_->Log().Text();
    }, [this, text] { WriteConversation(*text); });
}

void ControlDialog::WriteConversation(const std::string& text) {
    const QString initial = QDir::home().filePath(QStringLiteral("Rozmowa.txt"));
    const auto path = files_.ChooseSave(
        {ToCp1250(QStringLiteral("Pliki tekstowe (*.txt)|*.txt|Wszystkie pliki (*.*)|*.*|")), "*.txt", ToCp1250(initial)});
    if (!path) return;
    std::string error;
    if (orvane::platform::AtomicFile::Write(orvane::host::Cp1250ToUtf8(*path), text, &error)) return;
    prompts_.Tell(ToCp1250(QStringLiteral("Błąd zapisu do pliku")), *path + "\n" + error, orvane::host::Icon::Error);
}

// "Koniec": the dialog's port is closed before the dialog ends and the window takes the link
// back; an exchange still waiting for a silent controller is cut short.
void ControlDialog::End() {
    if (ending_) return;
    ending_ = true;
    loan_->PostLast([this, values = Values()](device::DeviceSession&) {
        if (console_) console_->Close(values);
    }, [this] {
        QDialog::reject();
        loan_->End(afterwards_);
    });
}

void ControlDialog::reject() {
    // Escape and the title bar's close mean "Koniec", which waits while the program is started.
    if (end_->isEnabled()) End();
}

void ControlDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (value_->hasFocus()) send_->click();
    event->accept();
}

}  // namespace orvane::app::dialogs
