// The commands of zelk-tuvo-cli, each on the core routine its window uses.
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include "cli.h"
#include "common/files.h"
#include "copy/registercopy.h"
#include "exchange/csvtables.h"
#include "history/recordsales.h"
#include "image/imagestore.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "link/frames.h"
#include "link/portpath.h"
#include "link/portscan.h"
#include "link/registererrors.h"
#include "reports/registerinfo.h"
#include "reports/reports.h"
#include "reports/sales.h"
#include "shell/databasefile.h"
#include "sync/tablesync.h"

namespace {

using Options = QList<QCommandLineOption>;

QCommandLineOption Flag(const char* name, const char* help) {
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help));
}
QCommandLineOption Valued(const char* name, const char* help, const char* value) {
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help), QString::fromLatin1(value));
}

// A command's parser: its own options after the common ones.
std::optional<int> ParseCommand(Cli& cli, QCommandLineParser& parser, const char* command, const char* usage,
                                const char* description, const Options& own, const QStringList& arguments,
                                bool withPort = true) {
    parser.setApplicationDescription(QString::fromUtf8(description));
    cli.AddCommon(parser, withPort);
    parser.addOptions(own);
    if (auto e = cli.Parse(parser, QString::fromLatin1(command), QString::fromUtf8(usage), arguments)) return e;
    if (!parser.positionalArguments().isEmpty()) {
        cli.Error(QStringLiteral("unexpected argument '") + parser.positionalArguments().first() +
                  QStringLiteral("'. Try 'zelk-tuvo-cli ") + QString::fromLatin1(command) + QStringLiteral(" --help'."));
        return ExitWrongUse;
    }
    if (withPort) return cli.TakeLineOptions(parser);
    return std::nullopt;
}

std::optional<int> Required(Cli& cli, const QCommandLineParser& parser, const char* option, const char* command) {
    if (parser.isSet(QString::fromLatin1(option)) && !parser.value(QString::fromLatin1(option)).isEmpty())
        return std::nullopt;
    cli.Error(QStringLiteral("%1 needs --%2. Try 'zelk-tuvo-cli %1 --help'.")
                  .arg(QString::fromLatin1(command), QString::fromLatin1(option)));
    return ExitWrongUse;
}

// A file the command is to write: refused when it exists, unless --force.
std::optional<int> MayWrite(Cli& cli, const QString& path, bool force) {
    if (!QFileInfo::exists(path) || force) return std::nullopt;
    cli.Error(path + QStringLiteral(" already exists; give --force to replace it."));
    return ExitNotWritten;
}

// The tables a command can name, with what each is in every list of the core.
struct TableName {
    const char* name;
    std::optional<ImageEntry> image;
    std::optional<RegisterEntry> reg;
    std::optional<RecordTable> record;
    std::optional<CsvTable> csv;
};
const TableName kTables[] = {
    {"goods", ImageEntry::Goods, RegisterEntry::Goods, RecordTable::Goods, CsvTable::Goods},
    {"groups", ImageEntry::Groups, RegisterEntry::Groups, RecordTable::Groups, CsvTable::Groups},
    {"packagings", ImageEntry::Packagings, RegisterEntry::Packagings, RecordTable::Packagings, CsvTable::Packagings},
    {"cashiers", ImageEntry::Cashiers, RegisterEntry::Cashiers, RecordTable::Cashiers, CsvTable::Cashiers},
    {"discounts", ImageEntry::Discounts, RegisterEntry::Discounts, RecordTable::Discounts, CsvTable::Discounts},
    {"payment-forms", ImageEntry::PaymentForms, RegisterEntry::PaymentForms, RecordTable::PaymentForms,
     CsvTable::PaymentForms},
    {"currencies", ImageEntry::Currencies, RegisterEntry::Currencies, RecordTable::Currencies, CsvTable::Currencies},
    {"vat", ImageEntry::Vat, RegisterEntry::Vat, std::nullopt, std::nullopt},
    {"quick-keys", ImageEntry::QuickKeys, std::nullopt, std::nullopt, std::nullopt},
};

template <typename Has>
QStringList TableNames(Has has) {
    QStringList names;
    for (const TableName& t : kTables)
        if (has(t)) names << QString::fromLatin1(t.name);
    return names;
}

// The tables of --tables (comma-separated, or repeated): those `has` allows.
template <typename Has>
std::optional<QList<const TableName*>> NamedTables(Cli& cli, const QCommandLineParser& parser, Has has) {
    QList<const TableName*> out;
    for (const QString& value : parser.values(QStringLiteral("tables"))) {
        for (const QString& part : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const TableName* found = nullptr;
            for (const TableName& t : kTables)
                if (part.trimmed() == QLatin1String(t.name) && has(t)) found = &t;
            if (!found) {
                cli.Error(QStringLiteral("--tables: no table '") + part.trimmed() + QStringLiteral("' here; one of ") +
                          TableNames(has).join(QStringLiteral(", ")) + QLatin1Char('.'));
                return std::nullopt;
            }
            if (!out.contains(found)) out << found;
        }
    }
    return out;
}

const TableName* CsvTableNamed(const QString& name) {
    for (const TableName& t : kTables)
        if (t.csv && name == QLatin1String(t.name)) return &t;
    return nullptr;
}

