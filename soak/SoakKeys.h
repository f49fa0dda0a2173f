// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class QWidget;

namespace orvane::soak {

// Text typed key by key as a keyboard sends it.
class SoakKeys {
public:
    // A letter beyond ASCII (typed with AltGr) comes with the key code of its capital, as Qt
    // gives Latin letters.
    static void Type(QWidget& widget, const QString& text);
};

}  // namespace orvane::soak
