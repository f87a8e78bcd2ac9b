// The register's report data on arbitrary input: the information record in both
// layouts, sales records as list rows and CSV lines, monthly turnover records,
// and the report windows' checks of typed numbers. What must hold: nothing reads
// past its input, every information field has its label, a sales row keeps its
// columns, a turnover record gives no lines or all 22, and accepted numbers lie
// in the range the register takes.
#include <cstdint>
#include <cstdlib>

#include "reports/registerinfo.h"
#include "reports/reports.h"
#include "reports/sales.h"
#include "reports/turnover.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, 4096)));

    for (bool longRecord : {true, false}) {
        const RegisterInformation info = DecodeInformation(bytes, longRecord);
        Require(info.values.size() == 29);
        for (const InfoValue& v : info.values) Require(v.label != nullptr);
    }

    SalesTable table;
    for (int at = 0; at + sales::kRecordSize <= bytes.size(); at += sales::kRecordSize) {
        const QByteArray record = bytes.mid(at, sales::kRecordSize);
        Require(SalesListRow(record).size() >= 48 + 3 + 12 + 1 + 10);
        table.Store(record);
    }
    const QByteArray csv = SalesCsv(table);
    Require(csv.count('\n') == table.Occupied().size() + 1);

    const QStringList lines = TurnoverLines(bytes);
    Require(lines.isEmpty() || lines.size() == 22);

    const QString text = QString::fromLatin1(bytes.left(16));
    const int half = int(text.size() / 2);
    for (const Checked2& c : {CheckReportNumbers(text.left(half), text.mid(half)),
                              CheckGoodsNumbers(text.left(half), text.mid(half))}) {
        if (!c.error.isEmpty()) continue;
        Require(c.a >= 1 && c.a <= 2000 && c.b >= c.a && c.b <= 2000);
    }
    CheckMonthField(text);
    return 0;
}
