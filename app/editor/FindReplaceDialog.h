// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

#include "app/editor/TextFinder.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvane::app::editor {

// The find and replace window: it stays open beside the editor while the user searches; the
// replace row shows only when it was opened for replacing.
class FindReplaceDialog : public QDialog {
    Q_OBJECT

public:
    FindReplaceDialog(TextFinder& finder, QWidget* parent);

    // Shows the window for finding (or replacing), with `text` to search for when not empty.
    void Open(bool replacing, const QString& text);
    SearchOptions Options() const;
    bool HasSearchText() const;

    // The search buttons; each shows how it went in the window's status line.
    TextFinder::Result FindNext();
    TextFinder::Result ReplaceNext();
    int ReplaceAll();

private:
    void ShowResult(TextFinder::Result result);
    void UpdateButtons();

    TextFinder& finder_;
    QLineEdit* find_;
    QLabel* replaceLabel_;
    QLineEdit* replace_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    QRadioButton* up_;
    QRadioButton* down_;
    QPushButton* findNext_;
    QPushButton* replaceNext_;
    QPushButton* replaceAll_;
    QLabel* status_;
};

}  // namespace orvane::app::editor
