#pragma once
#include <QCoreApplication>
#include <QString>
#include <Qsci/qsciscintilla.h>
#include <fstream>
#include <string>

#include <QWidget>

#include "app/editor/Dictionaries.h"
#include "app/editor/EditorFeatures.h"
#include "app/editor/SciDocument.h"
#include "app/editor/ScriptEditor.h"
#include "app/editor/SyntaxLexer.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::test {

namespace editor = orvane::app::editor;

// A dictionary folder of the editor tests: a few words of each kind, in the file format.
inline void WriteTestDictionaries(const TempDir& dir) {
    const auto write = [&](const char* name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    };
    write("DicKeyWord.txt", "Wait\r\nif\r\nelse\r\nwhile\r\nVar\r\n");
    write("DicTypes.txt", "tmp1\r\n");
    write("DicConstants.txt", "Main\r\n");
    write("DicFunctions.txt",
          "ServoSet\tNumer serwa, Pozycja [us]\tUstawia serwo\r\n"
          "ServoRead\tNumer serwa\tOdczytuje pozycj\xEA\r\n"
          "ServoReset\t\r\n");
}

// The window's script editor, shown, on the test dictionaries.
struct EditorRig {
    TempDir folder;
    ScriptedPrompts prompts;
    QWidget window;
    editor::ScriptEditor editor{&window};
    QsciScintilla& sci = *editor.Scintilla();
    editor::EditorFeatures* features = &editor.Features();
    editor::SciDocument doc{sci};

    EditorRig() {
        WriteTestDictionaries(folder);
        editor.LoadDictionaries(folder.Path(), prompts);
        editor.SetTabSize(3);
        window.resize(640, 400);
        sci.resize(640, 400);
        window.show();
    }

    // Every style of the text, after colouring whatever is still uncoloured.
    std::string Styles() {
        features->Lexer().EnsureColouredTo(doc.Length());
        return doc.Styles(0, doc.Length());
    }
    std::string Text() const { return std::string(doc.Range(0, doc.Length())); }
    // A new text, and the repaint after it that tells the editor where the caret went.
    void SetText(const std::string& text) {
        sci.setText(QString::fromStdString(text));
        QCoreApplication::processEvents();
    }
    long Caret() const { return doc.Caret(); }
    std::string Selected() const { return sci.selectedText().toStdString(); }
};

// Styles as a string of format digits, '0' for block comment ... '9' for number.
inline std::string Digits(const std::string& styles) {
    std::string d;
    for (char s : styles) d += static_cast<char>('0' + s);
    return d;
}

}  // namespace orvane::test
