// The cache memory dump against the simulated register.
#include <QtTest>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "copy/Zrzutpamieci.h"
#include "copy/cachedump.h"
#include "link/registererrors.h"
#include "simulator.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

class TestCacheDump : public QObject {
    Q_OBJECT
private slots:
    void wholeDumpReplacesTheFile();
    void brokenOff();
};

void TestCacheDump::wholeDumpReplacesTheFile() {
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    GuiFixture f;
    SimHarness& h = f.Connect();
    QVERIFY(WriteFileBytes("Kopia_cache.bin", QByteArray(3 * 1024 * 1024, 'x')));  // an older, longer file
    TKopiaPamieciPodrecznej w(f.t.services);
    w.show();
    w.Button1->click();
    QCOMPARE(h.Received(':').value(0), RegisterFrame(10, 1, ':', Hex("01")));
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("Pamięć podręczna zapisana do pliku 'Kopia_cache.bin'.")});
    QCOMPARE(w.Label2->text(), QStringLiteral("8192"));
    QVERIFY(!w.Panel2->isVisible());
    const QByteArray file = ReadFileBytes("Kopia_cache.bin");
    const QByteArray trailer = CacheDumpTrailer(f.t.clock.Now());
    QCOMPARE(file.size(), 2097152 + trailer.size());
    QVERIFY(file.endsWith(trailer));
    QVERIFY(trailer.startsWith("\rData wykoniania kopii: "));
    // Packet i holds (i * 7 + j) & 0xFF as the simulator sends it.
    for (int i : {0, 1, 8191})
        for (int j : {0, 255}) QCOMPARE(uint8_t(file[i * 256 + j]), uint8_t((i * 7 + j) & 0xFF));
    QVERIFY(f.t.clock.pauses.contains(100));
    QDir::setCurrent(old);
}

void TestCacheDump::brokenOff() {
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    GuiFixture f;
    SimHarness& h = f.Connect();
    h.sim.SetCachePackets(10);
    h.AddFault(QStringLiteral("0x3A:3:status:32"));  // the third packet never comes
    TKopiaPamieciPodrecznej w(f.t.services);
    w.show();
    w.Button1->click();
    QCOMPARE(f.t.prompts.Texts().size(), 2);  // the reply reader's own message, then ours
    QCOMPARE(f.t.prompts.Texts().last(), QStringLiteral("Błąd transmisji"));
    QCOMPARE(ReadFileBytes("Kopia_cache.bin").size(), 2 * 256);  // what came is kept, no trailer
    QDir::setCurrent(old);
}

QTEST_MAIN(TestCacheDump)
#include "test_cachedump.moc"
