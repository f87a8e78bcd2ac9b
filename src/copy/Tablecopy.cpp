#include "copy/Tablecopy.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "copy/registercopy.h"
#include "link/registerlink.h"

TTableCopyForm::TTableCopyForm(Services& services, const TableCopyDescription& d, QWidget* parent)
    : TForm(services, parent) {
    setObjectName(QLatin1String(d.className));
    setWindowTitle(d.caption);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(HeadingLabel(d.caption));
    CheckListBox1 = Named(new QListWidget(this), "CheckListBox1");
    CheckListBox1->setAccessibleName(QStringLiteral("Tabele"));
    for (const QString& entry : d.entries) {
        auto* item = new QListWidgetItem(entry, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    CheckListBox1->setMinimumHeight(CheckListBox1->sizeHintForRow(0) * int(d.entries.size()) + 8);
    outer->addWidget(CheckListBox1);
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Zaznacz/odznacz wszystko"), this), "CheckBox1");
    outer->addWidget(CheckBox1);
    Button1 = Named(new QPushButton(QStringLiteral("OK"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button2");
    outer->addLayout(ButtonRow({Button1, Button2}));
    EnterPresses(Button1);

    Panel1 = WaitPanel("Panel1", QStringLiteral("Trwa kopiowanie..."));
    auto* panel = static_cast<QVBoxLayout*>(Panel1->layout());
    Label1 = Named(new QLabel(Panel1), "Label1");
    Label2 = Named(new QLabel(Panel1), "Label2");
    ProgressBar1 = Named(new QProgressBar(Panel1), "ProgressBar1");
    panel->addWidget(Label1, 0, Qt::AlignCenter);
    panel->addWidget(ProgressBar1);
    panel->addWidget(Label2, 0, Qt::AlignCenter);
    Panel1->setFixedSize(300, 120);
    setMinimumSize(340, 320);

    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
        for (int i = 0; i < CheckListBox1->count(); ++i) {
            QListWidgetItem* item = CheckListBox1->item(i);
            if (item->flags() & Qt::ItemIsUserCheckable) item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        }
    });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] {
        if (TransferRunning()) s_.link.RequestCancel();
        else close();
    });
}

QList<bool> TTableCopyForm::Ticks() const {
    QList<bool> ticks;
    for (int i = 0; i < CheckListBox1->count(); ++i) ticks << (CheckListBox1->item(i)->checkState() == Qt::Checked);
    return ticks;
}

void TTableCopyForm::SetTicks(const QList<bool>& ticks) {
    for (int i = 0; i < CheckListBox1->count() && i < ticks.size(); ++i)
        if (CheckListBox1->item(i)->flags() & Qt::ItemIsUserCheckable)
            CheckListBox1->item(i)->setCheckState(ticks[i] ? Qt::Checked : Qt::Unchecked);
}

void TTableCopyForm::Unoffered(int entry, const QString& hint) {
    QListWidgetItem* item = CheckListBox1->item(entry);
    // Still enabled, so a double click reaches it; only its tick box is gone.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setData(Qt::CheckStateRole, QVariant());
    item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    item->setToolTip(hint);
    item->setStatusTip(hint);
}

void TTableCopyForm::ResetProgress() {
    Label1->clear();
    Label2->setText(QStringLiteral("0"));
    ProgressBar1->setRange(0, 0);
}

void TTableCopyForm::ShowProgress(const CopyProgress& p) {
    Label1->setText(p.table);
    if (p.total > 0) {
        ProgressBar1->setRange(0, p.total);
        ProgressBar1->setValue(p.done);
        Label2->setText(QStringLiteral("%1 / %2").arg(p.done).arg(p.total));
    } else {
        Label2->setText(QString::number(p.done));
    }
}
