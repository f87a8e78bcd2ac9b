#include "history/saleshistory.h"

#include <QCryptographicHash>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>
#include <QVariant>
#include <algorithm>
#include <atomic>

#include "common/numbers.h"
#include "common/text.h"
#include "image/fields.h"
#include "reports/sales.h"

namespace {

const QString kSection = QStringLiteral("Historia sprzedaży/Polaczenie");

// Signed, as the sales list and its CSV read them (a return makes them negative).
qint64 Quantity(const QByteArray& r) { return int32_t(Long(r.constData() + sales::kQuantity)); }
qint64 Value(const QByteArray& r) { return int32_t(Long(r.constData() + sales::kValue)); }
int Number(const QByteArray& r) { return Word(r.constData()); }

QString Day(const QDate& d) { return d.toString(Qt::ISODate); }

struct Counter {
    int number;
    qint64 quantity, value;
};
QString Fingerprint(uint8_t kind, QList<Counter> counters) {
    std::sort(counters.begin(), counters.end(), [](const Counter& a, const Counter& b) { return a.number < b.number; });
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray(1, char(kind)));
    for (const Counter& c : counters)
        hash.addData(QStringLiteral("%1:%2:%3;").arg(c.number).arg(c.quantity).arg(c.value).toLatin1());
    return QString::fromLatin1(hash.result().toHex());
}

}  // namespace

QString DownloadFingerprint(uint8_t kind, const QList<QByteArray>& records) {
    QList<Counter> counters;
    for (const QByteArray& r : records)
        if (r.size() >= sales::kRecordSize) counters << Counter{Number(r), Quantity(r), Value(r)};
    return Fingerprint(kind, counters);
}

QString HistoryLocation::Describe() const {
    if (!IsPostgres()) return sqliteFile;
    QUrl url(postgresUrl);
    url.setPassword(QString());
    return url.toString();
}

HistoryLocation DefaultHistoryLocation(const QString& directory) {
    const QSettings ini(directory + QStringLiteral("/opcje.ini"), QSettings::IniFormat);
    const QString server = ini.value(kSection).toString().trimmed();
    if (!server.isEmpty()) return HistoryLocationFrom(server);
    return HistoryLocation{directory + QStringLiteral("/historia.sqlite"), {}};
}

