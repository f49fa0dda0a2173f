// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QListView>
#include <QStringListModel>

namespace orvane::app::editor {

class WordList;

// The list of every dictionary word beside the caret. It never takes the keyboard: the editor
// keeps typing and hands the list the keys that move its selection.
class CompletionPopup : public QListView {
    Q_OBJECT

public:
    explicit CompletionPopup(QWidget* parent);

    // Fills the list (when the words changed) and shows it below the caret line, or above it when
    // there is no room below, moved left to stay inside the parent.
    void ShowAt(const WordList& words, QPoint caretTop, int lineHeight);
    void SelectRow(int row);
    int SelectedRow() const;
    // Moves the selection as the key would in a list of its own.
    void MoveSelection(int key);

signals:
    void Chosen(int row);

private:
    QStringListModel model_;
    const WordList* shown_ = nullptr;
    std::size_t shownSize_ = 0;
};

}  // namespace orvane::app::editor
