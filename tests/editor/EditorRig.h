#pragma once
#include <QCoreApplication>
#include <QString>
#include <Qsci/qsciscintilla.h>
#include <fstream>
#include <string>

#include "app/editor/Dictionaries.h"
#include "app/editor/EditorFeatures.h"
#include "app/editor/SciDocument.h"
#include "app/editor/SyntaxLexer.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::test {

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

// A shown editor with the script editor's features on the test dictionaries.
struct EditorRig {
    TempDir folder;
    ScriptedPrompts prompts;
    editor::Dictionaries words;
    QsciScintilla sci;
    editor::EditorFeatures* features;
    editor::SciDocument doc{sci};

    EditorRig() {
        WriteTestDictionaries(folder);
        words.Load(folder.Path(), prompts);
        sci.setUtf8(true);
        sci.setEolMode(QsciScintilla::EolUnix);
        features = new editor::EditorFeatures(sci, words);
        features->SetTabSize(3);
        sci.resize(640, 400);
        sci.show();
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
