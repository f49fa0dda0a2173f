// SPDX-License-Identifier: GPL-3.0-or-later
// The compile's warnings in the window: a good assembly still opens its report when the script
// has statements the two engines compute apart; each warning leads to its statement and to its
// help page; the editor marks their lines until they are edited.
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "app/compile/CompileController.h"
#include "app/compile/ReportWindow.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/EditorMarks.h"
#include "app/help/HelpWindow.h"
#include "tests/app/WindowRig.h"

using orvane::app::compile::ReportWindow;
using namespace orvane::test;

class CompileWarningsTest : public QObject {
    Q_OBJECT
private slots:
    void WarningsLeadToTheirStatementsAndPagesAndMarkTheirLines() {
        FileDialogAnswerer dialogs;  // the program write that follows a good compile
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        const QString script = home_.Path(QStringLiteral("ostrzezenia.orv"));
        QVERIFY(WriteAll(script, "Var: x, y;\ny = 0 - 1;\nif (x < y) x = 1;\nx = 300 * 300;\n"));
        QVERIFY(rig.window->Document().OpenPath(script) && rig.WaitIdle());
        std::vector<std::string> pages;
        Answerer<orvane::app::help::HelpWindow> help([&](orvane::app::help::HelpWindow& window) {
            pages.push_back(window.CurrentTopic());
            window.close();
            window.setProperty("answered", false);  // the one help window opens again
        });
        QString chosen;
        int reports = 0;
        QVERIFY(Compile(rig, [&](ReportWindow& report) {
            ++reports;
            auto* text = report.findChild<QPlainTextEdit*>();
            const QTextBlock wide = Line(*text, QStringLiteral("Ostrzeżenie (RASM4) w wierszu 4"));
            QVERIFY(wide.isValid());
            QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect(QTextCursor(wide)).center());
            chosen = rig.Text().selectedText();
            text->setTextCursor(QTextCursor(Line(*text, QStringLiteral("Ostrzeżenie (RASM1) w wierszu 3"))));
            Pomoc(report)->click();
            text->setTextCursor(QTextCursor(text->document()->begin()));  // avra's own line
            Pomoc(report)->click();
        }));
        QCOMPARE(reports, 1);
        QCOMPARE(chosen, QStringLiteral("x = 300 * 300;"));
        QCOMPARE(pages, (std::vector<std::string>{"ostrzezenie-RASM1", "roznice"}));
        QCOMPARE(static_cast<int>(rig.window->Compiles().LastResult().outcome),
                 static_cast<int>(orvane::compiler::CompileOutcome::Written));  // warned, not refused

        orvane::app::editor::EditorMarks& marks = rig.window->Editor().Marks();
        QCOMPARE(marks.Warnings(), (std::vector<int>{2, 3}));
        rig.Text().insertAt(QStringLiteral(" "), 3, 0);  // the last line edited
        rig.Text().insertAt(QStringLiteral("\n"), 0, 0);  // a new line above moves the mark with its line
        QCOMPARE(marks.Warnings(), std::vector<int>{3});
    }

private:
    static QTextBlock Line(QPlainTextEdit& text, const QString& start) {
        for (QTextBlock block = text.document()->begin(); block.isValid(); block = block.next())
            if (block.text().startsWith(start)) return block;
        return {};
    }
    static QPushButton* Pomoc(ReportWindow& report) {
        for (QPushButton* button : report.findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("Pomoc")) return button;
        return nullptr;
    }

    TempHome home_;
};

QTEST_MAIN(CompileWarningsTest)
#include "CompileWarningsTest.moc"
