#pragma once
// The service bench: the steps a technician runs on a new register main board,
// each built from commands the program already sends (the connection query, the
// information record, header, clock, record currency, VAT rates, goods records
// and their deletion) and each checked by reading back what it wrote. No
// widgets: a window runs the ticked steps in order and shows their results.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "reports/registerinfo.h"
#include "sync/goodsmirror.h"

class RegisterLink;
class WorkImage;

enum class BenchStep { Port, Memory, Header, Clock, Currency, Vat, TestGoods, DeleteTestGoods };
constexpr int kBenchSteps = 8;
constexpr int kTestGoods = 5;

// The caption of each step, in the order the bench runs them.
QString BenchStepCaption(BenchStep step);
QList<BenchStep> BenchStepOrder();

// Cancelled: the technician stopped the run during the step or before it.
enum class StepState { Waiting, Running, Passed, Failed, NotRun, Cancelled };
struct StepResult {
    StepState state = StepState::Waiting;
    QString text;  // what was found: the answer's time, the register's error, what differed
};
// "oczekuje", "w toku", "zaliczony", "błąd", "nie wykonano", "przerwano", with
// the result's text.
QString StepStateText(const StepResult& result);

// What the steps of one run share: the information record the memory test
// read (for the service record), and the register's goods table as last read.
struct BenchRun {
    std::optional<RegisterInformation> info;
    RegisterGoodsMirror goods;
    bool goodsRead = false;
    // Called after each goods record sent, deleted or read, where a window
    // lets its "Anuluj" be pressed.
    std::function<void()> tick;
};

// Runs one step on the link's port and address; the image is the service
// database, only read. A step the link's cancel ended is Cancelled, not Failed.
StepResult RunBenchStep(RegisterLink& link, WorkImage& image, BenchStep step, BenchRun& run);

// Test goods n (1-5): the service database's goods n, or when that slot is
// empty "TEST n" at 1,00 in group 1 with the first VAT rate the database has.
QByteArray TestGoodsRecord(WorkImage& image, int n);

// What the results of a run add up to: the window and the record say the same.
struct BenchTally {
    int failed = 0;
    bool cancelled = false;
};
BenchTally TallyOf(const QList<StepResult>& results);
// How a run ended, for the record: "bez błędów", "kroków z
// błędem: N", "przerwano" (with the failures, if any).
QString BenchOutcome(const QList<StepResult>& results);

// The printed service record: date, the register's unique number, software
// version and register number from the information record, each step's result.
QStringList ServiceRecordLines(const QDateTime& when, const std::optional<RegisterInformation>& info,
                               const QList<StepResult>& results);
