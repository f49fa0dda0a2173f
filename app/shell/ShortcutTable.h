// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include "core/help/Reference.h"

namespace orvane::app::shell {

// The keyboard rows of the help, taken from the table the menus are built from.
class ShortcutTable {
public:
    static std::vector<orvane::help::ShortcutRow> Rows();
};

}  // namespace orvane::app::shell
