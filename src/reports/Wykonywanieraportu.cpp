#include "reports/Wykonywanieraportu.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/clock.h"
#include "common/prompts.h"
#include "link/registerlink.h"

TWykonywanieRaportu::TWykonywanieRaportu(Services& services, const ReportDescription& d, QWidget* parent)
    : TForm(services, parent), d_(d) {
    setObjectName(QLatin1String(d.className));
    setWindowTitle(d.caption);
    auto* outer = new QVBoxLayout(this);
    switch (d.form) {
        case ReportForm::Periodic: BuildPeriodic(outer); break;
        case ReportForm::Goods: BuildGoods(outer); break;
        case ReportForm::Cashier: {
            ComboBox1 = Named(new QComboBox(this), "ComboBox1");
            for (int n = 1; n <= 10; ++n) ComboBox1->addItem(QString::number(n));
            auto* row = new QHBoxLayout;
            row->addWidget(Caption(QStringLiteral("Wybierz kasjera:"), ComboBox1));
            row->addWidget(ComboBox1);
            row->addStretch();
            outer->addLayout(row);
            CheckBox1 = Named(new QCheckBox(QStringLiteral("Raport zerujący"), this), "CheckBox1");
            CheckBox2 = Named(new QCheckBox(QStringLiteral("Raport pełny"), this), "CheckBox2");
            outer->addWidget(CheckBox1);
            outer->addWidget(CheckBox2);
            break;
        }
        case ReportForm::ZeroRecords:
            RadioGroup1 = YesNo("RadioGroup1", d.zeroRecordsCaption, d.zeroRecordsYes, ZeroRecordsYes);
            outer->addWidget(RadioGroup1);
            CheckBox1 = Named(new QCheckBox(QStringLiteral("Raport zerujący"), this), "CheckBox1");
            outer->addWidget(CheckBox1);
            break;
        case ReportForm::None: {
            auto* text = new QLabel(d.caption, this);
            text->setWordWrap(true);
            outer->addWidget(text);
            break;
        }
    }
    Button1 = Named(new QPushButton(QStringLiteral("Wykonaj"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button2");
    outer->addLayout(ButtonRow({Button1, Button2}));
    EnterPresses(Button1);
    connect(Button1, &QPushButton::clicked, this, &TWykonywanieRaportu::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);
    ModeChanged();
}

QGroupBox* TWykonywanieRaportu::YesNo(const char* name, const QString& title, const QString& yes,
                                      QRadioButton*& yesButton) {
    auto* box = Named(new QGroupBox(title, this), name);
    auto* row = new QHBoxLayout(box);
    auto* no = new QRadioButton(QStringLiteral("Nie"), box);
    yesButton = new QRadioButton(yes, box);
    no->setChecked(true);
    row->addWidget(no);
    row->addWidget(yesButton);
    return box;
}

QGroupBox* TWykonywanieRaportu::Mode(QVBoxLayout* outer, const char* radioName, const char* boxName,
                                     const QString& title, QRadioButton*& radio) {
    radio = Named(new QRadioButton(title, this), radioName);
    auto* box = Named(new QGroupBox(this), boxName);
    box->setAccessibleName(title);
    outer->addWidget(radio);
    outer->addWidget(box);
    connect(radio, &QRadioButton::toggled, this, &TWykonywanieRaportu::ModeChanged);
    return box;
}

void TWykonywanieRaportu::NumberRange(QGroupBox* box) {
    auto* numbers = new QHBoxLayout(box);
    Edit1 = Named(new QLineEdit(box), "Edit1");
    Edit2 = Named(new QLineEdit(box), "Edit2");
    for (QLineEdit* e : {Edit1, Edit2}) e->setMaxLength(4);
    numbers->addWidget(Caption(QStringLiteral("Od"), Edit1));
    numbers->addWidget(Edit1);
    numbers->addWidget(Caption(QStringLiteral("Do"), Edit2));
    numbers->addWidget(Edit2);
}

void TWykonywanieRaportu::BuildPeriodic(QVBoxLayout* outer) {
    GroupBox1 = Mode(outer, "RadioButton1", "GroupBox1", QStringLiteral("Miesięczny"), RadioButton1);
    MaskEdit1 = Named(new QLineEdit(GroupBox1), "MaskEdit1");
    MaskEdit1->setInputMask(QStringLiteral("99-9999;_"));
    MaskEdit1->setToolTip(QStringLiteral("mm-rrrr"));
    auto* monthly = new QFormLayout(GroupBox1);
    monthly->addRow(Caption(QStringLiteral("Miesiąc (mm-rrrr):"), MaskEdit1), MaskEdit1);
    MaskEdit1->setText(ProposedMonth(s_.clock.Now().date()));

    GroupBox2 = Mode(outer, "RadioButton2", "GroupBox2", QStringLiteral("Okresowy"), RadioButton2);
    auto* dates = new QHBoxLayout(GroupBox2);
    DateTimePicker1 = Named(new QDateEdit(s_.clock.Now().date(), GroupBox2), "DateTimePicker1");
    DateTimePicker2 = Named(new QDateEdit(s_.clock.Now().date(), GroupBox2), "DateTimePicker2");
    for (QDateEdit* e : {DateTimePicker1, DateTimePicker2}) {
        e->setCalendarPopup(true);
        e->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    dates->addWidget(Caption(QStringLiteral("Od"), DateTimePicker1));
    dates->addWidget(DateTimePicker1);
    dates->addWidget(Caption(QStringLiteral("Do"), DateTimePicker2));
    dates->addWidget(DateTimePicker2);

    GroupBox3 = Mode(outer, "RadioButton3", "GroupBox3", QStringLiteral("Według numerów"), RadioButton3);
    NumberRange(GroupBox3);
    RadioButton1->setChecked(true);

    CheckBox1 = Named(new QCheckBox(QStringLiteral("Raport pełny"), this), "CheckBox1");
    CheckBox1->setChecked(true);
    outer->addWidget(CheckBox1);
}

void TWykonywanieRaportu::BuildGoods(QVBoxLayout* outer) {
    GroupBox1 = Mode(outer, "RadioButton1", "GroupBox1", QStringLiteral("Raport całej bazy"), RadioButton1);
    auto* whole = new QHBoxLayout(GroupBox1);
    whole->addWidget(new QLabel(QStringLiteral("Towary o numerach 1 - 2000"), GroupBox1));

    GroupBox2 = Mode(outer, "RadioButton2", "GroupBox2", QStringLiteral("Raport grupy towarowej"), RadioButton2);
    ComboBox1 = Named(new QComboBox(GroupBox2), "ComboBox1");
    for (int n = 1; n <= 20; ++n) ComboBox1->addItem(QString::number(n));
    auto* group = new QHBoxLayout(GroupBox2);
    group->addWidget(Caption(QStringLiteral("Grupa towarowa:"), ComboBox1));
    group->addWidget(ComboBox1);
    group->addStretch();

    GroupBox3 = Mode(outer, "RadioButton3", "GroupBox3", QStringLiteral("Raport według numerów PLU"), RadioButton3);
    NumberRange(GroupBox3);
    RadioButton1->setChecked(true);

    RadioGroup2 = YesNo("RadioGroup2", d_.zeroRecordsCaption, d_.zeroRecordsYes, ZeroRecordsYes);
    outer->addWidget(RadioGroup2);
    if (d_.hasZeroing) {
        RadioGroup1 = YesNo("RadioGroup1", QStringLiteral("Raport zerujący?"), QStringLiteral("Tak"), ZeroingYes);
        outer->addWidget(RadioGroup1);
    }
}

void TWykonywanieRaportu::ModeChanged() {
    // The chosen mode's group is usable; the others are greyed.
    const QList<std::pair<QRadioButton*, QGroupBox*>> modes{
        {RadioButton1, GroupBox1}, {RadioButton2, GroupBox2}, {RadioButton3, GroupBox3}};
    for (const auto& [radio, box] : modes)
        if (radio && box) box->setEnabled(radio->isChecked());
}

void TWykonywanieRaportu::FormShow() {
    if (d_.form == ReportForm::Cashier) ComboBox1->setCurrentIndex(0);
}

bool TWykonywanieRaportu::Collect(ReportParameters& p) {
    auto refuse = [this](const QString& why) {
        s_.prompts.Message(why);
        return false;
    };
    switch (d_.form) {
        case ReportForm::Periodic: {
            p.full = CheckBox1->isChecked();
            if (RadioButton1->isChecked()) {
                const Checked2 c = CheckMonthField(MaskEdit1->displayText());
                if (!c.error.isEmpty()) return refuse(c.error);
                p.periodic = PeriodicMode::Monthly;
                p.month = c.a;
                p.year = c.b;
            } else if (RadioButton2->isChecked()) {
                p.periodic = PeriodicMode::ByDates;
                p.from = DateTimePicker1->date();
                p.to = DateTimePicker2->date();
            } else {
                const Checked2 c = CheckReportNumbers(Edit1->text(), Edit2->text());
                if (!c.error.isEmpty()) return refuse(c.error);
                p.periodic = PeriodicMode::ByNumbers;
                p.first = c.a;
                p.last = c.b;
            }
            return true;
        }
        case ReportForm::Goods:
            p.zeroRecords = ZeroRecordsYes->isChecked();
            p.zeroing = ZeroingYes && ZeroingYes->isChecked();
            if (RadioButton1->isChecked()) {
                p.scope = GoodsScope::WholeBase;
            } else if (RadioButton2->isChecked()) {
                p.scope = GoodsScope::Group;
                p.group = ComboBox1->currentIndex() + 1;
            } else {
                const Checked2 c = CheckGoodsNumbers(Edit1->text(), Edit2->text());
                if (!c.error.isEmpty()) return refuse(c.error);
                p.scope = GoodsScope::Numbers;
                p.first = c.a;
                p.last = c.b;
            }
            return true;
        case ReportForm::Cashier:
            p.cashier = ComboBox1->currentIndex() + 1;
            p.zeroing = CheckBox1->isChecked();
            p.full = CheckBox2->isChecked();
            return true;
        case ReportForm::ZeroRecords:
            p.zeroRecords = ZeroRecordsYes->isChecked();
            p.zeroing = CheckBox1->isChecked();
            return true;
        case ReportForm::None: return true;
    }
    return true;
}

void TWykonywanieRaportu::Button1Click() {
    ReportParameters p;
    if (!Collect(p)) return;
    // A zeroing report clears the register's counters for good: asked once.
    if (p.zeroing && s_.prompts.Ask(ZeroingQuestion(), PromptButtons::YesNo, PromptIcon::Question,
                                    QStringLiteral("Zelk Tuvo")) != PromptAnswer::Yes)
        return;
    {
        TransferScope scope(this);
        if (!scope) return;
        RunReport(s_.link, d_, p);
    }
    if (d_.closesAfter) close();
}

QList<TWykonywanieRaportu*> CreateReportWindows(Services& services, QWidget* parent) {
    QList<TWykonywanieRaportu*> out;
    for (const ReportDescription& d : ReportDescriptions()) out << new TWykonywanieRaportu(services, d, parent);
    return out;
}
