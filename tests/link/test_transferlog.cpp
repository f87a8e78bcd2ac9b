// The transfer log: what a write run sent and what the register answered, in
// order, written only when the run ends, never in the way of a transfer; its
// day files pruned; and the window that shows a day of it.
#include <QtTest>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "common/text.h"
#include "image/imagestore.h"
#include "link/Dziennik.h"
#include "link/registererrors.h"
#include "link/transferlog.h"
#include "sync/goodsmirror.h"
#include "sync/tablesync.h"
#include "support/guifixture.h"
#include "support/simharness.h"

class TestTransferLog : public QObject {
    Q_OBJECT
private slots:
    void writeRunNotedInOrder();
    void unwritableFolderNeverStopsATransfer();
    void oldDaysPruned();
    void windowShowsADay();

private:
    // Goods 1-3 in the PC database; goods 2 names a group the register lacks.
    static QList<TickedRow> ThreeGoods(WorkImage& image);
};

QList<TickedRow> TestTransferLog::ThreeGoods(WorkImage& image) {
    for (int n = 1; n <= 3; ++n) {
        GoodsFields g;
        g.number = n;
        g.name = QStringLiteral("Towar %1").arg(n);
        g.price = 100 * n;
        g.group = n == 2 ? 9 : 1;
        WriteGoodsRecord(image, g);
    }
    return {{0, 1}, {1, 2}, {2, 3}};
}

void TestTransferLog::writeRunNotedInOrder() {
    GuiFixture f;
    f.Connect();
    QTemporaryDir dir;
    TransferLog log(dir.filePath(QStringLiteral("dziennik")));
    f.t.link.SetLog(&log);
    const QList<TickedRow> ticked = ThreeGoods(f.t.image);
    f.t.link.BeginRun(QStringLiteral("Programowanie bazy towarowej"));
    const WriteOutcome out = WriteRecords(f.t.link, f.t.image, GoodsMember().writing, ticked, 0, true);
    QCOMPARE(out.refused, 1);
    // Nothing is written while the run goes.
    const QString file = TransferLog::DayFile(log.Directory(), f.t.clock.Now().date());
    QVERIFY(!QFileInfo::exists(file));
    f.t.link.EndRun();
    const QList<LogEntry> entries = TransferLog::ReadDay(log.Directory(), f.t.clock.Now().date());
    QCOMPARE(entries.size(), 3);
    QStringList seen;
    for (const LogEntry& e : entries)
        seen << QStringLiteral("%1 %2 %3 %4 %5").arg(TransferLog::CommandText(e.command)).arg(e.record).arg(e.result).arg(e.errorCode).arg(e.port);
    QCOMPARE(seen, (QStringList{"T 1 przyjęty 0 COM 1", "T 2 odrzucony przez kasę 9 COM 1",
                                "T 3 przyjęty (koniec) 0 COM 1"}));
    QCOMPARE(entries[1].error, RegisterErrorText(9));
    QVERIFY(entries[1].Failed());
    QVERIFY(!entries[0].Failed());
    for (const LogEntry& e : entries) {
        QCOMPARE(e.runName, QStringLiteral("Programowanie bazy towarowej"));
        QCOMPARE(e.run, entries[0].run);
    }
    // A read of the register's table is one entry: how many records came.
    RegisterTableMirror mirror = MirrorFor(GoodsMember());
    f.t.link.BeginRun(QStringLiteral("Odśwież"));
    ReadRegisterTable(f.t.link, GoodsMember(), mirror);
    f.t.link.EndRun();
    const QList<LogEntry> after = TransferLog::ReadDay(log.Directory(), f.t.clock.Now().date());
    QCOMPARE(after.size(), 4);
    QCOMPARE(after[3].result, QStringLiteral("odczytano, rekordów: 2"));
    QVERIFY(after[3].run != entries[0].run);
    f.t.link.SetLog(nullptr);
}

