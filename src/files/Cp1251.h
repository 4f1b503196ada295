#pragma once

// Windows-1251 text, the code page of the files the program writes and reads itself.

#include <QByteArray>
#include <QString>

#include <optional>

namespace Cp1251 {

// Fails when a character has no place in the code page.
std::optional<QByteArray> encode(const QString &text);
// Fails on a byte the code page leaves undefined (0x98).
std::optional<QString> decode(const QByteArray &bytes);

} // namespace Cp1251
