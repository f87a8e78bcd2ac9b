// The main window: start-up, the task dispatcher, connecting, the database files
// and the close question, driven through its named controls.
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QMenu>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include "image/imagestore.h"
#include "image/layout.h"
#include "link/commands.h"
#include "link/transmissionsettings.h"
#include "copy/Odczytkopii.h"
#include "shell/Forms.h"
#include "shell/Menuglowne.h"
#include "shell/Nowabaza.h"
#include "shell/Oprogramie.h"
#include "shell/Pomoc.h"
#include "tables/Programowanienip.h"
#include "shell/Program.h"
#include "shell/databasefile.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

using namespace layout;

namespace {

// Stands in for a task window: counts its showings and closes at once.
class ProbeForm : public TForm {
public:
    ProbeForm(Services& s, const QString& name) : TForm(s) { setObjectName(name); }
    int shown = 0;

protected:
    void FormShow() override {
        ++shown;
        QTimer::singleShot(0, this, &QDialog::close);
    }
};

// Runs f once the modal dialog is up.
void WhenShown(QWidget* dialog, std::function<void()> f) {
    auto* timer = new QTimer(dialog);
    QObject::connect(timer, &QTimer::timeout, dialog, [dialog, timer, f] {
        if (!dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        f();
    });
    timer->start(10);
}

}  // namespace

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpState();
    void startUpWithoutWorkingImage();
    void damagedSettingsFile();
    void openIntoAFullWorkingFolder();
    void dispatcherModeTests();
    void enterAndEscapeKeys();
    void autoConnectFindsRegister();
    void autoConnectFindsNothing();
    void lostRegisterShownAtOnce();
    void connectWithLastSettings();
    void saveAndReopen();
    void saveRefusals();
    void openVersion1File();
    void openServiceDatabaseAndBadFiles();
    void newDatabase();
    void unsavedChangesQuestion();
    void closeQuestion();
    void closingWaitsForTransfers();
    void keyboardHelpAndWhereConnected();
    void windowsMadeWhenFirstNeeded();
    void secondInstance();
    void aboutBox();

private:
    void Build();
    GuiFixture* f_ = nullptr;
    TestServices* t_ = nullptr;
    FormRegistry* forms_ = nullptr;
    TMenuGlowne* main_ = nullptr;
    QTemporaryDir* cwd_ = nullptr;
    QString oldCwd_;
};

void TestShell::init() {
    cwd_ = new QTemporaryDir;
    oldCwd_ = QDir::currentPath();
    QDir::setCurrent(cwd_->path());
    f_ = new GuiFixture;
    t_ = &f_->t;
}

void TestShell::Build() {
    forms_ = new FormRegistry;
    main_ = new TMenuGlowne(t_->services, *forms_);
    CreateForms(t_->services, *forms_, main_);
    main_->FormsCreated();
}

void TestShell::cleanup() {
    delete main_;
    main_ = nullptr;
    delete forms_;
    forms_ = nullptr;
    delete f_;
    QDir::setCurrent(oldCwd_);
    delete cwd_;
}