// A database file read whole and made this run's working image.
std::optional<int> LoadDatabase(Cli& cli, const QString& path) {
    QString error;
    const LoadedDatabase db = ReadDatabaseFile(path, &error);
    if (!error.isEmpty()) {
        cli.Error(path + QStringLiteral(": ") + error);
        return ExitBadInput;
    }
    if (auto e = cli.PrivateImage()) return e;
    // A fresh image first, so what lies behind the file's part of the image is
    // there as the program has it.
    if (CreateDatabaseImage(cli.image, 1, QStringLiteral("PLN"), &error) != 0 ||
        !ReplaceWorkingImage(cli.image, WorkingImagePath(), db.image)) {
        cli.Error(error.isEmpty() ? QStringLiteral("Cannot write the working image.") : error);
        return ExitNotWritten;
    }
    return std::nullopt;
}

std::optional<int> SaveDatabase(Cli& cli, const QString& path) {
    switch (WriteDatabaseFile(cli.image, path)) {
        case SaveResult::Saved: return std::nullopt;
        case SaveResult::TargetUnusable: cli.Error(path + QStringLiteral(": Nie mogę otworzyć pliku docelowego")); break;
        case SaveResult::WriteFailed: cli.Error(path + QStringLiteral(": Wystąpił błąd zapisu")); break;
    }
    return ExitNotWritten;
}

// A transfer that did not finish: stopped by a signal, or the line failed.
int Unfinished(Cli& cli, const QString& what) {
    if (cli.Interrupted()) {
        cli.Error(what + QStringLiteral(": cancelled; nothing more was sent or read."));
        return ExitCancelled;
    }
    cli.Error(what + QStringLiteral(": the register stopped answering, or the line failed."));
    return ExitNoRegister;
}

// The exit code of one exchange whose refusal the reader did not show.
int AnswerExit(Cli& cli, const Answer& a) {
    if (a.Accepted()) return ExitDone;
    if (a.kind == AnswerKind::Refused) {
        if (!a.told) cli.prompts.Message(RegisterErrorMessage(a.errorCode), {}, PromptIcon::Error);
        return ExitRefused;
    }
    if (a.kind == AnswerKind::Stopped) return ExitRefused;
    if (a.kind == AnswerKind::NoAnswer || a.kind == AnswerKind::Busy)
        cli.prompts.Message(QStringLiteral("Brak komunikacji"), {}, PromptIcon::Error);
    return ExitNoRegister;
}

QJsonValue Json(const std::optional<QString>& text) { return text ? QJsonValue(*text) : QJsonValue(); }

}  // namespace

// ---------------------------------------------------------------------------

int CommandFind(Cli& cli, const QStringList& arguments) {
    QCommandLineParser parser;
    if (auto e = ParseCommand(cli, parser, "find", "[--port PORT] [--address N] [options]",
                              "Looks for registers on every COM port (or the one given) at every address 1-9 "
                              "(or the one given), at 115200 baud unless --baud says otherwise. One line per "
                              "register: port, address, unique number, software version.",
                              {}, arguments))
        return *e;
    QList<int> ports;
    if (parser.isSet(QStringLiteral("port"))) ports << cli.link.Port();
    else ports = OpenablePorts(cli.link, [&](int port) { cli.Progress(QStringLiteral("COM %1").arg(port)); });
    PortScan scan;
    scan.addresses = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    if (parser.isSet(QStringLiteral("address"))) scan.addresses = {cli.link.Address()};
    scan.settings = cli.link.Settings();
    if (!parser.isSet(QStringLiteral("baud"))) scan.settings->baud = 115200;
    scan.probing = [&](int port, int address) {
        cli.Progress(QStringLiteral("%1, address %2").arg(cli.PortName(port)).arg(address));
    };
    const QList<FoundRegister> found = ScanPorts(cli.link, ports, scan);
    if (cli.Interrupted()) return Unfinished(cli, QStringLiteral("find"));

    QJsonArray registers;
    QStringList lines;
    for (const FoundRegister& r : found) {
        // Each register found tells who it is.
        PortSettings settings = *scan.settings;
        settings.port = r.port;
        cli.link.UseSettings(settings);
        cli.link.SetAddress(uint8_t(r.address));
        std::optional<RegisterInformation> info;
        if (cli.link.OpenRegisterPort(false) == 0) info = ReadInformation(cli.link);
        cli.link.ClosePort();
        const QString unique = info ? info->Text("Label26") : QString();
        const QString version = info ? info->Text("Label25") : QString();
        lines << QStringLiteral("%1\taddress %2\tunique number %3\tsoftware %4")
                     .arg(cli.PortName(r.port))
                     .arg(r.address)
                     .arg(unique.isEmpty() ? QStringLiteral("?") : unique, version.isEmpty() ? QStringLiteral("?") : version);
        registers.append(QJsonObject{{QStringLiteral("port"), cli.PortName(r.port)},
                                     {QStringLiteral("device"), ComPortPath(r.port)},
                                     {QStringLiteral("address"), r.address},
                                     {QStringLiteral("uniqueNumber"), unique},
                                     {QStringLiteral("softwareVersion"), version}});
    }
    cli.Result(lines.join(QLatin1Char('\n')), QJsonObject{{QStringLiteral("registers"), registers}});
    if (found.isEmpty()) {
        cli.Error(QStringLiteral("Nie wykryto żadnej kasy podłączonej do tego komputera."));
        return ExitNoRegister;
    }
    return ExitDone;
}

