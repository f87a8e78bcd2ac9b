#pragma once
// Rich text files for the receipt header and footer: what the editors need of
// RTF (text, font size, paragraph alignment, Polish letters as \'xx in code page
// 1250 or as \uN) read from the files word processors save, and written so that
// they open the same.
#include <QByteArray>
#include <optional>

#include "receipt/lineblock.h"

// Characters of 15 pt and more count as large print.
constexpr int kLargeHalfPoints = 30;

// The paragraphs of an RTF file, or nothing when it is not RTF (no "{\rtf",
// braces that do not balance).
std::optional<RichText> ReadRtf(const QByteArray& file);
// Courier New, 10 pt text and 20 pt large characters, \qc \qr \ql paragraphs,
// non-ASCII characters as \uN with their Windows-1250 byte as the fallback.
QByteArray WriteRtf(const RichText& text);
