#pragma once
// The register's sales per goods: the 53-byte sales record, the table of the last
// download, its list rows and its CSV text.
#include <QByteArray>
#include <QString>

#include "sync/tablesync.h"

class RegisterLink;

namespace sales {
constexpr int kRecordSize = 53;
constexpr int kReplyLength = 62;
constexpr int kName = 2, kNameWidth = 42, kVat = 44, kQuantity = 45, kValue = 49;
}  // namespace sales

// Slot n holds the sales record of goods n as received.
class SalesTable : public RegisterTableMirror {
public:
    SalesTable() : RegisterTableMirror(2000, sales::kRecordSize, 2) {}
};

// "  12. Name...                                    A       2,5000      19,99"
QString SalesListRow(const QByteArray& record);
// The heading "Numer;Nazwa;PTU;Ilość;Wartość;" and one line per present slot,
// LF line ends, names in Windows-1250 as the register keeps them.
QByteArray SalesCsv(const SalesTable& table);

// Reads the register's sales: only goods with sales, or every goods record.
ReadOutcome ReadSales(RegisterLink& link, bool nonZeroOnly, SalesTable& table,
                      const std::function<void(int stored)>& progress = {});