void TestShell::startUpWithoutWorkingImage() {
    // Something else holds the working file's name in TEMP.
    t_->image.Close();
    QVERIFY(QFile::remove(t_->env.Path() + "/BDTemp.bdt"));
    QVERIFY(QDir(t_->env.Path()).mkdir("BDTemp.bdt"));
    Build();
    main_->show();
    QCOMPARE(t_->app.workMode, int(ModeNone));
    QVERIFY(!t_->image.IsOpen());
    QCOMPARE(t_->prompts.shown.size(), 1);
    QVERIFY(t_->prompts.shown[0].text.startsWith(QStringLiteral("Nie mogę utworzyć roboczej bazy danych w ") +
                                                 t_->env.Path() + QStringLiteral(": ")));
    QVERIFY(main_->Label9->isVisible());  // BRAK
    QVERIFY(!main_->Label4->isVisible());
    QCOMPARE(QDir(t_->env.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

// A damaged ustaw.cfg is refused with a message naming it, and the defaults are
// used, so the automatic connection still finds the register.
void TestShell::damagedSettingsFile() {
    SimHarness h(2);
    QVERIFY(WriteFileBytes(cwd_->path() + "/ustaw.cfg", Hex("00 02 00 C2 01 00 0B 09 07 05 05 00 00 00")));
    Build();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Plik ustawień transmisji ") + cwd_->path() +
                                              QStringLiteral("/ustaw.cfg jest uszkodzony. Użyto ustawień domyślnych.")});
    QVERIFY(t_->link.Settings() == PortSettings());
    t_->prompts.Clear();
    main_->show();
    main_->SpeedButton2->click();
    QVERIFY(t_->prompts.Texts().isEmpty());
    QCOMPARE(t_->link.Port(), 2);
    // A short file is damaged too; a missing one is simply the defaults.
    delete main_;
    delete forms_;
    QVERIFY(WriteFileBytes(cwd_->path() + "/ustaw.cfg", Hex("00 02 00")));
    t_->prompts.Clear();
    Build();
    QCOMPARE(t_->prompts.Texts().size(), 1);
    delete main_;
    delete forms_;
    QVERIFY(QFile::remove(cwd_->path() + "/ustaw.cfg"));
    t_->prompts.Clear();
    Build();
    QVERIFY(t_->prompts.Texts().isEmpty());
}

// A good database file opened while the working folder cannot take it: the
// message says the working folder (and where), not that the file was bad.
void TestShell::openIntoAFullWorkingFolder() {
    Build();
    const QString path = cwd_->path() + "/dobra.zkf";
    t_->prompts.fileNames = {path};
    main_->Zapiszbazdanychdopliku1->trigger();
    QVERIFY(QFile::exists(path));
    const QByteArray before = ReadFileBytes(t_->image.Path());
    t_->prompts.Clear();
    t_->prompts.fileNames = {path};
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100000;  // room for less than an image, as a full disk has
    setrlimit(RLIMIT_FSIZE, &small);
    main_->Otwrzplikbazydanych1->trigger();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    QCOMPARE(t_->prompts.Texts().size(), 1);
    const QString text = t_->prompts.Texts()[0];
    QVERIFY2(text.startsWith(QStringLiteral("Nie mogę zapisać roboczej bazy danych w ") + t_->env.Path() + ": "),
             qPrintable(text));
    QVERIFY(text.endsWith(QStringLiteral(". Plik bazy nie został otwarty.")));
    QCOMPARE(ReadFileBytes(t_->image.Path()), before);
}

void TestShell::startUpState() {
    SimHarness h(1);
    PortSettings s;
    s.port = 1;
    QVERIFY(SaveTransmissionSettings(s, cwd_->path()));
    t_->app.recordCurrencySymbol = QStringLiteral("PLN");
    Build();
    main_->show();
    QCOMPARE(t_->app.workMode, int(ModeOffline));
    QCOMPARE(t_->app.databaseName, QStringLiteral("Bez nazwy"));
    QVERIFY(!t_->app.databaseModified);
    QCOMPARE(t_->link.Settings().port, 1);
    QVERIFY(!t_->link.IsOpen());  // nothing is opened at start-up
    QVERIFY(h.Received().isEmpty());
    QCOMPARE(main_->windowTitle(), QStringLiteral("Zelk Tuvo Vex v. 1.50"));
    QVERIFY(main_->Label4->isVisible());
    QVERIFY(!main_->Label3->isVisible());
    QVERIFY(!main_->Label9->isVisible());
    QVERIFY(!main_->Image2->isVisible());
    QCOMPARE(main_->Label17->text(), QStringLiteral("Bez nazwy"));
    QCOMPARE(main_->Label8->text(), QStringLiteral("PLN"));
    QCOMPARE(main_->PageControl1->currentWidget(), main_->TabSheet2);
    // The twenty register tasks, then the whole-register transfers placed after them.
    QStringList appended;
    for (int i = 20; i < main_->TreeView3->topLevelItemCount(); ++i) appended << main_->TreeView3->topLevelItem(i)->text(0);
    QCOMPARE(appended, (QStringList{"Programowanie bazy klawiszy szybkich", "Zrzut pamięci podręcznej", "Kopiowanie bazy danych do kasy",
                                    "Kopiowanie danych z kasy do komputera", "Odczyt kopii elektronicznej",
                                    "Wyszukiwanie podłączonych kas", "Dziennik transmisji"}));
    QCOMPARE(main_->ProgramowanieBazyTree->topLevelItem(11)->text(0), QStringLiteral("Wydruk klawiatury"));
    QCOMPARE(ReadFileBytes(t_->image.Path()).left(20), QByteArray("ZELK_TUVO_V_2_00    "));
    QCOMPARE(QFileInfo(t_->image.Path()).size(), qint64(kImageSize));
    // Mode table.
    const struct { int mode; bool online, offline, brak, icon, name; } rows[] = {
        {ModeNone, false, false, true, false, false}, {ModeOffline, false, true, false, false, true},
        {ModeRegisterOnly, true, false, false, false, false}, {ModeOnline, true, false, false, true, true}};
    for (const auto& r : rows) {
        t_->app.workMode = r.mode;
        main_->RefreshStatusPanel();
        QCOMPARE(main_->Label3->isVisible(), r.online);
        QCOMPARE(main_->Label4->isVisible(), r.offline);
        QCOMPARE(main_->Label9->isVisible(), r.brak);
        QCOMPARE(main_->Image2->isVisible(), r.icon);
        QCOMPARE(main_->Label17->isVisible(), r.name);
    }
}

void TestShell::dispatcherModeTests() {
    Build();
    QHash<QString, ProbeForm*> probes;
    for (const char* name : {"TProgramowanieGrupTowarowych", "TWydrukKlawiatury", "TWykonywanieRaportuKasjera",
                             "TSynchronizacjaBazyTowarowej", "TProgramowanieStawekPTU"}) {
        auto* p = new ProbeForm(t_->services, QString::fromLatin1(name));
        forms_->Add(p);
        probes.insert(QString::fromLatin1(name), p);
    }
    main_->FormsCreated();
    main_->show();
    auto choose = [&](int page, int item) {
        main_->PageControl1->setCurrentIndex(page);
        QTreeWidget* tree = page == 0 ? main_->ProgramowanieBazyTree
                            : page == 1 ? main_->WykonywanieRaportowTree
                                        : main_->TreeView3;
        tree->setCurrentItem(tree->topLevelItem(item));
        main_->OpenSelectedTask();
    };
    const QString noDatabase = QStringLiteral(
        "Stwórz lub wczytaj z pliku bazę danych którą chcesz edytować, albo połącz się z kasą");
    struct Case { int mode, page, item; const char* form; bool opens; bool message; };
    const Case cases[] = {
        {ModeNone, 0, 0, "TProgramowanieGrupTowarowych", false, true},
        {ModeNone, 0, 11, "TWydrukKlawiatury", true, false},
        {ModeRegisterOnly, 0, 0, "TProgramowanieGrupTowarowych", true, false},
        {ModeOffline, 1, 5, "TWykonywanieRaportuKasjera", false, false},
        {ModeRegisterOnly, 1, 5, "TWykonywanieRaportuKasjera", true, false},
        {ModeOnline, 1, 5, "TWykonywanieRaportuKasjera", true, false},
        {ModeRegisterOnly, 2, 2, "TSynchronizacjaBazyTowarowej", false, false},
        {ModeOnline, 2, 2, "TSynchronizacjaBazyTowarowej", true, false},
        {ModeOffline, 2, 7, "TProgramowanieStawekPTU", false, false},
        {ModeRegisterOnly, 2, 7, "TProgramowanieStawekPTU", true, false},
        {ModeNone, 0, 7, "TProgramowanieStawekPTU", false, true},
        {ModeOffline, 0, 7, "TProgramowanieStawekPTU", true, false},
    };
    for (const Case& c : cases) {
        t_->app.workMode = c.mode;
        t_->prompts.Clear();
        ProbeForm* probe = probes.value(QString::fromLatin1(c.form));
        const int before = probe->shown;
        choose(c.page, c.item);
        QCOMPARE(probe->shown, before + (c.opens ? 1 : 0));
        QCOMPARE(t_->prompts.Texts(), c.message ? QStringList{noDatabase} : QStringList{});
    }
    // A register item that cannot open now says why in the status bar.
    t_->app.workMode = ModeOffline;
    choose(2, 9);
    QCOMPARE(main_->statusBar()->currentMessage(), QStringLiteral("Połącz się z kasą, aby otworzyć to okno."));
    choose(2, 2);
    QCOMPARE(main_->statusBar()->currentMessage(),
             QStringLiteral("Otwórz bazę danych i połącz się z kasą, aby otworzyć to okno."));
    // An item whose window the program lacks cannot be chosen.
    FormRegistry none;
    TMenuGlowne bare(t_->services, none);
    bare.FormsCreated();
    QVERIFY(!(bare.ProgramowanieBazyTree->topLevelItem(8)->flags() & Qt::ItemIsEnabled));
    QVERIFY(!(bare.TreeView3->topLevelItem(16)->flags() & Qt::ItemIsEnabled));
}

void TestShell::enterAndEscapeKeys() {
    Build();
    auto* probe = new ProbeForm(t_->services, QStringLiteral("TWydrukKlawiatury"));
    forms_->Add(probe);
    main_->FormsCreated();
    main_->show();
    t_->app.workMode = ModeNone;
    QTest::keyClick(main_->PageControl1, Qt::Key_Return);  // nothing selected on the reports page
    QCOMPARE(probe->shown, 0);
    QVERIFY(t_->prompts.shown.isEmpty());
    main_->PageControl1->setCurrentIndex(0);
    main_->ProgramowanieBazyTree->setCurrentItem(main_->ProgramowanieBazyTree->topLevelItem(11));
    QTest::keyClick(main_->ProgramowanieBazyTree, Qt::Key_Return);
    QCOMPARE(probe->shown, 1);
    t_->prompts.answers = {PromptAnswer::No};
    QTest::keyClick(main_->PageControl1, Qt::Key_Escape);
    QVERIFY(main_->isVisible());
    QCOMPARE(t_->prompts.shown.last().text, QStringLiteral("Czy na pewno chcesz opuścić program?"));
    QCOMPARE(t_->prompts.shown.last().title, QStringLiteral("Zelk Tuvo Vex v. 1.50"));
    t_->prompts.answers = {PromptAnswer::Yes};
    QTest::keyClick(main_->PageControl1, Qt::Key_Escape);
    QVERIFY(!main_->isVisible());
}

void TestShell::autoConnectFindsRegister() {
    SimHarness com4(4);
    SimHarness com2(com4, 2);
    com2.AddFault(QStringLiteral("Q:0:ack:0"));  // answers, but not as a register does
    Build();
    main_->show();
    Choose(t_->link, [&](PortSettings& s) { s.baud = 9600; });
    main_->SpeedButton2->click();
    QCOMPARE(t_->app.workMode, int(ModeOnline));
    QVERIFY(t_->link.IsOpen());
    QCOMPARE(t_->link.Settings().port, 4);
    QCOMPARE(t_->link.Settings().baud, 115200u);
    QVERIFY(!main_->Panel4->isVisible());
    QVERIFY(main_->Label3->isVisible());
    QVERIFY(t_->prompts.shown.isEmpty());
    QTRY_COMPARE(com2.Received('Q').size(), 1);
    QCOMPARE(com4.Received('Q').value(0), RegisterFrame(10, 0x8001, 'Q', Hex("00")));
}

void TestShell::lostRegisterShownAtOnce() {
    SimHarness com3(3);
    Build();
    main_->show();
    main_->SpeedButton2->click();
    QCOMPARE(t_->app.workMode, int(ModeOnline));
    com3.Unplug();
    QVERIFY(!SendOver(t_->link, QueryFrame(1, 0x8001)));
    QCOMPARE(t_->app.workMode, int(ModeOffline));
    QVERIFY(main_->Label4->isVisible());  // OFFLINE
    QVERIFY(!main_->Label3->isVisible());
    QCOMPARE(t_->prompts.Texts(), QStringList{"Utracono połączenie z kasą (COM3)."});
    // Back in: the automatic connection finds it again.
    com3.Replug();
    main_->SpeedButton2->click();
    QCOMPARE(t_->app.workMode, int(ModeOnline));
    QVERIFY(main_->Label3->isVisible());
}

void TestShell::autoConnectFindsNothing() {
    SimHarness com2(2);
    com2.AddFault(QStringLiteral("Q:0:ack:0"));
    Build();
    main_->show();
    Choose(t_->link, [&](PortSettings& s) { s.baud = 9600; });
    main_->SpeedButton2->click();
    QCOMPARE(t_->prompts.Texts(),
             QStringList{QStringLiteral("Nie wykryto żadnej kasy podłączonej do tego komputera.")});
    QCOMPARE(t_->app.workMode, int(ModeOffline));
    QVERIFY(!t_->link.IsOpen());
    QCOMPARE(t_->link.Settings().baud, 115200u);
    QVERIFY(!main_->Panel4->isVisible());
}

void TestShell::connectWithLastSettings() {
    SimHarness h(3);
    Build();
    main_->show();
    Choose(t_->link, [&](PortSettings& s) { s.port = kNoPort; });
    main_->Po1->trigger();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Nie wybrano portu")});
    t_->prompts.Clear();
    Choose(t_->link, [&](PortSettings& s) { s.port = 7; });
    main_->Po1->trigger();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Nie mogę otworzyć portu COM7.")});
    QCOMPARE(t_->app.workMode, int(ModeOffline));
    t_->prompts.Clear();
    Choose(t_->link, [&](PortSettings& s) { s.port = 3; });
    main_->Po1->trigger();
    QVERIFY(t_->link.IsOpen());
    QCOMPARE(t_->app.workMode, int(ModeOnline));
    main_->Po1->trigger();  // already open: nothing happens
    QVERIFY(t_->prompts.shown.isEmpty());
    QCOMPARE(t_->app.workMode, int(ModeOnline));
}

void TestShell::saveAndReopen() {
    Build();
    GoodsFields g;
    g.number = 2000;
    g.name = QStringLiteral("Żurek");
    g.price = 1234;
    WriteGoodsRecord(t_->image, g);
    t_->image.WriteTextAt(kHeader, QStringLiteral("SKLEP"));
    t_->app.databaseModified = true;
    const QString path = cwd_->path() + "/sklep";
    t_->prompts.fileNames = {path};
    main_->Zapiszbazdanychdopliku1->trigger();
    const QString saved = path + ".zkf";
    QCOMPARE(t_->prompts.dialogs.value(0).fileName, QStringLiteral("Bez nazwy"));
    QCOMPARE(t_->prompts.dialogs.value(0).title, QStringLiteral("Zapisz bazę danych do pliku"));
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Zapisano plik ") + saved});
    const QByteArray file = ReadFileBytes(saved);
    QCOMPARE(file.size(), kDatabaseFileSize);
    QVERIFY(file.startsWith("ZELK_TUVO_V_2_00"));
    const QByteArray image = ReadFileBytes(t_->image.Path());
    QCOMPARE(file.mid(16, kImageSize - 16), image.mid(16));
    QCOMPARE(file.mid(kImageSize), QByteArray(kDatabaseFileSize - kImageSize, '\0'));
    QCOMPARE(t_->app.databaseName, QStringLiteral("sklep.zkf"));
    QVERIFY(!t_->app.databaseModified);
    QCOMPARE(main_->Label17->text(), QStringLiteral("sklep.zkf"));

    // Reopen it over a changed image: bytes 16-204999 come back exactly.
    CreateDatabaseImage(t_->image, 1, QStringLiteral("PLN"));
    t_->prompts.Clear();
    t_->prompts.fileNames = {saved};
    main_->Otwrzplikbazydanych1->trigger();
    QVERIFY(t_->prompts.Texts().isEmpty());
    QCOMPARE(t_->prompts.dialogs.value(0).filter, QStringLiteral("Plik bazy danych (*.zkf)|*.zkf"));
    QCOMPARE(ReadFileBytes(t_->image.Path()).mid(16, kDatabaseFileSize - 16), file.mid(16));
    QCOMPARE(ReadGoodsRecord(t_->image, 2000).name, QStringLiteral("Żurek"));

    // Saving over it asks first; the bytes it holds behind the database stay.
    WriteFileBytes(saved, file + QByteArray("TAIL"));
    t_->prompts.Clear();
    t_->prompts.fileNames = {saved};
    t_->prompts.answers = {PromptAnswer::No};
    main_->SpeedButton5->click();
    QCOMPARE(t_->prompts.shown.value(1).text, QStringLiteral("Plik ") + saved + QStringLiteral(" już istnieje. Kontynuować? "));
    QCOMPARE(ReadFileBytes(saved), file + QByteArray("TAIL"));
    t_->prompts.fileNames = {saved};
    t_->prompts.answers = {PromptAnswer::Yes};
    main_->SpeedButton5->click();
    QCOMPARE(ReadFileBytes(saved).size(), kDatabaseFileSize + 4);
    QVERIFY(ReadFileBytes(saved).endsWith("TAIL"));
}

void TestShell::saveRefusals() {
    Build();
    t_->app.databaseModified = true;
    // A folder where the file should go cannot be written.
    QDir().mkpath(cwd_->path() + "/folder.zkf");
    t_->prompts.fileNames = {cwd_->path() + "/folder.zkf"};
    t_->prompts.answers = {PromptAnswer::Yes};
    main_->Zapiszbazdanychdopliku1->trigger();
    QCOMPARE(t_->prompts.Texts().last(), QStringLiteral("Nie mogę otworzyć pliku docelowego"));
    QVERIFY(t_->app.databaseModified);
    // Without an image nothing is saved, and the database half of the mode goes.
    t_->image.Close();
    t_->prompts.Clear();
    t_->prompts.fileNames = {cwd_->path() + "/x.zkf"};
    t_->app.workMode = ModeOnline;
    main_->Zapiszbazdanychdopliku1->trigger();
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Plik z bazą nie jest otwarty.")});
    QCOMPARE(t_->app.workMode, int(ModeRegisterOnly));
    QVERIFY(!QFile::exists(cwd_->path() + "/x.zkf"));
}

void TestShell::openVersion1File() {
    Build();
    // A version 1 file: 2000 goods records of 67 bytes from 5000, the rest 2000
    // bytes lower than in version 2.
    QByteArray v1(kDatabaseFileSize, '\0');
    v1.replace(0, 16, "ZELK_TUVO_V_1_00");
    for (int n = 1; n <= 2000; ++n) {
        QByteArray rec(67, char(n % 251));
        rec[0] = char(n & 0xFF);
        rec[1] = char(n >> 8);
        v1.replace(5000 + 67 * (n - 1), 67, rec);
    }
    for (int i = 139000; i < kDatabaseFileSize; ++i) v1[i] = char(0x40 + i % 7);
    const QString path = cwd_->path() + "/stara.zkf";
    WriteFileBytes(path, v1);
    t_->prompts.fileNames = {path};
    main_->Otwrzplikbazydanych1->trigger();
    QVERIFY(t_->prompts.Texts().isEmpty());
    const QByteArray image = ReadFileBytes(t_->image.Path());
    QCOMPARE(image.left(16), QByteArray("ZELK_TUVO_V_1_00"));
    for (int n = 1; n <= 2000; ++n) {
        const QByteArray rec = image.mid(kGoods.Offset(n), 68);
        QCOMPARE(rec.left(67), v1.mid(5000 + 67 * (n - 1), 67));
        QCOMPARE(rec.at(67), '\0');
    }
    QCOMPARE(image.mid(141000, kDatabaseFileSize - 141000), v1.mid(139000, kDatabaseFileSize - 141000));
    QCOMPARE(t_->app.databaseName, QStringLiteral("stara.zkf"));
    // The next save writes version 2.
    t_->prompts.fileNames = {cwd_->path() + "/nowa.zkf"};
    main_->Zapiszbazdanychdopliku1->trigger();
    const QByteArray saved = ReadFileBytes(cwd_->path() + "/nowa.zkf");
    QVERIFY(saved.startsWith("ZELK_TUVO_V_2_00"));
    QCOMPARE(saved.mid(16), image.mid(16, kDatabaseFileSize - 16));
}

void TestShell::openServiceDatabaseAndBadFiles() {
    Build();
    main_->show();
    QByteArray service(kDatabaseFileSize, '\0');
    service.replace(0, 14, "BAZA WARSZTATU");
    service.replace(kRecordCurrency, 3, "EUR");
    const QString path = cwd_->path() + "/warsztat.zkf";
    WriteFileBytes(path, service);
    t_->app.databaseModified = true;
    t_->prompts.answers = {PromptAnswer::No};
    t_->prompts.fileNames = {path};
    main_->Otwrzplikbazydanych1->trigger();
    QVERIFY(main_->Button3->isVisible());
    QCOMPARE(main_->focusWidget(), main_->Button3);
    bool benchShown = false;  // the service bench, modal
    QTimer::singleShot(0, this, [&] {
        TForm* bench = forms_->Find(QStringLiteral("TProgramowanieNowegoPakietu"));
        benchShown = bench->isVisible();
        bench->close();
    });
    main_->Button3->click();
    QVERIFY(benchShown);
    QVERIFY(!t_->app.databaseModified);
    QCOMPARE(t_->app.recordCurrencySymbol, QStringLiteral("EUR"));
    QCOMPARE(main_->Label8->text(), QStringLiteral("EUR"));

    // A short file is refused and nothing changes.
    const QByteArray before = ReadFileBytes(t_->image.Path());
    WriteFileBytes(cwd_->path() + "/krotki.zkf", QByteArray(1000, 'x'));
    t_->prompts.Clear();
    t_->prompts.fileNames = {cwd_->path() + "/krotki.zkf"};
    t_->app.workMode = ModeRegisterOnly;
    main_->Otwrzplikbazydanych1->trigger();
    QCOMPARE(t_->prompts.Texts().size(), 1);
    QVERIFY(t_->prompts.Texts()[0].contains(QStringLiteral("nie jest plikiem bazy danych")));
    QCOMPARE(ReadFileBytes(t_->image.Path()), before);
    QCOMPARE(t_->app.workMode, int(ModeRegisterOnly));
    QCOMPARE(t_->app.databaseName, QStringLiteral("warsztat.zkf"));
    // An ordinary database hides the button again; saving writes the magic.
    QByteArray plain(kDatabaseFileSize, '\0');
    plain.replace(0, 16, "ZELK_TUVO_V_2_00");
    WriteFileBytes(cwd_->path() + "/zwykla.zkf", plain);
    t_->prompts.fileNames = {cwd_->path() + "/zwykla.zkf"};
    main_->Otwrzplikbazydanych1->trigger();
    QVERIFY(!main_->Button3->isVisible());
    QCOMPARE(t_->app.workMode, int(ModeOnline));
    QCOMPARE(t_->app.recordCurrencySymbol, QStringLiteral("EUR"));  // no symbol in that file: kept
}

void TestShell::newDatabase() {
    Build();
    main_->show();
    auto* dialog = forms_->Get<TNowaBazaD>(QStringLiteral("TNowaBazaD"));
    QVERIFY(dialog);
    WhenShown(dialog, [&] {
        QCOMPARE(dialog->Edit2->text(), QStringLiteral("PLN"));
        dialog->Button1->click();  // no name: stays open
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), dialog->Edit1);
        dialog->Edit1->setText(QStringLiteral("abc"));
        dialog->Edit2->clear();
        QTest::keyClick(dialog->Edit2, Qt::Key_Return);
    });
    main_->Nowabazadanych1->trigger();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(t_->app.databaseName, QStringLiteral("abc"));
    QCOMPARE(t_->app.recordCurrencySymbol, QStringLiteral("   "));
    QVERIFY(t_->app.databaseModified);
    QCOMPARE(main_->Label17->text(), QStringLiteral("abc"));
    QCOMPARE(main_->Label8->text(), QStringLiteral("   "));
    QCOMPARE(t_->image.ReadBytesAt(kRecordCurrency, 3), QByteArray("   "));
    t_->prompts.fileNames = {};
    t_->prompts.answers = {PromptAnswer::Yes};
    main_->Zapiszbazdanychdopliku1->trigger();
    QCOMPARE(t_->prompts.dialogs.last().fileName, QStringLiteral("abc"));
    QCOMPARE(t_->prompts.dialogs.last().defaultExtension, QStringLiteral(".zkf"));
}

