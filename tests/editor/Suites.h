#pragma once
#include <QObject>
#include <memory>

namespace orvane::test {

std::unique_ptr<QObject> MakeColouringTest();
std::unique_ptr<QObject> MakeDictionariesTest();
std::unique_ptr<QObject> MakeTypingTest();
std::unique_ptr<QObject> MakeSearchTest();

// The editor test classes by name: Colouring, Dictionaries, Typing, Search.
std::unique_ptr<QObject> MakeEditorSuite(const char* name);

}  // namespace orvane::test