int CommandInfo(Cli& cli, const QStringList& arguments) {
    QCommandLineParser parser;
    if (auto e = ParseCommand(cli, parser, "info", "[options]",
                              "Reads the register's information record: software, unique number, fiscal memory, "
                              "the last daily report, the register's state.",
                              {}, arguments))
        return *e;
    if (auto e = cli.Connect()) return *e;
    const std::optional<RegisterInformation> info = ReadInformation(cli.link);
    if (!info) return ExitNoRegister;
    QString text;
    QJsonObject values;
    for (const InfoGroup& g : InformationGroups()) {
        // The planned currency change is shown only when one is planned.
        const bool change = QLatin1String(g.title) == QLatin1String("Zmiana waluty ewidencyjnej");
        if (!change || info->changePlanned) text += QString::fromUtf8(g.title) + QLatin1Char('\n');
        for (const InfoRow& row : g.rows) {
            std::optional<QString> value;
            for (const InfoValue& v : info->values)
                if (qstrcmp(v.label, row.label) == 0) value = v.text;
            values.insert(QString::fromLatin1(row.key), Json(value));
            if (!change || info->changePlanned)
                text += QStringLiteral("  ") + QString::fromUtf8(row.caption) + QStringLiteral(": ") +
                        value.value_or(QString()) + QLatin1Char('\n');
        }
    }
    cli.Result(text, QJsonObject{{QStringLiteral("port"), cli.PortName(cli.link.Port())},
                                 {QStringLiteral("address"), int(cli.link.Address())},
                                 {QStringLiteral("values"), values}});
    return ExitDone;
}

int CommandSales(Cli& cli, const QStringList& arguments) {
    QCommandLineParser parser;
    if (auto e = ParseCommand(
            cli, parser, "sales", "--csv FILE [--clear] [options]",
            "Downloads the register's sales per goods, keeps them in the sales history and writes them as CSV "
            "(Numer;Nazwa;PTU;Ilość;Wartość;, Windows-1250), the whole file or nothing. With --clear the register's "
            "sales are cleared, only once the whole download is in the history and in the file; a download that did "
            "not finish clears nothing.",
            {Valued("csv", "The CSV file to write.", "file"),
             Valued("history",
                    "The sales history: a postgresql:// URL or an SQLite file (default: the program's, historia.sqlite "
                    "beside ustaw.cfg or the server named in opcje.ini).",
                    "where"),
             Flag("clear", "Clear the register's sales once the file is written."),
             Flag("all", "Every goods record, not only those with sales."),
             Flag("force", "Replace the CSV file when it exists.")},
            arguments))
        return *e;
    if (auto e = Required(cli, parser, "csv", "sales")) return *e;
    const QString path = parser.value(QStringLiteral("csv"));
    if (auto e = MayWrite(cli, path, parser.isSet(QStringLiteral("force")))) return *e;
    if (auto e = cli.Connect()) return *e;

    SalesTable table;
    const ReadOutcome out = ReadSales(cli.link, !parser.isSet(QStringLiteral("all")), table, [&](int stored) {
        cli.Progress(QStringLiteral("sales: %1 goods").arg(stored));
    });
    if (!out.complete) return Unfinished(cli, QStringLiteral("sales"));
    if (out.skipped > 0) cli.prompts.Message(QStringLiteral("Pominięto %1 rekordów spoza zakresu.").arg(out.skipped), {}, PromptIcon::Warning);
    // Into the history before anything else.
    const HistoryLocation where = parser.isSet(QStringLiteral("history"))
                                      ? HistoryLocationFrom(parser.value(QStringLiteral("history")))
                                      : DefaultHistoryLocation(SettingsDirectory());
    if (!parser.isSet(QStringLiteral("history"))) QDir().mkpath(SettingsDirectory());  // a first run makes the folder
    const RecordedSales recorded =
        RecordSalesDownload(where, cli.link, table, !parser.isSet(QStringLiteral("all")), nullptr, cli.clock.Now());
    if (!recorded.Kept()) cli.prompts.Message(HistoryFailureText(where, recorded), {}, PromptIcon::Error);
    if (!WriteWholeFile(path, SalesCsv(table))) {
        cli.Error(QStringLiteral("Nie mogę zapisać do pliku ") + path + QStringLiteral(". The register's sales were not cleared."));
        return ExitNotWritten;
    }
    QJsonObject result{{QStringLiteral("file"), path},
                       {QStringLiteral("records"), out.stored},
                       {QStringLiteral("cleared"), false},
                       {QStringLiteral("history"), recorded.result == StoreResult::Stored          ? QStringLiteral("stored")
                                                   : recorded.result == StoreResult::AlreadyStored ? QStringLiteral("already stored")
                                                                                                   : QStringLiteral("failed")}};
    QString text = QStringLiteral("%1 goods written to %2").arg(out.stored).arg(path);
    if (parser.isSet(QStringLiteral("clear")) && !recorded.Kept()) {
        // Nobody to tell the risk to: figures the history lacks are not cleared.
        cli.Error(QStringLiteral("The register's sales were not cleared: the sales history did not take them."));
        cli.Result(text, result);
        return ExitNotWritten;
    }
    if (parser.isSet(QStringLiteral("clear"))) {
        // A late frame of the download must not pass for the answer to the clearing.
        const Answer a = Transact(cli.link, SalesClearFrame(), Exchange{true, true, AckStyle::Plain, 0, -1, {}});
        if (!a.Accepted()) {
            if (a.kind == AnswerKind::NoAnswer)
                cli.prompts.Message(QStringLiteral("Kasa nie odpowiedziała. Nie wiadomo, czy sprzedaż została skasowana "
                                                   "- ściągnij sprzedaż, aby to sprawdzić."), {}, PromptIcon::Error);
            else if (a.kind == AnswerKind::Refused)
                cli.prompts.Message(QStringLiteral("Sprzedaż nie została skasowana.\n") + RegisterErrorMessage(a.errorCode),
                                    {}, PromptIcon::Error);
            else if (a.Sent())
                cli.prompts.Message(QStringLiteral("Sprzedaż nie została skasowana."), {}, PromptIcon::Error);
            cli.Result(text, result);  // the file is written either way
            return a.kind == AnswerKind::Refused ? ExitRefused : ExitNoRegister;
        }
        result.insert(QStringLiteral("cleared"), true);
        text += QStringLiteral("; the register's sales cleared");
    }
    cli.Result(text, result);
    return ExitDone;
}

