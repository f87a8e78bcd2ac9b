// A transfer-log day file of any content (cut short by a crash, edited by
// hand): every entry read from it is written back as one line that reads as
// the same entry again, and its CSV has a line per entry.
#include <QByteArray>
#include <cstdint>

#include "fuzzsupport.h"
#include "link/transferlog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, 1 << 16)));
    const QList<LogEntry> entries = TransferLog::ParseDay(text);
    for (const LogEntry& e : entries) {
        const QByteArray line = TransferLog::EntryLine(e);
        Require(line.endsWith('\n') && line.count('\n') == 1);
        const QList<LogEntry> again = TransferLog::ParseDay(line);
        Require(again.size() == 1);
        const LogEntry& a = again[0];
        Require(a.port == e.port && a.address == e.address && a.command == e.command && a.record == e.record &&
                a.result == e.result && a.errorCode == e.errorCode && a.error == e.error && a.run == e.run &&
                a.runName == e.runName && a.Failed() == e.Failed());
    }
    Require(TransferLog::Csv(entries).count('\n') == entries.size() + 1);
    return 0;
}