void TestTransferLog::unwritableFolderNeverStopsATransfer() {
    GuiFixture f;
    SimHarness& h = f.Connect();
    QTemporaryDir dir;
    // A file where the log's folder should be.
    const QString blocked = dir.filePath(QStringLiteral("dziennik"));
    QVERIFY(WriteFileBytes(blocked, "x"));
    TransferLog log(blocked);
    f.t.link.SetLog(&log);
    const QList<TickedRow> ticked = ThreeGoods(f.t.image);
    f.t.link.BeginRun(QStringLiteral("Programowanie bazy towarowej"));
    const WriteOutcome out = WriteRecords(f.t.link, f.t.image, GoodsMember().writing, ticked, 0, true);
    f.t.link.EndRun();
    QCOMPARE(out.done, 3);
    QCOMPARE(out.accepted, 2);
    QCOMPARE(h.Received('T').size(), 3);
    QVERIFY(!log.LastError().isEmpty());
    f.t.link.SetLog(nullptr);
}

void TestTransferLog::oldDaysPruned() {
    QTemporaryDir dir;
    const QDate today(2026, 12, 11);
    for (int back : {91, 90, 1})
        QVERIFY(WriteFileBytes(TransferLog::DayFile(dir.path(), today.addDays(-back)), "{}\n"));
    TransferLog log(dir.path());
    LogEntry e;
    e.time = QDateTime(today, QTime(10, 0));
    e.command = 'C';
    e.result = QStringLiteral("przyjęty");
    log.Add(e);  // outside a run: written at once
    QVERIFY(!QFileInfo::exists(TransferLog::DayFile(dir.path(), today.addDays(-91))));
    QVERIFY(QFileInfo::exists(TransferLog::DayFile(dir.path(), today.addDays(-90))));
    QCOMPARE(TransferLog::ReadDay(dir.path(), today).size(), 1);
}

void TestTransferLog::windowShowsADay() {
    GuiFixture f;
    f.Connect();
    QTemporaryDir dir;
    TransferLog log(dir.filePath(QStringLiteral("dziennik")));
    f.t.link.SetLog(&log);
    const QList<TickedRow> ticked = ThreeGoods(f.t.image);
    f.t.link.BeginRun(QStringLiteral("Programowanie bazy towarowej"));
    WriteRecords(f.t.link, f.t.image, GoodsMember().writing, ticked, 0, true);
    f.t.link.EndRun();

    TDziennikTransmisji w(f.t.services);
    w.show();
    QCOMPARE(w.DateEdit1->date(), f.t.clock.Now().date());
    QCOMPARE(w.Grid1->rowCount(), 3);
    QCOMPARE(w.Grid1->item(1, 5)->text(), QStringLiteral("odrzucony przez kasę"));
    QCOMPARE(w.Grid1->item(1, 6)->text(), QStringLiteral("9: ") + RegisterErrorText(9));
    QCOMPARE(w.Label1->text(), QStringLiteral("Wpisów: 3, w tym nieudanych: 1"));
    GuiFixture::KeepShot(&w, QStringLiteral("transfer-log"));
    w.CheckBox1->setChecked(true);
    QCOMPARE(w.Grid1->rowCount(), 1);
    QCOMPARE(w.Grid1->item(0, 4)->text(), QStringLiteral("2"));
    const QString csv = dir.filePath(QStringLiteral("dziennik.csv"));
    f.t.prompts.fileNames = {csv};
    w.Button2->click();
    const QString time = w.Shown()[0].time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    QCOMPARE(ReadFileBytes(csv),
             ToCp1250(QStringLiteral("Czas;Port;Adres;Polecenie;Rekord;Wynik;Kod błędu;Błąd;Przebieg;\n") + time +
                      QStringLiteral(";COM 1;1;T;2;odrzucony przez kasę;9;") + RegisterErrorText(9) +
                      QStringLiteral(";Programowanie bazy towarowej;\n")));
    // Another day has nothing.
    w.DateEdit1->setDate(w.DateEdit1->date().addDays(-1));
    w.Button1->click();
    QCOMPARE(w.Grid1->rowCount(), 0);
    f.t.link.SetLog(nullptr);
}

QTEST_MAIN(TestTransferLog)
#include "test_transferlog.moc"
