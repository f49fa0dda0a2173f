// SPDX-License-Identifier: GPL-3.0-or-later
// The script file behind the editor: no way the window offers loses a modified script, files
// come back byte for byte in their own encoding, bad files are refused without harm, and the
// core's CP1250 positions land on the right characters of the editor's UTF-8 text. The settings
// file the window shares with orvane-cli: what today's CLI wrote reads back, and garbage reads as
// defaults or clamped values.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QMimeData>
#include <QUrl>
#include <Qsci/qsciscintilla.h>

#include "app/document/ScriptCodec.h"
#include "app/document/ScriptDocument.h"
#include "app/editor/ScriptEditor.h"
#include "app/host/QtFileChooser.h"
#include "app/shell/MainWindow.h"
#include "core/device/ComPortMap.h"
#include "core/device/PortStarter.h"
#include "core/host/Cp1250.h"
#include "core/host/MemorySettings.h"
#include "settings/QtSettingsStore.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/KillLoop.h"
#include "tests/support/SimProcess.h"

using orvane::app::shell::MainWindow;
using orvane::host::Pl;
using orvane::settings::QtSettingsStore;
using enum orvane::app::window::CommandId;
using namespace orvane::test;

namespace {
orvane::host::PlatformFolders Folders() { return orvane::host::PlatformFolders::Detect(ORVANE_DATA_DIR); }

void Drop(QWidget* target, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    // Qt hands a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}
}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT
private slots:
    void ModifiedScriptIsNeverLost_data() {
        QTest::addColumn<QString>("way");
        for (const char* way : {"close", "Koniec", "New", "Open", "recent file", "drop"}) QTest::newRow(way) << way;
    }

    void ModifiedScriptIsNeverLost() {
        QFETCH(QString, way);
        const QString other = home_.Path(QStringLiteral("other.orv"));
        const QString saved = home_.Path(QStringLiteral("saved-") + way + QStringLiteral(".orv"));
        QVERIFY(WriteAll(other, "Wait(1);\n"));
        MainWindow window(settings_, Folders());
        window.show();
        window.Document().Recent().Add(other);
        window.Document().SetPathAsker([&](bool forSave, const QString&) { return forSave ? saved : other; });
        auto replace = [&] {
            if (way == "close") window.close();
            else if (way == "Koniec") window.Action(AppExit)->trigger();
            else if (way == "New") window.Action(FileNew)->trigger();
            else if (way == "Open") window.Action(FileOpen)->trigger();
            else if (way == "recent file") window.findChild<QAction*>(QStringLiteral("command57616"))->trigger();
            else Drop(&window, other);
        };
        window.Editor().Scintilla()->insert(QStringLiteral("ServoSet(1, 0, 0, 0, 1500);"));
        QVERIFY(window.Document().IsModified());

        BoxAnswerer boxes;
        boxes.Queue(QMessageBox::Cancel);
        replace();
        QVERIFY(boxes.SawText(QStringLiteral("Czy zapisać zmiany w Bez tytułu?")));
        QCOMPARE(window.Editor().Text(), QStringLiteral("ServoSet(1, 0, 0, 0, 1500);"));
        QVERIFY(window.isVisible());

        boxes.Queue(QMessageBox::Yes);
        replace();
        QCOMPARE(ReadAll(saved), QByteArray("ServoSet(1, 0, 0, 0, 1500);"));
        QCOMPARE(boxes.Count(), std::size_t{2});
        if (way == "close" || way == "Koniec") QVERIFY(!window.isVisible());
        else if (way == "New") QCOMPARE(window.Editor().Text(), QString());
        else QCOMPARE(window.Editor().Text(), QStringLiteral("Wait(1);\n"));
    }

