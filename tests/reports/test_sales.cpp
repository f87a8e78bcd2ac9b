// The sales download window against the simulated register, and its CSV file.
#include <QtTest>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include "history/saleshistory.h"
#include "image/fields.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "reports/Sciaganiesprzedazy.h"
#include "simstate.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

class TestSales : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void downloadRequestsAndRows();
    void zeroSalesAndCancel();
    void exportReplacesTheFile();
    void clearingAsksAndTells();
    void clearingOnlyAfterAWholeDownload_data();
    void clearingOnlyAfterAWholeDownload();
    void lateFrameIsNotTheAnswer();
    void downloadKeptInHistoryBeforeClearing();

private:
    GuiFixture* f_ = nullptr;
    SimHarness* h_ = nullptr;
    TSciaganieSprzedazy* w_ = nullptr;
};

void TestSales::init() {
    f_ = new GuiFixture;
    h_ = &f_->Connect();
    h_->sim.WithState([](SimState& s) {
        s.goods.Set(12, RegisterGoods(12, QStringLiteral("Żółw z czekolady"), 'A', 500, "1", 1, 25000, 1999));
        s.goods.Set(13, RegisterGoods(13, QStringLiteral("Bez sprzedaży"), 'B', 100, "2", 1));
        s.goods.Set(2000, RegisterGoods(2000, QStringLiteral("Ostatni"), 'C', 100, "3", 1, 5, 1));
    });
    w_ = new TSciaganieSprzedazy(f_->t.services);
    w_->show();
}

void TestSales::cleanup() {
    delete w_;
    delete f_;
}

void TestSales::downloadRequestsAndRows() {
    QVERIFY(w_->CheckBox1->isChecked());
    w_->BitBtn1->click();
    QCOMPARE(h_->Received('X'), QList<QByteArray>{RegisterFrame(11, 0x8001, 'X', Hex("00 00"))});
    QCOMPARE(w_->ListBox1->count(), 2);
    QCOMPARE(w_->ListBox1->item(0)->text(),
             QStringLiteral("  12. Żółw z czekolady") + QString(26, QLatin1Char(' ')) +
                 QStringLiteral(" A       2,5000      19,99"));
    QCOMPARE(w_->ListBox1->item(0)->text().size(), 48 + 3 + 12 + 1 + 10);
    QCOMPARE(w_->ListBox1->item(1)->text().left(6), QStringLiteral("2000. "));
    QVERIFY(w_->ListBox1->item(1)->text().endsWith(QStringLiteral("      0,0005       0,01")));
    QCOMPARE(w_->Label27->text(), QStringLiteral("2"));
    QVERIFY(!w_->Panel3->isVisible());
    QVERIFY(w_->BitBtn1->isEnabled());
    // All records: command 0x59, the goods without sales listed too.
    w_->CheckBox1->setChecked(false);
    w_->BitBtn1->click();
    QCOMPARE(h_->Received('Y'), QList<QByteArray>{RegisterFrame(11, 0x8001, 'Y', Hex("00 00"))});
    QCOMPARE(w_->ListBox1->count(), 3);
    QVERIFY(f_->t.prompts.Texts().isEmpty());
}

void TestSales::zeroSalesAndCancel() {
    h_->sim.WithState([](SimState& s) {
        s.goods.Clear(12);
        s.goods.Clear(2000);
    });
    w_->BitBtn1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Zerowa wartość sprzedaży.")});
    QCOMPARE(w_->ListBox1->count(), 0);
    // "Anuluj" pressed as the download starts: the record in hand is still stored
    // and listed, and the register is told the transfer was cancelled.
    f_->t.prompts.Clear();
    h_->sim.WithState([](SimState& s) {
        for (int n = 1; n <= 10; ++n) s.goods.Set(n, RegisterGoods(n, QStringLiteral("T%1").arg(n), 'A', 1, "1", 1, 1, 1));
    });
    QTimer::singleShot(0, w_->Button3, &QPushButton::click);
    w_->BitBtn1->click();
    QCOMPARE(w_->ListBox1->count(), 1);
    QTRY_COMPARE(h_->ControlStatuses().value(h_->ControlStatuses().size() - 1, -1), 4);
    // The next download starts afresh.
    w_->BitBtn1->click();
    QCOMPARE(w_->ListBox1->count(), 10);
}