void TestShell::unsavedChangesQuestion() {
    Build();
    main_->show();
    auto* dialog = forms_->Get<TNowaBazaD>(QStringLiteral("TNowaBazaD"));
    t_->app.databaseModified = true;
    GoodsFields g;
    g.number = 7;
    g.name = QStringLiteral("Niezapisany");
    WriteGoodsRecord(t_->image, g);
    const QByteArray unsaved = ReadFileBytes(t_->image.Path());
    // Yes, then a cancelled save: the unsaved work stays and no new-database
    // dialog comes (it would drop the work).
    t_->prompts.answers = {PromptAnswer::Yes};
    bool dialogShown = false;
    WhenShown(dialog, [&] {
        dialogShown = true;
        dialog->Button2->click();
    });
    main_->Nowabazadanych1->trigger();
    QVERIFY(!dialogShown);
    QVERIFY(t_->app.databaseModified);
    QCOMPARE(ReadFileBytes(t_->image.Path()), unsaved);
    QCOMPARE(t_->prompts.shown.value(0).text, QStringLiteral("Czy chcesz zapisać zmiany w aktualnie edytowanej bazie?"));
    QCOMPARE(t_->prompts.shown.value(0).buttons, PromptButtons::YesNoCancel);
    QCOMPARE(t_->prompts.shown.value(0).title, QStringLiteral("Zelk Tuvo"));
    QCOMPARE(t_->prompts.shown.value(1).kind, QStringLiteral("save"));
    // Cancel ends it; the open dialog never comes.
    t_->prompts.Clear();
    t_->prompts.answers = {PromptAnswer::Cancel};
    main_->Otwrzplikbazydanych1->trigger();
    QCOMPARE(t_->prompts.shown.size(), 1);
    // Yes and a cancelled save: no open dialog, the work stays.
    t_->prompts.Clear();
    t_->prompts.answers = {PromptAnswer::Yes};
    main_->Otwrzplikbazydanych1->trigger();
    QCOMPARE(t_->prompts.shown.size(), 2);
    QCOMPARE(t_->prompts.shown[1].kind, QStringLiteral("save"));
    QCOMPARE(ReadFileBytes(t_->image.Path()), unsaved);
    // Yes and a save that happened: then the open dialog comes.
    t_->prompts.Clear();
    t_->prompts.answers = {PromptAnswer::Yes};
    t_->prompts.fileNames = {cwd_->path() + "/zapisana.zkf"};
    main_->Otwrzplikbazydanych1->trigger();
    QCOMPARE(t_->prompts.shown.size(), 4);
    QCOMPARE(t_->prompts.shown[3].kind, QStringLiteral("open"));
    QVERIFY(QFile::exists(cwd_->path() + "/zapisana.zkf"));
    t_->app.databaseModified = true;
    // No question without changes or without a database.
    t_->prompts.Clear();
    t_->app.databaseModified = false;
    main_->Otwrzplikbazydanych1->trigger();
    QCOMPARE(t_->prompts.shown.size(), 1);
}