    // A save killed at any moment leaves the old script or the new one, whole: the two versions
    // differ in length, so a file cut short or mixed from both is taken for neither.
    void AKilledSaveLeavesTheOldScriptOrTheNewOneWhole() {
        const QString folder = home_.Path(QStringLiteral("kill"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/skrypt.orv");
        QVERIFY(WriteAll(path, "Wait(1);\n"));
        MainWindow window(settings_, Folders());
        QVERIFY(window.Document().OpenPath(path));
        const auto write = [&](int version) {
            window.Editor().Scintilla()->setText(QStringLiteral("Wait(%1);\n").arg(version).repeated(2000 + 3000 * version));
            window.Document().Save();
        };
        const KillLoop::Outcome outcome = KillLoop::Run(path.toStdString(), write, 100, 7);
        QCOMPARE(outcome.rounds, 100);
        QVERIFY(outcome.damaged.empty());
        QVERIFY2(outcome.killedInWrite > 0, "no kill landed inside a save");
    }

    void FilesKeepTheirEncodingAndBadFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");  // what the editor shows; empty: the file is refused
        QTest::newRow("CP1250") << QByteArray("// Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9\r\nWait(1);\r\n")
                                << QStringLiteral("// Zażółć gęślą\r\nWait(1);\r\n");
        QTest::newRow("UTF-8") << QByteArray("// Zażółć gęślą\nWait(1);\n") << QStringLiteral("// Zażółć gęślą\nWait(1);\n");
        QTest::newRow("UTF-8 with a byte-order mark") << QByteArray("\xEF\xBB\xBFWait(1); // ż\n")
                                                      << QStringLiteral("Wait(1); // ż\n");
        QTest::newRow("binary") << QByteArray("\x7F" "ELF\x02\x01\x00\x00", 8) << QString();
        QTest::newRow("byte CP1250 has no character for") << QByteArray("Wait(1); \x81\n") << QString();
    }

    void FilesKeepTheirEncodingAndBadFilesAreRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const QString path = home_.Path(QStringLiteral("script.orv"));
        QVERIFY(WriteAll(path, bytes));
        MainWindow window(settings_, Folders());
        BoxAnswerer boxes;
        window.Editor().Load(QStringLiteral("kept"));

        const bool opened = window.Document().OpenPath(path);
        QCOMPARE(opened, !text.isEmpty());
        if (text.isEmpty()) {
            QCOMPARE(boxes.Count(), std::size_t{1});
            QCOMPARE(window.Editor().Text(), QStringLiteral("kept"));
        } else {
            QCOMPARE(window.Editor().Text(), text);
            window.Editor().SetModified(true);
            QVERIFY(window.Document().Save());
        }
        QCOMPARE(ReadAll(path), bytes);
    }

    // Every Polish letter, alone and beside every other, comes back from its file in the
    // encoding it was saved in: CP1250 bytes that also make valid UTF-8 ("ÓŁ" is D3 A3, "ĆŁ" C6
    // A3) are no UTF-8 text.
    void PolishTextReadsBackInItsOwnEncoding() {
        using orvane::app::document::ScriptCodec;
        const QString letters = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
        QStringList texts{QStringLiteral("// SERWO W DÓŁ\n")};
        for (const QChar a : letters) {
            texts << QString(a);
            for (const QChar b : letters) texts << QString(a) + b;
        }
        for (const auto encoding : {ScriptCodec::Encoding::Cp1250, ScriptCodec::Encoding::Utf8}) {
            for (const QString& text : texts) {
                const auto decoded = ScriptCodec::Decode(ScriptCodec::Encode(text, encoding));
                QVERIFY2(decoded.text == text && decoded.encoding == encoding, qPrintable(text));
            }
        }
    }

    void TextOutsideCp1250IsSavedAsUtf8OnlyWhenTheUserAgrees() {
        const QString path = home_.Path(QStringLiteral("arrows.orv"));
        QVERIFY(WriteAll(path, "Wait(1); // \xB3uk\n"));
        MainWindow window(settings_, Folders());
        QVERIFY(window.Document().OpenPath(path));
        window.Editor().Scintilla()->insert(QStringLiteral("// → "));
        BoxAnswerer boxes;

        boxes.Queue(QMessageBox::No);
        QVERIFY(!window.Document().Save());
        QCOMPARE(ReadAll(path), QByteArray("Wait(1); // \xB3uk\n"));
        boxes.Queue(QMessageBox::Yes);
        QVERIFY(window.Document().Save());
        QCOMPARE(ReadAll(path), QByteArray("// → Wait(1); // łuk\n"));
        QVERIFY(!window.Document().IsModified());
    }