void TestSales::exportReplacesTheFile() {
    w_->BitBtn1->click();
    QTemporaryDir dir;
    const QString path = dir.path() + "/sprzedaz.csv";
    QVERIFY(WriteFileBytes(path, QByteArray(500, 'x')));  // an older, longer export
    f_->t.prompts.fileNames = {path};
    w_->BitBtn4->click();
    QCOMPARE(f_->t.prompts.dialogs.value(0).filter, QStringLiteral("Pliki CSV (*.csv)|*.csv"));
    QCOMPARE(ReadFileBytes(path), QByteArray("Numer;Nazwa;PTU;Ilo\x9C\xE6;Warto\x9C\xE6;\n"
                                             "12;\xAF\xF3\xB3w z czekolady;A;2,5000;19,99\n"
                                             "2000;Ostatni;C;0,0005;0,01\n"));
    // A file that cannot be written is said so, not passed over.
    const QString bad = dir.path() + "/brak/sprzedaz.csv";
    f_->t.prompts.fileNames = {bad};
    w_->BitBtn4->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Nie mogę zapisać do pliku ") + bad + "."});
    // Cancelled: nothing happens.
    f_->t.prompts.Clear();
    w_->BitBtn4->click();
    QVERIFY(f_->t.prompts.Texts().isEmpty());
}

void TestSales::clearingAsksAndTells() {
    const QString question = QStringLiteral("Skasować sprzedaż zapisaną w kasie?");
    w_->BitBtn1->click();
    f_->t.prompts.answers = {PromptAnswer::No};
    w_->BitBtn2->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{question});
    QVERIFY(h_->Received(0xCB).isEmpty());
    f_->t.prompts.Clear();
    w_->BitBtn2->click();
    QCOMPARE(h_->Received(0xCB), QList<QByteArray>{RegisterFrame(10, 0x8001, 0xCB, Hex("01"))});
    QCOMPARE(f_->t.prompts.Texts(), (QStringList{question, QStringLiteral("Sprzedaż skasowana")}));
    h_->sim.WithState([](SimState& s) { QCOMPARE(Long(s.goods.Slot(12) + 49), 0u); });
    // The list still shows the sales the register no longer holds: a second
    // clearing needs a new download.
    f_->t.prompts.Clear();
    w_->BitBtn2->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Przed skasowaniem ściągnij sprzedaż z kasy.")});
    QCOMPARE(h_->Received(0xCB).size(), 1);
    // Refused, or never answered: said so, and silence is not taken for "not cleared".
    w_->CheckBox1->setChecked(false);
    w_->BitBtn1->click();
    f_->t.prompts.Clear();
    h_->AddFault(QStringLiteral("0xCB:1:error:75"));
    w_->BitBtn2->click();
    QCOMPARE(f_->t.prompts.Texts(),
             (QStringList{question, QStringLiteral("Sprzedaż nie została skasowana.\n") + RegisterErrorMessage(75)}));
    f_->t.prompts.Clear();
    h_->AddFault(QStringLiteral("0xCB:1:noreply"));
    f_->t.clock.timeoutDivisor = 10;
    w_->BitBtn2->click();
    QCOMPARE(f_->t.prompts.Texts(),
             (QStringList{question, QStringLiteral("Kasa nie odpowiedziała. Nie wiadomo, czy sprzedaż została "
                                                   "skasowana - ściągnij sprzedaż, aby to sprawdzić.")}));
}

// A download that did not complete never leads to clearing: the register's sales
// stay, nothing is sent, and the user is told the list is incomplete.
void TestSales::clearingOnlyAfterAWholeDownload_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("late frame") << QStringLiteral("X:2:delay:400") << false;
    QTest::newRow("damaged") << QStringLiteral("X:2:damage") << false;
    QTest::newRow("truncated") << QStringLiteral("X:2:truncate:5") << false;
    QTest::newRow("refused") << QStringLiteral("X:2:error:19") << false;
    QTest::newRow("silent") << QStringLiteral("X:2:noreply") << false;
    QTest::newRow("cancelled") << QString() << true;
}

