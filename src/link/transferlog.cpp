#include "link/transferlog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "common/text.h"

bool LogEntry::Failed() const {
    return result != QStringLiteral("przyjęty") && result != QStringLiteral("przyjęty (koniec)") &&
           result != QStringLiteral("wysłano") && !result.startsWith(QStringLiteral("odczytano"));
}

TransferLog::TransferLog(const QString& directory) : directory_(directory) {}

void TransferLog::BeginRun(const QString& name) {
    if (depth_++ > 0) return;
    run_ = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(++runs_);
    runName_ = name;
}

void TransferLog::EndRun() {
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    Flush();
    run_.clear();
    runName_.clear();
}

void TransferLog::Add(LogEntry entry) {
    entry.run = run_;
    entry.runName = runName_;
    waiting_ << std::move(entry);
    if (depth_ == 0) Flush();
}

QString TransferLog::DayFile(const QString& directory, const QDate& day) {
    return directory + QLatin1Char('/') + day.toString(Qt::ISODate) + QStringLiteral(".jsonl");
}

bool TransferLog::Flush() {
    if (waiting_.isEmpty()) return true;
    const QList<LogEntry> entries = std::exchange(waiting_, {});
    if (!QDir().mkpath(directory_)) {
        error_ = QStringLiteral("nie można utworzyć folderu ") + directory_;
        return false;
    }
    // A run over midnight goes to the files of the days its entries belong to.
    QFile file;
    QDate open;
    for (const LogEntry& e : entries) {
        const QDate day = e.time.date();
        if (day != open) {
            file.close();
            file.setFileName(DayFile(directory_, day));
            if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
                error_ = file.fileName() + QStringLiteral(": ") + file.errorString();
                return false;
            }
            open = day;
        }
        if (file.write(EntryLine(e)) < 0) {
            error_ = file.fileName() + QStringLiteral(": ") + file.errorString();
            return false;
        }
    }
    if (!pruned_.isValid() || pruned_ != open) {
        Prune(open);
        pruned_ = open;
    }
    return true;
}

QByteArray TransferLog::EntryLine(const LogEntry& e) {
    const QJsonObject o{{QStringLiteral("time"), e.time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"))},
                        {QStringLiteral("port"), e.port},
                        {QStringLiteral("address"), e.address},
                        {QStringLiteral("command"), CommandText(e.command)},
                        {QStringLiteral("record"), e.record},
                        {QStringLiteral("result"), e.result},
                        {QStringLiteral("errorCode"), e.errorCode},
                        {QStringLiteral("error"), e.error},
                        {QStringLiteral("run"), e.run},
                        {QStringLiteral("runName"), e.runName}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

void TransferLog::Prune(const QDate& today) {
    const QDir dir(directory_);
    for (const QString& name : dir.entryList({QStringLiteral("????-??-??.jsonl")}, QDir::Files)) {
        const QDate day = QDate::fromString(name.left(10), Qt::ISODate);
        if (day.isValid() && day.daysTo(today) > kKeepDays) QFile::remove(dir.filePath(name));
    }
}

QString TransferLog::CommandText(int command) {
    if (command > 0x20 && command < 0x7F) return QString(QChar::fromLatin1(char(command)));
    return QStringLiteral("0x") + QString::number(command, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

QList<LogEntry> TransferLog::ReadDay(const QString& directory, const QDate& day) {
    QFile file(DayFile(directory, day));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ParseDay(file.readAll());
}

QList<LogEntry> TransferLog::ParseDay(const QByteArray& text) {
    QList<LogEntry> out;
    for (const QByteArray& line : text.split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.isEmpty()) continue;  // a line cut short by a crash is skipped
        LogEntry e;
        e.time = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
        e.port = o.value(QStringLiteral("port")).toString();
        e.address = o.value(QStringLiteral("address")).toInt();
        const QString command = o.value(QStringLiteral("command")).toString();
        e.command = command.startsWith(QLatin1String("0x")) ? command.mid(2).toInt(nullptr, 16)
                                                            : (command.isEmpty() ? 0 : command.at(0).unicode());
        e.record = o.value(QStringLiteral("record")).toInt(-1);
        e.result = o.value(QStringLiteral("result")).toString();
        e.errorCode = o.value(QStringLiteral("errorCode")).toInt();
        e.error = o.value(QStringLiteral("error")).toString();
        e.run = o.value(QStringLiteral("run")).toString();
        e.runName = o.value(QStringLiteral("runName")).toString();
        out << e;
    }
    return out;
}

QByteArray TransferLog::Csv(const QList<LogEntry>& entries) {
    // A separator or a line break inside a field would shift the columns or the lines.
    auto field = [](QString text) {
        return text.replace(QLatin1Char(';'), QLatin1Char(',')).replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
    };
    QByteArray out = ToCp1250(QStringLiteral("Czas;Port;Adres;Polecenie;Rekord;Wynik;Kod błędu;Błąd;Przebieg;")) + '\n';
    for (const LogEntry& e : entries)
        out += ToCp1250(QStringList{e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), field(e.port),
                                    QString::number(e.address), field(CommandText(e.command)),
                                    e.record >= 0 ? QString::number(e.record) : QString(), field(e.result),
                                    e.errorCode ? QString::number(e.errorCode) : QString(), field(e.error),
                                    field(e.runName)}
                            .join(QLatin1Char(';'))) +
               ";\n";
    return out;
}
