#pragma once
// Texts of menus, buttons and dialog buttons as Qt shows them.
#include <QString>
#include <string_view>

namespace qv::rt::qt {

// Qt reads "&" in menu items, menu titles and button titles as the mark of a keyboard
// mnemonic; the program's texts are plain ("Compact & Average", a file name with "&").
inline QString plainText(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size())).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace qv::rt::qt
