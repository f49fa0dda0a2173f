// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/SoakKeys.h"

#include <QTest>

namespace orvane::soak {

void SoakKeys::Type(QWidget& widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) QTest::keyClick(&widget, c.toLatin1());
        else QTest::sendKeyEvent(QTest::Click, &widget, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c), {});
    }
}

}  // namespace orvane::soak
