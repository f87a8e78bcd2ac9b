#include "tables/Programowaniewalutyewidencyjnej.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "common/clock.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "image/imagestore.h"
#include "image/layout.h"
#include "image/workimage.h"
#include "link/exchange.h"
#include "link/commands.h"
#include "link/frames.h"
#include "link/registererrors.h"
#include "link/registerlink.h"
#include "tables/settingvalues.h"
#include "tables/tablevalues.h"


TProgramowanieWalutyEwidencyjnej::TProgramowanieWalutyEwidencyjnej(Services& services, QWidget* parent)
    : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieWalutyEwidencyjnej"));
    setWindowTitle(QStringLiteral("Programowanie waluty ewidencyjnej"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Zmiana waluty ewidencyjnej")));
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    Edit1 = Named(new QLineEdit(this), "Edit1");
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit2->setMaxLength(3);
    StorableText(Edit2);
    Label6 = Named(new QLabel(this), "Label6");
    Label4 = Marker(QStringLiteral(" Wprowadź kurs"), "Label4");
    Label5 = Marker(QStringLiteral(" Wprowadź symbol"), "Label5");
    DateTimePicker1 = Named(new QDateEdit(this), "DateTimePicker1");
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    DateTimePicker1->setCalendarPopup(true);
    grid->addWidget(Caption(QStringLiteral("Kurs wymiany na starą walutę ewidencyjną"), Edit1), 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Label6, 0, 2);
    grid->addWidget(Label4, 0, 3);
    grid->addWidget(Caption(QStringLiteral("Symbol nowej waluty ewidencyjnej"), Edit2), 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(Label5, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Data zmiany (rrrr-mm-dd)"), DateTimePicker1), 2, 0);
    grid->addWidget(DateTimePicker1, 2, 1);
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Drukowanie przelicznika walut"), this), "CheckBox1");
    outer->addWidget(CheckBox1);
    // The register takes denomination 1 only; the choice stays hidden.
    RadioGroup1 = Named(new QGroupBox(QStringLiteral("Nominał"), this), "RadioGroup1");
    auto* denominations = new QHBoxLayout(RadioGroup1);
    for (const char* d : {"1", "10", "100"}) denominations->addWidget(new QRadioButton(QLatin1String(d), RadioGroup1));
    RadioGroup1->findChildren<QRadioButton*>().first()->setChecked(true);
    RadioGroup1->hide();
    outer->addWidget(RadioGroup1);
    auto* buttons = new QHBoxLayout;
    Button1 = Named(new QPushButton(QStringLiteral("Zmiana w kasie"), this), "Button1");
    Button3 = Named(new QPushButton(QStringLiteral("Zmiana w bazie"), this), "Button3");
    Button2 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button2");
    for (QPushButton* b : {Button1, Button3, Button2}) buttons->addWidget(b);
    outer->addLayout(buttons);
    connect(Edit2, &QLineEdit::textChanged, this, &TProgramowanieWalutyEwidencyjnej::ShowPair);
    connect(Button1, &QPushButton::clicked, this, &TProgramowanieWalutyEwidencyjnej::Button1Click);
    // The change in the register cannot be taken back: Enter does not make it.
    Button1->setAutoDefault(false);
    Button3->setAutoDefault(false);
    connect(Button3, &QPushButton::clicked, this, &TProgramowanieWalutyEwidencyjnej::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);
}

void TProgramowanieWalutyEwidencyjnej::FormShow() {
    DateTimePicker1->setDate(s_.clock.Now().date());
    ShowPair();
}

void TProgramowanieWalutyEwidencyjnej::ShowPair() {
    Label6->setText(QLatin1Char('(') + Edit2->text() + QLatin1Char('/') + s_.app.recordCurrencySymbol +
                    QLatin1Char(')'));
}

bool TProgramowanieWalutyEwidencyjnej::Required() {
    Label4->setVisible(Edit1->text().isEmpty());
    Label5->setVisible(Edit2->text().isEmpty());
    return !Edit1->text().isEmpty() && !Edit2->text().isEmpty();
}

void TProgramowanieWalutyEwidencyjnej::Button1Click() {
    RegisterLink& link = s_.link;
    link.FlushPort();
    if (!Required()) return;
    const Checked<RateDigits> rate = NormaliseCurrencyRate(Edit1->text());
    if (!rate.ok()) {
        s_.prompts.Message(rate.error);
        return;
    }
    // The register changes its record currency on that day for good: asked first.
    if (s_.prompts.Ask(QStringLiteral("Zmienić walutę ewidencyjną kasy na ") + Edit2->text() + QStringLiteral(" od dnia ") +
                           DateTimePicker1->date().toString(QStringLiteral("yyyy-MM-dd")) +
                           QStringLiteral("? Tej zmiany nie można cofnąć."),
                       PromptButtons::YesNo, PromptIcon::Warning, QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
        return;
    const Answer a = Transact(link, RecordCurrencyFrame(uint32_t(rate.value.mantissa), rate.value.places,
                                                        PadLeft(Edit2->text(), 3), 1, CheckBox1->isChecked() ? 1 : 0,
                                                        DateTimePicker1->date()));
    TellOutcome(a, QStringLiteral("Zmianę waluty ewidencyjnej zapisano w kasie."));
}

void TProgramowanieWalutyEwidencyjnej::Button3Click() {
    if (!Required()) return;
    const auto rate = ParseDatabaseRate(Edit1->text());
    if (!rate) {
        s_.prompts.Message(QStringLiteral("     Błędna wartość w polu Kurs     "));
        return;
    }
    // Every price of the database changes and cannot be changed back: ask once.
    if (s_.prompts.Ask(QStringLiteral("Przeliczyć ceny wszystkich towarów według kursu ") + FormatRate(*rate) +
                           QLatin1Char('?'),
                       PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
        return;
    const QString symbol = Edit2->text();
    s_.image.WriteTextAt(layout::kRecordCurrencyChange, symbol, 3);
    s_.app.recordCurrencySymbol = symbol;
    ConvertImagePrices(s_.image, *rate);
    s_.app.databaseModified = true;
    s_.prompts.Message(QStringLiteral("Zamieniono walutę ewidencyjną na ") + PadLeft(symbol, 3) +
                       QStringLiteral(". Kurs wymiany: ") + FormatRate(*rate));
    close();
}
