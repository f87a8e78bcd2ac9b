#include "reports/Raportobrotugrup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/clock.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "link/commands.h"
#include "reports/reports.h"

TRaportObrotuGrup::TRaportObrotuGrup(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TRaportObrotuGrup"));
    setWindowTitle(QStringLiteral("Wykonywanie raportu obrotu grup towarowych"));
    const QStringList months{QStringLiteral("Styczeń"),   QStringLiteral("Luty"),     QStringLiteral("Marzec"),
                             QStringLiteral("Kwiecień"),  QStringLiteral("Maj"),      QStringLiteral("Czerwiec"),
                             QStringLiteral("Lipiec"),    QStringLiteral("Sierpień"), QStringLiteral("Wrzesień"),
                             QStringLiteral("Październik"), QStringLiteral("Listopad"), QStringLiteral("Grudzień")};
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    ComboBox2 = Named(new QComboBox(this), "ComboBox2");
    MaskEdit1 = Named(new QLineEdit(this), "MaskEdit1");
    MaskEdit2 = Named(new QLineEdit(this), "MaskEdit2");
    // The current year, as the first four characters of today's short date.
    const QString year = s_.clock.Now().date().toString(QStringLiteral("yyyy-MM-dd")).left(4);
    for (QComboBox* c : {ComboBox1, ComboBox2}) c->addItems(months);
    for (QLineEdit* e : {MaskEdit1, MaskEdit2}) {
        e->setInputMask(QStringLiteral("0000;_"));
        e->setText(year);
        e->setMaximumWidth(70);
    }
    grid->addWidget(new QLabel(QStringLiteral("Data początkowa:"), this), 0, 0);
    grid->addWidget(Caption(QStringLiteral("Miesiąc"), ComboBox1), 0, 1);
    grid->addWidget(ComboBox1, 0, 2);
    grid->addWidget(Caption(QStringLiteral("Rok"), MaskEdit1), 0, 3);
    grid->addWidget(MaskEdit1, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Data końcowa:"), this), 1, 0);
    grid->addWidget(Caption(QStringLiteral("Miesiąc"), ComboBox2), 1, 1);
    grid->addWidget(ComboBox2, 1, 2);
    grid->addWidget(Caption(QStringLiteral("Rok"), MaskEdit2), 1, 3);
    grid->addWidget(MaskEdit2, 1, 4);
    CheckBox2 = Named(new QCheckBox(QStringLiteral("Drukowanie rekordów zerowych"), this), "CheckBox2");
    outer->addWidget(CheckBox2);
    Button1 = Named(new QPushButton(QStringLiteral("Wykonaj"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button2");
    outer->addLayout(ButtonRow({Button1, Button2}));
    EnterPresses(Button1);
    connect(Button1, &QPushButton::clicked, this, &TRaportObrotuGrup::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);
}

void TRaportObrotuGrup::Button1Click() {
    const auto firstYear = ParseInteger(MaskEdit1->text());
    if (!firstYear) return s_.prompts.Message(NotAnIntegerMessage(MaskEdit1->text()));
    const auto lastYear = ParseInteger(MaskEdit2->text());
    if (!lastYear) return s_.prompts.Message(NotAnIntegerMessage(MaskEdit2->text()));
    TransferScope scope(this);
    if (!scope) return;
    SendReport(s_.link, GroupTurnoverReportFrame(ComboBox1->currentIndex() + 1, int(*firstYear),
                                                 ComboBox2->currentIndex() + 1, int(*lastYear), CheckBox2->isChecked()));
}