void TestShell::closeQuestion() {
    Build();
    main_->show();
    Choose(t_->link, [&](PortSettings& s) { s.port = 3; });
    Choose(t_->link, [&](PortSettings& s) { s.baud = 9600; });
    t_->app.databaseModified = true;
    GoodsFields g;
    g.number = 1;
    g.name = QStringLiteral("Zmiana");
    WriteGoodsRecord(t_->image, g);
    t_->prompts.answers = {PromptAnswer::Cancel};
    QVERIFY(!main_->close());
    QVERIFY(main_->isVisible());
    t_->prompts.answers = {PromptAnswer::Yes};  // and the save dialog is cancelled
    QVERIFY(!main_->close());
    QVERIFY(main_->isVisible());
    QCOMPARE(ReadGoodsRecord(t_->image, 1).name, QStringLiteral("Zmiana"));
    QVERIFY(!QFile::exists(cwd_->path() + "/ustaw.cfg"));
    t_->prompts.answers = {PromptAnswer::No};
    QVERIFY(main_->close());
    QCOMPARE(ReadFileBytes(cwd_->path() + "/ustaw.cfg"), Hex("00 03 80 25 00 00 08 00 00 00 00 00 00 00"));
    // "Szybkie wysyłanie" outlives the run, beside ustaw.cfg and without touching it.
    delete main_;
    delete forms_;
    t_->app.fastSending = false;
    Build();
    QVERIFY(!t_->app.fastSending);
    t_->app.fastSending = true;
    t_->prompts.answers = {PromptAnswer::No};
    QVERIFY(main_->close());
    QCOMPARE(ReadFileBytes(cwd_->path() + "/ustaw.cfg").size(), 14);
    delete main_;
    delete forms_;
    t_->app.fastSending = false;
    Build();
    QVERIFY(t_->app.fastSending);
}

