#include "tests/editor/Suites.h"

#include <string_view>

namespace orvane::test {

std::unique_ptr<QObject> MakeEditorSuite(const char* name) {
    const std::string_view n(name);
    if (n == "Colouring") return MakeColouringTest();
    if (n == "Dictionaries") return MakeDictionariesTest();
    if (n == "Typing") return MakeTypingTest();
    if (n == "Search") return MakeSearchTest();
    return nullptr;
}

}  // namespace orvane::test
