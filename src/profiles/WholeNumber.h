#pragma once

#include <QString>

#include <optional>

namespace velmora::profiles {

// A whole number as the dialog's fields take it: optional leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "$" or "0x"; it must fit a signed 32-bit
// integer (hexadecimal up to eight digits, read as its 32 bits). Nothing may follow.
std::optional<qint32> parseWholeNumber(const QString &text);

} // namespace velmora::profiles