int CommandBackup(Cli& cli, const QStringList& arguments) {
    QCommandLineParser parser;
    const QString names = TableNames([](const TableName& t) { return t.reg.has_value(); }).join(QStringLiteral(", "));
    const QByteArray tablesHelp =
        (QStringLiteral("The tables to copy, comma-separated (default: all): ") + names +
         QStringLiteral(". Goods need vat, packagings and groups. The receipt header and the quick keys always come."))
            .toUtf8();
    if (auto e = ParseCommand(
            cli, parser, "backup", "--out FILE.zkf [--tables LIST] [options]",
            "Copies the register's programming into a new database file, written whole beside the target and then "
            "renamed over it.",
            {Valued("out", "The database file to write.", "file"),
             Valued("tables", tablesHelp.constData(), "list"),
             Flag("force", "Replace the database file when it exists.")},
            arguments))
        return *e;
    if (auto e = Required(cli, parser, "out", "backup")) return *e;
    const auto tables = NamedTables(cli, parser, [](const TableName& t) { return t.reg.has_value(); });
    if (!tables) return ExitWrongUse;
    QList<bool> ticks(kRegisterEntries, tables->isEmpty());
    for (const TableName* t : *tables) ticks[int(*t->reg)] = true;
    if (GoodsLackTheirTables(ticks)) {
        cli.Error(QStringLiteral("Baza towarów jest powiązana z bazą stawek PTU, opakowań oraz grup towarowych. "
                                 "Add vat, packagings and groups to --tables."));
        return ExitWrongUse;
    }
    const QString path = parser.value(QStringLiteral("out"));
    if (auto e = MayWrite(cli, path, parser.isSet(QStringLiteral("force")))) return *e;
    if (auto e = cli.PrivateImage()) return *e;
    QString error;
    if (CreateDatabaseImage(cli.image, 1, QStringLiteral("PLN"), &error) != 0) {
        cli.Error(error);
        return ExitNotWritten;
    }
    if (auto e = cli.Connect()) return *e;
    const FromRegisterOutcome out = CopyRegisterToImage(cli.link, cli.image, ticks, [&](const CopyProgress& p) {
        cli.Progress(QStringLiteral("%1 records read, now %2").arg(p.done).arg(p.table));
    });
    if (out.failed || out.cancelled) return Unfinished(cli, QStringLiteral("backup (no file written)"));
    if (auto e = SaveDatabase(cli, path)) return *e;
    QJsonArray read;
    for (const TableRead& t : out.tables)
        read.append(QJsonObject{{QStringLiteral("table"), t.table},
                                {QStringLiteral("records"), t.records},
                                {QStringLiteral("complete"), t.complete}});
    cli.Result(out.Summary() + QStringLiteral("\nZapisano plik ") + path,
               QJsonObject{{QStringLiteral("file"), path}, {QStringLiteral("tables"), read}});
    return ExitDone;
}

