// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/DialogText.h"

#include <QLineEdit>
#include <QMessageBox>

namespace orvane::app::dialogs {

bool AcceptablePath(QLineEdit* edit) {
    if (SpellableInCp1250(edit->text())) return true;
    QMessageBox::warning(edit->window(), edit->window()->windowTitle(),
                         QStringLiteral("Ścieżka %1 zawiera znaki spoza strony kodowej 1250.\n"
                                        "Wybierz plik w innym folderze lub o innej nazwie.")
                             .arg(edit->text()));
    edit->setFocus();
    return false;
}

}  // namespace orvane::app::dialogs
