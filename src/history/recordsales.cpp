#include "history/recordsales.h"

#include "image/imagestore.h"
#include "image/workimage.h"
#include "reports/registerinfo.h"
#include "reports/sales.h"
#include "common/text.h"

RecordedSales RecordSalesDownload(const HistoryLocation& where, RegisterLink& link, const SalesTable& table,
                                  bool nonZeroOnly, WorkImage* image, const QDateTime& now) {
    RecordedSales out;
    // Rows of different registers are told apart by the register's unique number.
    const std::optional<RegisterInformation> info = ReadInformation(link);
    if (!info || info->Text("Label26").trimmed().isEmpty()) {
        out.error = QStringLiteral("nie można odczytać numeru unikatowego kasy");
        return out;
    }
    SalesDownload d;
    d.takenAt = now;
    d.registerUnique = info->Text("Label26").trimmed();
    d.registerNumber = info->Text("Label41").toInt();
    d.kind = nonZeroOnly ? 'X' : 'Y';
    for (int n : table.Occupied()) {
        const QByteArray r = table.Record(n);
        d.records << r;
        // The sales record names no group: the PC database's goods of the same
        // number and name tells it.
        if (image && image->Usable()) {
            const GoodsFields g = ReadGoodsRecord(*image, n);
            const QString name = FromCp1250Field(r.constData() + sales::kName, sales::kNameWidth).trimmed();
            if (g.number == n && !name.isEmpty() && g.name.trimmed() == name) d.groups.insert(n, g.group);
        }
    }
    SalesHistory history(where);
    if (!history.Open()) {
        out.error = history.Error();
        return out;
    }
    out.result = history.Store(d);
    if (out.result == StoreResult::Failed) out.error = history.Error();
    return out;
}

QString HistoryFailureText(const HistoryLocation& where, const RecordedSales& r) {
    return QStringLiteral("Sprzedaż nie została zapisana w historii sprzedaży (") + where.Describe() +
           QStringLiteral("): ") + r.error.trimmed();
}

QString ClearWithoutHistoryQuestion(const RecordedSales& r) {
    return QStringLiteral("Sprzedaż nie została zapisana w historii sprzedaży (") + r.error.trimmed() +
           QStringLiteral("). Po skasowaniu w kasie te dane przepadną. Czy mimo to skasować sprzedaż?");
}
