// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

namespace orvane::app::document {

// How a script file's bytes become editor text and back. Scripts from the original platform
// are CP1250; a file with a byte-order mark, or valid UTF-8 whose non-ASCII characters are
// Latin letters and signs, is UTF-8. Either way a file is written back in the encoding it was
// read in, so no file changes its encoding behind its owner's back.
class ScriptCodec {
public:
    enum class Encoding { Cp1250, Utf8 };
    enum class Problem {
        None,
        Binary,      // NUL bytes: not a text file at all
        Unreadable,  // control bytes or bytes CP1250 leaves undefined: a save would change them
    };
    struct Decoded {
        QString text;
        Encoding encoding = Encoding::Cp1250;
        Problem problem = Problem::None;
        bool bom = false;  // the file began with a UTF-8 byte-order mark
    };
    static inline const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

    static Decoded Decode(const QByteArray& bytes);
    // False when `text` holds a character the encoding cannot store (CP1250 only).
    static bool CanEncode(const QString& text, Encoding encoding);
    static QByteArray Encode(const QString& text, Encoding encoding, bool bom = false);
};

}  // namespace orvane::app::document