namespace {

// A refused record named as the synchronization window names it.
QJsonObject RefusedJson(const QString& table, int number, const QString& name, int code) {
    return QJsonObject{{QStringLiteral("table"), table},
                       {QStringLiteral("number"), number},
                       {QStringLiteral("name"), name},
                       {QStringLiteral("error"), RegisterErrorText(code)}};
}
QString RefusedLine(const QString& table, int number, const QString& name, int code) {
    return table + QStringLiteral(": ") + QString::number(number) + QLatin1Char('.') + name + QStringLiteral(" - ") +
           RegisterErrorText(code);
}

// The member's list entry in the PC-to-register list.
QString EntryName(RecordTable table) {
    for (const TableName& t : kTables)
        if (t.record == table) return ImageEntryNames()[int(*t.image)];
    return QString();
}

// Only the records that differ from the register's, table by table: the
// register's tables read first, then each differing record written as the
// synchronization window writes its ticked rows.
int ProgramChanged(Cli& cli, const QList<RecordTable>& order, bool fast) {
    QJsonArray tables, refused;
    QString text;
    int refusedCount = 0;
    for (RecordTable id : order) {
        const SyncMember& member = SyncMemberOf(id);
        const QString entry = EntryName(id);
        RegisterTableMirror mirror = MirrorFor(member);
        // An empty table is no news here: nothing differs from it but what is sent.
        const SeriesRequest request{member.command, member.replyLength, 1, true, false};
        const ReadOutcome read = ReadRegisterTable(cli.link, request, mirror, [&](int stored) {
            cli.Progress(QStringLiteral("%1: reading %2").arg(entry).arg(stored));
        });
        if (!read.complete) return Unfinished(cli, entry);
        const QList<int> differing = DifferingRecords(cli.image, member, mirror);
        const QList<int> pcList = member.pcNumbers(cli.image);
        QList<TickedRow> ticked;
        for (int n : differing) ticked << TickedRow{int(pcList.indexOf(n)), n};
        WriteOutcome out;
        if (!ticked.isEmpty()) {
            WriteEvents events;
            events.progress = [&](const WriteOutcome& sofar) {
                cli.Progress(QStringLiteral("%1: %2/%3").arg(entry).arg(sofar.done).arg(ticked.size()));
            };
            events.answered = [&](const TickedRow& t, const Answer& a) {
                if (a.ack != AckRegisterError) return;
                ++refusedCount;
                const QString name = StoredRecordName(cli.image, member, t.number);
                cli.prompts.Message(RefusedLine(entry, t.number, name, a.errorCode), {}, PromptIcon::Error);
                refused.append(RefusedJson(entry, t.number, name, a.errorCode));
            };
            out = WriteRecords(cli.link, cli.image, member.writing, ticked, 0, fast, events);
        }
        tables.append(QJsonObject{{QStringLiteral("table"), entry},
                                  {QStringLiteral("differing"), int(differing.size())},
                                  {QStringLiteral("sent"), out.done},
                                  {QStringLiteral("accepted"), out.accepted},
                                  {QStringLiteral("refused"), out.refused}});
        text += QStringLiteral("%1: %2 differing, %3 accepted").arg(entry).arg(differing.size()).arg(out.accepted) +
                (out.refused ? QStringLiteral(", %1 refused").arg(out.refused) : QString()) + QLatin1Char('\n');
        if (out.failed || cli.Interrupted()) {
            cli.Result(text, QJsonObject{{QStringLiteral("tables"), tables}, {QStringLiteral("refused"), refused}});
            return Unfinished(cli, entry);
        }
    }
    cli.Result(text, QJsonObject{{QStringLiteral("tables"), tables}, {QStringLiteral("refused"), refused}});
    return refusedCount > 0 ? ExitRefused : ExitDone;
}

}  // namespace

int CommandProgram(Cli& cli, const QStringList& arguments) {
    QCommandLineParser parser;
    const QByteArray tablesHelp =
        (QStringLiteral("The tables to send, comma-separated: ") +
         TableNames([](const TableName& t) { return t.image.has_value(); }).join(QStringLiteral(", ")) +
         QStringLiteral(". Default: every table but the VAT rates, which go only when named. With --changed-only: "
                        "the numbered tables only (not vat, not quick-keys)."))
            .toUtf8();
    if (auto e = ParseCommand(
            cli, parser, "program", "--db FILE.zkf [--tables LIST] [--changed-only] [--fast] [options]",
            "Programs the register from a database file: every record of the tables named, in the register's order "
            "(VAT rates, packagings, groups, goods, discounts, cashiers, payment forms, currencies, quick keys). "
            "With --changed-only the register's tables are read first and only the records that differ are sent, so "
            "the sales counters of unchanged goods are never touched. Each record the register refuses is named.",
            {Valued("db", "The database file to send.", "file"),
             Valued("tables", tablesHelp.constData(), "list"),
             Flag("changed-only", "Send only the records that differ from the register's."),
             Flag("fast", "Send each record as soon as the last is acknowledged (falls back to the fixed waits "
                          "when the register is busy).")},
            arguments))
        return *e;
    if (auto e = Required(cli, parser, "db", "program")) return *e;
    const bool changedOnly = parser.isSet(QStringLiteral("changed-only"));
    const auto tables = NamedTables(cli, parser, [&](const TableName& t) {
        return changedOnly ? t.record.has_value() : t.image.has_value();
    });
    if (!tables) return ExitWrongUse;
    if (auto e = LoadDatabase(cli, parser.value(QStringLiteral("db")))) return *e;
    if (auto e = cli.Connect()) return *e;

    if (changedOnly) {
        // The register's order: packagings and groups before the goods that name them.
        QList<RecordTable> order;
        for (RecordTable id : {RecordTable::Packagings, RecordTable::Groups, RecordTable::Goods, RecordTable::Discounts,
                               RecordTable::Cashiers, RecordTable::PaymentForms, RecordTable::Currencies}) {
            bool named = tables->isEmpty();
            for (const TableName* t : *tables) named = named || t->record == id;
            if (named) order << id;
        }
        return ProgramChanged(cli, order, parser.isSet(QStringLiteral("fast")));
    }

    QList<bool> ticks(kImageEntries, false);
    for (int e = 0; e < kImageEntries; ++e)
        ticks[e] = tables->isEmpty() && ImageEntrySendable(ImageEntry(e)) && ImageEntry(e) != ImageEntry::Vat;
    for (const TableName* t : *tables) ticks[int(*t->image)] = true;
    const ToRegisterOutcome out = CopyImageToRegister(cli.link, cli.image, ticks, [&](const CopyProgress& p) {
        cli.Progress(QStringLiteral("%1: %2/%3").arg(p.table).arg(p.done).arg(p.total));
    });
    QJsonArray refused;
    for (const RefusedRecord& r : out.refusedRecords) {
        const QString entry = ImageEntryNames()[int(r.entry)];
        QString name;
        for (const TableName& t : kTables)
            if (t.image == r.entry && t.record) name = StoredRecordName(cli.image, SyncMemberOf(*t.record), r.number);
        cli.prompts.Message(RefusedLine(entry, r.number, name, r.errorCode), {}, PromptIcon::Error);
        refused.append(RefusedJson(entry, r.number, name, r.errorCode));
    }
    cli.Result(QStringLiteral("%1 of %2 records sent, %3 refused").arg(out.sent).arg(out.total).arg(out.refused),
               QJsonObject{{QStringLiteral("sent"), out.sent},
                           {QStringLiteral("total"), out.total},
                           {QStringLiteral("refused"), refused}});
    if (out.failed || out.cancelled) return Unfinished(cli, QStringLiteral("program"));
    return out.refused > 0 ? ExitRefused : ExitDone;
}

