// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/Rs232Dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/DialogText.h"
#include "app/dialogs/SimulatorLauncher.h"
#include "app/host/GuiCall.h"
#include "core/device/BaudRates.h"
#include "core/tools/OptionsMenu.h"
#include "core/tools/SerialDeviceList.h"

namespace orvane::app::dialogs {

namespace {
// The device list is read again each time it drops down, so an adapter plugged in (or pulled
// out) while the dialog is open shows at once.
class DeviceComboBox : public QComboBox {
public:
    DeviceComboBox(QWidget* parent, std::function<void()> beforePopup)
        : QComboBox(parent), beforePopup_(std::move(beforePopup)) {}
    void showPopup() override {
        beforePopup_();
        QComboBox::showPopup();
    }

private:
    std::function<void()> beforePopup_;
};
}  // namespace

Rs232Dialog::Rs232Dialog(device::DeviceThread& device, orvane::host::SettingsStore& settings,
                         SimulatorLauncher& simulator, QWidget* parent)
    : QDialog(parent), staged_(settings), simulator_(simulator), prompts_(this),
      threadPrompts_(prompts_, this, &device.Breaker()), deviceThread_(device), loan_(new device::LinkLoan(device, this)) {
    setObjectName(QStringLiteral("rs232Dialog"));
    setWindowTitle(QStringLiteral("Ustawienia portu i komunikacji RS232"));
    setWindowModality(Qt::WindowModal);
    BuildControls();
    connect(loan_, &device::LinkLoan::busyChanged, this, &Rs232Dialog::SetBusy);
}

// An identification under way stops after the speed it tries; the device thread ends before
// the window's objects go, so no exchange outlives the logic.
Rs232Dialog::~Rs232Dialog() { cancelled_ = true; }

void Rs232Dialog::BuildControls() {
    baud_ = new QComboBox(this);
    baud_->setObjectName(QStringLiteral("baudRate"));
    for (const auto& entry : orvane::device::BaudRates::All()) baud_->addItem(FromCp1250(std::string(entry.text)));
    com_ = new QLineEdit(this);
    com_->setObjectName(QStringLiteral("comPort"));
    com_->setMaximumWidth(80);
    device_ = new DeviceComboBox(this, [this] { ListDevices(); });
    device_->setObjectName(QStringLiteral("device"));
    device_->setEditable(true);
    device_->setInsertPolicy(QComboBox::NoInsert);
    device_->setMinimumContentsLength(34);
    device_->setToolTip(QStringLiteral("Urządzenie, którym jest ten port COM; puste: /dev/ttyS(numer - 1)"));

    test_ = new QPushButton(QStringLiteral("Sprawdź"), this);
    identify_ = new QPushButton(QStringLiteral("Identyfikuj"), this);
    change_ = new QPushButton(QStringLiteral("Zmień"), this);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Anuluj"), this);
    ok_->setDefault(true);
    for (QPushButton* button : {test_, identify_, change_, cancel_}) button->setAutoDefault(false);
    change_->setEnabled(false);

    warning_ = new QLabel(this);
    warning_->setObjectName(QStringLiteral("warning"));
    warning_->setWordWrap(true);
    warning_->setStyleSheet(QStringLiteral("color: #a40000;"));
    warning_->hide();
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Baud rate"), this), 0, 0);
    grid->addWidget(baud_, 0, 1, Qt::AlignLeft);
    grid->addWidget(test_, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Com port"), this), 1, 0);
    grid->addWidget(com_, 1, 1, Qt::AlignLeft);
    grid->addWidget(identify_, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Urządzenie"), this), 2, 0);
    grid->addWidget(device_, 2, 1);
    grid->addWidget(change_, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(warning_);
    layout->addLayout(buttons);

    connect(test_, &QPushButton::clicked, this, &Rs232Dialog::Test);
    connect(identify_, &QPushButton::clicked, this, &Rs232Dialog::Identify);
    connect(change_, &QPushButton::clicked, this, &Rs232Dialog::Change);
    connect(ok_, &QPushButton::clicked, this, &Rs232Dialog::Accept);
    connect(cancel_, &QPushButton::clicked, this, &Rs232Dialog::reject);
    // Only the user's own changes enable "Zmień", not what the dialog shows itself.
    connect(baud_, &QComboBox::activated, this, &Rs232Dialog::Edited);
    connect(com_, &QLineEdit::textEdited, this, &Rs232Dialog::ComEdited);
    connect(device_, &QComboBox::activated, this, &Rs232Dialog::DevicePicked);
    connect(device_->lineEdit(), &QLineEdit::textEdited, this, &Rs232Dialog::Edited);
}

// The devices present now, then the virtual controller; what the box holds stays.
void Rs232Dialog::ListDevices() {
    const QString current = device_->currentText();
    device_->clear();
    for (const auto& found : tools::SerialDeviceList().Present()) {
        device_->addItem(QString::fromStdString(found.path));
        device_->setItemData(device_->count() - 1, QString::fromStdString(found.label), Qt::ToolTipRole);
    }
    device_->addItem(QString::fromUtf8(kVirtualEntry));
    device_->setEditText(current);
}

tools::Rs232Setup& Rs232Dialog::Setup(device::DeviceSession& session) {
    if (!setup_) {
        opener_ = std::make_unique<device::BreakablePortOpener>(staged_, deviceThread_.Breaker());
        serial_ = std::make_unique<orvane::device::CSerialCtrl>(*opener_, session.Clock(), threadPrompts_);
        setup_ = std::make_unique<tools::Rs232Setup>(*serial_, staged_, threadPrompts_);
    }
    return *setup_;
}

tools::Rs232Values Rs232Dialog::Values() const {
    return {ToCp1250(baud_->currentText()), ToCp1250(com_->text()), ToCp1250(device_->currentText().trimmed())};
}

bool Rs232Dialog::IsBusy() const { return loan_->IsBusy(); }

void Rs232Dialog::Present(const tools::Rs232View& view) {
    baud_->setCurrentIndex(baud_->findText(FromCp1250(view.values.baudText)));
    com_->setText(FromCp1250(view.values.comText));
    device_->setEditText(FromCp1250(view.values.device));
    device_->lineEdit()->setPlaceholderText(QStringLiteral("domyślnie /dev/ttyS%1").arg(com_->text().toInt() - 1));
    changeEnabled_ = view.changeEnabled;
    change_->setEnabled(changeEnabled_ && !IsBusy());
    warning_->setText(FromCp1250(view.warning));
    warning_->setVisible(!view.warning.empty());
}

void Rs232Dialog::SetBusy(bool busy) {
    for (QWidget* control : std::initializer_list<QWidget*>{baud_, com_, device_, test_, identify_, ok_}) {
        control->setEnabled(!busy);
    }
    change_->setEnabled(!busy && changeEnabled_);
    if (busy) return;
    status_->clear();
    if (closeWhenIdle_) QDialog::reject();
}

void Rs232Dialog::ShowStored() {
    ListDevices();
    auto view = std::make_shared<tools::Rs232View>();
    loan_->Post([this, view](device::DeviceSession& session) { *view = Setup(session).Open(); },
                [this, view] { Present(*view); });
}

void Rs232Dialog::Open() {
    loan_->Begin([](device::DeviceSession& session) { return tools::OptionsMenu::LendForRs232(session.Link()); },
                 [this](const orvane::device::PortLoan&) {
                     closeWhenIdle_ = false;
                     ShowStored();
                     // The stored speed is tested as soon as the dialog shows it.
                     loan_->Post([](device::DeviceSession&) {}, [this] { Test(); });
                     open();
                 });
}

void Rs232Dialog::RunAction(const QString& status, std::function<tools::Rs232View(tools::Rs232Setup&)> action) {
    status_->setText(status);
    auto view = std::make_shared<tools::Rs232View>();
    loan_->Post([this, view, action = std::move(action)](device::DeviceSession& session) {
        *view = action(Setup(session));
    }, [this, view] { Present(*view); });
}

void Rs232Dialog::Test() {
    const tools::Rs232Values values = Values();
    RunAction(QStringLiteral("Sprawdzanie prędkości %1…").arg(baud_->currentText()),
              [values](tools::Rs232Setup& setup) { return setup.Test(values); });
}

void Rs232Dialog::Identify() {
    cancelled_ = false;
    progress_ = new QProgressDialog(QStringLiteral("Identyfikacja prędkości RS232…"), QStringLiteral("Anuluj"), 0,
                                    static_cast<int>(orvane::device::BaudRates::All().size()), this);
    progress_->setWindowTitle(QStringLiteral("Identyfikuj"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    auto* bar = new QProgressBar(progress_);
    bar->setFormat(QStringLiteral("%v z %m"));
    progress_->setBar(bar);
    progress_->setRange(0, static_cast<int>(orvane::device::BaudRates::All().size()));
    progress_->setValue(0);
    connect(progress_, &QProgressDialog::canceled, this, [this] {
        cancelled_ = true;
        status_->setText(QStringLiteral("Przerywanie po bieżącej próbie…"));
    });
    const tools::Rs232Values values = Values();
    QPointer<QProgressDialog> progress = progress_;
    auto tried = std::make_shared<int>(0);
    RunAction(QStringLiteral("Identyfikacja prędkości…"), [this, values, progress, tried](tools::Rs232Setup& setup) {
        auto view = setup.Identify(
            values,
            [this, progress, tried](std::string_view text) {
                const QString speed = FromCp1250(std::string(text));
                const int step = ++*tried;
                host::PostToThreadOf(this, [progress, speed, step] {
                    if (!progress || progress->wasCanceled()) return;
                    progress->setValue(step);
                    progress->setLabelText(QStringLiteral("Identyfikacja prędkości RS232…\nPróba: %1").arg(speed));
                });
            },
            [this] { return cancelled_.load(); });
        host::PostToThreadOf(this, [progress] {
            if (progress) progress->deleteLater();
        });
        return view;
    });
}

void Rs232Dialog::Change() {
    const tools::Rs232Values values = Values();
    RunAction(QStringLiteral("Zmiana prędkości sterownika na %1…").arg(baud_->currentText()),
              [values](tools::Rs232Setup& setup) { return setup.Change(values); });
}

void Rs232Dialog::Accept() {
    const tools::Rs232Values values = Values();
    auto accepted = std::make_shared<bool>(false);
    loan_->Post([this, values, accepted](device::DeviceSession& session) { *accepted = Setup(session).Accept(values); },
                [this, accepted] {
                    if (*accepted) QDialog::accept();
                });
}

void Rs232Dialog::Edited() {
    auto view = std::make_shared<tools::Rs232View>();
    loan_->Post([this, view](device::DeviceSession& session) { *view = Setup(session).ControlsEdited(); },
                [this, view] {
                    changeEnabled_ = view->changeEnabled;
                    change_->setEnabled(changeEnabled_ && !IsBusy());
                });
}

// Another COM number shows the device stored (or picked here) for it.
void Rs232Dialog::ComEdited() {
    Edited();
    const std::string com = ToCp1250(com_->text());
    auto device = std::make_shared<std::string>();
    loan_->Post([this, com, device](device::DeviceSession& session) { *device = Setup(session).DeviceOf(com); },
                [this, device] {
                    device_->setEditText(FromCp1250(*device));
                    device_->lineEdit()->setPlaceholderText(
                        QStringLiteral("domyślnie /dev/ttyS%1").arg(com_->text().toInt() - 1));
                });
}

void Rs232Dialog::DevicePicked(int index) {
    if (device_->itemText(index) == QString::fromUtf8(kVirtualEntry)) {
        QString error;
        if (simulator_.EnsureRunning(&error)) {
            device_->setEditText(simulator_.LinkPath());
        } else {
            device_->setEditText(QString());
            QMessageBox::warning(this, windowTitle(), error);
        }
    }
    Edited();
}

void Rs232Dialog::reject() {
    // An exchange under way ends first (identification after the speed it tries, a wait for a
    // silent controller cut short), then the dialog.
    if (IsBusy()) {
        closeWhenIdle_ = true;
        cancelled_ = true;
        loan_->CutWaitsSoon();
        return;
    }
    QDialog::reject();
}

// Whichever way the dialog ends, the window takes the link back.
void Rs232Dialog::done(int result) {
    if (progress_) progress_->deleteLater();
    QDialog::done(result);
    loan_->End();
}

}  // namespace orvane::app::dialogs