// Closing the program while the electronic copy streams stops the stream after
// the piece in hand and closes once it has ended: the port is never closed under
// it and no transmission error is shown.
void TestShell::closingWaitsForTransfers() {
    Build();
    SimHarness& h = f_->Connect();
    h.sim.WithState([](SimState& s) { s.LoadDemo(); });
    main_->show();
    auto* copy = forms_->Get<TOdczytKopii>(QStringLiteral("TOdczytKopii"));
    copy->show();
    copy->PageControl1->setCurrentIndex(3);
    copy->ComboBox6->setCurrentIndex(1);
    bool closedDuring = true;
    QObject::connect(copy->Memo1, &QPlainTextEdit::textChanged, main_, [&] {
        if (!closedDuring) return;
        closedDuring = main_->close();  // refused for now
        QVERIFY(t_->link.IsOpen());
    }, Qt::SingleShotConnection);
    copy->BitBtn1->click();
    QVERIFY(!closedDuring);
    QCOMPARE(t_->prompts.Texts(), QStringList{QStringLiteral("Komunikacja przerwana przez użytkownika.")});
    QTRY_VERIFY(!main_->isVisible());
    QVERIFY(!t_->link.IsOpen());
    QVERIFY(QFile::exists(cwd_->path() + "/ustaw.cfg"));
}