void TestSales::clearingOnlyAfterAWholeDownload() {
    QFETCH(QString, fault);
    QFETCH(bool, cancel);
    f_->t.clock.timeoutDivisor = 10;
    if (!fault.isEmpty()) h_->AddFault(fault);
    if (cancel) QTimer::singleShot(0, w_->Button3, &QPushButton::click);
    w_->BitBtn1->click();
    QVERIFY(w_->ListBox1->count() < 2);
    // Whatever was late has arrived by now.
    QTest::qWait(500);
    f_->t.prompts.Clear();
    w_->BitBtn2->click();
    QCOMPARE(f_->t.prompts.Texts(),
             QStringList{QStringLiteral("Lista sprzedaży jest niepełna (ściąganie nie zostało ukończone). "
                                        "Ściągnij sprzedaż ponownie przed jej skasowaniem.")});
    QVERIFY(h_->Received(0xCB).isEmpty());
    h_->sim.WithState([](SimState& s) { QCOMPARE(Long(s.goods.Slot(12) + 49), 25000u); });
    // A whole download makes clearing possible again.
    f_->t.prompts.Clear();
    w_->BitBtn1->click();
    QCOMPARE(w_->ListBox1->count(), 2);
    w_->BitBtn2->click();
    QCOMPARE(f_->t.prompts.Texts().value(1), QStringLiteral("Sprzedaż skasowana"));
}

// A data frame that comes after its download gave up is never taken for the
// answer to the next command.
void TestSales::lateFrameIsNotTheAnswer() {
    f_->t.clock.timeoutDivisor = 10;
    h_->AddFault(QStringLiteral("X:2:delay:400"));
    w_->BitBtn1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{QStringLiteral("Brak komunikacji.")});
    RegisterLink& link = f_->t.link;
    QTRY_VERIFY(link.BytesWaiting() >= sales::kReplyLength);
    f_->t.clock.timeoutDivisor = 1;
    QVERIFY(SendOver(link, ClockFrame(QDateTime(QDate(2026, 12, 11), QTime(10, 0)))));
    QCOMPARE(ReadAck(link), int(AckAcceptedEnd));
    QCOMPARE(h_->Received('C').size(), 1);
}

QTEST_MAIN(TestSales)
#include "test_sales.moc"

// Every whole download goes into the sales history first; a download the
// history could not take is cleared only after a second question naming the risk.
void TestSales::downloadKeptInHistoryBeforeClearing() {
    const HistoryLocation where{f_->t.work.filePath(QStringLiteral("historia.sqlite")), {}};
    w_->BitBtn1->click();
    QCOMPARE(f_->t.prompts.Texts(), QStringList{});
    {
        SalesHistory history(where);
        QVERIFY(history.Open());
        const QList<QByteArray> kept = history.LatestRecords(QStringLiteral("ZTV000123456"));
        QCOMPARE(kept.size(), 2);
        QCOMPARE(kept, QList<QByteArray>({w_->table.Record(12), w_->table.Record(2000)}));
        // Read again with nothing sold in between: kept once.
        w_->BitBtn1->click();
        QCOMPARE(history.Downloads(), 1);
    }

    // The history's file cannot be made: said at once, and clearing asks twice.
    f_->t.app.historyDirectory = f_->t.work.filePath(QStringLiteral("brak/folderu"));
    f_->t.prompts.Clear();
    w_->BitBtn1->click();
    QCOMPARE(f_->t.prompts.Texts().size(), 1);
    QVERIFY2(f_->t.prompts.Texts()[0].startsWith(QStringLiteral("Sprzedaż nie została zapisana w historii sprzedaży (") +
                                                 f_->t.app.historyDirectory + QStringLiteral("/historia.sqlite): ")),
             qPrintable(f_->t.prompts.Texts()[0]));
    f_->t.prompts.Clear();
    f_->t.prompts.answers = {PromptAnswer::Yes, PromptAnswer::No};
    w_->BitBtn2->click();
    QCOMPARE(f_->t.prompts.Texts().size(), 2);
    QVERIFY(f_->t.prompts.Texts()[1].endsWith(
        QStringLiteral("Po skasowaniu w kasie te dane przepadną. Czy mimo to skasować sprzedaż?")));
    QVERIFY(h_->Received(0xCB).isEmpty());
    // Told the risk, the user may still clear.
    f_->t.prompts.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    w_->BitBtn2->click();
    QCOMPARE(h_->Received(0xCB).size(), 1);
}
