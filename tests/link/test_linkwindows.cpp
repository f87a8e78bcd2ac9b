// The wait dialog and the transmission settings form, driven through their controls.
#include <QtTest>
#include <QLabel>
#include "link/portpath.h"
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>

#include "link/Czekajrs.h"
#include "link/Ustawieniatransmisji.h"
#include "link/commands.h"
#include "support/guifixture.h"
#include "support/simharness.h"
#include "support/testsupport.h"

class TestLinkWindows : public QObject {
    Q_OBJECT
private slots:
    void waitDialogClosesWhenLineClears();
    void waitDialogEscapeAsks();
    void waitDialogButtonGivesUp();
    void settingsShowCurrent();
    void usbAdapterKeepsItsComNumber();
    void applyOpensPort();
    void applyFailureRestoresPreviousPort();
    void applyNoPort();
    void scanAvailablePorts();
    void defaultsButtonAndEscape();
};

void TestLinkWindows::waitDialogClosesWhenLineClears() {
    GuiFixture f;
    TestServices& t = f.t;
    f.Connect();
    TCzekajNaRS dialog(t.services);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));  // a pseudo-terminal is never held
    QVERIFY(timer.elapsed() >= 150);
    QCOMPARE(dialog.ProgressBar1->value(), 2);
    QVERIFY(!dialog.Timer1->isActive());
}

void TestLinkWindows::waitDialogEscapeAsks() {
    TestServices t;  // no port: the line test keeps failing, the dialog keeps waiting
    TCzekajNaRS dialog(t.services);
    t.prompts.answers = {PromptAnswer::No, PromptAnswer::Yes};
    int escapes = 0;
    std::function<void()> press = [&] {
        if (!dialog.isVisible()) return;
        ++escapes;
        QTest::keyClick(dialog.Button1, Qt::Key_Escape);
        if (dialog.isVisible()) {
            QVERIFY(dialog.Timer1->isActive());  // running again after "Nie"
            QTimer::singleShot(250, press);
        }
    };
    QTimer::singleShot(250, press);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(escapes, 2);
    QCOMPARE(t.prompts.Texts(), (QStringList{QStringLiteral("Czy przerwać oczekiwanie?"),
                                             QStringLiteral("Czy przerwać oczekiwanie?")}));
    QCOMPARE(t.prompts.shown[0].icon, PromptIcon::Warning);
    QVERIFY(dialog.ProgressBar1->value() > 0);
}

void TestLinkWindows::waitDialogButtonGivesUp() {
    TestServices t;
    TCzekajNaRS dialog(t.services);
    QCOMPARE(dialog.Button1->text(), QStringLiteral("&Przerwij"));
    QTimer::singleShot(50, dialog.Button1, &QPushButton::click);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(t.prompts.shown.isEmpty());
}

void TestLinkWindows::settingsShowCurrent() {
    TestServices t;
    TUstawieniaTrans form(t.services);
    QCOMPARE(form.windowTitle(), QStringLiteral("Parametry transmisji"));
    QCOMPARE(form.ComboBox1->count(), 100);
    QCOMPARE(form.ComboBox1->itemText(0), QStringLiteral("Brak"));
    QCOMPARE(form.ComboBox1->itemText(99), QStringLiteral("COM 99"));
    form.show();
    QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("Brak"));
    QVERIFY(!form.GroupBox1->isEnabled());
    QCOMPARE(form.ComboBox2->currentText(), QStringLiteral("115200"));
    form.close();
    Choose(t.link, [&](PortSettings& s) { s.port = 7; });
    Choose(t.link, [&](PortSettings& s) { s.baud = 2000; });  // not in the list
    Choose(t.link, [&](PortSettings& s) { s.parity = 2; });
    Choose(t.link, [&](PortSettings& s) { s.rtsCts = 1; });
    form.show();
    QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("COM 7"));
    QVERIFY(form.GroupBox1->isEnabled());
    QCOMPARE(form.ComboBox2->currentIndex(), -1);
    QCOMPARE(form.ComboBox4->currentText(), QStringLiteral("Parzyste"));
    QVERIFY(form.CheckBox2->isChecked());
    form.ComboBox1->setCurrentIndex(0);
    form.ComboBox1Change();
    QVERIFY(!form.GroupBox1->isEnabled());
}

