// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/EditorAssist.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <Qsci/qsciscintilla.h>
#include <algorithm>

#include "app/editor/CallTip.h"
#include "app/editor/CompletionPopup.h"
#include "app/editor/Dictionaries.h"
#include "app/editor/Indenter.h"
#include "app/editor/SyntaxLexer.h"
#include "core/host/AsciiText.h"
#include "core/host/Cp1250.h"

namespace orvane::app::editor {

namespace {

using Sci = QsciScintillaBase;

using orvane::host::IsWordChar;

// The X11 and Wayland key symbol of the right Ctrl key; other platforms report the left one.
constexpr quint32 kRightControlKeySym = 0xffe4;

// Characters that take the word chosen in the list before they are typed themselves.
bool EndsWord(const QString& text) {
    return text.size() == 1 && QStringLiteral("(){},+-*/= ").contains(text.front());
}

class DocumentLines : public CodeLines {
public:
    explicit DocumentLines(const SciDocument& doc) : doc_(doc) {}
    std::string Text(int line) const override { return std::string(doc_.LineText(line)); }
    std::string Styles(int line) const override {
        return doc_.Styles(doc_.LineStart(line), doc_.LineEnd(line));
    }

private:
    const SciDocument& doc_;
};

}  // namespace

EditorAssist::EditorAssist(QsciScintilla& sci, SyntaxLexer& lexer, const Dictionaries& words)
    : QObject(&sci),
      sci_(sci),
      lexer_(lexer),
      words_(words),
      doc_(sci),
      list_(new CompletionPopup(sci.viewport())),
      tip_(new CallTip(sci.viewport())) {
    sci_.installEventFilter(this);
    sci_.viewport()->installEventFilter(this);
    connect(&sci_, &QsciScintillaBase::SCN_CHARADDED, this, &EditorAssist::OnCharAdded);
    connect(list_, &CompletionPopup::Chosen, this, &EditorAssist::Accept);
    connect(&sci_, &QsciScintillaBase::SCN_UPDATEUI, this, &EditorAssist::OnCaretMoved);
    // Any other change (a paste from the toolbar, an undo, another file) has replaced or moved
    // the suggested rest: it is no longer ours to take away.
    connect(&sci_, &QsciScintilla::textChanged, this, [this] { restPending_ = false; });
    connect(sci_.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        CloseCompletion();
        CloseCallTip();
    });
    SetTabSize(tabSize_);
}

void EditorAssist::SetTabSize(int size) {
    tabSize_ = std::clamp(size, 1, 16);
    sci_.setIndentationsUseTabs(false);
    sci_.setTabWidth(tabSize_);
    sci_.setIndentationWidth(tabSize_);
}

bool EditorAssist::CompletionShown() const { return list_->isVisible(); }
bool EditorAssist::CallTipShown() const { return tip_->isVisible(); }
// However the list goes away without a word being accepted, the rest it suggested goes too.
void EditorAssist::CloseCompletion() {
    DropSuggestion();
    list_->hide();
}
void EditorAssist::CloseCallTip() { tip_->hide(); }

bool EditorAssist::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == &sci_) return OnKey(static_cast<QKeyEvent*>(event));
        break;
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control) rightControl_ = false;
        break;
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
    case QEvent::Resize:
        CloseCompletion();
        CloseCallTip();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

bool EditorAssist::OnKey(QKeyEvent* key) {
    if (key->key() == Qt::Key_Control) {
        rightControl_ = key->nativeVirtualKey() == kRightControlKeySym;
        return false;
    }
    if (CallTipShown()) CloseCallTipBefore(key);
    if (sci_.isReadOnly()) return false;  // a run is showing its statement: nothing to type
    if (CompletionShown() && OnKeyWithList(key)) return true;

    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Right:
        return mods == Qt::ControlModifier && !rightControl_ && OpenCompletion();
    case Qt::Key_Space:
        if (mods != Qt::ControlModifier) return false;
        OpenCompletion();
        return true;
    case Qt::Key_Tab:
        if (mods != Qt::NoModifier || doc_.LineOf(doc_.Anchor()) != doc_.LineOf(doc_.Caret())) return false;
        InsertTab();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if ((mods & ~Qt::ShiftModifier) != Qt::NoModifier) return false;
        NewLine();
        return true;
    case Qt::Key_Escape:
        CloseCallTip();
        return false;
    default: return false;
    }
}

void EditorAssist::CloseCallTipBefore(QKeyEvent* key) {
    const long caret = doc_.Caret();
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape: CloseCallTip(); break;
    case Qt::Key_Right:
    case Qt::Key_Delete:
        if (doc_.CharAt(caret) == ')') CloseCallTip();
        break;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
        if (caret > 0 && doc_.CharAt(caret - 1) == '(') CloseCallTip();
        break;
    default: break;
    }
}

