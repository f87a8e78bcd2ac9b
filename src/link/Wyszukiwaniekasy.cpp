#include "link/Wyszukiwaniekasy.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/prompts.h"
#include "link/Podgladbufora.h"
#include "link/portpath.h"
#include "link/portscan.h"
#include "link/registerlink.h"

TWyszukiwanieKasyRS::TWyszukiwanieKasyRS(Services& services, TPokazBuforOdb* bufferView, QWidget* parent)
    : TForm(services, parent), bufferView_(bufferView) {
    setObjectName(QStringLiteral("TWyszukiwanieKasyRS"));
    setWindowTitle(QStringLiteral("Wyszukiwanie kasy"));
    auto* outer = new QVBoxLayout(this);
    Label6 = Named(new QLabel(QStringLiteral("Wyszukiwanie kas ZELK TUVO podłączonych do komputera"), this), "Label6");
    QFont bold = Label6->font();
    bold.setBold(true);
    Label6->setFont(bold);
    outer->addWidget(Label6);
    Button1 = Named(new QPushButton(QStringLiteral("Wyszukaj"), this), "Button1");
    outer->addWidget(Button1, 0, Qt::AlignLeft);
    auto* row = new QHBoxLayout;
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    ComboBox1->setMinimumWidth(120);
    row->addWidget(Caption(QStringLiteral("Numer portu:"), ComboBox1));
    row->addWidget(ComboBox1);
    Button2 = Named(new QPushButton(QStringLiteral("Połącz"), this), "Button2");
    row->addWidget(Button2);
    row->addStretch();
    outer->addLayout(row);
    auto* buttons = new QHBoxLayout;
    Button4 = Named(new QPushButton(QStringLiteral("Podgląd bufora odbiorczego"), this), "Button4");
    Button3 = Named(new QPushButton(QStringLiteral("&Wyjdz"), this), "Button3");
    buttons->addWidget(Button4);
    buttons->addStretch();
    buttons->addWidget(Button3);
    outer->addStretch();
    outer->addLayout(buttons);

    Panel1 = WaitPanel("Panel1", QStringLiteral("Trwa wyszukiwanie kas ZELK TUVO podłączonych do tego komputera..."));
    Panel1->findChild<QLabel*>()->setObjectName(QStringLiteral("Label2"));
    auto* grid = new QGridLayout;
    Label3 = Named(new QLabel(Panel1), "Label3");
    Label5 = Named(new QLabel(Panel1), "Label5");
    auto* addressCaption = Named(new QLabel(QStringLiteral("Adres kasy:"), Panel1), "Label4");
    addressCaption->setBuddy(Label5);
    grid->addWidget(Label3, 0, 0);
    grid->addWidget(addressCaption, 0, 1);
    grid->addWidget(Label5, 0, 2);
    static_cast<QVBoxLayout*>(Panel1->layout())->addLayout(grid);
    ProgressBar1 = Named(new QProgressBar(Panel1), "ProgressBar1");
    Panel1->layout()->addWidget(ProgressBar1);
    Button5 = Named(new QPushButton(QStringLiteral("Anuluj"), Panel1), "Button5");
    Panel1->layout()->addWidget(Button5);
    Panel1->setFixedSize(460, 150);
    setMinimumSize(500, 220);

    connect(Button1, &QPushButton::clicked, this, &TWyszukiwanieKasyRS::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TWyszukiwanieKasyRS::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &QDialog::close);
    connect(Button4, &QPushButton::clicked, this, [this] {
        if (bufferView_) bufferView_->ShowModal();
    });
    connect(Button5, &QPushButton::clicked, this, [this] { s_.link.RequestCancel(); });
    Button4->setEnabled(bufferView_ != nullptr);
}

void TWyszukiwanieKasyRS::FormShow() {
    ComboBox1->clear();
    Button2->setEnabled(false);
    addresses.clear();
}

void TWyszukiwanieKasyRS::Button1Click() {
    TransferRun run(this, Button5);
    if (!run) return;
    RegisterLink& link = s_.link;
    const bool wasOpen = link.IsOpen();

    // The count pass: only the ports that open are probed.
    const QList<int> ports = OpenablePorts(link, [&](int) { run.Progress(); });
    Button2->setEnabled(false);
    ProgressBar1->setRange(0, int(ports.size()) * 9);
    ProgressBar1->setValue(0);
    Label3->clear();
    Label5->clear();
    run.ShowPanel(Panel1);
    link.ForgetReceived();
    ComboBox1->clear();
    addresses.clear();

    // The probes run at 115200 baud on a copy of the settings: the user's own
    // settings and address are never touched.
    PortScan scan;
    scan.addresses = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    scan.settings = link.Settings();
    scan.settings->baud = 115200;
    // A probe takes a time-out's length: each one is shown.
    scan.probing = [&](int port, int address) {
        run.Progress(
            [&] {  // the panel moves and "Anuluj" can be pressed
                Label3->setText(ComPortName(port));
                Label5->setText(QString::number(address));
                ProgressBar1->setValue(ProgressBar1->value() + 1);
            },
            true);
    };
    const QList<FoundRegister> found = ScanPorts(link, ports, scan);
    for (const FoundRegister& r : found) {
        ComboBox1->addItem(ComPortName(r.port), r.port);
        addresses << r.address;
    }
    run.Done();
    const bool cancelled = link.CancelRequested();

    if (!found.isEmpty()) {
        Button2->setEnabled(true);
        ComboBox1->setCurrentIndex(0);
    } else if (!cancelled) {
        s_.prompts.Message(QStringLiteral("Nie wykryto żadnej kasy podłączonej do tego komputera."));
    }
    // The connection is as it was before the search: a port that was open is
    // opened again, a closed one stays closed.
    if (wasOpen) link.OpenPort(link.Settings(), false);
}

void TWyszukiwanieKasyRS::Button2Click() {
    const int entry = ComboBox1->currentIndex();
    if (entry < 0 || entry >= addresses.size()) return;
    RegisterLink& link = s_.link;
    PortSettings chosen = link.Settings();
    chosen.port = ComboBox1->currentData().toInt();
    link.ClosePort();
    if (link.OpenPort(chosen, true) != 0) return;  // told by the port; the form stays
    link.SetAddress(uint8_t(addresses[entry]));
    close();
}
