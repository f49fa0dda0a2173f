#include <QTest>
#include <fstream>
#include <random>

#include "app/editor/CommandHints.h"
#include "app/editor/Dictionaries.h"
#include "app/editor/WordList.h"
#include "core/commands/CommandFile.h"
#include "core/host/Cp1250.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TempDir.h"

namespace orvane::test {

namespace editor = orvane::app::editor;
using editor::Dictionaries;
using editor::FunctionHint;
using editor::WordList;

class EditorDictionariesTest : public QObject {
    Q_OBJECT

private slots:
    void wordListKeepsCaseInsensitiveOrderWithoutExactDuplicates() {
        WordList one;
        for (const char* w : {"while", "Wait", "", "wait", "Wait", "asm", "WAIT", "_x", "Zet"}) one.Add(w);
        const std::vector<std::string> expected{"_x", "asm", "Wait", "wait", "WAIT", "while", "Zet"};
        QCOMPARE(one.Words(), expected);

        // Loading many at once orders and drops exactly as adding them one by one.
        std::mt19937 random(5);
        std::vector<std::string> many;
        for (int i = 0; i < 3000; ++i) {
            std::string w;
            for (int k = 0; k < 1 + static_cast<int>(random() % 3); ++k) w += "aAbB_1"[random() % 6];
            many.push_back(w);
        }
        WordList single, bulk;
        for (const auto& w : many) single.Add(w);
        bulk.AddAll(many);
        QCOMPARE(bulk.Words(), single.Words());
    }

    void missingDictionariesAreToldOneByOne() {
        TempDir empty;
        ScriptedPrompts prompts;
        Dictionaries words;
        words.Load(empty.Path(), prompts);
        const char* const texts[] = {"Can't open Key Words dictionary", "Can't open Types dictionary",
                                     "Can't open Constants values dictionary", "Can't open Functions dictionary"};
        QCOMPARE(prompts.Boxes().size(), std::size(texts));
        for (std::size_t i = 0; i < std::size(texts); ++i) {
            QCOMPARE(prompts.Boxes()[i].caption, std::string("Error"));
            QCOMPARE(prompts.Boxes()[i].text, std::string(texts[i]));
            QCOMPARE(prompts.Boxes()[i].icon, host::Icon::Error);
            QCOMPARE(prompts.Boxes()[i].buttons, host::Buttons::Ok);
        }
        QVERIFY(words.AllWords().Empty());
        QCOMPARE(words.Classify("Wait"), editor::Format::Plain);
        QCOMPARE(words.Classify("42"), editor::Format::Number);
    }

    void functionLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("extra");
        QTest::newRow("three fields") << "F\tx, y\tmore" << true << "F" << "x, y" << "more";
        QTest::newRow("single tab: empty hint") << "F\tafter" << true << "F" << "" << "after";
        QTest::newRow("several tabs: hint in between") << "F\ta\tb\tc" << true << "F" << "a\tb" << "c";
        QTest::newRow("no tab") << "F(x)" << false << "" << "" << "";
        QTest::newRow("empty name") << "\thint\tx" << false << "" << "" << "";
        QTest::newRow("empty line") << "" << false << "" << "" << "";
    }
    void functionLines() {
        QFETCH(QString, line);
        QFETCH(bool, kept);
        FunctionHint f;
        QCOMPARE(Dictionaries::ParseFunctionLine(line.toStdString(), f), kept);
        if (!kept) return;
        QTEST(QString::fromStdString(f.name), "name");
        QTEST(QString::fromStdString(f.hint), "hint");
        QTEST(QString::fromStdString(f.extra), "extra");
    }

    // Line ends of any kind, a UTF-8 file with its mark, huge lines and thousands of words load
    // whole; loading again adds nothing.
    void filesLoadWhateverTheirShape() {
        TempDir dir;
        const auto write = [&](const char* name, const std::string& text) {
            std::ofstream(dir / name, std::ios::binary) << text;
        };
        std::string constants;
        for (int i = 0; i < 20000; ++i) constants += "K" + std::to_string(i) + "\n";
        write("DicKeyWord.txt", "Wait\r\nif\nwhile");
        write("DicTypes.txt", "\xEF\xBB\xBFtmp\xC5\x82\r\n" + std::string(1'000'000, 'x') + "\r\n");
        write("DicConstants.txt", constants);
        write("DicFunctions.txt", "LedSet\tNumer diody\tx\r\nLedSet\tdrugi\tx\r\nbroken\r\n");
        ScriptedPrompts prompts;
        Dictionaries words;
        for (int load = 0; load < 2; ++load) words.Load(dir.Path(), prompts);
        QVERIFY(prompts.Boxes().empty());
        QCOMPARE(words.KeyWords().Words(), (std::vector<std::string>{"if", "Wait", "while"}));
        QCOMPARE(words.Classify("while"), editor::Format::KeyWord);
        QCOMPARE(words.Types().Size(), std::size_t{2});
        QCOMPARE(words.Types().Words()[0], host::Pl("tmpł"));
        QCOMPARE(words.Constants().Size(), std::size_t{20000});
        QCOMPARE(words.Classify("K19999"), editor::Format::Constant);
        QCOMPARE(words.AllWords().Size(), std::size_t{3 + 2 + 20000 + 1});
        QCOMPARE(words.FindFunction("LedSet")->hint, std::string("Numer diody"));
        QVERIFY(!words.FindFunction("broken"));
    }

    // The shipped dictionaries load without a box, know the statements, and hold one call tip
    // per command of the shipped Komendy.ini, made from its arguments.
    void shippedDictionariesMatchTheShippedCommands() {
        ScriptedPrompts prompts;
        Dictionaries words;
        words.Load(ORVANE_DATA_DIR, prompts);
        QVERIFY(prompts.Boxes().empty());
        for (const char* statement : {"Var", "asm", "if", "else", "while", "GoTo", "Call", "Run", "Return",
                                      "Exit", "Wait", "Remove", "RetINT", "Restart"}) {
            QVERIFY2(words.Classify(statement) == editor::Format::KeyWord, statement);
        }
        commands::CommandTable table;
        QVERIFY(commands::CommandFile::ReadFile(ORVANE_DATA_DIR "/Komendy.ini", table, nullptr));
        QVERIFY(!table.Empty());
        for (const FunctionHint& expected : editor::HintsOf(table)) {
            const FunctionHint* shipped = words.FindFunction(expected.name);
            QVERIFY2(shipped, expected.name.c_str());
            QCOMPARE(host::Cp1250ToUtf8(shipped->hint), host::Cp1250ToUtf8(expected.hint));
            QCOMPARE(host::Cp1250ToUtf8(shipped->extra), host::Cp1250ToUtf8(expected.extra));
        }
        QCOMPARE(words.FunctionNames().Size(), table.Size());
    }
};

}  // namespace orvane::test

QTEST_MAIN(orvane::test::EditorDictionariesTest)
#include "EditorDictionariesTest.moc"