bool EditorAssist::OnKeyWithList(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Accept(list_->SelectedRow()); return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: list_->MoveSelection(key->key()); return true;
    case Qt::Key_Right:
        if (doc_.Anchor() != doc_.Caret()) AcceptOneCharacter();
        else Accept(list_->SelectedRow());
        return true;
    case Qt::Key_Left:
    case Qt::Key_Backspace: ShortenPrefix(); return true;
    case Qt::Key_Delete:
    case Qt::Key_Escape: CloseCompletion(); return true;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt: return false;
    default: break;
    }
    if (EndsWord(key->text())) {
        Accept(list_->SelectedRow());
        return false;  // the character is typed behind the word
    }
    // Other characters replace the suggested rest and refresh the list once typed; any other
    // key (Tab too) closes the list and acts as it would without it.
    if (key->text().isEmpty() || !key->text().front().isPrint()) CloseCompletion();
    return false;
}

std::string EditorAssist::PrefixBeforeCaret() const {
    const long caret = doc_.Caret();
    const long lineStart = doc_.LineStart(doc_.LineOf(caret));
    const std::string_view before = doc_.Range(lineStart, caret);
    std::size_t n = before.size();
    while (n > 0 && IsWordChar(before[n - 1])) --n;
    return std::string(before.substr(n));
}

bool EditorAssist::OpenCompletion() {
    const long caret = doc_.Caret();
    doc_.Select(caret, caret);
    const std::string prefix = PrefixBeforeCaret();
    if (prefix.empty()) return false;
    prefixStart_ = caret - static_cast<long>(prefix.size());
    Suggest();
    return true;
}

// Puts the rest of the first word that starts with the typed prefix behind it, selected, and
// shows the list at the nearest word; closes the list when no word starts with the prefix.
bool EditorAssist::Suggest() {
    const std::string prefix = PrefixBeforeCaret();
    const WordList& all = words_.AllWords();
    const std::size_t first = all.FirstWithPrefix(prefix);
    if (prefix.empty() || first == all.Size()) {
        CloseCompletion();
        return false;
    }
    const long caret = doc_.Caret();
    prefixStart_ = caret - static_cast<long>(prefix.size());
    const std::string rest = orvane::host::Cp1250ToUtf8(all.Words()[first].substr(prefix.size()));
    doc_.Insert(caret, rest);
    restStart_ = caret;
    restEnd_ = caret + static_cast<long>(rest.size());
    restPending_ = true;
    doc_.Select(restEnd_, caret);
    int lineHeight = 0;
    const QPoint at = CaretPoint(prefixStart_, &lineHeight);
    list_->ShowAt(all, at, lineHeight);
    list_->SelectRow(static_cast<int>(all.Nearest(prefix)));
    return true;
}

void EditorAssist::Accept(int row) {
    const WordList& all = words_.AllWords();
    restPending_ = false;
    list_->hide();
    if (row < 0 || static_cast<std::size_t>(row) >= all.Size()) return;
    const std::string word = orvane::host::Cp1250ToUtf8(all.Words()[static_cast<std::size_t>(row)]);
    const long end = std::max(doc_.Anchor(), doc_.Caret());
    sci_.SendScintilla(Sci::SCI_BEGINUNDOACTION);
    doc_.Select(prefixStart_, end);
    doc_.ReplaceSelection(word);
    sci_.SendScintilla(Sci::SCI_ENDUNDOACTION);
}

void EditorAssist::AcceptOneCharacter() {
    const long start = std::min(doc_.Anchor(), doc_.Caret());
    const long end = std::max(doc_.Anchor(), doc_.Caret());
    const long next = sci_.SendScintilla(Sci::SCI_POSITIONAFTER, static_cast<unsigned long>(start));
    doc_.Select(end, next);
    restStart_ = next;
    const std::string prefix = PrefixBeforeCaret();
    list_->SelectRow(static_cast<int>(words_.AllWords().Nearest(prefix)));
}

void EditorAssist::ShortenPrefix() {
    DropSuggestion();
    const long caret = doc_.Caret();
    if (caret - prefixStart_ <= 1) {
        doc_.Delete(prefixStart_, caret);
        CloseCompletion();
        return;
    }
    doc_.Delete(sci_.SendScintilla(Sci::SCI_POSITIONBEFORE, static_cast<unsigned long>(caret)), caret);
    Suggest();
}

void EditorAssist::DropSuggestion() {
    if (!restPending_) return;
    restPending_ = false;
    doc_.Delete(restStart_, restEnd_);
    doc_.Select(restStart_, restStart_);
}

