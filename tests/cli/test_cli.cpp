// zelk-tuvo-cli run as a script runs it: a subprocess against the simulated
// register on a pseudo-terminal, judged by its exit code, its output, the files
// it leaves and the frames the register received.
#include <QtTest>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "common/text.h"
#include "history/saleshistory.h"
#include "link/transferlog.h"
#include "image/imagestore.h"
#include "image/workimage.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "shell/databasefile.h"
#include "simstate.h"
#include "support/simharness.h"

namespace {

struct Run {
    int code = -1;
    QString out, err;
};

Run Cli(const QStringList& arguments, const std::function<void(QProcess&)>& during = {}) {
    QProcess p;
    p.setProgram(QStringLiteral(CLI_EXECUTABLE));
    p.setArguments(arguments);
    p.start();
    if (!p.waitForStarted()) return {};
    if (during) during(p);
    if (!p.waitForFinished(60000)) p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int GoodsNumber(const QByteArray& frame) { return uint8_t(frame[7]) | uint8_t(frame[8]) << 8; }
int FrameNumber(const QByteArray& frame) { return uint8_t(frame[4]) | uint8_t(frame[5]) << 8; }

// A database file edited as the program edits it: through a working image.
void EditDatabase(const QString& path, const std::function<void(WorkImage&)>& edit) {
    QString error;
    const LoadedDatabase db = ReadDatabaseFile(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTemporaryDir dir;
    WorkImage image;
    QVERIFY(ReplaceWorkingImage(image, dir.filePath(QStringLiteral("edit.bdt")), db.image));
    edit(image);
    QCOMPARE(WriteDatabaseFile(image, path), SaveResult::Saved);
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wrongUseSendsNothing_data();
    void wrongUseSendsNothing();
    void findsTwoRegisters();
    void infoAsJson();
    void salesWrittenThenCleared();
    void salesNotWholeClearNothing_data();
    void salesNotWholeClearNothing();
    void backupThenOnlyChangedGoodsSent();
    void refusedRecordNamed_data();
    void refusedRecordNamed();
    void interruptStopsAfterTheRecordInHand();
    void csvExchangeAllOrNothing();
    void reportChecksAndClock();

private:
    QTemporaryDir* dir_ = nullptr;
    SimHarness* h_ = nullptr;
    QString Path(const char* name) const { return dir_->filePath(QString::fromLatin1(name)); }
};

void TestCli::init() {
    dir_ = new QTemporaryDir;
    // The program's folder (settings, sales history) of every run.
    qputenv("TUVO_WORK_DIR", QFile::encodeName(dir_->filePath(QStringLiteral("ZelkTuvo"))));
    h_ = new SimHarness(1);
}

void TestCli::cleanup() {
    delete h_;
    delete dir_;
}

void TestCli::wrongUseSendsNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("told");
    QTest::newRow("no command") << QStringList{} << "Usage: zelk-tuvo-cli COMMAND";
    QTest::newRow("unknown command") << QStringList{"sell"} << "no command 'sell'";
    QTest::newRow("unknown option") << QStringList{"info", "--port", "1", "--colour"} << "Unknown option 'colour'";
    QTest::newRow("sales without file") << QStringList{"sales", "--port", "1"} << "sales needs --csv";
    QTest::newRow("address out of range") << QStringList{"info", "--port", "1", "--address", "10"}
                                          << "--address: a register address is 1-9.";
    QTest::newRow("port out of range") << QStringList{"info", "--port", "0"} << "--port: a COM number is 1-99.";
    QTest::newRow("unknown table") << QStringList{"backup", "--port", "1", "--out", "x.zkf", "--tables", "goods,food"}
                                   << "--tables: no table 'food' here";
    QTest::newRow("goods without their tables")
        << QStringList{"backup", "--port", "1", "--out", "x.zkf", "--tables", "goods"}
        << "Baza towarów jest powiązana z bazą stawek PTU, opakowań oraz grup towarowych.";
    QTest::newRow("vat with changed-only")
        << QStringList{"program", "--port", "1", "--db", "x.zkf", "--changed-only", "--tables", "vat"}
        << "--tables: no table 'vat' here";
    QTest::newRow("report numbers reversed")
        << QStringList{"report", "periodic", "--port", "1", "--first", "5", "--last", "2"}
        << "Raport końcowy musi mieć większy numer niż raport początkowy";
    QTest::newRow("goods numbers outside") << QStringList{"report", "sales", "--port", "1", "--first", "0", "--last", "3"}
                                           << "Numery towarów muszą zawierać się w przedziale 1-2000";
    QTest::newRow("zeroing where there is none") << QStringList{"report", "vat-rates", "--port", "1", "--zeroing"}
                                                 << "--zeroing: this report has no zeroing.";
    QTest::newRow("clock without --now") << QStringList{"clock", "--port", "1"} << "clock needs --now";
}

void TestCli::wrongUseSendsNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, told);
    const Run r = Cli(arguments);
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(told), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    QVERIFY(h_->Received().isEmpty());
}

