// Kompiluj and the flash commands from the window against the real virtual controller and the
// real assembler: the program the compile wrote is the one the controller keeps; the report and a
// translation stop lead back to the script; Cancel before the erase leaves the flash alone.
#include <QPlainTextEdit>
#include <QTextBlock>

#include "app/compile/CompileController.h"
#include "app/compile/ReportWindow.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/Markers.h"
#include "app/flash/FlashCommands.h"
#include "app/flash/FlashProgressDialog.h"
#include "app/host/QtProgress.h"
#include "core/device/FlashImage.h"
#include "core/device/HexFile.h"
#include "tests/app/WindowRig.h"
#include "tests/support/HexRecords.h"
#include "tests/support/ScriptedPrompts.h"

using enum orvane::app::shell::CommandId;
using orvane::device::FlashImage;
using namespace orvane::test;

namespace {
FlashImage ImageOf(const QString& hexPath) {
    FlashImage image;
    ScriptedPrompts prompts;
    orvane::device::HexFile::ReadHexImage(ReadAll(hexPath).toStdString(), image, 0, {}, {}, prompts);
    return image;
}

bool SameProgram(const FlashImage& a, const FlashImage& b) {
    for (int address = 0x0700; address < 0x1F00; ++address)
        if (a[address] != b[address]) return false;
    return true;
}

// Waits for the compile of F9 to end, running `whileReportShows` on its report if one opens.
bool Compile(WindowRig& rig, const std::function<void(orvane::app::compile::ReportWindow&)>& whileReportShows = {}) {
    bool finished = false;
    auto done = QObject::connect(&rig.window->Compiles(), &orvane::app::compile::CompileController::finished,
                                 [&] { finished = true; });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* report = qobject_cast<orvane::app::compile::ReportWindow*>(widget);
            if (report == nullptr || !report->isVisible() || report->property("seen").toBool()) continue;
            report->setProperty("seen", true);
            if (whileReportShows) whileReportShows(*report);
            report->close();
        }
    });
    watch.start(50);
    rig.window->Action(RunCompile)->trigger();
    const bool ended = WaitUntil([&] { return finished; }, 30000);
    QObject::disconnect(done);
    return ended;
}
}  // namespace

