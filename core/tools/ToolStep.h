// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvane::tools {

// Where a servo dialog stands after one of its actions: still open, or ended with OK (its
// text is to be inserted) or as cancelled ("Koniec", or No in a failure's box).
enum class ToolStep { Going, Confirmed, Cancelled };

}  // namespace orvane::tools
