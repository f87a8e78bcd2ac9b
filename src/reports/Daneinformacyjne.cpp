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
    auto group = [&](QVBoxLayout* column, const InfoGroup& g) {
        auto* box = new QGroupBox(QString::fromUtf8(g.title), this);
        auto* form = new QFormLayout(box);
        form->setVerticalSpacing(2);
        for (const InfoRow& row : g.rows) {
            auto* value = Named(new QLabel(box), row.label);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            // Room for the longest value each can show, so a read moves nothing.
            value->setMinimumWidth(value->fontMetrics().horizontalAdvance(
                QLatin1String(row.label) == QLatin1String("Label30") ? QStringLiteral("ZAMKNIĘTA. TYLKO DO ODCZYTU")
                                                                        : QStringLiteral("WWWWWWWWWWWWWWWWW")));
            auto* caption = new QLabel(QString::fromUtf8(row.caption) + QLatin1Char(':'), box);
            caption->setBuddy(value);
            // A screen reader reads the value itself (its text); the caption
            // tells what it is.
            value->setAccessibleDescription(QString::fromUtf8(row.caption));
            form->addRow(caption, value);
            values_.insert(QLatin1String(row.label), value);
        }
        column->addWidget(box);
        return form;
    };
    // Register and ports on the left, the last daily report and the state on
    // the right; the currency change has a form of its own below.
    const QList<InfoGroup>& groups = InformationGroups();
    for (int i = 0; i < 4; ++i) group(i < 2 ? left : right, groups[i]);

    // The planned change of the record currency: its labels are greyed unless
    // a change is planned.
    auto* change = new QGroupBox(QStringLiteral("Zmiana waluty ewidencyjnej"), this);
    auto* form = new QFormLayout(change);
    form->setVerticalSpacing(2);
    const QList<InfoRow>& changeRows = groups[4].rows;
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
    form->addRow(new QLabel(QString::fromUtf8(changeRows[0].caption) + QLatin1Char(':'), change), planned);
    values_.insert(QStringLiteral("Label51"), planned);
    const auto symbol = add("Label54", "Label53", QString::fromUtf8(changeRows[1].caption) + QLatin1Char(':'));
    const auto date = add("Label56", "Label55", QString::fromUtf8(changeRows[2].caption) + QLatin1Char(':'));
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