HistoryLocation HistoryLocationFrom(const QString& text) {
    if (text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://")))
        return HistoryLocation{{}, text};
    return HistoryLocation{text, {}};
}

SalesHistory::SalesHistory(const HistoryLocation& where) : where_(where), postgres_(where.IsPostgres()) {
    static std::atomic<int> next{0};
    connection_ = QStringLiteral("sales-history-%1").arg(next++);
}

SalesHistory::~SalesHistory() {
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

bool SalesHistory::Exec(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (q.exec(sql)) return true;
    error_ = q.lastError().text();
    return false;
}

bool SalesHistory::Open() {
    error_.clear();
    const QString driver = postgres_ ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        error_ = QStringLiteral("brak sterownika bazy danych ") + driver;
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, connection_);
    if (postgres_) {
        const QUrl url(where_.postgresUrl);
        const QUrlQuery query(url);
        db.setHostName(query.hasQueryItem(QStringLiteral("host")) ? query.queryItemValue(QStringLiteral("host"))
                                                                   : url.host());
        db.setPort(url.port(5432));
        db.setDatabaseName(url.path().mid(1));
        db.setUserName(url.userName());
        db.setPassword(url.password());
    } else {
        db.setDatabaseName(where_.sqliteFile);
        // The window and the command line may write at the same time: a writer
        // waits for the other instead of failing at once.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }
    if (!db.open()) {
        error_ = db.lastError().text();
        return false;
    }
    if (!postgres_) {
        QSqlQuery wal(db);
        wal.exec(QStringLiteral("PRAGMA journal_mode=WAL"));  // a read-only file keeps its mode
        // A year of rows and their indexes stay in memory between statements.
        wal.exec(QStringLiteral("PRAGMA cache_size=-65536"));
    }
    return Migrate();
}

int SalesHistory::SchemaVersion() {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    // Asked without touching a table that may not exist: a failed statement
    // would end a PostgreSQL transaction.
    const QString exists = postgres_ ? QStringLiteral("SELECT to_regclass('schema_version') IS NOT NULL")
                                     : QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND "
                                                      "name = 'schema_version'");
    if (!q.exec(exists) || !q.next() || !q.value(0).toBool()) return 0;
    if (!q.exec(QStringLiteral("SELECT version FROM schema_version")) || !q.next()) return 0;
    return q.value(0).toInt();
}

bool SalesHistory::Migrate() {
    const QString id = postgres_ ? QStringLiteral("BIGSERIAL PRIMARY KEY") : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    const QString blob = postgres_ ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
    int version = SchemaVersion();
    if (version == kSchemaVersion) return true;
    if (version > kSchemaVersion) {
        error_ = QStringLiteral("historia zapisana przez nowszą wersję programu (schemat %1)").arg(version);
        return false;
    }
    const QString begin = postgres_ ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
    if (!Exec(begin)) return false;
    auto fail = [&] {
        const QString why = error_;
        Exec(QStringLiteral("ROLLBACK"));
        error_ = why;
        return false;
    };
    // Re-read inside the transaction: another program may have migrated meanwhile
    // (PostgreSQL: the shops' PCs wait for each other on a lock of their own).
    if (postgres_ && !Exec(QStringLiteral("SELECT pg_advisory_xact_lock(7472)"))) return fail();
    version = SchemaVersion();
    if (version == 0) {
        // The first schema: downloads and their rows.
        if (!Exec(QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)")) ||
            !Exec(QStringLiteral("INSERT INTO schema_version VALUES (1)")) ||
            !Exec(QStringLiteral("CREATE TABLE downloads (id %1, taken_at TEXT NOT NULL, register_unique TEXT NOT NULL, "
                                 "register_number INTEGER NOT NULL, kind INTEGER NOT NULL)")
                      .arg(id)) ||
            !Exec(QStringLiteral("CREATE TABLE sales_rows (download_id BIGINT NOT NULL REFERENCES downloads(id), "
                                 "number INTEGER NOT NULL, name TEXT NOT NULL, vat TEXT NOT NULL, "
                                 "quantity BIGINT NOT NULL, value BIGINT NOT NULL)")))
            return fail();
        version = 1;
    }
    if (version == 1) {
        // The second: the group and the record as received, the fingerprint that
        // keeps a download from being stored twice, and the indexes the period
        // queries use.
        if (!Exec(QStringLiteral("ALTER TABLE sales_rows ADD COLUMN grp INTEGER")) ||
            !Exec(QStringLiteral("ALTER TABLE sales_rows ADD COLUMN record %1").arg(blob)) ||
            !Exec(QStringLiteral("ALTER TABLE downloads ADD COLUMN fingerprint TEXT")) ||
            !Exec(QStringLiteral("ALTER TABLE downloads ADD COLUMN total_value BIGINT NOT NULL DEFAULT 0")))
            return fail();
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        QSqlQuery downloads(db);
        downloads.setForwardOnly(true);
        if (!downloads.exec(QStringLiteral("SELECT id, kind FROM downloads ORDER BY id"))) {
            error_ = downloads.lastError().text();
            return fail();
        }
        QList<std::pair<qint64, int>> all;
        while (downloads.next()) all << std::pair{downloads.value(0).toLongLong(), downloads.value(1).toInt()};
        QHash<QString, qint64> seen;
        for (const auto& [download, kind] : all) {
            QSqlQuery rows(db);
            rows.prepare(QStringLiteral("SELECT number, quantity, value FROM sales_rows WHERE download_id = ?"));
            rows.addBindValue(download);
            if (!rows.exec()) {
                error_ = rows.lastError().text();
                return fail();
            }
            QList<Counter> counters;
            while (rows.next())
                counters << Counter{rows.value(0).toInt(), rows.value(1).toLongLong(), rows.value(2).toLongLong()};
            QSqlQuery set(db);
            set.prepare(QStringLiteral("UPDATE downloads SET fingerprint = ? WHERE id = ?"));
            set.addBindValue(Fingerprint(uint8_t(kind), counters));
            set.addBindValue(download);
            if (!set.exec()) {
                error_ = set.lastError().text();
                return fail();
            }
        }
        // The same figures stored twice by the first schema count once from now on.
        if (!Exec(QStringLiteral("DELETE FROM sales_rows WHERE download_id IN (SELECT d.id FROM downloads d WHERE "
                                 "EXISTS (SELECT 1 FROM downloads e WHERE e.register_unique = d.register_unique AND "
                                 "e.fingerprint = d.fingerprint AND e.id < d.id))")) ||
            !Exec(QStringLiteral("DELETE FROM downloads WHERE EXISTS (SELECT 1 FROM downloads e WHERE "
                                 "e.register_unique = downloads.register_unique AND e.fingerprint = "
                                 "downloads.fingerprint AND e.id < downloads.id)")) ||
            !Exec(QStringLiteral("CREATE UNIQUE INDEX downloads_once ON downloads (register_unique, fingerprint)")) ||
            !Exec(QStringLiteral("CREATE INDEX downloads_taken ON downloads (taken_at)")) ||
            !Exec(QStringLiteral("CREATE INDEX sales_rows_download ON sales_rows (download_id, number)")) ||
            // A period's sums read this index alone, in goods order.
            !Exec(QStringLiteral("CREATE INDEX sales_rows_goods ON sales_rows (number, download_id, quantity, value)")) ||
            // Each download's value, and each register's goods with their latest
            // download, kept as they are stored: the charts and the unsold goods
            // need not read every row.
            !Exec(QStringLiteral("UPDATE downloads SET total_value = (SELECT COALESCE(SUM(value), 0) FROM sales_rows "
                                 "WHERE download_id = downloads.id)")) ||
            !Exec(QStringLiteral("CREATE TABLE goods_seen (register_unique TEXT NOT NULL, number INTEGER NOT NULL, "
                                 "last_download BIGINT NOT NULL, PRIMARY KEY (register_unique, number))")) ||
            !Exec(QStringLiteral("INSERT INTO goods_seen SELECT d.register_unique, r.number, MAX(r.download_id) FROM "
                                 "sales_rows r JOIN downloads d ON d.id = r.download_id GROUP BY d.register_unique, "
                                 "r.number")) ||
            !Exec(QStringLiteral("UPDATE schema_version SET version = 2")))
            return fail();
    }
    if (!Exec(QStringLiteral("COMMIT"))) return fail();
    return true;
}

StoreResult SalesHistory::Store(const SalesDownload& d) {
    error_.clear();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.isOpen()) {
        error_ = QStringLiteral("historia nie jest otwarta");
        return StoreResult::Failed;
    }
    const QString fingerprint = DownloadFingerprint(d.kind, d.records);
    if (!Exec(postgres_ ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"))) return StoreResult::Failed;
    auto fail = [&](const QSqlQuery& q) {
        error_ = q.lastError().text();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return StoreResult::Failed;
    };
    QSqlQuery known(db);
    known.prepare(QStringLiteral("SELECT 1 FROM downloads WHERE register_unique = ? AND fingerprint = ?"));
    known.addBindValue(d.registerUnique);
    known.addBindValue(fingerprint);
    if (!known.exec()) return fail(known);
    if (known.next()) {
        Exec(QStringLiteral("ROLLBACK"));
        return StoreResult::AlreadyStored;
    }
    QSqlQuery download(db);
    qint64 total = 0;
    for (const QByteArray& r : d.records)
        if (r.size() >= sales::kRecordSize) total += Value(r);
    download.prepare(QStringLiteral("INSERT INTO downloads (taken_at, register_unique, register_number, kind, "
                                    "fingerprint, total_value) VALUES (?, ?, ?, ?, ?, ?) RETURNING id"));
    download.addBindValue(d.takenAt.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    download.addBindValue(d.registerUnique);
    download.addBindValue(d.registerNumber);
    download.addBindValue(int(d.kind));
    download.addBindValue(fingerprint);
    download.addBindValue(total);
    if (!download.exec() || !download.next()) return fail(download);
    const qint64 id = download.value(0).toLongLong();
    download.finish();

    QVariantList ids, numbers, names, groups, vats, quantities, values, records;
    for (const QByteArray& r : d.records) {
        if (r.size() < sales::kRecordSize) continue;
        const int n = Number(r);
        ids << id;
        numbers << n;
        names << FromCp1250Field(r.constData() + sales::kName, sales::kNameWidth);
        groups << (d.groups.contains(n) ? QVariant(d.groups.value(n)) : QVariant(QMetaType::fromType<int>()));
        vats << QString(QChar::fromLatin1(r.at(sales::kVat)));
        quantities << Quantity(r);
        values << Value(r);
        records << r.left(sales::kRecordSize);
    }
    if (!ids.isEmpty()) {
        QSqlQuery rows(db);
        rows.prepare(QStringLiteral("INSERT INTO sales_rows (download_id, number, name, grp, vat, quantity, value, "
                                    "record) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const QVariantList* list : {&ids, &numbers, &names, &groups, &vats, &quantities, &values, &records})
            rows.addBindValue(*list);
        if (!rows.execBatch()) return fail(rows);
        QSqlQuery seen(db);
        seen.prepare(QStringLiteral("INSERT INTO goods_seen (register_unique, number, last_download) VALUES (?, ?, ?) "
                                    "ON CONFLICT (register_unique, number) DO UPDATE SET last_download = "
                                    "excluded.last_download"));
        seen.addBindValue(QVariantList(ids.size(), d.registerUnique));
        seen.addBindValue(numbers);
        seen.addBindValue(ids);
        if (!seen.execBatch()) return fail(seen);
    }
    QSqlQuery commit(db);
    if (!commit.exec(QStringLiteral("COMMIT"))) return fail(commit);
    return StoreResult::Stored;
}

namespace {

// The period and register filter of a query on downloads aliased d, with its values.
QString Where(const HistoryQuery& q, QVariantList& values) {
    QString where = QStringLiteral("substr(d.taken_at, 1, 10) >= ? AND substr(d.taken_at, 1, 10) <= ?");
    values << Day(q.from) << Day(q.to);
    if (!q.registers.isEmpty()) {
        QStringList marks;
        for (const QString& r : q.registers) {
            marks << QStringLiteral("?");
            values << r;
        }
        where += QStringLiteral(" AND d.register_unique IN (") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return where;
}

bool Run(QSqlQuery& query, const QString& sql, const QVariantList& values, QString& error) {
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        error = query.lastError().text();
        return false;
    }
    for (const QVariant& v : values) query.addBindValue(v);
    if (query.exec()) return true;
    error = query.lastError().text();
    return false;
}

GoodsSum SumFrom(const QSqlQuery& q) {
    GoodsSum s;
    s.number = q.value(0).toInt();
    s.quantity = q.value(1).toLongLong();
    s.value = q.value(2).toLongLong();
    s.name = q.value(3).toString();
    if (!q.value(4).isNull()) s.group = q.value(4).toInt();
    s.vat = q.value(5).toString();
    return s;
}

}  // namespace

QList<RegisterKey> SalesHistory::Registers() {
    QList<RegisterKey> out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, QStringLiteral("SELECT register_unique, MAX(register_number) FROM downloads GROUP BY register_unique "
                               "ORDER BY register_unique"),
             {}, error_))
        return out;
    while (q.next()) out << RegisterKey{q.value(0).toString(), q.value(1).toInt()};
    return out;
}

QList<GoodsSum> SalesHistory::Sums(const HistoryQuery& query) {
    QList<GoodsSum> out;
    QVariantList values;
    const QString where = Where(query, values);
    // Summed per goods; the name, group and VAT letter from the goods' latest row.
    const QString sql = QStringLiteral(
        "WITH s AS (SELECT r.number AS number, SUM(r.quantity) AS q, SUM(r.value) AS v, MAX(r.download_id) AS last "
        "FROM sales_rows r %2 WHERE r.download_id IN (SELECT d.id FROM downloads d WHERE %1) GROUP BY r.number) "
        "SELECT s.number, s.q, s.v, n.name, n.grp, n.vat FROM s JOIN sales_rows n ON n.download_id = s.last AND "
        "n.number = s.number WHERE s.q <> 0 OR s.v <> 0 ORDER BY s.number")
                            .arg(where, postgres_ ? QString() : QStringLiteral("INDEXED BY sales_rows_goods"));
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, sql, values, error_)) return out;
    while (q.next()) out << SumFrom(q);
    return out;
}

QList<PeriodTotal> SalesHistory::Totals(const HistoryQuery& query, bool monthly) {
    QList<PeriodTotal> out;
    QVariantList values;
    const QString where = Where(query, values);
    const int width = monthly ? 7 : 10;
    const QString sql = QStringLiteral("SELECT substr(d.taken_at, 1, %1) AS period, SUM(d.total_value) FROM downloads d "
                                       "WHERE %2 GROUP BY period ORDER BY period")
                            .arg(width)
                            .arg(where);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, sql, values, error_)) return out;
    while (q.next()) {
        const QString period = q.value(0).toString();
        const QDate start = QDate::fromString(monthly ? period + QStringLiteral("-01") : period, Qt::ISODate);
        out << PeriodTotal{start, q.value(1).toLongLong()};
    }
    return out;
}

