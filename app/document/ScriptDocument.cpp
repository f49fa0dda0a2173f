// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/document/ScriptDocument.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

#include "app/editor/ScriptEditor.h"

namespace orvane::app::document {

namespace {
const QString kCaption = QStringLiteral("ORVANE");

QString AskWithDialog(QWidget* window, bool forSave, const QString& suggested) {
    const QString filter = ScriptDocument::kFilter + QStringLiteral(";;Wszystkie pliki (*)");
    if (!forSave) return QFileDialog::getOpenFileName(window, QStringLiteral("Otwórz"), suggested, filter);
    QFileDialog dialog(window, QStringLiteral("Zapisz jako"), suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(ScriptDocument::kExtension);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
}  // namespace

ScriptDocument::ScriptDocument(editor::ScriptEditor& editor, QWidget* window)
    : QObject(window), editor_(editor), window_(window), recent_(this), printer_(editor) {
    askPath_ = [window](bool forSave, const QString& suggested) {
        return AskWithDialog(window, forSave, suggested);
    };
    connect(&editor_, &editor::ScriptEditor::modificationChanged, this, &ScriptDocument::EmitTitle);
}

ScriptDocument::~ScriptDocument() = default;

QString ScriptDocument::DisplayName() const {
    return path_.isEmpty() ? QStringLiteral("Bez tytułu") : QFileInfo(path_).fileName();
}

bool ScriptDocument::IsModified() const { return editor_.IsModified(); }

void ScriptDocument::EmitTitle() { emit titleChanged(DisplayName(), IsModified()); }

void ScriptDocument::Refused(const QString& text) {
    QMessageBox::warning(window_, kCaption, text);
}

bool ScriptDocument::MaybeSave() {
    if (!IsModified()) return true;
    const auto answer = QMessageBox::question(
        window_, kCaption, QStringLiteral("Czy zapisać zmiany w %1?").arg(DisplayName()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return Save();
    return answer == QMessageBox::No;
}

bool ScriptDocument::New() {
    if (!MaybeSave()) return false;
    path_.clear();
    encoding_ = ScriptCodec::Encoding::Cp1250;
    bom_ = false;
    editor_.Load(QString());
    EmitTitle();
    emit replaced();
    return true;
}

bool ScriptDocument::Open() {
    if (!MaybeSave()) return false;
    const QString path = askPath_(false, path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath());
    return !path.isEmpty() && Load(path);
}

bool ScriptDocument::OpenPath(const QString& path) { return MaybeSave() && Load(path); }

bool ScriptDocument::Load(const QString& path) {
    const QFileInfo info(path);
    const QString name = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.exists() || info.isDir()) {
        recent_.Remove(info.absoluteFilePath());
        Refused(QStringLiteral("Nie ma pliku %1.").arg(name));
        return false;
    }
    if (info.size() > kMaxFileBytes) {
        Refused(QStringLiteral("Plik %1 jest za duży (%2 MB). Skrypt może mieć najwyżej %3 MB.")
                    .arg(name).arg(info.size() / (1024 * 1024)).arg(kMaxFileBytes / (1024 * 1024)));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Refused(QStringLiteral("Nie można otworzyć pliku %1.\n%2").arg(name, file.errorString()));
        return false;
    }
    const ScriptCodec::Decoded decoded = ScriptCodec::Decode(file.readAll());
    if (decoded.problem == ScriptCodec::Problem::Binary) {
        Refused(QStringLiteral("Plik %1 nie jest plikiem tekstowym.").arg(name));
        return false;
    }
    if (decoded.problem == ScriptCodec::Problem::Unreadable) {
        Refused(QStringLiteral("Plik %1 zawiera bajty, które nie są tekstem ani w UTF-8, ani w "
                               "stronie kodowej 1250.\nNie zostanie otwarty, aby zapis go nie uszkodził.")
                    .arg(name));
        return false;
    }
    path_ = info.absoluteFilePath();
    encoding_ = decoded.encoding;
    bom_ = decoded.bom;
    editor_.Load(decoded.text);
    recent_.Add(path_);
    EmitTitle();
    emit replaced();
    return true;
}

bool ScriptDocument::Save() { return path_.isEmpty() ? SaveAs() : Write(path_); }

bool ScriptDocument::SaveAs() {
    QString suggested = path_;
    if (suggested.isEmpty()) suggested = QDir::home().filePath(QStringLiteral("Bez tytułu.") + kExtension);
    const QString path = askPath_(true, suggested);
    return !path.isEmpty() && Write(path);
}

bool ScriptDocument::AskEncodingFor(const QString& text) {
    if (ScriptCodec::CanEncode(text, encoding_)) return true;
    const auto answer = QMessageBox::question(
        window_, kCaption,
        QStringLiteral("Skrypt zawiera znaki, których nie ma w stronie kodowej 1250.\n"
                       "Czy zapisać go w kodowaniu UTF-8?"));
    if (answer != QMessageBox::Yes) return false;
    encoding_ = ScriptCodec::Encoding::Utf8;
    return true;
}

bool ScriptDocument::Write(const QString& path) {
    const QString text = editor_.Text();
    if (!AskEncodingFor(text)) return false;
    const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    QSaveFile file(path);
    const QByteArray bytes = ScriptCodec::Encode(text, encoding_, bom_);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        Refused(QStringLiteral("Nie można zapisać pliku %1.\n%2").arg(name, file.errorString()));
        return false;
    }
    const bool renamed = path_ != QFileInfo(path).absoluteFilePath();
    path_ = QFileInfo(path).absoluteFilePath();
    editor_.SetModified(false);
    recent_.Add(path_);
    if (renamed) EmitTitle();
    return true;
}

void ScriptDocument::Print() {
    QPrinter& printer = printer_.Printer(DisplayName());
    QPrintDialog dialog(&printer, window_);
    if (dialog.exec() == QDialog::Accepted) printer_.Print(&printer);
}

void ScriptDocument::PrintPreview() {
    QPrintPreviewDialog preview(&printer_.Printer(DisplayName()), window_);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { printer_.Print(target); });
    preview.exec();
}

void ScriptDocument::PageSetup() {
    QPageSetupDialog dialog(&printer_.Printer(DisplayName()), window_);
    dialog.exec();
}

}  // namespace orvane::app::document
