// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/CompletionPopup.h"

#include <QScrollBar>
#include <algorithm>

#include "app/editor/WordList.h"
#include "core/host/Cp1250.h"

namespace orvane::app::editor {

namespace {
constexpr int kWidth = 250;
constexpr int kMaxRows = 10;
}  // namespace

CompletionPopup::CompletionPopup(QWidget* parent) : QListView(parent) {
    setObjectName(QStringLiteral("completionList"));
    setModel(&model_);
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::Box);
    hide();
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) { emit Chosen(index.row()); });
}

void CompletionPopup::ShowAt(const WordList& words, QPoint caretTop, int lineHeight) {
    if (shown_ != &words || shownSize_ != words.Size()) {
        QStringList list;
        list.reserve(static_cast<qsizetype>(words.Size()));
        for (const std::string& w : words.Words()) list << QString::fromStdString(orvane::host::Cp1250ToUtf8(w));
        model_.setStringList(list);
        shown_ = &words;
        shownSize_ = words.Size();
    }
    const int rowHeight = std::max(sizeHintForRow(0), fontMetrics().height());
    const int rows = std::min(static_cast<int>(words.Size()) + 1, kMaxRows);
    const QRect area = parentWidget()->rect();
    QRect box(caretTop.x(), caretTop.y() + lineHeight, kWidth, rows * rowHeight + 2 * frameWidth());
    if (box.bottom() > area.bottom() && caretTop.y() - box.height() >= area.top()) {
        box.moveBottom(caretTop.y() - 1);
    }
    if (box.right() > area.right()) box.moveRight(area.right());
    if (box.left() < area.left()) box.moveLeft(area.left());
    setGeometry(box);
    show();
    raise();
}

void CompletionPopup::SelectRow(int row) {
    if (model_.rowCount() == 0) return;
    const QModelIndex index = model_.index(std::clamp(row, 0, model_.rowCount() - 1));
    setCurrentIndex(index);
    scrollTo(index, QAbstractItemView::PositionAtTop);
}

int CompletionPopup::SelectedRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void CompletionPopup::MoveSelection(int key) {
    const int page = std::max(1, viewport()->height() / std::max(1, sizeHintForRow(0)) - 1);
    const int last = model_.rowCount() - 1;
    int row = std::max(0, SelectedRow());
    switch (key) {
    case Qt::Key_Up: row -= 1; break;
    case Qt::Key_Down: row += 1; break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_End: row = last; break;
    default: return;
    }
    const QModelIndex index = model_.index(std::clamp(row, 0, std::max(0, last)));
    setCurrentIndex(index);
    scrollTo(index);
}

}  // namespace orvane::app::editor