class CompileFlashWindowTest : public QObject {
    Q_OBJECT
private slots:
    void F9WritesTheHexAndTheControllerKeepsItsProgram() {
        BoxAnswerer boxes;
        FileDialogAnswerer dialogs;
        const QString flash = home_.Path(QStringLiteral("sim-flash.hex"));
        WindowRig rig({"--flash", flash.toStdString()});
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        const QString script = home_.Path(QStringLiteral("ruch.orv"));
        QVERIFY(WriteAll(script, "Main:\nVar: x;\nx = 5;\nServoSet(1, 0, 0, 0, 1500);\nWait(x * 100);\n"));
        QVERIFY(rig.window->Document().OpenPath(script));
        QVERIFY(rig.WaitIdle());

        QVERIFY(Compile(rig));
        const auto& result = rig.window->Compiles().LastResult();
        QCOMPARE(static_cast<int>(result.outcome), static_cast<int>(orvane::compiler::CompileOutcome::Written));
        const QString hex = home_.Path(QStringLiteral("ruch.hex"));
        QCOMPARE(dialogs.Offered(), QStringList{hex});  // the write offers what was just built
        QCOMPARE(boxes.Count(), std::size_t{0});
        QVERIFY(!rig.window->Progress().Dialog()->isVisible());
        QVERIFY(rig.window->Editor().IsEnabled());
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));

        rig.sim.Stop();  // the simulator saves its flash as it ends
        const FlashImage built = ImageOf(hex);
        QVERIFY(!built.PageEmpty(0x0700 / FlashImage::kPageSize));
        QVERIFY(SameProgram(ImageOf(flash), built));
    }

    void ReportAndTranslationStopLeadBackToTheScript() {
        BoxAnswerer boxes;
        WindowRig rig;
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        const QString script = home_.Path(QStringLiteral("bledy.orv"));
        QVERIFY(WriteAll(script, "Main:\nVar: x;\nx = 1;\nasm:\n{\nrjmp Nigdzie\n}\nx = 2;\n"));
        QVERIFY(rig.window->Document().OpenPath(script));
        QVERIFY(rig.WaitIdle());
        auto& editor = rig.window->Editor();
        QsciScintilla* sci = editor.Scintilla();

        QString chosen;
        QVERIFY(Compile(rig, [&](orvane::app::compile::ReportWindow& report) {
            auto* text = report.findChild<QPlainTextEdit*>();
            for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
                if (!block.text().contains(QStringLiteral("Nigdzie"))) continue;
                const QRect line = text->cursorRect(QTextCursor(block));
                QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, line.center());
                chosen = sci->selectedText();
            }
        }));
        QCOMPARE(chosen, QStringLiteral("rjmp Nigdzie"));  // the line the assembler refused
        QCOMPARE(sci->markerFindNext(0, 1 << orvane::app::editor::kErrorMarker), 5);
        QCOMPARE(static_cast<int>(rig.window->Compiles().LastResult().outcome),
                 static_cast<int>(orvane::compiler::CompileOutcome::AssemblyErrors));

        editor.Load(QStringLiteral("Var: x;\nx = 1;\n}\nx = 2;\n"));
        QVERIFY(rig.window->Document().Save());
        QVERIFY(Compile(rig));
        QVERIFY(boxes.SawText(QStringLiteral("TASM1")));
        QCOMPARE(sci->selectedText(), QStringLiteral("}"));
        int line = 0;
        int index = 0;
        sci->getCursorPosition(&line, &index);
        QCOMPARE(line, 2);
        QCOMPARE(sci->markerFindNext(0, 1 << orvane::app::editor::kErrorMarker), 2);
    }

    // The write is cancelled while it enters the boot loader: the erase never goes out, the
    // controller is taken back to System and keeps its program.
    void CancelBeforeTheEraseLeavesTheFlashAsItWas() {
        BoxAnswerer boxes;
        FileDialogAnswerer dialogs;
        const QString flash = home_.Path(QStringLiteral("kept.hex"));
        const QString other = home_.Path(QStringLiteral("other.hex"));
        QVERIFY(WriteAll(flash, QByteArray::fromStdString(HexRecord(0, 0x0700, {1, 2, 3, 4}) + "\r\n:00000001FF\r\n")));
        QVERIFY(WriteAll(other, QByteArray::fromStdString(HexRecord(0, 0x0700, {9, 9}) + "\r\n:00000001FF\r\n")));
        const FlashImage before = ImageOf(flash);
        WindowRig rig({"--flash", flash.toStdString()});
        rig.file.WriteString("Plik", other.toStdString());
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));

        std::optional<orvane::device::FlashResult> result;
        QObject::connect(&rig.window->Flash(), &orvane::app::flash::FlashCommands::finished,
                         [&](orvane::device::FlashResult r) { result = r; });
        rig.window->Action(ProgramWrite)->trigger();
        const auto progress = [&] { return rig.window->Progress().Dialog(); };
        QVERIFY(WaitUntil([&] { return progress() != nullptr && progress()->isVisible() && progress()->Cancellable(); }));
        QTest::keyClick(progress(), Qt::Key_Escape);  // Cancel, as Esc asks it
        QVERIFY(WaitUntil([&] { return result.has_value(); }));
        QCOMPARE(static_cast<int>(*result), static_cast<int>(orvane::device::FlashResult::Cancelled));
        QCOMPARE(dialogs.Offered(), QStringList{other});
        QVERIFY(!progress()->isVisible());
        QCOMPARE(boxes.Count(), std::size_t{0});
        QVERIFY(rig.WaitForPane(QStringLiteral("System")));
        const auto traffic = rig.Logged();
        QCOMPARE(std::count(traffic.begin(), traffic.end(), std::pair<char, std::uint8_t>('R', 'e')), 0);
        QVERIFY(SameProgram(ImageOf(flash), before));
    }

private:
    TempHome home_;
};

QTEST_MAIN(CompileFlashWindowTest)
#include "CompileFlashWindowTest.moc"
