// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/compile/ReportWindow.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QVBoxLayout>

#include "core/compiler/AssemblerReport.h"
#include "core/help/Reference.h"
#include "core/host/Cp1250.h"

namespace orvane::app::compile {

namespace {
using orvane::compiler::AssemblerReport;

// A report of a healthy build is a few kilobytes; a runaway one is not read whole.
constexpr qint64 kMaxReportBytes = 4 * 1024 * 1024;
const QString kHint = QStringLiteral("Dwukrotne kliknięcie wiersza z błędem pokazuje instrukcję skryptu, z której powstał.");
const QString kWarningHint = QStringLiteral(" <a href=\"%1\">Tabela różnic</a> między biegiem na PC a programem; "
                                            "Pomoc opisuje ostrzeżenie w wierszu kursora.")
                                 .arg(QLatin1String(orvane::help::Reference::kDifferences));

// avra writes what it was given: the paths are UTF-8, other bytes are read as CP1250.
QString Decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    return QString::fromStdString(orvane::host::Cp1250ToUtf8(bytes.toStdString()));
}

std::optional<AssemblerReport::Place> PlaceOf(const QString& line) {
    return AssemblerReport::PlaceOf(line.toStdString());
}
}  // namespace

ReportWindow::ReportWindow(QWidget* parent, std::shared_ptr<const orvane::compiler::AsmSourceMap> map)
    : QDialog(parent), map_(std::move(map)), text_(new QPlainTextEdit(this)), hint_(new QLabel(kHint, this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Close, this)) {
    setObjectName(QStringLiteral("compileReport"));
    setWindowModality(Qt::WindowModal);
    resize(760, 420);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->viewport()->installEventFilter(this);
    hint_->setWordWrap(true);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(hint_);
    layout->addWidget(buttons_);
}

bool ReportWindow::Load(const QString& path) {
    const QFileInfo info(path);
    folder_ = info.absolutePath();
    setWindowTitle(QStringLiteral("Raport kompilacji - %1").arg(info.fileName()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        text_->setPlainText(QStringLiteral("Nie można odczytać raportu kompilatora:\n%1\n%2").arg(path, file.errorString()));
        return false;
    }
    QByteArray bytes = file.read(kMaxReportBytes);
    text_->setPlainText(Decode(bytes));
    if (!file.atEnd()) text_->appendPlainText(QStringLiteral("\n[... raport skrócony ...]"));
    MarkProblems();
    return true;
}

QString ReportWindow::Text() const { return text_->toPlainText(); }

void ReportWindow::MarkProblems() {
    QList<QTextEdit::ExtraSelection> marks;
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
        const auto place = PlaceOf(block.text());
        if (place && place->kind != AssemblerReport::Place::Kind::Note)
            MarkLine(marks, block.blockNumber(), place->kind == AssemblerReport::Place::Kind::Error);
    }
    for (const auto& [line, warning] : warnings_) MarkLine(marks, line, false);
    text_->setExtraSelections(marks);
}

void ReportWindow::MarkLine(QList<QTextEdit::ExtraSelection>& marks, int line, bool error) {
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(error ? QColor(0xFB, 0xDA, 0xD7) : QColor(0xFF, 0xF3, 0xC4));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    if (StatementOfLine(line)) mark.format.setToolTip(kHint);
    mark.cursor = QTextCursor(text_->document()->findBlockByNumber(line));
    marks << mark;
}

void ReportWindow::ShowWarnings(const std::vector<orvane::compiler::EngineWarning>& warnings,
                                std::function<void(const std::string& topicId)> help) {
    if (warnings.empty()) return;
    help_ = std::move(help);
    text_->appendPlainText(QStringLiteral("\nOstrzeżenia kompilacji (program w sterowniku policzy tu inaczej niż bieg na PC):"));
    const int header = text_->document()->blockCount() - 1;
    for (const auto& warning : warnings) {
        text_->appendPlainText(QString::fromStdString(orvane::host::Cp1250ToUtf8(warning.Text())));
        warnings_.emplace(text_->document()->blockCount() - 1, warning);
    }
    // The report of a good assembly is long and says nothing new: the warnings are what to read.
    text_->setTextCursor(QTextCursor(text_->document()->findBlockByNumber(header + 1)));
    text_->verticalScrollBar()->setValue(std::max(0, header - 3));
    resize(std::max(width(), 1000), height());  // a warning is one long line
    hint_->setTextFormat(Qt::RichText);
    hint_->setText(kHint + kWarningHint);
    connect(hint_, &QLabel::linkActivated, this, [this](const QString& topic) {
        if (help_) help_(topic.toStdString());
    });
    auto* pomoc = buttons_->addButton(QStringLiteral("Pomoc"), QDialogButtonBox::HelpRole);
    connect(pomoc, &QPushButton::clicked, this, [this] {
        if (help_) help_(HelpTopicAtCaret());
    });
    MarkProblems();
}

std::string ReportWindow::HelpTopicAtCaret() const {
    const auto it = warnings_.find(text_->textCursor().blockNumber());
    return it == warnings_.end() ? orvane::help::Reference::kDifferences
                                 : orvane::help::Reference::WarningTopicId(it->second.Code());
}

bool ReportWindow::IsGeneratedFile(const std::string& reportedPath) const {
    if (!map_ || map_->AsmPath().empty()) return false;
    const QString reported = QDir(folder_).absoluteFilePath(QString::fromStdString(reportedPath));
    const QString generated = QString::fromStdString(orvane::host::Cp1250ToUtf8(map_->AsmPath()));
    return QFileInfo(reported).canonicalFilePath() == QFileInfo(generated).canonicalFilePath() &&
           QFileInfo::exists(generated);
}

std::optional<orvane::script::StatementSpan> ReportWindow::StatementOfLine(int line) const {
    if (const auto it = warnings_.find(line); it != warnings_.end()) return it->second.span;
    const QTextBlock block = text_->document()->findBlockByNumber(line);
    if (!block.isValid()) return std::nullopt;
    const auto place = PlaceOf(block.text());
    if (!place || !IsGeneratedFile(place->file)) return std::nullopt;
    return map_->StatementOfLine(place->line);
}

std::vector<orvane::script::StatementSpan> ReportWindow::ErrorStatements() const {
    std::vector<orvane::script::StatementSpan> spans;
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
        const auto place = PlaceOf(block.text());
        if (!place || place->kind != AssemblerReport::Place::Kind::Error) continue;
        if (const auto span = StatementOfLine(block.blockNumber())) spans.push_back(*span);
    }
    return spans;
}

void ReportWindow::Choose(int line) {
    if (const auto span = StatementOfLine(line)) {
        hint_->setText(warnings_.empty() ? kHint : kHint + kWarningHint);
        emit statementChosen(*span);
    } else {
        hint_->setText(QStringLiteral("Ten wiersz nie wskazuje instrukcji skryptu."));
    }
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        Choose(text_->cursorForPosition(mouse->position().toPoint()).blockNumber());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orvane::app::compile
