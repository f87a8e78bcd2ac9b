#include "sync/Synchkasjerow.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include "common/text.h"
#include "image/fields.h"

QString SyncDateText(const char* p) {
    // A cashier who never logged in has no date at all.
    if (Word(p) == 0 && p[2] == 0 && p[3] == 0) return QStringLiteral("brak");
    return QStringLiteral("%1-%2-%3  %4:%5")
        .arg(Word(p))
        .arg(uint8_t(p[2]))
        .arg(uint8_t(p[3]))
        .arg(uint8_t(p[4]), 2, 10, QLatin1Char('0'))
        .arg(uint8_t(p[5]), 2, 10, QLatin1Char('0'));
}

namespace {
const QString kShow = QStringLiteral("Pokaż hasło");
const QString kHide = QStringLiteral("Ukryj hasło");

const SyncWindowDescription& Description() {
    using D = DetailField;
    static const SyncWindowDescription d{
        .member = SyncMemberOf(RecordTable::Cashiers),
        .className = "TSynchronizacjaBazyKasjerow",
        .caption = QStringLiteral("Podgląd bazy kasjerów"),
        .pcCaption = QStringLiteral("Baza kasjerów PC"),
        .registerCaption = QStringLiteral("Baza kasjerów Zelk Tuvo"),
        .sendCaption = QStringLiteral("Skopiuj zaznaczone\nrekordy do kasy"),
        .copyCaption = QStringLiteral("Skopiuj zaznaczone\nrekordy do PC"),
        .deleteCaption = QStringLiteral("Usuń"),
        .confirmCaption = QStringLiteral("Potwierdzaj wprowadzanie kasjerów z klawiatury kasy"),
        .confirmShown = false,  // its flag stays 0
        .details = {{QStringLiteral("Utarg gotówkowy"), D::Money, 26},
                    {QStringLiteral("Utarg całkowity"), D::Money, 30},
                    {QStringLiteral("Liczba wydanych paragonów"), D::Count16, 34},
                    {QStringLiteral("Liczba anulowanych paragonów"), D::Count16, 36},
                    {QStringLiteral("Kwota anulowanych paragonów"), D::Money, 38},
                    {QStringLiteral("Liczba storno"), D::Count16, 42},
                    {QStringLiteral("Kwota storno"), D::Money, 44},
                    {QStringLiteral("Wpłaty do kasy"), D::Money, 48},
                    {QStringLiteral("Wypłaty z kasy"), D::Money, 52},
                    {QStringLiteral("Zwroty opakowań zwrotnych"), D::Money, 56},
                    {QStringLiteral("Wydania opakowań zwrotnych"), D::Money, 60}},
    };
    return d;
}

const QStringList kRightCaptions = {
    QStringLiteral("Możliwość wykonywania raportów niezerujących"), QStringLiteral("Możliwość wykonywania raportów zerujących"),
    QStringLiteral("Możliwość ręcznego udzielania rabatów"),        QStringLiteral("Możliwość udzielania rabatów z bazy"),
    QStringLiteral("Możliwość anulowania paragonu"),                QStringLiteral("Możliwość wykonywania operacji storno"),
    QStringLiteral("Możliwość wykonywania wpłat i wypłat z kasy")};
}  // namespace

TSynchronizacjaBazyKasjerow::TSynchronizacjaBazyKasjerow(Services& services, QWidget* parent)
    : TSynchronizacjaTabeli(services, Description(), parent) {
    QFormLayout* form = SideDetailsLayout();
    for (const QString& caption : kRightCaptions) {
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("Right%1").arg(Rights.size() + 1));
        Rights << value;
        form->addRow(caption, value);
    }
    LastLogIn = Named(new QLabel(this), "LastLogIn");
    LastLogOut = Named(new QLabel(this), "LastLogOut");
    // Room for the whole date, so it is never cut off.
    for (QLabel* l : {LastLogIn, LastLogOut})
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("2026-12-31  23:59")) + 4);
    form->addRow(QStringLiteral("Ostatnie logowanie:"), LastLogIn);
    form->addRow(QStringLiteral("Ostatnie wylogowanie:"), LastLogOut);
    LoggedIn = Named(new QLabel(QStringLiteral("KASJER ZALOGOWANY!"), this), "LoggedIn");
    LoggedIn->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    Password = Named(new QLabel(this), "Password");
    Button6 = Named(new QPushButton(kShow, this), "Button6");
    form->addRow(LoggedIn);
    form->addRow(Button6, Password);
    connect(Button6, &QPushButton::clicked, this, &TSynchronizacjaBazyKasjerow::Button6Click);
    ClearDetails();
}

void TSynchronizacjaBazyKasjerow::Button6Click() {
    const bool show = !Password->isVisible();
    Password->setVisible(show);
    Button6->setText(show ? kHide : kShow);
}

void TSynchronizacjaBazyKasjerow::ClearDetails() {
    TSynchronizacjaTabeli::ClearDetails();
    for (QLabel* l : Rights) l->clear();
    LastLogIn->clear();
    LastLogOut->clear();
    LoggedIn->hide();
    Password->clear();
    Password->hide();
    Button6->setText(kShow);
}

void TSynchronizacjaBazyKasjerow::ShowRights(const QByteArray& flags) {
    for (int i = 0; i < Rights.size() && i < flags.size(); ++i)
        Rights[i]->setText(flags[i] ? QStringLiteral("TAK") : QStringLiteral("NIE"));
}

void TSynchronizacjaBazyKasjerow::ShowRegisterDetails(const QByteArray& r) {
    if (r.size() < 247) return;
    ShowRights(r.mid(224, 7));
    LastLogIn->setText(SyncDateText(r.constData() + 231));
    LastLogOut->setText(SyncDateText(r.constData() + 237));
    LoggedIn->setVisible(r[246] != 0);
    Password->setText(FromCp1250Field(r.constData() + 22, 4));
}

void TSynchronizacjaBazyKasjerow::ShowPcDetails(const QByteArray& pc) {
    if (pc.size() < 33) return;
    ShowRights(pc.mid(26, 7));
    Password->setText(FromCp1250Field(pc.constData() + 22, 4));
}
