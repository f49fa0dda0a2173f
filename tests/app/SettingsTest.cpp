// One settings file for the window and orvane-cli: what today's CLI wrote reads back, garbage
// reads as defaults or clamped values, and a choice made in one program reaches the other.
#include <QProcess>
#include <Qsci/qsciscintilla.h>

#include "app/editor/ScriptEditor.h"
#include "app/shell/MainWindow.h"
#include "core/device/PortStarter.h"
#include "core/host/Cp1250.h"
#include "settings/QtSettingsStore.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/SimProcess.h"

using orvane::host::Pl;
using orvane::settings::QtSettingsStore;
using namespace orvane::test;

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
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
            orvane::app::shell::MainWindow window(store, orvane::host::PlatformFolders::Detect(ORVANE_DATA_DIR));
            window.RunStartUp();
            QCOMPARE(window.Editor().Scintilla()->tabWidth(), tabSize);
            QVERIFY(WaitUntil([&] { return !window.Device().IsBusy(); }));
        }
        QCOMPARE(orvane::device::PortStarter::ConfiguredBaud(store), baud);
        QVERIFY(boxes.SawText(QStringLiteral("Błąd otwarcia RS232")));
    }

    void WindowAndCliShareOneFile() {
        QFile::remove(home_.SettingsFile());
        SimProcess sim(ORVANE_SIM_BIN, {});
        QtSettingsStore window;
        window.WriteString("COM", "1");
        window.WriteString(Pl("Urządzenie COM1"), sim.SlavePath());

        QProcess cli;
        cli.setProcessEnvironment(QProcessEnvironment::systemEnvironment());  // the temporary home
        cli.start(QStringLiteral(ORVANE_CLI_BIN), {QStringLiteral("mode")});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()).trimmed(), QStringLiteral("System"));
    }

private:
    TempHome home_;
};

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
