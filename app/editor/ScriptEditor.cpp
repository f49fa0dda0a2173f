// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/ScriptEditor.h"

#include <algorithm>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <Qsci/qsciscintilla.h>

#include "app/editor/Dictionaries.h"
#include "app/editor/EditCommands.h"
#include "app/editor/EditorFeatures.h"
#include "app/editor/EditorMarks.h"
#include "app/editor/Markers.h"
#include "app/editor/ScriptScintilla.h"
#include "core/host/Cp1250.h"

namespace orvane::app::editor {

namespace {
QStringList LocalFiles(const QMimeData* mime) {
    QStringList files;
    if (mime == nullptr || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    return files;
}
}  // namespace

int ScriptEditor::ClampTabSize(int size) { return std::clamp(size, kMinTabSize, kMaxTabSize); }

ScriptEditor::ScriptEditor(QWidget* parent) : QObject(parent), sci_(new ScriptScintilla(parent)) {
    sci_->setUtf8(true);
    sci_->setObjectName(QStringLiteral("scriptEditor"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    sci_->setFont(font);
    sci_->setTabWidth(kDefaultTabSize);
    sci_->setIndentationsUseTabs(true);
    sci_->setEolMode(QsciScintilla::EolUnix);
    sci_->setCaretLineVisible(true);
    sci_->setCaretLineBackgroundColor(QColor(0xF2, 0xF6, 0xFC));
    sci_->SendScintilla(QsciScintillaBase::SCI_SETMARGINLEFT, 0, 10L);
    // The horizontal scroll bar follows the longest line instead of a fixed guess.
    sci_->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTH, 1UL);
    sci_->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1UL);
    SetUpMargins();
    words_ = std::make_unique<Dictionaries>();
    features_ = new EditorFeatures(*sci_, *words_);
    marks_ = new EditorMarks(*sci_);
    edits_ = std::make_unique<EditCommands>(*sci_);

    sci_->installEventFilter(this);
    sci_->viewport()->installEventFilter(this);
    connect(sci_, &QsciScintilla::textChanged, this, [this] {
        mapStale_ = true;
        emit stateChanged();
    });
    connect(sci_, &QsciScintilla::selectionChanged, this, &ScriptEditor::stateChanged);
    connect(sci_, &QsciScintilla::modificationChanged, this, &ScriptEditor::modificationChanged);
    connect(sci_, &QsciScintilla::modificationChanged, this, &ScriptEditor::stateChanged);
}

ScriptEditor::~ScriptEditor() = default;

QWidget* ScriptEditor::Widget() const { return sci_; }

void ScriptEditor::SetUpMargins() {
    sci_->setMarginType(kLineNumberMargin, QsciScintilla::NumberMargin);
    sci_->setMarginWidth(kLineNumberMargin, QStringLiteral("00000"));
    sci_->setMarginLineNumbers(kLineNumberMargin, true);
    sci_->setMarginType(kSymbolMargin, QsciScintilla::SymbolMargin);
    sci_->setMarginWidth(kSymbolMargin, 16);
    sci_->setMarginMarkerMask(kSymbolMargin, static_cast<int>(kSymbolMarginMask));
    sci_->setMarginSensitivity(kSymbolMargin, true);
    sci_->setMarginWidth(2, 0);
    sci_->setFolding(QsciScintilla::NoFoldStyle);

    sci_->markerDefine(QsciScintilla::Circle, kBreakpointMarker);
    sci_->setMarkerBackgroundColor(QColor(0xC8, 0x28, 0x28), kBreakpointMarker);
    sci_->setMarkerForegroundColor(QColor(0x80, 0x10, 0x10), kBreakpointMarker);
    sci_->markerDefine(QsciScintilla::RightArrow, kCurrentStatementMarker);
    sci_->setMarkerBackgroundColor(QColor(0xF5, 0xC2, 0x11), kCurrentStatementMarker);
    sci_->setMarkerForegroundColor(QColor(0x70, 0x55, 0x00), kCurrentStatementMarker);
    sci_->markerDefine(QsciScintilla::SmallRectangle, kErrorMarker);
    sci_->setMarkerBackgroundColor(QColor(0xE0, 0x60, 0x20), kErrorMarker);
    sci_->setMarkerForegroundColor(QColor(0x80, 0x30, 0x00), kErrorMarker);
}

void ScriptEditor::SetLexer(QsciLexer* lexer) { sci_->setLexer(lexer); }

void ScriptEditor::AddKeyFilter(QObject* filter) { sci_->installEventFilter(filter); }

// The colours are forgotten and come back as the lines are shown, so a long script costs no
// more than one screen here.
void ScriptEditor::RecolourAll() { features_->RecolourAll(); }

void ScriptEditor::SetTabSize(int size) { features_->SetTabSize(ClampTabSize(size)); }

void ScriptEditor::LoadDictionaries(const std::string& folder, orvane::host::Prompts& prompts) {
    words_->Load(folder, prompts);
}

void ScriptEditor::AddFunctions(std::vector<FunctionHint> functions) { words_->AddFunctions(std::move(functions)); }

int ScriptEditor::TabSize() const { return sci_->tabWidth(); }

QString ScriptEditor::Text() const { return sci_->text(); }

QString ScriptEditor::WordAtCaret() const {
    int line = 0;
    int index = 0;
    sci_->getCursorPosition(&line, &index);
    return sci_->wordAtLineIndex(line, index);
}

void ScriptEditor::Load(const QString& text) {
    const bool readOnly = sci_->isReadOnly();
    sci_->setReadOnly(false);
    sci_->setText(text);
    sci_->setReadOnly(readOnly);
    sci_->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    // Keep the line ends the file came with; a new script gets the platform's.
    if (text.contains(QLatin1String("\r\n"))) sci_->setEolMode(QsciScintilla::EolWindows);
    else if (text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) sci_->setEolMode(QsciScintilla::EolMac);
    else sci_->setEolMode(QsciScintilla::EolUnix);
    sci_->setCursorPosition(0, 0);
    sci_->setModified(false);
    mapStale_ = true;
    emit stateChanged();
}

bool ScriptEditor::IsModified() const { return sci_->isModified(); }

void ScriptEditor::SetModified(bool modified) { sci_->setModified(modified); }

bool ScriptEditor::IsOverwrite() const { return sci_->overwriteMode(); }

int ScriptEditor::LineCount() const { return sci_->lines(); }

void ScriptEditor::ShowLine(int line) { sci_->ensureLineVisible(line); }

void ScriptEditor::PlaceCaret(int line, int index) {
    sci_->setFocus();
    sci_->setCursorPosition(line, index);
}

const PositionMap& ScriptEditor::Map() const {
    if (mapStale_) {
        const auto length = sci_->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        const auto* bytes = reinterpret_cast<const char*>(
            sci_->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
        map_.Rebuild(std::string_view(bytes, static_cast<std::size_t>(length)));
        mapStale_ = false;
    }
    return map_;
}

std::int32_t ScriptEditor::Length() const { return Map().CoreLength(); }

unsigned char ScriptEditor::ByteAt(std::int32_t pos) const {
    return static_cast<unsigned char>(Map().Cp1250()[static_cast<std::size_t>(pos)]);
}

void ScriptEditor::GetSelection(std::int32_t& start, std::int32_t& end) const {
    start = Map().ToCore(sci_->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART));
    end = Map().ToCore(sci_->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND));
}

void ScriptEditor::SetSelection(std::int32_t start, std::int32_t end) {
    const auto anchor = static_cast<unsigned long>(Map().ToEditor(start));
    const auto caret = static_cast<long>(Map().ToEditor(end));
    sci_->SendScintilla(QsciScintillaBase::SCI_SETSEL, anchor, caret);
}

void ScriptEditor::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    sci_->setReadOnly(!enabled);
    emit stateChanged();
}

