#pragma once
// The goods synchronization's copy of the register's goods table, and how its
// records are shown.
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include "sync/tablesync.h"

class WorkImage;

class RegisterGoodsMirror : public RegisterTableMirror {
public:
    RegisterGoodsMirror();
    // After a successful send: number, name, VAT and price, barcode, group,
    // packaging and the two flags from the PC record; the register's own counters,
    // HALO index, last sale and unit stay.
    void UpdateFromPc(int n, const QByteArray& pcRecord);
};
// The goods as a member of the synchronization family: 16-bit numbers, fixed
// waits of 1000 ms before each acknowledgement, frames numbered by the PC list's
// rows, a cancel that lets the register end the run on the next record, and each
// refused goods named after a write.
const SyncMember& GoodsMember();
// The register's goods record after it took the PC record `pc`: everything the
// frame carries from the PC, the sales counters and last sale from `previous`
// (a goods new to the register has none: never sold).
QByteArray RegisterGoodsFromPc(const QByteArray& pc, const QByteArray& previous);
// The goods table's request and reply length.
constexpr uint8_t kGoodsCommand = 'T';
constexpr int kGoodsReplyLength = 91;

// The PC goods that the register lacks or holds differently (its sales counters
// and last sale never count).
QList<int> DifferingGoods(WorkImage& image, const RegisterGoodsMirror& mirror);

// List rows of both sides and the print line.
QString PcGoodsListRow(WorkImage& image, int n);
QString RegisterGoodsListRow(const QByteArray& record);
QString GoodsPrintLine(WorkImage& image, int n);
// The line as printed: its PLU moved to the front.
QString PrintedLine(const QString& line);

// Last sale: "2024-7-15  10:30", or "Brak" for goods never sold.
QString LastSaleText(const QByteArray& record);
// Whether goods last sold on the record's date count as unsold for more than
// `days` days on `today`.
bool UnsoldFor(const QByteArray& record, const QDate& today, int days);

// Memory gauge colour for a table holding `count` records: green, yellow at 1000,
// red towards 2000.
struct GaugeColour {
    int red, green, blue;
};
GaugeColour MemoryGaugeColour(int count);
