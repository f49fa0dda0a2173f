// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

namespace orvane::test {

// Names each case of a parameterised suite after a text field of its row, so a test's name
// reads as what it checks and stays the same from build to build. Each run of characters a
// test name cannot hold becomes one '_' ("to Program (no answer)" -> "to_Program_no_answer"):
//   INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::Values(...), RowName<&Row::name>{});
template <auto Field>
struct RowName {
    template <class Info>
    std::string operator()(const Info& info) const {
        std::string name;
        bool gap = false;
        for (const char c : std::string_view(info.param.*Field)) {
            const bool plain =
                (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
            if (!plain) {
                gap = !name.empty();
                continue;
            }
            if (gap) name += '_';
            gap = false;
            name += c;
        }
        return name;
    }
};

}  // namespace orvane::test
