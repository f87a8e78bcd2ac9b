#pragma once
// The register's printed reports that the PC only starts: one description per
// report (its window, caption, parameters and command), the checks of the
// parameters a user types, and the run itself. No widgets.
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "link/frames.h"

class RegisterLink;

// Which parameters a report's window asks for.
enum class ReportForm {
    None,         // the report has no parameters
    Periodic,     // monthly, by dates or by report numbers
    Goods,        // whole base, one group or a goods number range
    Cashier,      // cashier, zeroing, full
    ZeroRecords,  // print zero records, zeroing
};

enum class PeriodicMode { Monthly, ByDates, ByNumbers };
enum class GoodsScope { WholeBase = 1, Group = 2, Numbers = 3 };

// Everything any report sends; each uses its own part.
struct ReportParameters {
    PeriodicMode periodic = PeriodicMode::Monthly;
    bool full = false;  // "Raport pełny"
    int year = 0, month = 0;
    QDate from, to;
    int first = 0, last = 0;  // report or goods numbers
    GoodsScope scope = GoodsScope::WholeBase;
    int group = 1;
    int cashier = 1;
    bool zeroing = false;
    bool zeroRecords = false;
};

struct ReportDescription {
    const char* className;
    QString caption;
    ReportForm form;
    Frame (*frame)(const ReportParameters& p);
    bool hasZeroing = true;          // a "Raport zerujący" choice (only where the command carries it)
    QString zeroRecordsCaption = QStringLiteral("Drukować rekordy zerowe?");
    QString zeroRecordsYes = QStringLiteral("Tak");
    bool closesAfter = false;        // the window closes once the report went out
};

// The fifteen report windows, in the order of the report tree.
const QList<ReportDescription>& ReportDescriptions();
const ReportDescription* FindReport(const QString& className);

// The monthly field's proposal: last month as "mm-rrrr" (December of the year
// before in January).
QString ProposedMonth(const QDate& today);
// The month and year of a "mm-rrrr" field, or "Błędna data". The month itself is
// not checked: the register judges it.
struct Checked2 {
    int a = 0, b = 0;
    QString error;
};
Checked2 CheckMonthField(const QString& text);
// Report numbers "Od" and "Do", checked in the register software's order.
Checked2 CheckReportNumbers(const QString& from, const QString& to);
// Goods numbers "Od" and "Do".
Checked2 CheckGoodsNumbers(const QString& from, const QString& to);

// The question asked before a zeroing report goes out.
QString ZeroingQuestion();

enum class ReportResult { Sent, NotSent, Refused, NoAnswer, Stopped };
// Drains the port, sends the report and reads its acknowledgement: register
// errors, paper and a busy register are handled and shown by the reading.
ReportResult RunReport(RegisterLink& link, const ReportDescription& d, const ReportParameters& p);
// The same for a report's frame.
ReportResult SendReport(RegisterLink& link, const Frame& frame);
