#include "common/text.h"

#include <QCollator>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

QByteArray ToCp1250(const QString& text) {
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

QString FromCp1250(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1250");
    return decoder.decode(bytes);
}

QString FromCp1250Field(const char* bytes, int width) {
    int n = 0;
    while (n < width && bytes[n] != 0) ++n;
    return FromCp1250(QByteArray(bytes, n));
}

bool InCp1250(char32_t codePoint) {
    // The code page has 251 characters; a round trip through it keeps exactly those.
    static const QString all = [] {
        QByteArray bytes;
        for (int b = 1; b < 256; ++b) bytes.append(char(b));
        return FromCp1250(bytes);
    }();
    if (codePoint == 0) return true;
    if (codePoint > 0xFFFF) return false;
    const QChar c{char16_t(codePoint)};
    return c != QChar::ReplacementCharacter && all.contains(c);
}

char32_t FirstOutsideCp1250(const QString& text) {
    for (char32_t c : text.toUcs4())
        if (!InCp1250(c)) return c;
    return 0;
}

QString OnlyCp1250(const QString& text) {
    QString out;
    for (char32_t c : text.toUcs4())
        if (InCp1250(c)) out.append(QString::fromUcs4(&c, 1));
    return out;
}

bool PolishLess(const QString& a, const QString& b) {
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b) < 0;
}
