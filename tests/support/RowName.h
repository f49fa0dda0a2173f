#pragma once
#include <string>
#include <string_view>

namespace orvane::test {

// Names each case of a parameterised suite after a text field of its row, so a test's name
// reads as what it checks and stays the same from build to build. Characters a test name
// cannot hold become '_':
//   INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::Values(...), RowName<&Row::name>{});
template <auto Field>
struct RowName {
    template <class Info>
    std::string operator()(const Info& info) const {
        std::string name(std::string_view(info.param.*Field));
        for (char& c : name) {
            const bool plain =
                (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
            if (!plain) c = '_';
        }
        return name;
    }
};

}  // namespace orvane::test
