// CSV files of the seven tables on arbitrary input. What must hold: a file is
// either refused with the line that failed and nothing to write, or gives whole
// records numbered within their table.
#include <cstdint>
#include <cstdlib>

#include "exchange/csvtables.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, 65536)));
    const ParsedCsv parsed = ParseCsv(file);
    if (!parsed.table) {
        Require(parsed.records.isEmpty());
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        Require(parsed.records.isEmpty());
        Require(parsed.error.startsWith(QStringLiteral("Błąd w wierszu ")));
        return 0;
    }
    const int highest = *parsed.table == CsvTable::Goods ? 2000
                        : (*parsed.table == CsvTable::Cashiers || *parsed.table == CsvTable::PaymentForms ||
                           *parsed.table == CsvTable::Currencies)
                            ? 10
                            : 20;
    int size0 = -1;
    for (const CsvRecord& r : parsed.records) {
        Require(r.number >= 1 && r.number <= highest);
        if (size0 < 0) size0 = int(r.slot.size());
        Require(r.slot.size() == size0);
    }
    return 0;
}