void ScriptEditor::Focus() { sci_->setFocus(); }

std::int32_t ScriptEditor::LineFromPosition(std::int32_t pos) const {
    const auto editorPos = static_cast<unsigned long>(Map().ToEditor(pos));
    return static_cast<std::int32_t>(sci_->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, editorPos));
}

std::string ScriptEditor::LineText(std::int32_t line) const {
    if (line < 0 || line >= sci_->lines()) return {};
    QString text = sci_->text(line);
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) text.chop(1);
    return orvane::host::Utf8ToCp1250(text.toStdString());
}

std::int32_t ScriptEditor::LineStart(std::int32_t line) const {
    if (line < 0) return 0;
    if (line >= sci_->lines()) return Length();
    const auto start = sci_->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    return Map().ToCore(start);
}

void ScriptEditor::NoteOverwrite() {
    if (sci_->overwriteMode() == overwrite_) return;
    overwrite_ = sci_->overwriteMode();
    emit overwriteChanged(overwrite_);
}

bool ScriptEditor::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            // Scintilla toggles overtype itself on Insert; look once it has.
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert) {
                QTimer::singleShot(0, this, &ScriptEditor::NoteOverwrite);
            }
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove:
            if (!LocalFiles(static_cast<QDropEvent*>(event)->mimeData()).isEmpty()) {
                static_cast<QDropEvent*>(event)->acceptProposedAction();
                return true;
            }
            break;
        case QEvent::Drop: {
            const QStringList files = LocalFiles(static_cast<QDropEvent*>(event)->mimeData());
            if (!files.isEmpty()) {
                static_cast<QDropEvent*>(event)->acceptProposedAction();
                emit filesDropped(files);
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace orvane::app::editor