void TestCli::findsTwoRegisters() {
    SimHarness second(*h_, 2);
    second.sim.WithState([](SimState& s) {
        s.uniqueNumber = "ZTV000777777";
        s.softwareVersion = 107;
    });
    const Run text = Cli({"find", "--address", "1"});
    QCOMPARE(text.code, 0);
    QCOMPARE(text.out, QStringLiteral("COM 1\taddress 1\tunique number ZTV000123456\tsoftware 1,05\n"
                                      "COM 2\taddress 1\tunique number ZTV000777777\tsoftware 1,07\n"));
    const Run json = Cli({"find", "--address", "1", "--json"});
    QCOMPARE(json.code, 0);
    QCOMPARE(json.out, QStringLiteral("{\"registers\":[{\"address\":1,\"device\":\"%1/COM1\",\"port\":\"COM 1\","
                                      "\"softwareVersion\":\"1,05\",\"uniqueNumber\":\"ZTV000123456\"},"
                                      "{\"address\":1,\"device\":\"%1/COM2\",\"port\":\"COM 2\","
                                      "\"softwareVersion\":\"1,07\",\"uniqueNumber\":\"ZTV000777777\"}]}\n")
                           .arg(h_->PortsDir()));
    // A port given as a device path is that device.
    const Run path = Cli({"find", "--port", second.PortsDir() + QStringLiteral("/COM2"), "--address", "1"});
    QCOMPARE(path.code, 0);
    QCOMPARE(path.out, second.PortsDir() + QStringLiteral("/COM2\taddress 1\tunique number ZTV000777777\tsoftware 1,07\n"));
    // Nobody at the address: nothing found says so.
    const Run none = Cli({"find", "--port", "1", "--address", "4", "--json"});
    QCOMPARE(none.code, 2);
    QCOMPARE(none.out, QStringLiteral("{\"registers\":[]}\n"));
    QVERIFY(none.err.contains(QStringLiteral("Nie wykryto żadnej kasy")));
}

