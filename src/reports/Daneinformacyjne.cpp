#include "reports/Daneinformacyjne.h"

#include <QApplication>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/registerlink.h"
#include "reports/registerinfo.h"

namespace {
struct Row {
    const char* caption;
    const char* value;
};
// The form's groups: captions beside their value labels.
const Row kRegister[] = {
    {"Wersja oprogramowania", "Label25"},
    {"Oznaczenie pamięci z programem pracy", "Label61"},
    {"Numer unikatowy", "Label26"},
    {"NIP", "Label27"},
    {"Sygnatura pamięci fiskalnej", "Label28"},
    {"Tryb pracy", "Label29"},
    {"Stan pamięci", "Label30"},
    {"Ostatni zapis do pamięci fiskalnej", "Label31"},
    {"Numer kasy", "Label41"},
    {"Ilość zapisów stawek PTU", "Label63"},
    {"Rozmiar karty kopii elektronicznej", "Label43"},
};
const Row kDaily[] = {
    {"Godzina i data wykonania", "Label32"},
    {"Numer raportu", "Label33"},
    {"Numer nośnika kopii elektronicznej", "Label34"},
    {"Liczba zerowań RAM", "Label35"},
    {"Paragony od ostatniego raportu dobowego", "Label36"},
    {"Paragony od fiskalizacji", "Label37"},
};
const Row kState[] = {
    {"Sprzedaż rozpoczęta", "Label38"},
    {"Tryb serwisowy", "Label39"},
    {"Zaprogramowany nagłówek", "Label40"},
    {"Zalogowany kasjer", "Label42"},
    {"Symbol waluty ewidencyjnej", "Label44"},
    {"Data zaprogramowania waluty ewidencyjnej", "Label45"},
};
const Row kPorts[] = {{"COM A", "Label46"}, {"COM B", "Label47"}, {"USB", "Label48"}};
}  // namespace

TDaneInformacyjne::TDaneInformacyjne(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TDaneInformacyjne"));
    setWindowTitle(QStringLiteral("Dane informacyjne kasy"));
    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto group = [&](QVBoxLayout* column, const QString& title, const Row* rows, int count) {
        auto* box = new QGroupBox(title, this);
        auto* form = new QFormLayout(box);
        form->setVerticalSpacing(2);
        for (int i = 0; i < count; ++i) {
            auto* value = Named(new QLabel(box), rows[i].value);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            // Room for the longest value each can show, so a read moves nothing.
            value->setMinimumWidth(value->fontMetrics().horizontalAdvance(
                QLatin1String(rows[i].value) == QLatin1String("Label30") ? QStringLiteral("ZAMKNIĘTA. TYLKO DO ODCZYTU")
                                                                        : QStringLiteral("WWWWWWWWWWWWWWWWW")));
            auto* caption = new QLabel(QString::fromUtf8(rows[i].caption) + QLatin1Char(':'), box);
            caption->setBuddy(value);
            // A screen reader reads the value itself (its text); the caption
            // tells what it is.
            value->setAccessibleDescription(QString::fromUtf8(rows[i].caption));
            form->addRow(caption, value);
            values_.insert(QLatin1String(rows[i].value), value);
        }
        column->addWidget(box);
        return form;
    };
    group(left, QStringLiteral("Kasa"), kRegister, int(std::size(kRegister)));
    group(left, QStringLiteral("Porty wyjścia"), kPorts, int(std::size(kPorts)));
    group(right, QStringLiteral("Ostatni raport dobowy"), kDaily, int(std::size(kDaily)));
    group(right, QStringLiteral("Stan kasy"), kState, int(std::size(kState)));

    // The planned change of the record currency: its labels are greyed unless
    // a change is planned.
    auto* change = new QGroupBox(QStringLiteral("Zmiana waluty ewidencyjnej"), this);
    auto* form = new QFormLayout(change);
    form->setVerticalSpacing(2);
    auto add = [&](const char* valueName, const char* captionName, const QString& caption) {
        auto* value = Named(new QLabel(change), valueName);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("00:00   31-12-2026")));
        auto* c = Named(new QLabel(caption, change), captionName);
        c->setBuddy(value);
        value->setAccessibleDescription(caption);
        form->addRow(c, value);
        values_.insert(QLatin1String(valueName), value);
        return std::pair{c, value};
    };
    auto* planned = Named(new QLabel(change), "Label51");
    form->addRow(new QLabel(QStringLiteral("Zaplanowana zmiana:"), change), planned);
    values_.insert(QStringLiteral("Label51"), planned);
    const auto symbol = add("Label54", "Label53", QStringLiteral("Nowy symbol waluty:"));
    const auto date = add("Label56", "Label55", QStringLiteral("Data zmiany:"));
    auto* note = Named(new QLabel(QStringLiteral("Zmiana nastąpi po raporcie dobowym"), change), "Label57");
    auto* heading = Named(new QLabel(QStringLiteral("Nowa waluta ewidencyjna"), change), "Label52");
    form->insertRow(1, heading);
    form->addRow(note);
    changeGroup_ = {heading, symbol.first, symbol.second, date.first, date.second, note};
    right->addWidget(change);
    right->addStretch();

    Button1 = Named(new QPushButton(QStringLiteral("Pobierz dane informacyjne"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button2");
    outer->addLayout(ButtonRow({Button1, Button2}));
    EnterPresses(Button1);

    Panel7 = WaitPanel("Panel7");

    connect(Button1, &QPushButton::clicked, this, &TDaneInformacyjne::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);
}

void TDaneInformacyjne::Button1Click() {
    std::optional<RegisterInformation> info;
    {
        TransferScope scope(this);
        if (!scope) return;
        Panel7->move((width() - Panel7->width()) / 2, (height() - Panel7->height()) / 2);
        Panel7->raise();
        Panel7->show();
        Panel7->repaint();
        info = ReadInformation(s_.link);
        Panel7->hide();
    }
    if (!info) return;  // the labels keep what they showed
    for (const InfoValue& v : info->values)
        if (QLabel* label = Value(v.label); label && v.text) label->setText(*v.text);
    for (QLabel* l : changeGroup_) l->setEnabled(info->changePlanned);
}
