#pragma once
// Everything in the database image, in files and on the wire is single-byte
// Windows-1250 text; the windows work with QString.
#include <QByteArray>
#include <QString>

QByteArray ToCp1250(const QString& text);
QString FromCp1250(const QByteArray& bytes);
// Bytes up to (not including) the first 0x00.
QString FromCp1250Field(const char* bytes, int width);