void TestCli::infoAsJson() {
    h_->sim.WithState([](SimState& s) { s.softwareVersion = 150; });
    const Run r = Cli({"info", "--port", "1", "--json"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out,
             QStringLiteral(
                 "{\"address\":1,\"port\":\"COM 1\",\"values\":{\"cashierLoggedIn\":\"\",\"currencyChangeDate\":"
                 "\"brak\",\"currencyChangePlanned\":\"NIE\",\"dailyReportNumber\":\"0\",\"dailyReportTime\":\"21:05   "
                 "30-11-2026\",\"eCopyCardSize\":\"2048\",\"eCopyMedium\":\"1\",\"fiscalMemorySignature\":\"4711\","
                 "\"headerProgrammed\":\"NIE\",\"lastFiscalWrite\":\"30-11-2026\",\"memoryState\":\"OTWARTA\",\"mode\":"
                 "\"FISKALNY\",\"newRecordCurrency\":\"\",\"nip\":\"5260001246\",\"portComA\":\"Komputer PC\","
                 "\"portComB\":\"Skaner\",\"portUsb\":\"Komputer PC\",\"programMemory\":\"TUVO-01.05\",\"ramResets\":\"0\","
                 "\"receiptsSinceDaily\":\"0\",\"receiptsSinceFiscalization\":\"0\",\"recordCurrency\":\"PLN\","
                 "\"recordCurrencyDate\":\"08:00   2-1-2024\",\"registerNumber\":\"1\",\"saleStarted\":\"NIE\","
                 "\"serviceMode\":\"NIE\",\"softwareVersion\":\"1,50\",\"uniqueNumber\":\"ZTV000123456\","
                 "\"vatRateWrites\":\"0\"}}\n"));
    const Run text = Cli({"info", "--port", "1"});
    QCOMPARE(text.code, 0);
    QVERIFY(text.out.startsWith(QStringLiteral("Kasa\n  Wersja oprogramowania: 1,50\n")));
    QVERIFY(!text.out.contains(QStringLiteral("Zmiana waluty")));  // none planned
    // No register on the line.
    h_->Pause();
    const Run silent = Cli({"info", "--port", "1"});
    QCOMPARE(silent.code, 2);
    QCOMPARE(silent.err, QStringLiteral("Brak komunikacji\n"));
    h_->Resume();
}

void TestCli::salesWrittenThenCleared() {
    h_->sim.WithState([](SimState& s) {
        s.goods.Set(12, RegisterGoods(12, QStringLiteral("Żółw z czekolady"), 'A', 500, "1", 1, 25000, 1999));
        s.goods.Set(13, RegisterGoods(13, QStringLiteral("Bez sprzedaży"), 'B', 100, "2", 1));
        s.goods.Set(2000, RegisterGoods(2000, QStringLiteral("Ostatni"), 'C', 100, "3", 1, 5, 1));
    });
    const QString csv = Path("sprzedaz.csv");
    const Run r = Cli({"sales", "--port", "1", "--csv", csv, "--clear", "--json"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("{\"cleared\":true,\"file\":\"%1\",\"history\":\"stored\",\"records\":2}\n").arg(csv));
    {
        SalesHistory history(HistoryLocation{Path("ZelkTuvo/historia.sqlite"), {}});
        QVERIFY(history.Open());
        QCOMPARE(history.LatestRecords(QStringLiteral("ZTV000123456")).size(), 2);
    }
    QCOMPARE(FileBytes(csv), ToCp1250(QStringLiteral("Numer;Nazwa;PTU;Ilość;Wartość;\n"
                                                     "12;Żółw z czekolady;A;2,5000;19,99\n"
                                                     "2000;Ostatni;C;0,0005;0,01\n")));
    QCOMPARE(h_->Received(0xCB).size(), 1);
    // The register has nothing left to report.
    const Run again = Cli({"sales", "--port", "1", "--csv", Path("po.csv")});
    QCOMPARE(again.code, 0);
    QCOMPARE(FileBytes(Path("po.csv")), ToCp1250(QStringLiteral("Numer;Nazwa;PTU;Ilość;Wartość;\n")));
    // The earlier file is never replaced unasked.
    const Run twice = Cli({"sales", "--port", "1", "--csv", csv});
    QCOMPARE(twice.code, 4);
    QCOMPARE(twice.err, QStringLiteral("zelk-tuvo-cli: %1 already exists; give --force to replace it.\n").arg(csv));
    QVERIFY(FileBytes(csv).contains("Ostatni"));
}

void TestCli::salesNotWholeClearNothing_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("unwritable");
    QTest::addColumn<int>("code");
    QTest::newRow("damaged frame") << "X:2:damage" << false << 2;
    QTest::newRow("register falls silent") << "X:2:noreply" << false << 2;
    QTest::newRow("file cannot be written") << QString() << true << 4;
    QTest::newRow("history cannot be written") << QStringLiteral("history") << false << 4;
}

void TestCli::salesNotWholeClearNothing() {
    QFETCH(QString, fault);
    QFETCH(bool, unwritable);
    QFETCH(int, code);
    h_->sim.WithState([](SimState& s) { s.LoadDemo(); });
    const bool history = fault == QLatin1String("history");
    if (!fault.isEmpty() && !history) h_->AddFault(fault);
    const QString csv = unwritable ? Path("brak/sprzedaz.csv") : Path("sprzedaz.csv");
    QStringList args{"sales", "--port", "1", "--csv", csv, "--clear"};
    if (history) args << QStringLiteral("--history") << Path("brak/historia.sqlite");
    const Run r = Cli(args);
    QCOMPARE(r.code, code);
    // A history that did not take the download still leaves the file: only the clearing waits.
    QCOMPARE(QFileInfo::exists(csv), history);
    if (history)
        QVERIFY2(r.err.contains(QStringLiteral("Sprzedaż nie została zapisana w historii sprzedaży (") +
                                Path("brak/historia.sqlite")),
                 qPrintable(r.err));
    QVERIFY(h_->Received(0xCB).isEmpty());
    if (unwritable)
        QVERIFY2(r.err.contains(QStringLiteral("Nie mogę zapisać do pliku ") + csv), qPrintable(r.err));
    h_->sim.WithState([](SimState& s) { QVERIFY(s.goods.Record(1).mid(49, 4) != QByteArray(4, '\0')); });
}

void TestCli::backupThenOnlyChangedGoodsSent() {
    h_->sim.WithState([](SimState& s) { s.LoadDemo(); });
    const QString db = Path("kopia.zkf");
    const Run backup = Cli({"backup", "--port", "1", "--out", db});
    QCOMPARE(backup.code, 0);
    QVERIFY(backup.out.startsWith(QStringLiteral("Skopiowano z kasy:\n")));
    QVERIFY(backup.out.contains(QStringLiteral("Baza towarów: 20\n")));
    const QByteArray saved = FileBytes(db);
    QCOMPARE(Cli({"backup", "--port", "1", "--out", db}).code, 4);
    QCOMPARE(FileBytes(db), saved);

    EditDatabase(db, [](WorkImage& image) {
        for (int n : {3, 17}) {
            GoodsFields g = ReadGoodsRecord(image, n);
            g.price += 10;
            QCOMPARE(WriteGoodsRecord(image, g), 0);
        }
    });
    QList<QByteArray> before;
    h_->sim.WithState([&](SimState& s) {
        for (int n = 1; n <= 20; ++n) before << s.goods.Record(n);
    });
    h_->sim.ClearLog();
    const Run program = Cli({"program", "--port", "1", "--db", db, "--changed-only", "--fast", "--json"});
    QCOMPARE(program.code, 0);
    const QList<QByteArray> sent = h_->Received('T');
    // The goods request, then exactly the two records that differ.
    QCOMPARE(sent.size(), 3);
    QCOMPARE(GoodsNumber(sent[1]), 3);
    QCOMPARE(GoodsNumber(sent[2]), 17);
    QCOMPARE(FrameNumber(sent[2]) & LastFrameFlag, LastFrameFlag);
    h_->sim.WithState([&](SimState& s) {
        for (int n = 1; n <= 20; ++n) {
            if (n == 3 || n == 17) QVERIFY(s.goods.Record(n) != before[n - 1]);
            else QCOMPARE(s.goods.Record(n), before[n - 1]);  // sales counters untouched
        }
        // The changed goods keep their sales counters too.
        QCOMPARE(s.goods.Record(3).mid(49, 12), before[2].mid(49, 12));
    });
    const QJsonObject result = QJsonDocument::fromJson(program.out.toUtf8()).object();
    QCOMPARE(result.value(QStringLiteral("tables")).toArray().at(2).toObject(),
             QJsonObject({{"table", "Baza towarów"}, {"differing", 2}, {"sent", 2}, {"accepted", 2}, {"refused", 0}}));
    // Sent again, nothing differs any more.
    h_->sim.ClearLog();
    QCOMPARE(Cli({"program", "--port", "1", "--db", db, "--changed-only", "--fast"}).code, 0);
    QCOMPARE(h_->Received('T').size(), 1);
}

void TestCli::refusedRecordNamed_data() {
    QTest::addColumn<bool>("changedOnly");
    QTest::newRow("whole table") << false;
    QTest::newRow("changed only") << true;
}

void TestCli::refusedRecordNamed() {
    QFETCH(bool, changedOnly);
    h_->sim.WithState([](SimState& s) { s.LoadDemo(); });
    const QString db = Path("kopia.zkf");
    QCOMPARE(Cli({"backup", "--port", "1", "--out", db}).code, 0);
    // Goods 5 names a group the register does not have: it is refused.
    EditDatabase(db, [](WorkImage& image) {
        GoodsFields g = ReadGoodsRecord(image, 5);
        g.group = 9;
        WriteGoodsRecord(image, g);
    });
    QStringList args{"program", "--port", "1", "--db", db, "--tables", "goods", "--fast"};
    if (changedOnly) args << QStringLiteral("--changed-only");
    const Run r = Cli(args);
    QVERIFY2(r.code == 3, qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("Baza towarów: 5.Ser żółty gouda - Zły numer grupy towarowej (więcej "
                                           "niż 20 lub grupa niezaprogramowana)\n")),
             qPrintable(r.err));
    // The others went on.
    h_->sim.WithState([](SimState& s) { QVERIFY(s.goods.Present(20)); });
    // The run is in the transfer log of the program's folder, the refusal with it.
    int refused = 0;
    for (const LogEntry& e : TransferLog::ReadDay(Path("ZelkTuvo/dziennik"), QDate::currentDate())) {
        if (e.Failed()) {
            QCOMPARE(e.runName, QStringLiteral("zelk-tuvo-cli program"));
            ++refused;
            QCOMPARE(e.record, 5);
            QCOMPARE(e.result, QStringLiteral("odrzucony przez kasę"));
        }
    }
    QCOMPARE(refused, 1);
}

