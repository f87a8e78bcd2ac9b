// The cache memory dump against the simulated register.
#include <QtTest>
#include <QLabel>
#include <QProgressBar>
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
    void damagedAndCancelled();
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
    // The file dialog proposes Kopia_cache.bin here, and an older one is replaced
    // only after the question.
    f.t.prompts.fileNames = {dir.filePath("Kopia_cache.bin")};
    w.Button1->click();
    QCOMPARE(f.t.prompts.dialogs.value(0).fileName, QDir::current().filePath("Kopia_cache.bin"));
    QCOMPARE(h.Received(':').value(0), RegisterFrame(10, 1, ':', Hex("01")));
    QCOMPARE(f.t.prompts.Texts(),
             (QStringList{QStringLiteral("Plik ") + dir.filePath("Kopia_cache.bin") + QStringLiteral(" już istnieje. Kontynuować? "),
                          QStringLiteral("Pamięć podręczna zapisana do pliku 'Kopia_cache.bin'.")}));
    QCOMPARE(w.ProgressBar1->value(), 8192);
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
    f.t.prompts.fileNames = {dir.filePath("Kopia_cache.bin")};
    w.Button1->click();
    // One fault, one message.
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("Błąd transmisji. Zapisano 2 z 8192 pakietów.")});
    QCOMPARE(ReadFileBytes("Kopia_cache.bin").size(), 2 * 256);  // what came is kept, no trailer
    QDir::setCurrent(old);
}

// A damaged packet is skipped and told once at the end; a dump cancelled at
// packet 100 leaves the earlier file exactly as it was.
void TestCacheDump::damagedAndCancelled() {
    QTemporaryDir dir;
    GuiFixture f;
    SimHarness& h = f.Connect();
    h.sim.SetCachePackets(300);
    h.AddFault(QStringLiteral("0x3A:5:damage"));
    TKopiaPamieciPodrecznej w(f.t.services);
    w.show();
    const QString path = dir.filePath("zrzut.bin");
    f.t.prompts.fileNames = {path};
    w.Button1->click();
    QCOMPARE(f.t.prompts.Texts(), QStringList{QStringLiteral("Pamięć podręczna zapisana do pliku 'zrzut.bin'.\n"
                                                             "Uszkodzone pakiety zapisane jako zera: 1.")});
    const QByteArray earlier = ReadFileBytes(path);
    QCOMPARE(earlier.size(), 300 * 256 + CacheDumpTrailer(f.t.clock.Now()).size());
    QCOMPARE(earlier.mid(4 * 256, 256), QByteArray(256, '\0'));  // the damaged fifth keeps its place
    QCOMPARE(uint8_t(earlier[5 * 256]), uint8_t((5 * 7) & 0xFF));
    // The next dump proposes the same file; "Anuluj" at packet 128.
    f.t.prompts.Clear();
    f.t.prompts.fileNames = {path};
    h.sim.SetCachePackets(8192);
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        if (w.Label2->text().toInt() >= 100 && w.Button2->isEnabled()) w.Button2->click();
    });
    cancel.start(0);
    w.Button1->click();
    cancel.stop();
    QCOMPARE(f.t.prompts.dialogs.last().fileName, path);
    QCOMPARE(f.t.prompts.Texts().last(),
             QStringLiteral("Zrzut przerwany przez użytkownika. Plik zrzut.bin nie został zmieniony."));
    QVERIFY(w.Label2->text().toInt() < 8192);
    QCOMPARE(ReadFileBytes(path), earlier);
    QTRY_COMPARE(h.ControlStatuses().last(), 4);
}

QTEST_MAIN(TestCacheDump)
#include "test_cachedump.moc"