// The menus open with Alt, the file operations have their usual shortcuts, F1
// shows the user guide, and the status bar says where the program is connected.
void TestShell::keyboardHelpAndWhereConnected() {
    Build();
    main_->show();
    QCOMPARE(main_->Plik2->title(), QStringLiteral("&Plik"));
    QCOMPARE(main_->Komunikacja1->title(), QStringLiteral("&Komunikacja"));
    QCOMPARE(main_->Nowabazadanych1->shortcut(), QKeySequence(QKeySequence::New));
    QCOMPARE(main_->Otwrzplikbazydanych1->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(main_->Zapiszbazdanychdopliku1->shortcut(), QKeySequence(QKeySequence::Save));
    QCOMPARE(main_->Podrecznik1->shortcut(), QKeySequence(QKeySequence::HelpContents));
    auto* help = forms_->Get<TPomoc>(QStringLiteral("TPomoc"));
    QVERIFY(help);
    QVERIFY(help->Browser->toPlainText().contains(QStringLiteral("Pierwsze połączenie z kasą")));
    QCOMPARE(main_->StatusBar1[0]->text(), QStringLiteral("Brak portu"));
    SimHarness h(3);
    Choose(t_->link, [](PortSettings& s) { s.port = 3; });
    main_->Po1->trigger();
    QCOMPARE(main_->StatusBar1[0]->text(), QStringLiteral("COM 3"));
    QCOMPARE(main_->StatusBar1[1]->text(), QStringLiteral("Adres kasy: 1"));
}

// Start-up makes no window but the main one; a window is made when first asked
// for and then kept, with what its fields held.
void TestShell::windowsMadeWhenFirstNeeded() {
    Build();
    main_->show();
    QVERIFY(forms_->Made().isEmpty());
    QVERIFY(forms_->Has(QStringLiteral("TSynchronizacjaBazyTowarowej")));
    auto* nip = forms_->Get<TProgramowanieNIP>(QStringLiteral("TProgramowanieNIP"));
    QVERIFY(nip);
    nip->Edit2->setText(QStringLiteral("1234567890"));
    QCOMPARE(forms_->Get<TProgramowanieNIP>(QStringLiteral("TProgramowanieNIP")), nip);
    QCOMPARE(nip->Edit2->text(), QStringLiteral("1234567890"));
    // A window that needs another makes it: the goods synchronization its edit dialog.
    QVERIFY(forms_->Find(QStringLiteral("TSynchronizacjaBazyTowarowej")));
    QVERIFY(forms_->Made().size() >= 4);  // NIP, goods sync, edit dialog, goods editor
    const QList<TForm*> all = forms_->Order();  // every window, made once asked for
    QCOMPARE(QSet<TForm*>(all.begin(), all.end()).size(), all.size());
    QCOMPARE(forms_->Made(), all);
}

void TestShell::secondInstance() {
    QTemporaryDir dir;
    const QString lockPath = dir.path() + "/lock";
    InstanceLock first;
    QVERIFY(first.Acquire(lockPath));
    ScriptedPrompts prompts;
    VirtualClock clock;
    Program program(prompts, clock);
    QVERIFY(!program.Start(lockPath));
    QCOMPARE(prompts.Texts(), QStringList{QStringLiteral("Błąd! Próbujesz uruchomić program, który już działa. ")});
    QVERIFY(!program.mainWindow);
    QVERIFY(program.forms.Order().isEmpty());
    first.Release();
    Program again(prompts, clock);
    QVERIFY(again.Start(lockPath));
    QVERIFY(again.mainWindow);
    QVERIFY(again.forms.Find(QStringLiteral("TUstawieniaTrans")));
    QVERIFY(again.link.HasLineWait());
}

void TestShell::aboutBox() {
    Build();
    auto* about = forms_->Get<TOProgramie>(QStringLiteral("TOProgramie"));
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("ZELK TUVO"));
    QCOMPARE(about->Label1->text(), QStringLiteral("ZELK TUVO v1.50"));
    QVERIFY(about->Label3->text().contains(ContactUrl(QStringLiteral(TUVO_MAIL_CONTACT)).toString(QUrl::FullyEncoded)));
    QCOMPARE(ContactUrl(QStringLiteral("a@b.pl")).toString(), QStringLiteral("mailto:a@b.pl?subject=Zelk tuvo"));
    QVERIFY(about->Label8->isHidden());
    about->show();
    QTest::keyClick(about->Button1, Qt::Key_Escape);
    QVERIFY(!about->isVisible());
}

QTEST_MAIN(TestShell)
#include "test_shell.moc"