namespace {

std::optional<int> CsvOptions(Cli& cli, QCommandLineParser& parser, const char* command, const char* description,
                              const Options& own, const QStringList& arguments, const TableName*& table) {
    const QByteArray tableHelp =
        (QStringLiteral("The table: ") +
         TableNames([](const TableName& t) { return t.csv.has_value(); }).join(QStringLiteral(", ")) + QLatin1Char('.'))
            .toUtf8();
    Options options{Valued("db", "The database file.", "file"), Valued("table", tableHelp.constData(), "name"),
                    Valued("csv", "The CSV file.", "file")};
    options += own;
    if (auto e = ParseCommand(cli, parser, command, "--db FILE.zkf --table NAME --csv FILE [options]", description,
                              options, arguments, false))
        return e;
    for (const char* o : {"db", "table", "csv"})
        if (auto e = Required(cli, parser, o, command)) return e;
    table = CsvTableNamed(parser.value(QStringLiteral("table")));
    if (!table) {
        cli.Error(QStringLiteral("--table: no table '") + parser.value(QStringLiteral("table")) +
                  QStringLiteral("'; one of ") +
                  TableNames([](const TableName& t) { return t.csv.has_value(); }).join(QStringLiteral(", ")) +
                  QLatin1Char('.'));
        return ExitWrongUse;
    }
    return std::nullopt;
}

}  // namespace

int CommandImport(Cli& cli, const QStringList& arguments) {
    QCommandLineParser parser;
    const TableName* table = nullptr;
    if (auto e = CsvOptions(cli, parser, "import",
                            "Reads a CSV file (Windows-1250 or UTF-8) into one table of a database file. The whole "
                            "file is checked first: one line that does not convert and nothing is written. The "
                            "database file is written whole beside itself and renamed over the old one.",
                            {}, arguments, table))
        return *e;
    const QString csvPath = parser.value(QStringLiteral("csv"));
    QFile csv(csvPath);
    if (!csv.open(QIODevice::ReadOnly)) {
        cli.Error(csvPath + QStringLiteral(": ") + csv.errorString());
        return ExitBadInput;
    }
    const QByteArray bytes = csv.readAll();
    // The file names its own table in its first line: it must be the one asked for.
    const ParsedCsv parsed = ParseCsv(bytes);
    if (!parsed.error.isEmpty()) {
        cli.Error(csvPath + QStringLiteral(": ") + parsed.error);
        return ExitBadInput;
    }
    if (!parsed.table || *parsed.table != *table->csv) {
        cli.Error(csvPath + QStringLiteral(": the file is not the table '") + QString::fromLatin1(table->name) +
                  QStringLiteral("' (its first line must be \"") + CsvTableInfoOf(*table->csv).title +
                  QStringLiteral("\")."));
        return ExitBadInput;
    }
    const QString dbPath = parser.value(QStringLiteral("db"));
    if (auto e = LoadDatabase(cli, dbPath)) return *e;
    const ImportOutcome out = ImportCsv(cli.image, bytes);
    if (!out.error.isEmpty()) {
        cli.Error(csvPath + QStringLiteral(": ") + out.error);
        return ExitBadInput;
    }
    if (auto e = SaveDatabase(cli, dbPath)) return *e;
    cli.Result(CsvTableInfoOf(*table->csv).importDone + QStringLiteral(": %1 records into %2").arg(out.written).arg(dbPath) +
                   (out.skipped ? QStringLiteral(" (%1 numbers outside the table skipped)").arg(out.skipped) : QString()),
               QJsonObject{{QStringLiteral("db"), dbPath},
                           {QStringLiteral("table"), QString::fromLatin1(table->name)},
                           {QStringLiteral("written"), out.written},
                           {QStringLiteral("skipped"), out.skipped}});
    return ExitDone;
}

