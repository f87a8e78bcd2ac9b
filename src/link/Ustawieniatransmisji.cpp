#include "link/Ustawieniatransmisji.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/prompts.h"
#include "link/portpath.h"
#include "link/portscan.h"
#include "link/registerlink.h"

namespace {
const QStringList kBauds = {"110",   "300",   "600",   "1200",  "2400",   "4800",  "9600",
                            "14400", "19200", "38400", "57600", "115200", "128000", "256000"};
}  // namespace

TUstawieniaTrans::TUstawieniaTrans(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TUstawieniaTrans"));
    setWindowTitle(QStringLiteral("Parametry transmisji"));
    auto* layout = new QVBoxLayout(this);
    Label1 = Named(new QLabel(QStringLiteral("Ustawienia parametrów transmisji"), this), "Label1");
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    layout->addWidget(Label1);

    auto* top = new QFormLayout;
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    top->addRow(Caption(QStringLiteral("Nr portu"), ComboBox1), ComboBox1);
    LabelUrzadzenie = Named(new QLabel(this), "LabelUrzadzenie");
    LabelUrzadzenie->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    LabelUrzadzenie->setWordWrap(true);
    // Room for a device and an adapter's long by-id name on two lines: the window
    // does not grow when the text wraps, it would squeeze the settings below.
    LabelUrzadzenie->setMinimumHeight(2 * LabelUrzadzenie->fontMetrics().lineSpacing());
    LabelUrzadzenie->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    top->addRow(QStringLiteral("Urządzenie"), LabelUrzadzenie);
    // A USB adapter gets another ttyUSB number in another socket; its by-id name
    // stays, so the COM number is linked to that.
    ComboBoxById = Named(new QComboBox(this), "ComboBoxById");
    ComboBoxById->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBoxById->setMinimumContentsLength(48);  // the adapters' names are long
    ButtonPrzypisz = Named(new QPushButton(QStringLiteral("&Przypisz..."), this), "ButtonPrzypisz");
    auto* assign = new QHBoxLayout;
    assign->addWidget(ComboBoxById, 1);
    assign->addWidget(ButtonPrzypisz);
    top->addRow(Caption(QStringLiteral("Adapter USB"), ComboBoxById), assign);
    layout->addLayout(top);

    GroupBox1 = Named(new QGroupBox(QStringLiteral("Ustawienia portu szeregowego"), this), "GroupBox1");
    auto* form = new QFormLayout(GroupBox1);
    ComboBox2 = Named(new QComboBox(GroupBox1), "ComboBox2");
    ComboBox2->addItems(kBauds);
    ComboBox3 = Named(new QComboBox(GroupBox1), "ComboBox3");
    ComboBox3->addItems({"5", "6", "7", "8"});
    ComboBox4 = Named(new QComboBox(GroupBox1), "ComboBox4");
    ComboBox4->addItems({"Brak ", "Nieparzyste", "Parzyste", "Znacznik", "Odstęp"});
    ComboBox5 = Named(new QComboBox(GroupBox1), "ComboBox5");
    ComboBox5->addItems({"1", "1.5", "2"});
    ComboBox6 = Named(new QComboBox(GroupBox1), "ComboBox6");
    for (int a = 1; a <= 9; ++a) ComboBox6->addItem(QString::number(a));
    form->addRow(Caption(QStringLiteral("Liczba bitów na sekunde"), ComboBox2), ComboBox2);
    form->addRow(Caption(QStringLiteral("Ilość bitów danych"), ComboBox3), ComboBox3);
    form->addRow(Caption(QStringLiteral("Parzystość"), ComboBox4), ComboBox4);
    form->addRow(Caption(QStringLiteral("Bity stopu"), ComboBox5), ComboBox5);
    form->addRow(Caption(QStringLiteral("Adres kasy"), ComboBox6), ComboBox6);
    GroupBox4 = Named(new QGroupBox(QStringLiteral("Sterowanie przepływem"), GroupBox1), "GroupBox4");
    auto* flow = new QHBoxLayout(GroupBox4);
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Xon / Xoff"), GroupBox4), "CheckBox1");
    CheckBox2 = Named(new QCheckBox(QStringLiteral("RTS / CTS"), GroupBox4), "CheckBox2");
    flow->addWidget(CheckBox1);
    flow->addWidget(CheckBox2);
    form->addRow(GroupBox4);
    Button1 = Named(new QPushButton(QStringLiteral("&Wartości domyślne"), GroupBox1), "Button1");
    form->addRow(Button1);
    layout->addWidget(GroupBox1);

    CheckBox3 = Named(new QCheckBox(QStringLiteral("Pokazuj tylko dostępne porty"), this), "CheckBox3");
    layout->addWidget(CheckBox3);
    Button2 = Named(new QPushButton(QStringLiteral("&Zastosuj"), this), "Button2");
    Button3 = Named(new QPushButton(QStringLiteral("Za&mknij"), this), "Button3");
    layout->addLayout(ButtonRow({Button2, Button3}));

    ComboBox1->addItem(QStringLiteral("Brak"), kNoPort);
    for (int n = 1; n <= kMaxComPort; ++n) ComboBox1->addItem(ComPortName(n), n);
    ComboBox1->setCurrentIndex(0);
    SelectDefaults();
    ComboBox6->setCurrentIndex(0);

    connect(ComboBox1, &QComboBox::activated, this, &TUstawieniaTrans::ComboBox1Change);
    connect(CheckBox3, &QCheckBox::clicked, this, &TUstawieniaTrans::CheckBox3Click);
    connect(Button1, &QPushButton::clicked, this, &TUstawieniaTrans::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TUstawieniaTrans::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &QDialog::close);
    connect(ButtonPrzypisz, &QPushButton::clicked, this, &TUstawieniaTrans::ButtonPrzypiszClick);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] {
        LabelUrzadzenie->setText(SelectedPort() == kNoPort ? QString() : PortDeviceText(SelectedPort()));
    });
}

