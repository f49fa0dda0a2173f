// SPDX-License-Identifier: GPL-3.0-or-later
#include "screenshots/Screenshot.h"

namespace orvane::screenshots {

std::vector<Screenshot::Entry>& Screenshot::All() {
    static std::vector<Entry> entries;
    return entries;
}

Screenshot::Registrar::Registrar(const char* name, Take take) {
    All().push_back({QString::fromUtf8(name), std::move(take)});
}

}  // namespace orvane::screenshots
