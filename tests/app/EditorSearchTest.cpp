#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/editor/FindReplaceDialog.h"
#include "app/editor/TextFinder.h"
#include "tests/app/EditorRig.h"

namespace orvane::test {

using editor::SearchOptions;
using editor::TextFinder;
using Result = TextFinder::Result;

class EditorSearchTest : public QObject {
    Q_OBJECT

private slots:
    // Each row searches "Wait wait Waiting ŁÓDŹ łódź" from a selection and names the match.
    void findNext_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<int>("found");  // byte offset of the match, -1 none
        QTest::addColumn<int>("result");
        const auto row = [](const char* name, int from, const char* text, bool matchCase, bool wholeWord,
                            bool backwards, int found, Result result) {
            QTest::newRow(name) << from << QString::fromUtf8(text) << matchCase << wholeWord << backwards << found
                                << static_cast<int>(result);
        };
        row("ignoring case", 1, "wait", false, false, false, 5, Result::Found);
        row("matching case", 1, "Wait", true, false, false, 10, Result::Found);
        row("whole words only", 6, "wait", false, true, false, 0, Result::FoundAfterWrap);
        row("backwards", 17, "wait", false, false, true, 10, Result::Found);
        row("backwards wraps to the end", 0, "waiting", false, false, true, 10, Result::FoundAfterWrap);
        row("Polish letters ignoring case", 0, "łódź", false, false, false, 18, Result::Found);
        row("Polish letters matching case", 0, "łódź", true, false, false, 26, Result::Found);
        row("nothing", 0, "xyz", false, false, false, -1, Result::NotFound);
    }
    void findNext() {
        QFETCH(int, from);
        QFETCH(QString, text);
        EditorRig rig;
        rig.SetText("Wait wait Waiting ŁÓDŹ łódź");
        rig.doc.Select(from, from);
        TextFinder finder(rig.sci);
        SearchOptions o;
        o.text = text.toStdString();
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(bool, backwards);
        o.matchCase = matchCase;
        o.wholeWord = wholeWord;
        o.backwards = backwards;
        QTEST(static_cast<int>(finder.FindNext(o)), "result");
        QFETCH(int, found);
        if (found >= 0) {
            QCOMPARE(std::min(rig.doc.Anchor(), rig.doc.Caret()), static_cast<long>(found));
            QCOMPARE(rig.Selected().size(), o.text.size());
        }
    }

    // Replace changes the selected match only and moves on; Replace all is one undoable step and
    // never searches its own replacement again.
    void replace() {
        EditorRig rig;
        rig.SetText("a b a ba");
        TextFinder finder(rig.sci);
        SearchOptions o{"a", "aa", true, true, false};
        QCOMPARE(finder.Replace(o), Result::Found);  // nothing selected yet: finds the first
        QCOMPARE(rig.Text(), std::string("a b a ba"));
        QCOMPARE(finder.Replace(o), Result::Found);
        QCOMPARE(rig.Text(), std::string("aa b a ba"));
        QCOMPARE(rig.doc.Anchor(), 5L);

        rig.SetText("a b a ba");
        QCOMPARE(finder.ReplaceAll(o), 2);
        QCOMPARE(rig.Text(), std::string("aa b aa ba"));
        o.wholeWord = false;
        QCOMPARE(finder.ReplaceAll(o), 5);
        QCOMPARE(rig.Text(), std::string("aaaa b aaaa baa"));
        rig.sci.undo();
        QCOMPARE(rig.Text(), std::string("aa b aa ba"));
        QCOMPARE(finder.ReplaceAll(SearchOptions{}), 0);
        rig.editor.SetEnabled(false);  // a run: found, never changed
        QCOMPARE(finder.ReplaceAll(o), 0);
        for (int i = 0; i < 3; ++i) QVERIFY(finder.Replace(o) != Result::NotFound);
        QCOMPARE(rig.Text(), std::string("aa b aa ba"));
    }
};

}  // namespace orvane::test

QTEST_MAIN(orvane::test::EditorSearchTest)
#include "EditorSearchTest.moc"