void TestCli::interruptStopsAfterTheRecordInHand() {
    h_->sim.WithState([](SimState& s) { s.LoadDemo(); });
    const QString db = Path("kopia.zkf");
    QCOMPARE(Cli({"backup", "--port", "1", "--out", db}).code, 0);
    // The register holds none of the goods, so all twenty differ; it answers
    // each record slowly enough for the interrupt to come in the middle.
    h_->sim.WithState([](SimState& s) {
        for (int n = 1; n <= 20; ++n) s.goods.Clear(n);
    });
    h_->sim.ClearLog();
    h_->AddFault(QStringLiteral("T:0:delay:100"));
    const Run r = Cli({"program", "--port", "1", "--db", db, "--tables", "goods", "--changed-only", "--fast"},
                      [&](QProcess& p) {
                          QTRY_VERIFY_WITH_TIMEOUT(h_->Received('T').size() >= 4, 20000);
                          ::kill(pid_t(p.processId()), SIGINT);
                      });
    QCOMPARE(r.code, 5);
    QVERIFY2(r.err.contains(QStringLiteral("cancelled")), qPrintable(r.err));
    const QList<QByteArray> sent = h_->Received('T');
    QVERIFY(sent.size() > 3 && sent.size() < 21);
    // The record after the interrupt went out as the last one, so the register
    // closed its run; every record it was sent it holds whole.
    QCOMPARE(FrameNumber(sent.last()) & LastFrameFlag, LastFrameFlag);
    h_->sim.WithState([&](SimState& s) {
        for (int i = 1; i < sent.size(); ++i) QVERIFY(s.goods.Present(GoodsNumber(sent[i])));
        QCOMPARE(s.goods.Used(), int(sent.size()) - 1);
    });
}

