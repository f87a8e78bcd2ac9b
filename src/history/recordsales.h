#pragma once
// A sales download kept in the history before anything else is done with it:
// the register named by its information record, the goods' groups taken from
// the PC database where it holds the same goods. The sales window and the
// command line both go through here, and clear the register's sales only when
// this has succeeded (or the user, told the risk, says so).
#include <QDateTime>
#include <QString>

#include "history/saleshistory.h"

class RegisterLink;
class SalesTable;
class WorkImage;

struct RecordedSales {
    StoreResult result = StoreResult::Failed;
    QString error;  // why it could not be stored
    bool Kept() const { return result != StoreResult::Failed; }
};

RecordedSales RecordSalesDownload(const HistoryLocation& where, RegisterLink& link, const SalesTable& table,
                                  bool nonZeroOnly, WorkImage* image, const QDateTime& now);

// "Sprzedaż nie została zapisana w historii sprzedaży (…): …"
QString HistoryFailureText(const HistoryLocation& where, const RecordedSales& r);
// The question before clearing sales the history does not hold.
QString ClearWithoutHistoryQuestion(const RecordedSales& r);