    void CorePositionsLandOnTheEditorsCharacters() {
        MainWindow window(settings_, Folders());
        orvane::app::editor::ScriptEditor& editor = window.Editor();
        editor.Load(QStringLiteral("ą=1;\r\nżółw=2; // ok\nx=3;"));
        QCOMPARE(editor.Length(), 24);
        QCOMPARE(editor.CharAt(0), static_cast<signed char>(0xB9));
        QCOMPARE((QList<int>{editor.LineStart(1), editor.LineStart(2), editor.LineStart(3), editor.LineFromPosition(9)}),
                 (QList<int>{6, 20, 24, 1}));
        QCOMPARE(QByteArray::fromStdString(editor.LineText(1)), QByteArray("\xBF\xF3\xB3w=2; // ok"));
        editor.SetSelection(6, 10);
        QCOMPARE(editor.Scintilla()->selectedText(), QStringLiteral("żółw"));
        std::int32_t start = 0, end = 0;
        editor.GetSelection(start, end);
        QCOMPARE((QList<int>{start, end}), (QList<int>{6, 10}));
        // An edit moves what follows: the map is rebuilt for the new text.
        editor.Scintilla()->insertAt(QStringLiteral("ł"), 0, 0);
        QCOMPARE(editor.LineStart(1), 7);
    }

    // "*.*" would miss files without a dot here; the pattern list after '|' is what filters, and an
    // entry without patterns is left out.
    void FileDialogsReadTheOriginalFilters() {
        using orvane::app::host::QtFileChooser;
        QCOMPARE(QtFileChooser::QtFilter("Piki HEX (*.hex)|*.hex|Wszystkie pliki (*.*)|*.*|"),
                 QStringLiteral("Piki HEX (*.hex);;Wszystkie pliki (*)"));
        QCOMPARE(QtFileChooser::QtFilter("Pliki (*.ini;*.txt)|*.ini;*.txt|"), QStringLiteral("Pliki (*.ini *.txt)"));
        QCOMPARE(QtFileChooser::QtFilter("Bez wzorca|"), QString());
        QCOMPARE(QtFileChooser::Suffix("*.hex") + QtFileChooser::Suffix(".orv"), QStringLiteral("hexorv"));
    }

    void ReadsTheFileTodaysCliWrote() {
        QFile::remove(home_.SettingsFile());
        QVERIFY(WriteAll(home_.SettingsFile(), ReadAll(QStringLiteral(ORVANE_TEST_DATA "/settings-written-by-cli.ini"))));
        QtSettingsStore store;
        const std::pair<const char*, const char*> rows[] = {
            {"COM", "3"},
            {"baud rate", "57,6k"},  // the profile store found keys whatever their case
            {"Plik komend", "/home/użytkownik/Łódź/Komendy.ini"},
            {"Urządzenie COM3", "/dev/ttyUSB0"},
            {"Komenda ustalająca pozycję serw w ms", "ServoSet"},
            {"Oblicz", " x*2; \"y\" = 3 "},
            {"Kompilator", "C:\\Program Files\\Atmel\\avrasm32.exe"},
            {"Czas", "@100"},
        };
        for (const auto& [key, value] : rows) {
            QCOMPARE(QString::fromStdString(orvane::host::Cp1250ToUtf8(store.ReadString(Pl(key), "<none>"))),
                     QString::fromUtf8(value));
        }
        QCOMPARE(store.ReadInt("Tab size", 3), 4);
        QCOMPARE(orvane::device::PortStarter::ConfiguredBaud(store), 57600);
        // A write keeps the spelling the file already has instead of adding a second key.
        store.WriteString("baud rate", "9600");
        QCOMPARE(store.ReadString("Baud Rate", ""), std::string("9600"));
        QVERIFY(!ReadAll(home_.SettingsFile()).contains("baud%20rate"));
    }

