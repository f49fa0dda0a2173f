// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/CallTip.h"

#include "app/editor/SyntaxLexer.h"

namespace orvane::app::editor {

CallTip::CallTip(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("callTip"));
    setFont(SyntaxLexer::FontOf(Format::CallTip));
    const FormatLook look = LookOf(Format::CallTip);
    setStyleSheet(QStringLiteral("QLabel { color: rgb(%1, %2, %3); background: rgb(255, 255, 192);"
                                 " border: 1px solid rgb(128, 128, 128); padding: 1px 3px; }")
                      .arg(look.red)
                      .arg(look.green)
                      .arg(look.blue));
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void CallTip::ShowAt(const QString& hint, QPoint at, int lineHeight) {
    setText(hint);
    const QRect area = parentWidget()->rect();
    QRect box(at, sizeHint());
    box.setWidth(std::min(box.width(), area.width()));
    if (box.right() > area.right()) box.moveRight(area.right());
    if (box.left() < area.left()) box.moveLeft(area.left());
    if (box.bottom() > area.bottom()) box.moveBottom(at.y() - lineHeight - 1);
    setGeometry(box);
    show();
    raise();
}

}  // namespace orvane::app::editor