QList<GoodsSum> SalesHistory::Unsold(const HistoryQuery& query) { return Unsold(query, Sums(query)); }

QList<GoodsSum> SalesHistory::Unsold(const HistoryQuery& query, const QList<GoodsSum>& sums) {
    QList<GoodsSum> out;
    QSet<int> sold;
    for (const GoodsSum& s : sums)
        if (s.quantity != 0) sold.insert(s.number);
    QVariantList values;
    QString where = QStringLiteral("1 = 1");
    if (!query.registers.isEmpty()) {
        QStringList marks;
        for (const QString& r : query.registers) {
            marks << QStringLiteral("?");
            values << r;
        }
        where = QStringLiteral("register_unique IN (") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    // Every goods the registers ever reported, named as in its latest download.
    const QString sql = QStringLiteral(
        "WITH s AS (SELECT number, MAX(last_download) AS last FROM goods_seen WHERE %1 GROUP BY number) "
        "SELECT s.number, 0, 0, n.name, n.grp, n.vat FROM s JOIN sales_rows n ON n.download_id = s.last AND "
        "n.number = s.number ORDER BY s.number").arg(where);
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, sql, values, error_)) return out;
    while (q.next()) {
        const GoodsSum s = SumFrom(q);
        if (!sold.contains(s.number)) out << s;
    }
    return out;
}

