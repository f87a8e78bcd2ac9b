#include "tables/Programowaniekasjerow.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "common/numbers.h"
#include "common/prompts.h"
#include "common/text.h"

namespace {
const TableEditorDescription& Description() {
    static const TableEditorDescription d{
        .table = kCashierTable,
        .className = "TProgramowanieKasjerow",
        .caption = QStringLiteral("Edycja bazy kasjerów"),
        .heading = QStringLiteral("Edycja bazy kasjerów PC"),
        .columns = {QStringLiteral("Numer"), QStringLiteral("Nazwa kasjera")},
        .visibleRows = 10,
        .numberCaption = QStringLiteral("Numer kasjera"),
        .numberMarkerName = "Label6",
        .numberMarker = QStringLiteral(" Wprowadź numer!"),
        .numberMessage = QStringLiteral("Wartość pola 'Numer kasjera' powinna zawierać się w przedziale 1-10"),
        .nameCaption = QStringLiteral("Nazwa kasjera"),
        .nameMarkerName = "Label5",
        .nameMarker = QStringLiteral(" Wprowadź nazwę!"),
        .blankNameMessage = QStringLiteral("Nazwa kasjera nie może składać się z samych znaków spacji!"),
        .deleteCaption = QStringLiteral("Usuń kasjera z bazy"),
        .sendButton = "Button5",
        .confirmBox = "CheckBox9",
        .confirmCaption = QStringLiteral("Potwierdzaj wprowadzanie kasjerów z klawiatury kasy"),
        // The register's answer is read and let go.
        .sendReading = Exchange{false, true, AckStyle::Plain, 0, -1, {}},
    };
    return d;
}

const QString kShow = QStringLiteral("Pokaż hasło kasjera");
const QString kHide = QStringLiteral("Ukryj hasło kasjera");
}  // namespace

TProgramowanieKasjerow::TProgramowanieKasjerow(Services& services, QWidget* parent)
    : TTableEditor(services, Description(), parent) {
    MaskEdit1 = Named(new QLineEdit(this), "MaskEdit1");
    MaskEdit1->setMaxLength(4);
    MaskEdit1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]{0,4}")), MaskEdit1));
    MaskEdit1->installEventFilter(this);
    Label8 = Marker(QStringLiteral(" Wprowadź hasło!"), "Label8");
    AddRow(QStringLiteral("Hasło dostępu"), MaskEdit1, Label8);
    const QStringList names = CashierRightNames();
    for (int i = 0; i < names.size(); ++i) {
        auto* box = Named(new QCheckBox(names[i], this), QByteArray("CheckBox" + QByteArray::number(i + 1)).constData());
        Rights.append(box);
        AddWide(box);
    }

    Panel2 = Named(new QGroupBox(QStringLiteral("Uprawnienia kasjera:"), this), "Panel2");
    auto* panel = new QGridLayout(Panel2);
    for (int i = 0; i < names.size(); ++i) {
        panel->addWidget(new QLabel(names[i] + QLatin1Char(':'), Panel2), i, 0);
        auto* shown = new QLabel(QStringLiteral("TAK"), Panel2);
        shown->setObjectName(QStringLiteral("Right%1").arg(i + 1));
        QSizePolicy p = shown->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        shown->setSizePolicy(p);
        shown->hide();
        RightShown.append(shown);
        panel->addWidget(shown, i, 1);
    }
    panel->addWidget(new QLabel(QStringLiteral("Hasło:"), Panel2), int(names.size()), 0);
    PasswordShown = Named(new QLabel(Panel2), "PasswordShown");
    PasswordShown->hide();
    panel->addWidget(PasswordShown, int(names.size()), 1);
    Button4 = Named(new QPushButton(kShow, Panel2), "Button4");
    panel->addWidget(Button4, int(names.size()) + 1, 0, 1, 2);
    SideColumn()->addWidget(Panel2);
    SideColumn()->addStretch();

    connect(NumberEdit, &QLineEdit::editingFinished, this, &TProgramowanieKasjerow::Edit1Exit);
    connect(StringGrid1, &QTableWidget::itemSelectionChanged, this, &TProgramowanieKasjerow::StringGrid1Click);
    connect(Button4, &QPushButton::clicked, this, &TProgramowanieKasjerow::Button4Click);
}

bool TProgramowanieKasjerow::eventFilter(QObject* watched, QEvent* event) {
    // A click in the password selects all of it, so a new one replaces the old.
    if (watched == MaskEdit1 && event->type() == QEvent::MouseButtonRelease)
        QTimer::singleShot(0, MaskEdit1, &QLineEdit::selectAll);
    return TTableEditor::eventFilter(watched, event);
}

void TProgramowanieKasjerow::Edit1Exit() {
    // The manager's password is set on the register itself, never from here.
    const bool manager = NumberEdit->text() == QLatin1String("1");
    MaskEdit1->setEnabled(!manager);
    MaskEdit1->setStyleSheet(manager ? QStringLiteral("background: lightgray") : QString());
}

void TProgramowanieKasjerow::StringGrid1Click() {
    Button4->setText(kShow);
    PasswordShown->hide();
    const int n = SelectedNumber();
    if (n < 1 || !kCashierTable.area.Holds(n)) {
        PasswordShown->clear();
        return;
    }
    const CashierRecord c = CashierRecord::Decode(kCashierTable.Slot(s_.image, n));
    const QString password = FromCp1250(c.password);
    PasswordShown->setText(password.isEmpty() ? QStringLiteral("Brak") : password);
    for (int i = 0; i < RightShown.size(); ++i) RightShown[i]->setVisible(c.rights[size_t(i)] != 0);
}

void TProgramowanieKasjerow::Button4Click() {
    const bool show = !PasswordShown->isVisible();
    PasswordShown->setVisible(show);
    Button4->setText(show ? kHide : kShow);
}

std::optional<QByteArray> TProgramowanieKasjerow::BuildRecord(uint8_t number, const QString& name) {
    CashierRecord c;
    c.number = number;
    c.name = name;
    if (number == 1) {
        // Cashier 1's password field is disabled: a replaced manager keeps the
        // password the image holds.
        c.password = CashierRecord::Decode(kCashierTable.Slot(s_.image, 1)).password;
    } else {
        const QString password = MaskEdit1->text().trimmed();
        if (!password.isEmpty() && !ParseInteger(password)) {
            s_.prompts.Message(QStringLiteral("Błędne hasło!"));
            return std::nullopt;
        }
        c.password = ToCp1250(password).left(4);
    }
    for (int i = 0; i < Rights.size(); ++i) c.rights[size_t(i)] = Rights[i]->isChecked() ? 1 : 0;
    return c.Encode();
}

void TProgramowanieKasjerow::ClearAfterAdd() { MaskEdit1->clear(); }

bool TProgramowanieKasjerow::MayDelete(int number) {
    if (number != 1) return true;
    s_.prompts.Message(QStringLiteral("Nie można usunąć kasjera nr 1"));
    return false;
}

void TProgramowanieKasjerow::ShowRecord(const QByteArray& slot) {
    const CashierRecord r = CashierRecord::Decode(slot);
    MaskEdit1->setText(QString::fromLatin1(r.password));
    for (int i = 0; i < Rights.size() && i < int(r.rights.size()); ++i) Rights[i]->setChecked(r.rights[size_t(i)] != 0);
}
