#pragma once
// Windows-1252, the 8-bit code page of bounded text fields and long strings in stored files.
// Qt has no codec for it unless built with ICU, so it is tabled here.

#include <QByteArray>
#include <QString>

// The character of one byte. 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in the code
// page; like Windows they decode to the C1 controls of the same number, so every byte string
// survives a round trip.
char16_t Cp1252ToUnicode(unsigned char byte);
// The byte of one code point, or -1 when the code page has no such character.
int UnicodeToCp1252(char32_t codePoint);

// Text is composed (NFC) first, so a decomposed "a" + U+0308 becomes the single byte of "ä";
// characters without a byte become '?' (one per code point, also outside the BMP).
QByteArray ToCp1252(const QString& text);
QString FromCp1252(const QByteArray& bytes);