void TUstawieniaTrans::ShowDevices() {
    const QList<SerialById> adapters = SerialByIdDevices();  // listed once for the whole port list
    for (int i = 1; i < ComboBox1->count(); ++i)
        ComboBox1->setItemData(i, PortDeviceText(ComboBox1->itemData(i).toInt(), adapters), Qt::ToolTipRole);
    LabelUrzadzenie->setText(SelectedPort() == kNoPort ? QString() : PortDeviceText(SelectedPort(), adapters));
    ComboBoxById->clear();
    for (const SerialById& s : adapters)
        ComboBoxById->addItem(s.name + QStringLiteral(" (") + (s.device.isEmpty() ? s.path : s.device) + QLatin1Char(')'),
                              s.path);
    if (ComboBoxById->count() == 0) ComboBoxById->addItem(QStringLiteral("brak adapterów USB"));
    const bool any = ComboBoxById->itemData(0).isValid();
    ComboBoxById->setEnabled(any);
    ButtonPrzypisz->setEnabled(any);
}

void TUstawieniaTrans::ButtonPrzypiszClick() {
    const int port = SelectedPort();
    const QString device = ComboBoxById->currentData().toString();
    if (port == kNoPort || device.isEmpty()) {
        s_.prompts.Message(QStringLiteral("Nie wybrano portu"));
        return;
    }
    if (s_.prompts.Ask(QStringLiteral("Przypisać adapter ") + ComboBoxById->currentText() + QStringLiteral(" do portu ") +
                           ComPortName(port) + QStringLiteral("? Kasa zachowa ten numer portu także po przełożeniu "
                                                              "adaptera do innego gniazda USB."),
                       PromptButtons::YesNo, PromptIcon::Question, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
        return;
    QString error;
    if (!AssignComPort(port, device, &error)) s_.prompts.Message(error);
    ShowDevices();
}

void TUstawieniaTrans::SelectDefaults() {
    ComboBox2->setCurrentIndex(kBauds.indexOf(QStringLiteral("115200")));
    ComboBox3->setCurrentIndex(3);
    ComboBox4->setCurrentIndex(0);
    ComboBox5->setCurrentIndex(0);
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
}

void TUstawieniaTrans::EnableSettings(bool enabled) { GroupBox1->setEnabled(enabled); }

void TUstawieniaTrans::FormShow() {
    ShowSettings();
    ShowDevices();
}

void TUstawieniaTrans::ShowSettings() {
    const PortSettings& s = s_.link.Settings();
    const int entry = ComboBox1->findData(s.port);
    ComboBox1->setCurrentIndex(entry < 0 ? 0 : entry);
    EnableSettings(s.port != kNoPort);
    ComboBox2->setCurrentIndex(kBauds.indexOf(QString::number(s.baud)));  // none when not listed
    ComboBox3->setCurrentIndex(s.dataBits >= 5 && s.dataBits <= 8 ? s.dataBits - 5 : -1);
    ComboBox4->setCurrentIndex(s.parity <= 4 ? s.parity : -1);
    ComboBox5->setCurrentIndex(s.stopBits <= 2 ? s.stopBits : -1);
    CheckBox1->setChecked(s.xonXoff);
    CheckBox2->setChecked(s.rtsCts);
    // The address the link uses (a search may have chosen another), so that
    // "Zastosuj" keeps it.
    ComboBox6->setCurrentIndex(qBound(1, int(s_.link.Address()), 9) - 1);
}

void TUstawieniaTrans::ComboBox1Change() { EnableSettings(ComboBox1->currentIndex() > 0); }

void TUstawieniaTrans::CheckBox3Click() {
    s_.link.ClosePort();
    ComboBox1->clear();
    ComboBox1->addItem(QStringLiteral("Brak"), kNoPort);
    // The probes leave the link's settings as they were: the user's port is not
    // forgotten when the list is only looked at.
    const QList<int> ports = CheckBox3->isChecked() ? OpenablePorts(s_.link) : QList<int>();
    for (int n = 1; n <= kMaxComPort; ++n)
        if (!CheckBox3->isChecked() || ports.contains(n)) ComboBox1->addItem(ComPortName(n), n);
    ComboBox1->setCurrentIndex(ComboBox1->count() > 1 ? 1 : 0);
    ComboBox1Change();
    ShowDevices();
}

void TUstawieniaTrans::Button1Click() {
    // The line settings a new form starts with; the chosen port stays.
    SelectDefaults();
    ComboBox6->setCurrentIndex(0);
}

int TUstawieniaTrans::SelectedPort() const { return ComboBox1->currentData().toInt(); }

void TUstawieniaTrans::Button2Click() {
    RegisterLink& link = s_.link;
    const bool wasOpen = link.IsOpen();
    if (SelectedPort() == kNoPort) {
        link.Disconnect();
        close();
        return;
    }
    PortSettings s = link.Settings();
    s.port = SelectedPort();
    if (ComboBox2->currentIndex() >= 0) s.baud = ComboBox2->currentText().toUInt();
    s.dataBits = uint8_t(qMax(ComboBox3->currentIndex(), 0) + 5);
    s.parity = uint8_t(qMax(ComboBox4->currentIndex(), 0));
    s.stopBits = uint8_t(qMax(ComboBox5->currentIndex(), 0));
    s.xonXoff = CheckBox1->isChecked();
    s.rtsCts = CheckBox2->isChecked();
    link.ClosePort();
    if (link.OpenPort(s, true) != 0) {
        ShowSettings();
        // The previous port comes back as it was: open again only if it was open.
        if (wasOpen && link.Port() != kNoPort) link.OpenRegisterPort(false);
        return;
    }
    link.SetAddress(uint8_t(ComboBox6->currentIndex() + 1));
    close();
}