    void GarbageReadsAsDefaultsOrClamped_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("tabSize");
        QTest::addColumn<int>("baud");
        QTest::newRow("no file at all") << QByteArray() << 3 << 115200;
        QTest::newRow("no ORVANE section") << QByteArray("[Other]\nTab%20size=8\n") << 3 << 115200;
        QTest::newRow("tab size 0") << QByteArray("[ORVANE]\nTab%20size=0\n") << 1 << 115200;
        QTest::newRow("negative tab size") << QByteArray("[ORVANE]\nTab%20size=-7\n") << 1 << 115200;
        QTest::newRow("absurd tab size") << QByteArray("[ORVANE]\nTab%20size=99999\n") << 16 << 115200;
        QTest::newRow("words") << QByteArray("[ORVANE]\nTab%20size=szeroki\nBaud%20Rate=szybko\n") << 1 << 115200;
        QTest::newRow("baud without the comma") << QByteArray("[ORVANE]\nBaud%20Rate=9600\n") << 3 << 9600;
        QTest::newRow("not an INI file") << QByteArray("\x7F\xFF[[[=\n==\n[ORVANE\nTab%20size\n@Variant(\x01)\n")
                                         << 3 << 115200;
    }

    void GarbageReadsAsDefaultsOrClamped() {
        QFETCH(QByteArray, file);
        QFETCH(int, tabSize);
        QFETCH(int, baud);
        QFile::remove(home_.SettingsFile());
        if (!file.isEmpty()) QVERIFY(WriteAll(home_.SettingsFile(), file));
        QtSettingsStore store;
        store.WriteString(Pl("Urządzenie COM1"), "/nonexistent/orvane-port");
        BoxAnswerer boxes;  // the port does not open: its box is answered
        {
            MainWindow window(store, Folders());
            window.RunStartUp();
            QCOMPARE(window.Editor().Scintilla()->tabWidth(), tabSize);
            QVERIFY(SpinUntil([&] { return !window.Device().IsBusy(); }));
        }
        QCOMPARE(orvane::device::PortStarter::ConfiguredBaud(store), baud);
        QVERIFY(boxes.SawText(QStringLiteral("Błąd otwarcia RS232")));
    }

    // Ctrl+O and "Zapisz jako..." through their own file dialogs, as a user answers them: an
    // open dialog that opens what is chosen, a save dialog that adds the script's extension.
    void CtrlOAndSaveAsAskThroughTheirOwnDialogs() {
        const QString path = home_.Path(QStringLiteral("chosen.orv"));
        QVERIFY(WriteAll(path, "Wait(2);\n"));
        MainWindow window(settings_, Folders());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QString answer = path;
        QStringList asked;  // title, mode and suffix of each dialog
        QTimer fill;
        connect(&fill, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                asked << box->text();
                QMetaObject::invokeMethod(box, [box] { QTest::keyClick(box, Qt::Key_Escape); }, Qt::QueuedConnection);
                for (auto* dialog : window.findChildren<QFileDialog*>())  // and out, for the test to fail
                    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
            }
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
            if (!name || name->text() == answer) return;
            asked << QStringLiteral("%1 %2 %3").arg(dialog->windowTitle()).arg(dialog->acceptMode()).arg(dialog->defaultSuffix());
            dialog->selectFile(answer);
            name->setText(answer);
            // Pressed once this look is over, so that a box the dialog raises is seen too.
            QMetaObject::invokeMethod(name, [name] { QTest::keyClick(name, Qt::Key_Return); }, Qt::QueuedConnection);
        });
        fill.start(20);
        QTest::keyClick(window.Editor().Scintilla(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(window.Editor().Text(), QStringLiteral("Wait(2);\n"));
        answer = home_.Path(QStringLiteral("copy"));
        window.Action(FileSaveAs)->trigger();
        QCOMPARE(asked, QStringList({QStringLiteral("Otwórz 0 "), QStringLiteral("Zapisz jako 1 orv")}));
        QCOMPARE(ReadAll(home_.Path(QStringLiteral("copy.orv"))), QByteArray("Wait(2);\n"));
    }

private:
    TempHome home_;
    // Opening a script runs the start-up again: it talks to a virtual controller, never to a
    // port of this machine.
    SimProcess sim_{ORVANE_SIM_BIN, {}};
    orvane::host::MemorySettings settings_ = [this] {
        orvane::host::MemorySettings settings;
        settings.WriteString(orvane::device::ComPortMap::OverrideKey(1), sim_.SlavePath());
        settings.WriteString("Sprawdzaj odpowiada co", "0");
        return settings;
    }();
};

QTEST_MAIN(DocumentTest)
#include "DocumentTest.moc"
