#include "common/text.h"

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