// A USB adapter linked to COM 7 by its by-id name: the port shows the device
// behind it, and keeps it when the adapter comes back as another ttyUSB.
void TestLinkWindows::usbAdapterKeepsItsComNumber() {
    QTemporaryDir dir;
    const QString ports = dir.filePath(QStringLiteral("porty")), byId = dir.filePath(QStringLiteral("by-id"));
    QDir().mkpath(ports);
    QDir().mkpath(byId);
    const QByteArray oldPorts = qgetenv("TUVO_PORTS_DIR"), oldById = qgetenv("TUVO_SERIAL_BY_ID_DIR");
    qputenv("TUVO_PORTS_DIR", ports.toUtf8());
    qputenv("TUVO_SERIAL_BY_ID_DIR", byId.toUtf8());
    const QString name = QStringLiteral("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    for (const char* tty : {"ttyUSB3", "ttyUSB4"}) WriteFileBytes(dir.filePath(QLatin1String(tty)), {});
    TestServices t;
    TUstawieniaTrans form(t.services);
    form.show();
    QVERIFY(!form.ButtonPrzypisz->isEnabled());  // no adapter plugged in
    QCOMPARE(form.ComboBoxById->currentText(), QStringLiteral("brak adapterów USB"));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("ttyUSB3")), byId + QLatin1Char('/') + name));
    form.close();
    form.show();
    form.ComboBox1->setCurrentIndex(7);
    QCOMPARE(form.LabelUrzadzenie->text(), QStringLiteral("brak urządzenia"));
    const QString usb3 = QFileInfo(dir.filePath(QStringLiteral("ttyUSB3"))).canonicalFilePath();
    QCOMPARE(form.ComboBoxById->currentText(), name + QStringLiteral(" (") + usb3 + QLatin1Char(')'));
    t.prompts.answers = {PromptAnswer::No, PromptAnswer::Yes};
    form.ButtonPrzypisz->click();  // asked, and not linked
    QVERIFY(!QFileInfo(ports + QStringLiteral("/COM7")).isSymLink());
    form.ButtonPrzypisz->click();
    QCOMPARE(t.prompts.Texts().value(0), QStringLiteral("Przypisać adapter ") + form.ComboBoxById->currentText() +
                                             QStringLiteral(" do portu COM 7? Kasa zachowa ten numer portu także po "
                                                            "przełożeniu adaptera do innego gniazda USB."));
    QCOMPARE(QFileInfo(ports + QStringLiteral("/COM7")).symLinkTarget(), byId + QLatin1Char('/') + name);
    QCOMPARE(form.LabelUrzadzenie->text(), usb3 + QStringLiteral(" (") + name + QLatin1Char(')'));
    QCOMPARE(form.ComboBox1->itemData(7, Qt::ToolTipRole).toString(), form.LabelUrzadzenie->text());
    GuiFixture::KeepShot(&form, QStringLiteral("port-assigned"));
    // Moved to another socket: udev points the by-id name at ttyUSB4, COM 7 follows.
    QFile::remove(byId + QLatin1Char('/') + name);
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("ttyUSB4")), byId + QLatin1Char('/') + name));
    QVERIFY(ComPortPath(7).endsWith(QStringLiteral("/COM7")));
    QCOMPARE(PortDeviceText(7), QFileInfo(dir.filePath(QStringLiteral("ttyUSB4"))).canonicalFilePath() +
                                    QStringLiteral(" (") + name + QLatin1Char(')'));
    qputenv("TUVO_PORTS_DIR", oldPorts);
    qputenv("TUVO_SERIAL_BY_ID_DIR", oldById);
    if (oldById.isEmpty()) qunsetenv("TUVO_SERIAL_BY_ID_DIR");
    if (oldPorts.isEmpty()) qunsetenv("TUVO_PORTS_DIR");
}

void TestLinkWindows::applyOpensPort() {
    SimHarness h(3);
    TestServices t;
    TUstawieniaTrans form(t.services);
    form.show();
    form.ComboBox1->setCurrentIndex(3);
    form.ComboBox2->setCurrentText(QStringLiteral("9600"));
    form.ComboBox6->setCurrentIndex(4);
    form.Button2->click();
    QVERIFY(!form.isVisible());
    QVERIFY(t.link.IsOpen());
    QCOMPARE(t.link.Settings().port, 3);
    QCOMPARE(t.link.Settings().baud, 9600u);
    QCOMPARE(int(t.link.Address()), 5);
    QCOMPARE(t.app.workMode, int(ModeOnline));
    QVERIFY(t.prompts.shown.isEmpty());
}

