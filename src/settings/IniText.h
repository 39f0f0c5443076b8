#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Reading and editing one value of an INI file as bytes. Other programs may share the file,
// so an edit changes the bytes of that value only: comments, blanks, key spelling, section
// order, backslashes and the file's own line ends all stay as they were. Section and key
// names are matched without regard to the case of a-z, as the INI readers of the desktop do.
namespace IniText {

// The value of key in section: blanks around it and one pair of enclosing quotes removed.
// Accepts LF, CR LF and CR line ends and a leading UTF-8 byte-order mark. When the key
// appears more than once, the last one counts.
std::optional<QByteArray> value(QByteArrayView ini, QByteArrayView section, QByteArrayView key);

// The file with key in section set to value. Every occurrence of the key in that section is
// given the value; a missing key is added at the end of the (last) section, a missing
// section at the end of the file, in the file's line-end style (LF for an empty file).
QByteArray withValue(QByteArrayView ini, QByteArrayView section, QByteArrayView key,
                     QByteArrayView value);

}
