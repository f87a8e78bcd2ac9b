#pragma once
// Everything in the database image, in files and on the wire is single-byte
// Windows-1250 text; the windows work with QString.
#include <QByteArray>
#include <QString>

QByteArray ToCp1250(const QString& text);
QString FromCp1250(const QByteArray& bytes);
// Bytes up to (not including) the first 0x00.
QString FromCp1250Field(const char* bytes, int width);

// Whether Windows-1250 has the character (one code point).
bool InCp1250(char32_t codePoint);
// The first character of the text that Windows-1250 lacks, or 0.
char32_t FirstOutsideCp1250(const QString& text);
// The text without the characters Windows-1250 lacks.
QString OnlyCp1250(const QString& text);

// Alphabetical order of Polish names whatever the system's locale: Ł after L,
// Ś after S, Ż after Z.
bool PolishLess(const QString& a, const QString& b);
