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
#include <QStringDecoder>
#include <QTextBlock>
#include <QVBoxLayout>

#include "core/compiler/AssemblerReport.h"
#include "core/host/Cp1250.h"

namespace orvane::app::compile {

namespace {
using orvane::compiler::AssemblerReport;

// A report of a healthy build is a few kilobytes; a runaway one is not read whole.
constexpr qint64 kMaxReportBytes = 4 * 1024 * 1024;
const QString kHint = QStringLiteral("Dwukrotne kliknięcie wiersza z błędem pokazuje instrukcję skryptu, z której powstał.");

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
    : QDialog(parent), map_(std::move(map)), text_(new QPlainTextEdit(this)), hint_(new QLabel(kHint, this)) {
    setObjectName(QStringLiteral("compileReport"));
    setWindowModality(Qt::WindowModal);
    resize(760, 420);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->viewport()->installEventFilter(this);
    hint_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(hint_);
    layout->addWidget(buttons);
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
        if (!place || place->kind == AssemblerReport::Place::Kind::Note) continue;
        QTextEdit::ExtraSelection mark;
        const bool error = place->kind == AssemblerReport::Place::Kind::Error;
        mark.format.setBackground(error ? QColor(0xFB, 0xDA, 0xD7) : QColor(0xFF, 0xF3, 0xC4));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        if (StatementOfLine(block.blockNumber())) mark.format.setToolTip(kHint);
        mark.cursor = QTextCursor(block);
        marks << mark;
    }
    text_->setExtraSelections(marks);
}

bool ReportWindow::IsGeneratedFile(const std::string& reportedPath) const {
    if (!map_ || map_->AsmPath().empty()) return false;
    const QString reported = QDir(folder_).absoluteFilePath(QString::fromStdString(reportedPath));
    const QString generated = QString::fromStdString(orvane::host::Cp1250ToUtf8(map_->AsmPath()));
    return QFileInfo(reported).canonicalFilePath() == QFileInfo(generated).canonicalFilePath() &&
           QFileInfo::exists(generated);
}

std::optional<orvane::script::StatementSpan> ReportWindow::StatementOfLine(int line) const {
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
        hint_->setText(kHint);
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