int CommandExport(Cli& cli, const QStringList& arguments) {
    QCommandLineParser parser;
    const TableName* table = nullptr;
    if (auto e = CsvOptions(cli, parser, "export",
                            "Writes one table of a database file as CSV, in Windows-1250 as the register's own "
                            "programs write it (or UTF-8 with --utf8), the whole file or nothing.",
                            {Flag("utf8", "UTF-8 with the byte-order mark spreadsheets detect."),
                             Flag("force", "Replace the CSV file when it exists.")},
                            arguments, table))
        return *e;
    const QString csvPath = parser.value(QStringLiteral("csv"));
    if (auto e = MayWrite(cli, csvPath, parser.isSet(QStringLiteral("force")))) return *e;
    const QString dbPath = parser.value(QStringLiteral("db"));
    if (auto e = LoadDatabase(cli, dbPath)) return *e;
    const QByteArray bytes = parser.isSet(QStringLiteral("utf8")) ? ExportCsvUtf8(cli.image, *table->csv)
                                                                  : ExportCsv(cli.image, *table->csv);
    if (!WriteWholeFile(csvPath, bytes)) {
        cli.Error(QStringLiteral("Nie mogę zapisać do pliku ") + csvPath + QLatin1Char('.'));
        return ExitNotWritten;
    }
    cli.Result(CsvTableInfoOf(*table->csv).exportDone + QStringLiteral(" to ") + csvPath,
               QJsonObject{{QStringLiteral("csv"), csvPath}, {QStringLiteral("table"), QString::fromLatin1(table->name)}});
    return ExitDone;
}

