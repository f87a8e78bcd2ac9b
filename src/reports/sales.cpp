#include "reports/sales.h"

#include "common/numbers.h"
#include "common/text.h"
#include "image/fields.h"
#include "link/frames.h"

namespace {
// The name up to its first zero byte, as the register's bytes.
QByteArray NameBytes(const QByteArray& record) {
    QByteArray name = record.mid(sales::kName, sales::kNameWidth);
    const int end = name.indexOf('\0');
    return end < 0 ? name : name.left(end);
}
// A control byte from the register (a line feed would split the line) becomes a blank.
QByteArray Printable(QByteArray bytes) {
    for (char& c : bytes)
        if (uint8_t(c) < 0x20) c = ' ';
    return bytes;
}
}  // namespace

QString SalesListRow(const QByteArray& record) {
    const char* p = record.constData();
    const QString number = (QString::number(Word(p)) + QStringLiteral(". ")).rightJustified(6);
    QString row = number + FromCp1250(NameBytes(record));
    row = row.leftJustified(48);
    return row + QLatin1Char(' ') + QLatin1Char(p[sales::kVat]) + QLatin1Char(' ') +
           FormatQuantity(int32_t(Long(p + sales::kQuantity))).rightJustified(12) + QLatin1Char(' ') +
           FormatHundredths(int32_t(Long(p + sales::kValue))).rightJustified(10);
}

QByteArray SalesCsv(const SalesTable& table) {
    QByteArray out = ToCp1250(QStringLiteral("Numer;Nazwa;PTU;Ilość;Wartość;")) + '\n';
    for (int n : table.Occupied()) {
        const QByteArray r = table.Record(n);
        const char* p = r.constData();
        out += QByteArray::number(Word(p)) + ';' + Printable(NameBytes(r)) + ';' +
               Printable(QByteArray(1, p[sales::kVat])) + ';' +
               FormatQuantity(int32_t(Long(p + sales::kQuantity))).toLatin1() + ';' +
               FormatHundredths(int32_t(Long(p + sales::kValue))).toLatin1() + '\n';
    }
    return out;
}

ReadOutcome ReadSales(RegisterLink& link, bool nonZeroOnly, SalesTable& table,
                      const std::function<void(int)>& progress) {
    // A damaged frame ends the download without an answer, as the register expects.
    return ReadRegisterTable(link, SeriesRequest{uint8_t(nonZeroOnly ? 'X' : 'Y'), sales::kReplyLength, 0x8001, false},
                             table, progress);
}