void TestLinkWindows::applyFailureRestoresPreviousPort() {
    SimHarness h(1);
    SimHarness other(h, 2);
    TestServices t;
    ScriptedPrompts quiet;
    VirtualClock clock;
    RegisterLink holder(quiet, clock);  // another program holds COM 2
    Choose(holder, [&](PortSettings& s) { s.port = 2; });
    QCOMPARE(holder.OpenRegisterPort(false), 0);
    Choose(t.link, [&](PortSettings& s) { s.port = 1; });
    QCOMPARE(t.link.OpenRegisterPort(true), 0);
    t.app.PortOpened();
    TUstawieniaTrans form(t.services);
    form.show();
    form.ComboBox1->setCurrentIndex(2);
    form.ComboBox2->setCurrentText(QStringLiteral("57600"));
    form.Button2->click();
    QCOMPARE(t.prompts.Texts(), QStringList{QStringLiteral("Nie mogę otworzyć portu COM2: port jest zajęty przez inny program.")});
    QVERIFY(form.isVisible());
    QCOMPARE(t.link.Settings().port, 1);
    QCOMPARE(t.link.Settings().baud, 115200u);
    QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("COM 1"));
    QCOMPARE(form.ComboBox2->currentText(), QStringLiteral("115200"));
    QVERIFY(t.link.IsOpen());
    QCOMPARE(t.app.workMode, int(ModeOnline));
    form.close();
}

void TestLinkWindows::applyNoPort() {
    GuiFixture f;
    TestServices& t = f.t;
    f.Connect();
    TUstawieniaTrans form(t.services);
    form.show();
    form.ComboBox1->setCurrentIndex(0);
    form.Button2->click();
    QVERIFY(!form.isVisible());
    QVERIFY(!t.link.IsOpen());
    QCOMPARE(t.link.Settings().port, kNoPort);
    QCOMPARE(t.app.workMode, int(ModeOffline));
    SendOver(t.link, QueryFrame(1, 0x8001));
    QCOMPARE(t.prompts.Texts(), QStringList{QStringLiteral("Nie wybrano portu komunikacyjnego.")});
}

void TestLinkWindows::scanAvailablePorts() {
    SimHarness h(2);
    SimHarness other(h, 4);
    TestServices t;
    t.app.DatabaseCreated();
    Choose(t.link, [&](PortSettings& s) { s.port = 2; });
    QCOMPARE(t.link.OpenRegisterPort(true), 0);
    QCOMPARE(t.app.workMode, int(ModeOnline));
    TUstawieniaTrans form(t.services);
    form.show();
    form.CheckBox3->click();
    QStringList items;
    for (int i = 0; i < form.ComboBox1->count(); ++i) items << form.ComboBox1->itemText(i);
    QCOMPARE(items, (QStringList{"Brak", "COM 2", "COM 4"}));
    QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("COM 2"));
    QVERIFY(form.GroupBox1->isEnabled());
    QCOMPARE(t.app.workMode, int(ModeOffline));
    QCOMPARE(t.link.Settings().port, 2);  // looking for ports forgets nothing
    QVERIFY(!t.link.IsOpen());
    form.ComboBox1->setCurrentIndex(2);
    form.Button2->click();
    QCOMPARE(t.link.Settings().port, 4);  // the number in the entry, not its index
    QVERIFY(t.link.IsOpen());
    form.show();
    form.CheckBox3->click();  // unticked: all 99 again
    QCOMPARE(form.ComboBox1->count(), 100);
    form.close();
}

void TestLinkWindows::defaultsButtonAndEscape() {
    TestServices t;
    Choose(t.link, [&](PortSettings& s) { s.port = 5; });
    Choose(t.link, [&](PortSettings& s) { s.baud = 300; });
    Choose(t.link, [&](PortSettings& s) { s.stopBits = 2; });
    Choose(t.link, [&](PortSettings& s) { s.xonXoff = 1; });
    TUstawieniaTrans form(t.services);
    form.show();
    form.ComboBox6->setCurrentIndex(6);
    form.Button1->click();
    QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("COM 5"));
    QCOMPARE(form.ComboBox2->currentText(), QStringLiteral("115200"));
    QCOMPARE(form.ComboBox3->currentText(), QStringLiteral("8"));
    QCOMPARE(form.ComboBox4->currentText(), QStringLiteral("Brak "));
    QCOMPARE(form.ComboBox5->currentText(), QStringLiteral("1"));
    QCOMPARE(form.ComboBox6->currentText(), QStringLiteral("1"));
    QVERIFY(!form.CheckBox1->isChecked());
    QTest::keyClick(form.ComboBox2, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(t.link.Settings().baud, 300u);  // nothing applied
}

QTEST_MAIN(TestLinkWindows)
#include "test_linkwindows.moc"
