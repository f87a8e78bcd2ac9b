#pragma once
// What the program sent to the register and what it answered, kept per day in
// the work folder (dziennik/RRRR-MM-DD.jsonl, one JSON object per line) so that
// a technician can show afterwards what a run did. Entries wait in memory while
// a run goes and are written at its end: nothing is written on the wire path,
// and a folder that cannot be written never stops a transfer. Entries carry no
// record contents (so no cashier's password). Files older than 90 days go.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

struct LogEntry {
    QDateTime time;
    QString port;          // "COM 1"
    int address = 0;
    int command = 0;       // the frame's command byte
    int record = -1;       // the record number, or the records read; -1 none
    QString result;        // "przyjęty", "odrzucony przez kasę", ...
    int errorCode = 0;
    QString error;         // the register's error text
    QString run;           // the run's id: process and count
    QString runName;       // the window or command that ran it
    bool Failed() const;
};

class TransferLog {
public:
    static constexpr int kKeepDays = 90;
    explicit TransferLog(const QString& directory);
    QString Directory() const { return directory_; }

    void BeginRun(const QString& name);
    // Writes what the run did.
    void EndRun();
    // Kept until the run ends; outside a run written at once.
    void Add(LogEntry entry);
    bool InRun() const { return depth_ > 0; }
    // Writes what waits; false (the entries dropped, the reason kept) when the
    // folder cannot take them.
    bool Flush();
    QString LastError() const { return error_; }

    static QString DayFile(const QString& directory, const QDate& day);
    static QList<LogEntry> ReadDay(const QString& directory, const QDate& day);
    // The entries of a day file's text; lines that are no entry are skipped.
    static QList<LogEntry> ParseDay(const QByteArray& text);
    // One entry as its line of the day file.
    static QByteArray EntryLine(const LogEntry& e);
    // "Czas;Port;Adres;Polecenie;Rekord;Wynik;Kod błędu;Błąd;Przebieg;" and a line per entry.
    static QByteArray Csv(const QList<LogEntry>& entries);
    // Removes the day files older than kKeepDays before `today`.
    void Prune(const QDate& today);
    // "T" for a printable command byte, "0xCB" otherwise.
    static QString CommandText(int command);

private:
    QString directory_;
    QList<LogEntry> waiting_;
    QString run_, runName_;
    int depth_ = 0;
    int runs_ = 0;
    QString error_;
    QDate pruned_;
};