void EditorAssist::OnCharAdded(int ch) {
    if (CompletionShown()) Suggest();
    if (ch == '}') AlignClosingBrace();
    if (ch == '(' && !CallTipShown()) ShowCallTip();
    if (ch == ')') CloseCallTip();
}

// A caret that leaves the word being completed, or goes back before the call's "(" or off its
// line (a click, a new text), ends the list and the tip.
void EditorAssist::OnCaretMoved() {
    const long caret = doc_.Caret();
    if (CallTipShown() && (caret <= tipParen_ || doc_.LineOf(caret) != doc_.LineOf(tipParen_))) CloseCallTip();
    if (CompletionShown() && (caret < prefixStart_ || doc_.LineOf(caret) != doc_.LineOf(prefixStart_))) {
        CloseCompletion();
    }
}

void EditorAssist::InsertTab() {
    if (CompletionShown()) CloseCompletion();
    doc_.ReplaceSelection(std::string(static_cast<std::size_t>(tabSize_), ' '));
}

// Enter breaks the line and, outside a block comment, indents the new line from the one before:
// its leading spaces plus a level for each "{" it leaves open.
void EditorAssist::NewLine() {
    sci_.SendScintilla(Sci::SCI_BEGINUNDOACTION);
    sci_.SendScintilla(Sci::SCI_NEWLINE);
    const long line = doc_.LineOf(doc_.Caret());
    const long lineStart = doc_.LineStart(line);
    if (!lexer_.LineContinuesComment(line)) {
        const long previousStart = doc_.LineStart(line - 1);
        const long previousEnd = doc_.LineEnd(line - 1);
        lexer_.EnsureColouredTo(previousEnd);
        const int indent = Indenter::IndentAfter(doc_.Range(previousStart, previousEnd),
                                                 doc_.Styles(previousStart, previousEnd), tabSize_);
        doc_.Delete(lineStart, lineStart + Indenter::LeadingSpaces(doc_.LineText(line)));
        doc_.Insert(lineStart, std::string(static_cast<std::size_t>(indent), ' '));
        doc_.Select(lineStart + indent, lineStart + indent);
    }
    sci_.SendScintilla(Sci::SCI_ENDUNDOACTION);
    sci_.SendScintilla(Sci::SCI_SCROLLCARET);
}

// A "}" typed as code lines its line up with the line of the matching "{".
void EditorAssist::AlignClosingBrace() {
    const long caret = doc_.Caret();
    const long line = doc_.LineOf(caret);
    lexer_.EnsureColouredTo(doc_.LineEnd(line));
    if (doc_.StyleAt(caret - 1) != static_cast<int>(Format::Plain)) return;
    const auto indent = Indenter::ClosingIndent(DocumentLines(doc_), static_cast<int>(line));
    if (!indent) return;
    const long lineStart = doc_.LineStart(line);
    const int current = Indenter::LeadingSpaces(doc_.LineText(line));
    if (*indent == current) return;
    doc_.Delete(lineStart, lineStart + current);
    doc_.Insert(lineStart, std::string(static_cast<std::size_t>(*indent), ' '));
    const long moved = caret + *indent - current;
    doc_.Select(moved, moved);
}

// "(" typed as code behind the name of a function with a hint shows the hint.
void EditorAssist::ShowCallTip() {
    const long paren = doc_.Caret() - 1;
    lexer_.EnsureColouredTo(paren + 1);
    if (paren < 0 || doc_.StyleAt(paren) != static_cast<int>(Format::Plain)) return;
    const long lineStart = doc_.LineStart(doc_.LineOf(paren));
    const std::string_view before = doc_.Range(lineStart, paren);
    std::size_t end = before.size();
    while (end > 0 && (before[end - 1] == ' ' || before[end - 1] == '\t')) --end;
    std::size_t begin = end;
    while (begin > 0 && IsWordChar(before[begin - 1])) --begin;
    const FunctionHint* function = words_.FindFunction(before.substr(begin, end - begin));
    if (!function || function->hint.empty()) return;
    tipParen_ = paren;
    int lineHeight = 0;
    const QPoint at = CaretPoint(doc_.Caret(), &lineHeight);
    tip_->ShowAt(QString::fromStdString(orvane::host::Cp1250ToUtf8(function->hint)), at + QPoint(0, lineHeight),
                 lineHeight);
}

QPoint EditorAssist::CaretPoint(long pos, int* lineHeight) const {
    const auto x = sci_.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, pos);
    const auto y = sci_.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, pos);
    *lineHeight = static_cast<int>(sci_.SendScintilla(Sci::SCI_TEXTHEIGHT, static_cast<unsigned long>(doc_.LineOf(pos))));
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

}  // namespace orvane::app::editor