int SalesHistory::Downloads() {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, QStringLiteral("SELECT COUNT(*) FROM downloads"), {}, error_) || !q.next()) return -1;
    return q.value(0).toInt();
}

QList<QByteArray> SalesHistory::LatestRecords(const QString& registerUnique) {
    QList<QByteArray> out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!Run(q, QStringLiteral("SELECT record FROM sales_rows WHERE download_id = (SELECT MAX(id) FROM downloads WHERE "
                               "register_unique = ?) ORDER BY number"),
             {registerUnique}, error_))
        return out;
    while (q.next()) out << q.value(0).toByteArray();
    return out;
}

QByteArray HistoryCsv(const QList<GoodsSum>& rows) {
    QByteArray out = ToCp1250(QStringLiteral("Numer;Nazwa;Grupa;PTU;Ilość;Wartość;")) + '\n';
    for (const GoodsSum& r : rows) {
        // A ";" in a name would shift the columns.
        QString name = r.name;
        name.replace(QLatin1Char(';'), QLatin1Char(','));
        out += QByteArray::number(r.number) + ';' + ToCp1250(name) + ';' +
               (r.group ? QByteArray::number(*r.group) : QByteArray()) + ';' + ToCp1250(r.vat) + ';' +
               FormatQuantity(r.quantity).toLatin1() + ';' + FormatHundredths(r.value).toLatin1() + '\n';
    }
    return out;
}
