#include "reports/Zestawraportow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/appstate.h"
#include "image/layout.h"
#include "image/workimage.h"

namespace {
const char* const kEntries[19] = {
    "Raport bazy z PTU niezerujący",     "Raport form płatności niezerujący", "Raport grup towarowych niezerujący",
    "Raport opakowań niezerujący",       "Raport pełny bazy PLU niezerujący", "Raport sprzedaży niezerujący",
    "Raport zmianowy kasjerów niezerujący", "Raport rabatów niezerujący",     "Raport PTU",
    "Raport kasy",                       "Raport klawiszy szybkich ",         "Raport sprzedaży zerujący",
    "Raport zmianowy kasjerów zerujący", "Raport opakowań zerujący",          "Raport form płatności zerujący",
    "Raport grup towarowych zerujący",   "Raport rabatów zerujący",           "Raport dobowy",
    "Parametry rozkazu"};
}  // namespace

TProgramowanieZestawuRaportow::TProgramowanieZestawuRaportow(Services& services, QWidget* parent)
    : TForm(services, parent) {
    setObjectName(QStringLiteral("TProgramowanieZestawuRaportow"));
    setWindowTitle(QStringLiteral("Programowanie zestawu raportow"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(QStringLiteral("Programowanie zestawu raportów")));
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    outer->addLayout(grid);
    const QStringList values{QStringLiteral("Niezaprogramowany"), QStringLiteral("Pełny"), QStringLiteral("Rekordów niezerowych")};
    static const char* const firstNames[3] = {"PTU_A_O", "PTU_A_Z", "PTU_A_N"};
    int number = 1;
    for (int p = 0; p < 19; ++p) {
        auto* box = new QGroupBox(QString::fromUtf8(kEntries[p]), this);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(6, 2, 6, 2);
        QList<QRadioButton*> buttons;
        for (int v = 0; v < 3; ++v) {
            auto* b = new QRadioButton(values[v], box);
            b->setObjectName(p == 0 ? QLatin1String(firstNames[v]) : QStringLiteral("RadioButton%1").arg(number++));
            row->addWidget(b);
            buttons << b;
        }
        buttons[0]->setChecked(true);
        Panels << buttons;
        // Entries 0-9 on the left, 10-18 on the right, in byte order.
        grid->addWidget(box, p < 10 ? p : p - 10, p < 10 ? 0 : 1);
    }
    auto* actions = new QHBoxLayout;
    Button2 = Named(new QPushButton(QStringLiteral("Zapisz"), this), "Button2");
    Button1 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button1");
    actions->addStretch();
    actions->addWidget(Button2);
    actions->addWidget(Button1);
    outer->addLayout(actions);
    EnterPresses(Button2);
    connect(Button2, &QPushButton::clicked, this, &TProgramowanieZestawuRaportow::Store);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
}

void TProgramowanieZestawuRaportow::ShowWorking() {
    for (int p = 0; p < 19; ++p) {
        const int v = uint8_t(working[p]);
        if (v <= 2) Panels[p][v]->setChecked(true);  // another value selects nothing new
    }
}

void TProgramowanieZestawuRaportow::FormShow() {
    // With a database open its record is what the dialog shows, online too, so
    // storing never writes over it with choices it did not show.
    if (s_.app.DatabaseLoaded()) {
        Button2->setText(QStringLiteral("Zapisz"));
        const QByteArray record = s_.image.ReadBytesAt(layout::kReportSet, layout::kReportSetSize);
        if (record.size() == layout::kReportSetSize) working = record;
    } else if (s_.app.workMode == ModeRegisterOnly) {
        Button2->setText(QStringLiteral("Wyslij"));
    }
    ShowWorking();
}

void TProgramowanieZestawuRaportow::Store() {
    for (int p = 0; p < 19; ++p)
        for (int v = 0; v < 3; ++v)
            if (Panels[p][v]->isChecked()) working[p] = char(v);
    // No command sends the set to the register: it lives in the database.
    if (s_.app.DatabaseLoaded() && s_.image.WriteBytesAt(layout::kReportSet, working)) s_.app.databaseModified = true;
    close();
}
