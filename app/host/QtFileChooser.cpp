// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/host/QtFileChooser.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "app/host/QtText.h"
#include "core/host/Cp1250.h"

namespace orvane::app::host {

QString QtFileChooser::QtFilter(const std::string& cp1250Filter) {
    const QStringList parts = FromCp1250(cp1250Filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (name.isEmpty() || patterns.isEmpty()) continue;
        // On this platform "*.*" would miss files without a dot.
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const qsizetype open = name.indexOf(QLatin1Char('('));
        if (open >= 0) name = name.left(open).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(name, patterns);
    }
    return filters.join(QLatin1String(";;"));
}

QString QtFileChooser::Suffix(const std::string& defaultExtension) {
    QString suffix = FromCp1250(defaultExtension);
    while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    return suffix;
}

std::optional<std::string> QtFileChooser::Choose(const orvane::host::FileRequest& request, bool forSave) {
    if (closing_) return std::nullopt;
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(forSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QtFilter(request.filter));
    dialog.setDefaultSuffix(Suffix(request.defaultExtension));
    if (!request.initialName.empty()) dialog.selectFile(FromCp1250(request.initialName));
    for (;;) {
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        const QString path = dialog.selectedFiles().value(0);
        if (path.isEmpty()) return std::nullopt;
        if (SpellableInCp1250(path)) return ToCp1250(path);
        QMessageBox::warning(parent_, QStringLiteral("ORVANE"),
                             QStringLiteral("Ścieżka %1 zawiera znaki spoza strony kodowej 1250.\n"
                                            "Wybierz plik w innym folderze lub o innej nazwie.")
                                 .arg(path));
    }
}

std::optional<std::string> QtFileChooser::ChooseOpen(const orvane::host::FileRequest& request) {
    return Choose(request, false);
}

std::optional<std::string> QtFileChooser::ChooseSave(const orvane::host::FileRequest& request) {
    return Choose(request, true);
}

}  // namespace orvane::app::host
