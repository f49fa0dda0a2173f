// SPDX-License-Identifier: GPL-3.0-or-later
// Script editor timings on a 10 000-line script, offscreen: opening it up to the first painted
// screen, one keystroke in its middle with the recolouring and repaint it causes, and "/*"
// typed on its first line, which turns everything below into comment; and a keystroke in a
// line of 100 000 characters.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QWindow>
#include <Qsci/qsciscintilla.h>
#include <cstdio>

#include "app/editor/Dictionaries.h"
#include "app/editor/EditorFeatures.h"
#include "app/editor/SyntaxLexer.h"
#include "core/host/Cp1250.h"
#include "core/host/Prompts.h"

namespace {

using namespace orvane;
namespace editor = orvane::app::editor;

class CountingPrompts : public host::Prompts {
public:
    host::Answer Ask(const std::string&, const std::string& text, host::Buttons, host::Icon) override {
        std::fprintf(stderr, "box: %s\n", text.c_str());
        return host::Answer::Ok;
    }
};

// Shipped examples over and over, to 10 000 lines; none holds a block comment, so a "/*" at the
// top turns the whole script into comment.
QString LongScript() {
    QString one;
    for (const char* name : {"decyzja.orv", "serwo_przemiatanie.orv"}) {
        QFile file(QStringLiteral(ORVANE_DATA_DIR "/examples/") + QString::fromLatin1(name));
        if (file.open(QIODevice::ReadOnly)) one += QString::fromStdString(host::Cp1250ToUtf8(file.readAll().toStdString()));
    }
    QStringList lines = one.split(QLatin1Char('\n'));
    QStringList all;
    while (all.size() < 10000) all += lines;
    all = all.mid(0, 10000);
    return all.join(QLatin1Char('\n'));
}

struct Editor {
    CountingPrompts prompts;
    editor::Dictionaries words;
    QsciScintilla sci;
    editor::EditorFeatures* features;
    QString script = LongScript();

    Editor() {
        words.Load(ORVANE_DATA_DIR, prompts);
        sci.setUtf8(true);
        features = new editor::EditorFeatures(sci, words);
        sci.resize(1000, 800);
        sci.show();
        // Until the window is exposed, a repaint paints nothing.
        for (int i = 0; i < 20 && !sci.windowHandle()->isExposed(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    void Type(Qt::Key key, const char* text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
        QApplication::sendEvent(&sci, &press);
    }
    void Paint() { sci.viewport()->repaint(); }
    void Open() {
        sci.setText(script);
        features->RecolourAll();
        Paint();
    }
};

// Made and destroyed in main, inside the application's lifetime.
Editor* shared = nullptr;
Editor& Shared() { return *shared; }

void BM_OpenAndPaint10000Lines(benchmark::State& state) {
    Editor& e = Shared();
    for (auto _ : state) e.Open();
    // Painting is what colours the first screen; nothing coloured means nothing was painted.
    if (e.sci.SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED) == 0) state.SkipWithError("nothing painted");
}
BENCHMARK(BM_OpenAndPaint10000Lines)->Unit(benchmark::kMillisecond);

// Every line coloured, as scrolling to the end after opening does.
void BM_ColourAll10000Lines(benchmark::State& state) {
    Editor& e = Shared();
    e.Open();
    for (auto _ : state) {
        e.features->RecolourAll();
        e.features->Lexer().EnsureColouredTo(e.sci.length());
    }
}
BENCHMARK(BM_ColourAll10000Lines)->Unit(benchmark::kMillisecond);

// Times one key typed at the caret and the screen painted after it; the key is taken back
// outside the timing.
void TypeAndPaintOneKey(benchmark::State& state, Editor& e) {
    const int length = e.sci.length();
    for (auto _ : state) {
        e.Type(Qt::Key_X, "x");
        e.Paint();
        if (e.sci.length() != length + 1) {
            state.SkipWithError("the key typed nothing");
            break;
        }
        state.PauseTiming();
        e.Type(Qt::Key_Backspace, "");
        e.Paint();
        state.ResumeTiming();
    }
}

void BM_KeystrokeInTheMiddle(benchmark::State& state) {
    Editor& e = Shared();
    e.Open();
    e.sci.setCursorPosition(5000, 4);
    e.sci.ensureLineVisible(5000);
    e.Paint();
    TypeAndPaintOneKey(state, e);
}
BENCHMARK(BM_KeystrokeInTheMiddle)->Unit(benchmark::kMillisecond);

void BM_OpenCommentOnTheFirstLine(benchmark::State& state) {
    Editor& e = Shared();
    e.Open();
    e.sci.setCursorPosition(0, 0);
    e.Paint();
    for (auto _ : state) {
        e.Type(Qt::Key_Slash, "/");
        e.Type(Qt::Key_Asterisk, "*");
        e.Paint();
        if (e.sci.SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED) < 500 ||
            e.sci.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, 500L) != 0) {
            state.SkipWithError("no comment below");
            break;
        }
        state.PauseTiming();
        e.Type(Qt::Key_Backspace, "");
        e.Type(Qt::Key_Backspace, "");
        e.Paint();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenCommentOnTheFirstLine)->Unit(benchmark::kMillisecond);

// A keystroke at the start of a line of 100 000 characters full of quotes and comment marks:
// the line is coloured again in one pass, however many constructs it holds.
void BM_KeystrokeInALongLine(benchmark::State& state) {
    Editor& e = Shared();
    QString line;
    while (line.size() < 100000) line += QStringLiteral("a = \"x\" /* 'c' */ 12 #d ");
    e.sci.setText(line);
    e.sci.setCursorPosition(0, 0);
    e.Paint();
    TypeAndPaintOneKey(state, e);
}
BENCHMARK(BM_KeystrokeInALongLine)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Editor editor;
    shared = &editor;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