namespace {

struct ReportName {
    const char* name;
    const char* className;
};
const ReportName kReports[] = {
    {"periodic", "TWykonywanieRaportuOkresowego"},
    {"sales", "TWykonywanieRaportuSprzedazy"},
    {"inactive-goods", "TWykonywanieRaportuTowarowNieaktywnych"},
    {"vat-base", "TWykonywanieRaportuBazyZPTU"},
    {"plu-base", "TWykonywaniePelnegoRaportuBazyPLU"},
    {"cashier", "TWykonywanieRaportuKasjera"},
    {"shift-sales", "TWykonywanieRaportuZmianowegoSprzedazy"},
    {"discounts", "TWykonywanieRaportuRabatow"},
    {"packagings", "TWykonywanieRaportuOpakowan"},
    {"payment-forms", "TWykonywanieRaportuFormPlatnosci"},
    {"groups", "TWykonywanieRaportuGrupTowarowych"},
    {"fixed-texts", "TWykonywanieRaportuNapisowStalych"},
    {"vat-rates", "TWykonywanieRaportuStawekPTU"},
    {"register-state", "TWykonywanieRaportuStanuKasy"},
    {"quick-keys", "TWykonywanieRaportuKlawiszySzybkich"},
};

// The report's parameters from the options, checked as its window checks what
// is typed: nothing, or the exit code with the window's own message.
std::optional<int> ReportOptions(Cli& cli, const QCommandLineParser& parser, const ReportDescription& d,
                                 ReportParameters& p) {
    auto refuse = [&](const QString& why) -> std::optional<int> {
        cli.prompts.Message(why, {}, PromptIcon::Warning);
        return ExitWrongUse;
    };
    auto number = [&](const char* option, int low, int high, int fallback) -> std::optional<int> {
        if (!parser.isSet(QString::fromLatin1(option))) return fallback;
        bool ok = false;
        const int v = parser.value(QString::fromLatin1(option)).toInt(&ok);
        if (!ok || v < low || v > high) return std::nullopt;
        return v;
    };
    const bool range = parser.isSet(QStringLiteral("first")) || parser.isSet(QStringLiteral("last"));
    p.zeroing = parser.isSet(QStringLiteral("zeroing"));
    p.zeroRecords = parser.isSet(QStringLiteral("zero-records"));
    if (p.zeroing && !(d.form == ReportForm::Goods || d.form == ReportForm::Cashier || d.form == ReportForm::ZeroRecords) ) {
        cli.Error(QStringLiteral("--zeroing: this report has no zeroing."));
        return ExitWrongUse;
    }
    if (p.zeroing && !d.hasZeroing && d.form != ReportForm::Cashier) {
        cli.Error(QStringLiteral("--zeroing: this report has no zeroing."));
        return ExitWrongUse;
    }
    switch (d.form) {
        case ReportForm::Periodic: {
            p.full = !parser.isSet(QStringLiteral("no-full"));
            if (parser.isSet(QStringLiteral("from")) || parser.isSet(QStringLiteral("to"))) {
                p.periodic = PeriodicMode::ByDates;
                p.from = QDate::fromString(parser.value(QStringLiteral("from")), Qt::ISODate);
                p.to = QDate::fromString(parser.value(QStringLiteral("to")), Qt::ISODate);
                if (!p.from.isValid() || !p.to.isValid()) return refuse(QStringLiteral("Błędna data"));
            } else if (range) {
                const Checked2 c = CheckReportNumbers(parser.value(QStringLiteral("first")), parser.value(QStringLiteral("last")));
                if (!c.error.isEmpty()) return refuse(c.error);
                p.periodic = PeriodicMode::ByNumbers;
                p.first = c.a;
                p.last = c.b;
            } else {
                const QString month = parser.isSet(QStringLiteral("month")) ? parser.value(QStringLiteral("month"))
                                                                           : ProposedMonth(QDate::currentDate());
                const Checked2 c = CheckMonthField(month);
                if (!c.error.isEmpty()) return refuse(c.error);
                p.periodic = PeriodicMode::Monthly;
                p.month = c.a;
                p.year = c.b;
            }
            return std::nullopt;
        }
        case ReportForm::Goods:
            if (parser.isSet(QStringLiteral("group"))) {
                const auto g = number("group", 1, 20, 1);
                if (!g) {
                    cli.Error(QStringLiteral("--group: a goods group is 1-20."));
                    return ExitWrongUse;
                }
                p.scope = GoodsScope::Group;
                p.group = *g;
            } else if (range) {
                const Checked2 c = CheckGoodsNumbers(parser.value(QStringLiteral("first")), parser.value(QStringLiteral("last")));
                if (!c.error.isEmpty()) return refuse(c.error);
                p.scope = GoodsScope::Numbers;
                p.first = c.a;
                p.last = c.b;
            } else {
                p.scope = GoodsScope::WholeBase;
            }
            return std::nullopt;
        case ReportForm::Cashier: {
            const auto c = number("cashier", 1, 10, 1);
            if (!c) {
                cli.Error(QStringLiteral("--cashier: a cashier is 1-10."));
                return ExitWrongUse;
            }
            p.cashier = *c;
            p.full = parser.isSet(QStringLiteral("full"));
            return std::nullopt;
        }
        case ReportForm::ZeroRecords:
        case ReportForm::None: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

int CommandReport(Cli& cli, const QStringList& arguments) {
    QCommandLineParser parser;
    QString list;
    for (const ReportName& r : kReports)
        list += QStringLiteral("\n  %1 %2").arg(QString::fromLatin1(r.name), -15).arg(FindReport(QString::fromLatin1(r.className))->caption);
    const QByteArray description =
        (QStringLiteral("Starts one of the register's printed reports, with the checks its window makes. A zeroing "
                        "report clears the register's counters for good: it is made only with --zeroing.\n\nReports:") +
         list)
            .toUtf8();
    parser.addPositionalArgument(QStringLiteral("name"), QStringLiteral("The report."));
    // The positional name is the report; ParseCommand refuses any other.
    parser.setApplicationDescription(QString::fromUtf8(description));
    cli.AddCommon(parser);
    parser.addOptions({
        Valued("month", "periodic: the month, MM-RRRR (default: last month).", "month"),
        Valued("from", "periodic: by dates, from YYYY-MM-DD.", "date"),
        Valued("to", "periodic: by dates, to YYYY-MM-DD.", "date"),
        Valued("first", "periodic: the first report number; goods reports: the first goods number.", "n"),
        Valued("last", "periodic: the last report number; goods reports: the last goods number.", "n"),
        Flag("no-full", "periodic: not the full report."),
        Valued("group", "sales, vat-base, plu-base: one goods group, 1-20.", "n"),
        Valued("cashier", "cashier: the cashier, 1-10 (default 1).", "n"),
        Flag("full", "cashier: the full report."),
        Flag("zero-records", "Print the zero records too."),
        Flag("zeroing", "A zeroing report (clears the register's counters)."),
    });
    if (auto e = cli.Parse(parser, QStringLiteral("report"), QStringLiteral("NAME [parameters] [options]"), arguments))
        return *e;
    const QStringList names = parser.positionalArguments();
    const ReportName* chosen = nullptr;
    for (const ReportName& r : kReports)
        if (names.size() == 1 && names[0] == QLatin1String(r.name)) chosen = &r;
    if (!chosen) {
        cli.Error(names.isEmpty() ? QStringLiteral("report needs the report's name. Try 'zelk-tuvo-cli report --help'.")
                                  : QStringLiteral("no report '") + names.join(QLatin1Char(' ')) +
                                        QStringLiteral("'. Try 'zelk-tuvo-cli report --help'."));
        return ExitWrongUse;
    }
    if (auto e = cli.TakeLineOptions(parser)) return *e;
    const ReportDescription& d = *FindReport(QString::fromLatin1(chosen->className));
    ReportParameters p;
    if (auto e = ReportOptions(cli, parser, d, p)) return *e;
    if (auto e = cli.Connect()) return *e;
    const ReportResult r = RunReport(cli.link, d, p);
    if (r != ReportResult::Sent) return r == ReportResult::Refused || r == ReportResult::Stopped ? ExitRefused : ExitNoRegister;
    cli.Result(d.caption + QStringLiteral(": sent"),
               QJsonObject{{QStringLiteral("report"), QString::fromLatin1(chosen->name)}, {QStringLiteral("sent"), true}});
    return ExitDone;
}

int CommandClock(Cli& cli, const QStringList& arguments) {
    QCommandLineParser parser;
    if (auto e = ParseCommand(cli, parser, "clock", "--now [options]",
                              "Sets the register's clock to this computer's local time.",
                              {Flag("now", "Set it to the time now.")}, arguments))
        return *e;
    if (!parser.isSet(QStringLiteral("now"))) {
        cli.Error(QStringLiteral("clock needs --now. Try 'zelk-tuvo-cli clock --help'."));
        return ExitWrongUse;
    }
    if (auto e = cli.Connect()) return *e;
    const QDateTime when = cli.clock.Now();
    const Answer a = Transact(cli.link, ClockFrame(when), Exchange{true, true, AckStyle::Wait, 0, -1, {}});
    if (const int e = AnswerExit(cli, a); e != ExitDone) return e;
    const QString shown = when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    cli.Result(QStringLiteral("The register's clock is set to ") + shown,
               QJsonObject{{QStringLiteral("clock"), shown}});
    return ExitDone;
}
