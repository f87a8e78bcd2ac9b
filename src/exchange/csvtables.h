#pragma once
// The seven tables of the image as semicolon-separated text: one description per
// table (title, headings, columns and where each lies in the record), the export
// of a table and the import of a file that names its table in its first line.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class WorkImage;

enum class CsvTable { Goods, Packagings, Cashiers, Groups, Discounts, PaymentForms, Currencies };

struct CsvTableInfo {
    CsvTable id;
    QString title;        // line 1
    QString item;         // the export list's entry
    QString suffix;       // of the proposed file name
    QString exportDone;
    QString importDone;
};
// In the export list's order.
const QList<CsvTableInfo>& CsvTables();
const CsvTableInfo& CsvTableInfoOf(CsvTable id);

// "sklep.zkf" → "sklep_towary.csv".
QString DefaultExportName(const QString& databaseName, CsvTable table);

// The whole file: title, headings, one line per used slot, LF line ends, text in
// Windows-1250 as the image stores it.
QByteArray ExportCsv(WorkImage& image, CsvTable table);
// The same text in UTF-8 with the byte-order mark today's spreadsheets detect.
QByteArray ExportCsvUtf8(WorkImage& image, CsvTable table);

struct ImportOutcome {
    std::optional<CsvTable> table;  // none: the first line names no table (nothing done)
    int written = 0;
    int skipped = 0;                // numbers outside the table
    QString error;                  // "Błąd w wierszu N: ...": nothing was written
};
// Reads and checks the whole file first; writes its records only when every
// line converts. Windows-1250 or UTF-8 text, LF or CR LF line ends.
ImportOutcome ImportCsv(WorkImage& image, const QByteArray& file);
// The same check without writing: the records the file would write.
struct CsvRecord {
    int number;
    QByteArray slot;  // the whole record
};
struct ParsedCsv {
    std::optional<CsvTable> table;
    QList<CsvRecord> records;
    int skipped = 0;
    QString error;
};
ParsedCsv ParseCsv(const QByteArray& file);
