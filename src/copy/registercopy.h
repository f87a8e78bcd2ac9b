#pragma once
// Whole-database transfers between the PC image and the register: programming the
// register with the chosen tables of the image, and reading the register's tables
// into a fresh image (a snapshot of its programming). No widgets: a run takes the
// tick states, reports progress through a callback, stops on the link's cancel
// flag after the record in hand, and gives its outcome as a value.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class RegisterLink;
class WorkImage;

// The entries of the PC-to-register list, in the list's order.
enum class ImageEntry { Goods, Discounts, Cashiers, PaymentForms, Currencies, Vat, Packagings, Groups, QuickKeys, ReportSet };
constexpr int kImageEntries = 10;
QStringList ImageEntryNames();
// The report set has no command that sends it; its entry is shown but not offered.
bool ImageEntrySendable(ImageEntry entry);

struct CopyProgress {
    int done = 0;       // records sent (or read)
    int total = 0;      // records to send; 0 when not known beforehand
    QString table;      // the list entry of the table in hand
};

// A record the register answered with an error code: its list entry, its
// number (0 for the VAT table, cashier * 100 + key for a quick key) and the code.
struct RefusedRecord {
    ImageEntry entry;
    int number;
    int errorCode;
};

struct ToRegisterOutcome {
    int sent = 0;       // frames that went out
    int total = 0;
    int refused = 0;    // records the register answered with an error code
    QList<RefusedRecord> refusedRecords;
    bool failed = false;     // a frame was rejected or not answered: the copy stopped
    bool cancelled = false;
};

// Records the ticked tables would send (the VAT table counts one, quick keys one
// per key of every cashier).
int RecordsToSend(WorkImage& image, const QList<bool>& ticks);
// Sends the ticked tables: the VAT rates first (goods name their letters), then
// packagings, groups, goods, discounts, cashiers, payment forms and currencies,
// every used slot in number order as its own frame numbered 1 with its
// acknowledgement read, and last the quick keys of the ten cashiers. A rejected
// or unanswered frame stops the run; a register error is counted and the run
// goes on.
ToRegisterOutcome CopyImageToRegister(RegisterLink& link, WorkImage& image, const QList<bool>& ticks,
                                      const std::function<void(const CopyProgress&)>& progress = {});

// The entries of the register-to-PC list, in the list's order.
enum class RegisterEntry { Groups, Packagings, Goods, Cashiers, Discounts, PaymentForms, Currencies, Vat };
constexpr int kRegisterEntries = 8;
QStringList RegisterEntryNames();
// Goods name their VAT rate, packaging and group: goods ticked without all three.
bool GoodsLackTheirTables(const QList<bool>& ticks);
// Ticks the three tables the goods depend on.
void TickGoodsTables(QList<bool>& ticks);

struct TableRead {
    QString table;
    int records = 0;
    bool complete = false;   // the register said it was the last record, or the table is empty
};
struct FromRegisterOutcome {
    QList<TableRead> tables;
    bool failed = false;
    bool cancelled = false;
    QStringList units;       // the register's goods units, when they came
    // "Skopiowano z kasy:" and a line per table with its record count.
    QString Summary() const;
};
// Reads the ticked tables in the register's order (VAT rates, packagings, groups,
// goods, discounts, cashiers, payment forms, currencies) into the image, then the
// receipt header, the goods units and the quick keys. An empty table counts 0
// records without a message; a transmission failure or a cancel ends the run.
FromRegisterOutcome CopyRegisterToImage(RegisterLink& link, WorkImage& image, const QList<bool>& ticks,
                                        const std::function<void(const CopyProgress&)>& progress = {});
