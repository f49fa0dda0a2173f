// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulate/TimelineDock.h"

#include <QComboBox>
#include <QLabel>
#include <QSaveFile>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/simulate/TimelinePlot.h"
#include "core/host/Cp1250.h"
#include "core/host/FileChooser.h"
#include "core/host/Prompts.h"

namespace orvane::app::simulate {

namespace {
constexpr int kExportLaneHeight = 70;
constexpr int kExportMinWidth = 1000;

// The paces offered, real time first: what a servo does on the board is what the user sees.
constexpr std::pair<const char*, double> kSpeeds[] = {
    {"Czas rzeczywisty", 1.0}, {"2 × szybciej", 2.0}, {"10 × szybciej", 10.0}, {"Bez ograniczeń", 0.0}};


QAction* AddButton(QToolBar* bar, const char* text, const char* tip, const QKeySequence& keys) {
    QAction* action = bar->addAction(QString::fromUtf8(text));
    action->setStatusTip(QString::fromUtf8(tip));
    action->setToolTip(QString::fromUtf8(text) + (keys.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(keys.toString())));
    return action;
}
}  // namespace

TimelineDock::TimelineDock(orvane::host::FileChooser& files, orvane::host::Prompts& prompts, QWidget* parent)
    : QDockWidget(QString::fromUtf8("Przebieg serw"), parent), files_(files), prompts_(prompts), plot_(new TimelinePlot) {
    setObjectName(QStringLiteral("timelineDock"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    plot_->SetTimeline(&timeline_);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setWidget(body);
    AddToolBar();
    layout->addWidget(plot_);
}

void TimelineDock::AddToolBar() {
    auto* bar = new QToolBar(widget());
    bar->setObjectName(QStringLiteral("timelineBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(AddButton(bar, "Powiększ", "Pokazuje krótszy odcinek czasu (także Ctrl+kółko myszy)", QKeySequence("+")),
            &QAction::triggered, plot_, &TimelinePlot::ZoomIn);
    connect(AddButton(bar, "Pomniejsz", "Pokazuje dłuższy odcinek czasu", QKeySequence("-")), &QAction::triggered,
            plot_, &TimelinePlot::ZoomOut);
    connect(AddButton(bar, "Całość", "Pokazuje cały przebieg symulacji", QKeySequence("0")), &QAction::triggered,
            plot_, &TimelinePlot::ShowAll);
    bar->addSeparator();
    connect(AddButton(bar, "Zapisz PNG...", "Zapisuje widoczny odcinek wykresu jako obraz PNG", {}),
            &QAction::triggered, this, [this] {
                ChooseAndExport("Obraz PNG (*.png)|*.png|Wszystkie pliki (*.*)|*.*|", ".png", &TimelineDock::ExportPng);
            });
    connect(AddButton(bar, "Zapisz CSV...", "Zapisuje wszystkie ruchy serw jako plik CSV (czas, serwo, pozycja)", {}),
            &QAction::triggered, this, [this] {
                ChooseAndExport("Plik CSV (*.csv)|*.csv|Wszystkie pliki (*.*)|*.*|", ".csv", &TimelineDock::ExportCsv);
            });
    bar->addSeparator();
    AddSpeedChoice(bar);
    static_cast<QVBoxLayout*>(widget()->layout())->addWidget(bar);
}

void TimelineDock::AddSpeedChoice(QToolBar* bar) {
    auto* label = new QLabel(QString::fromUtf8(" &Tempo: "), bar);
    speed_ = new QComboBox(bar);
    speed_->setObjectName(QStringLiteral("simulationSpeed"));
    speed_->setStatusTip(QString::fromUtf8("Jak szybko płynie czas symulacji; zmiana działa także w trakcie symulacji"));
    for (const auto& [text, factor] : kSpeeds) speed_->addItem(QString::fromUtf8(text), factor);
    label->setBuddy(speed_);
    bar->addWidget(label);
    bar->addWidget(speed_);
    connect(speed_, &QComboBox::currentIndexChanged, this, [this] { emit speedChosen(Speed()); });
    clock_ = new QLabel(bar);
    clock_->setObjectName(QStringLiteral("simulationClock"));
    clock_->setMinimumWidth(clock_->fontMetrics().horizontalAdvance(QStringLiteral("  Czas symulacji: 0000,000 s")));
    bar->addWidget(clock_);
}

double TimelineDock::Speed() const { return speed_->currentData().toDouble(); }

void TimelineDock::Begin(const QString& baseName) {
    baseName_ = baseName;
    timeline_.Clear();
    plot_->ShowAll();
    clock_->clear();
    show();
    raise();
}

void TimelineDock::Refresh(std::int64_t nowUs) {
    timeline_.ReachTime(nowUs);
    plot_->Refresh();
    clock_->setText(QString::fromUtf8("  Czas symulacji: %1 s").arg(Seconds(nowUs)));
}

void TimelineDock::ChooseAndExport(const char* filter, const char* suffix,
                                   bool (TimelineDock::*write)(const QString&)) {
    const QString initial = (baseName_.isEmpty() ? QString::fromUtf8("Przebieg") : baseName_) + QLatin1String(suffix);
    const auto path = files_.ChooseSave({filter, std::string("*") + suffix,
                                         orvane::host::Utf8ToCp1250(initial.toStdString())});
    if (!path) return;
    const QString chosen = QString::fromStdString(orvane::host::Cp1250ToUtf8(*path));
    if (!(this->*write)(chosen)) TellFailure(chosen);
}

bool TimelineDock::ExportPng(const QString& path) {
    const int lanes = std::max<int>(1, static_cast<int>(timeline_.MovedServos().size()));
    const QImage image = plot_->Render(QSize(std::max(kExportMinWidth, plot_->viewport()->width()),
                                             lanes * kExportLaneHeight + 30));
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

bool TimelineDock::ExportCsv(const QString& path) {
    const std::string csv = timeline_.Csv();
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size()) && file.commit();
}

void TimelineDock::TellFailure(const QString& path) {
    prompts_.Tell(orvane::host::Pl("Błąd zapisu"),
                  orvane::host::Pl("Nie można zapisać pliku: ") + orvane::host::Utf8ToCp1250(path.toStdString()),
                  orvane::host::Icon::Error);
}

QString TimelineDock::Seconds(std::int64_t us) {
    return QString::number(static_cast<double>(us) / 1e6, 'f', 3).replace(QLatin1Char('.'), QLatin1Char(','));
}

}  // namespace orvane::app::simulate