void TestCli::csvExchangeAllOrNothing() {
    h_->sim.WithState([](SimState& s) { s.LoadDemo(); });
    const QString db = Path("kopia.zkf");
    QCOMPARE(Cli({"backup", "--port", "1", "--out", db}).code, 0);
    const QString csv = Path("towary.csv");
    const Run exported = Cli({"export", "--db", db, "--table", "goods", "--csv", csv, "--utf8"});
    QCOMPARE(exported.code, 0);
    QString text = QString::fromUtf8(FileBytes(csv));
    QVERIFY(text.contains(QStringLiteral(";Bułka kajzerka;")));
    QCOMPARE(Cli({"export", "--db", db, "--table", "goods", "--csv", csv}).code, 4);

    // One line that does not convert: the database file stays as it was.
    const QByteArray saved = FileBytes(db);
    QFile bad(Path("zle.csv"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    // A price that is no number, in the last line.
    text.replace(QStringLiteral(";Bułka kajzerka;"), QStringLiteral(";Bułka grahamka;"));
    bad.write(QString(text).replace(QStringLiteral(";Banany;"), QStringLiteral(";Banany;1,9x;")).toUtf8());
    bad.close();
    const Run refused = Cli({"import", "--db", db, "--table", "goods", "--csv", bad.fileName()});
    QCOMPARE(refused.code, 6);
    QVERIFY2(refused.err.contains(QStringLiteral("Błąd w wierszu")), qPrintable(refused.err));
    QCOMPARE(FileBytes(db), saved);
    // A file of another table is not taken for this one.
    QCOMPARE(Cli({"import", "--db", db, "--table", "cashiers", "--csv", csv}).code, 6);
    QCOMPARE(FileBytes(db), saved);

    QFile good(Path("dobre.csv"));
    QVERIFY(good.open(QIODevice::WriteOnly));
    good.write(text.toUtf8());
    good.close();
    const Run imported = Cli({"import", "--db", db, "--table", "goods", "--csv", good.fileName(), "--json"});
    QCOMPARE(imported.code, 0);
    QCOMPARE(imported.out, QStringLiteral("{\"db\":\"%1\",\"skipped\":0,\"table\":\"goods\",\"written\":20}\n").arg(db));
    QVERIFY(FileBytes(db).contains(ToCp1250(QStringLiteral("Bułka grahamka"))));
}

void TestCli::reportChecksAndClock() {
    const Run report = Cli({"report", "sales", "--port", "1", "--group", "1", "--zeroing"});
    QCOMPARE(report.code, 0);
    const QByteArray expected = SalesReportForGroupFrame(1, 1, 0).Bytes(1);
    QCOMPARE(h_->Received(uint8_t(expected[6])), QList<QByteArray>{expected});
    h_->sim.ClearLog();
    QCOMPARE(Cli({"report", "cashier", "--port", "1", "--cashier", "11"}).code, 1);
    QVERIFY(h_->Received().isEmpty());

    const Run clock = Cli({"clock", "--now", "--port", "1"});
    QCOMPARE(clock.code, 0);
    QCOMPARE(h_->Received('C').size(), 1);
    // The register refuses: its reason is told and the code says so.
    h_->AddFault(QStringLiteral("C:1:error:86"));
    const Run refused = Cli({"clock", "--now", "--port", "1"});
    QCOMPARE(refused.code, 3);
    QVERIFY2(refused.err.contains(RegisterErrorText(86)), qPrintable(refused.err));
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
