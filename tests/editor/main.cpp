#include <QApplication>
#include <QTest>
#include <cstring>
#include <memory>

#include "tests/editor/Suites.h"

// test_editor SUITE [QtTest options]: runs one suite, so CTest lists and times each apart.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    const char* name = argv[1];
    std::unique_ptr<QObject> suite = orvane::test::MakeEditorSuite(name);
    if (!suite) return 2;
    argv[1] = argv[0];
    return QTest::qExec(suite.get(), argc - 1, argv + 1);
}
