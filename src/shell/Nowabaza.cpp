#include "shell/Nowabaza.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/databasedocument.h"
#include "common/appstate.h"
#include "common/numbers.h"
#include "common/prompts.h"
#include "image/imagestore.h"

TNowaBazaD::TNowaBazaD(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TNowaBazaD"));
    setWindowTitle(QStringLiteral("Nowa baza danych"));
    auto* grid = new QGridLayout(this);
    Edit1 = Named(new QLineEdit(this), "Edit1");
    Edit1->setMaxLength(12);
    Label1 = Caption(QStringLiteral("Podaj nazwę nowej bazy danych:"), Edit1, "Label1");
    Label4 = Named(new QLabel(QStringLiteral(".zkf"), this), "Label4");
    Label4->hide();
    Edit2 = Named(new QLineEdit(this), "Edit2");
    Edit2->setMaxLength(3);
    StorableText(Edit2);
    Edit2->setMaximumWidth(60);
    Label3 = Caption(QStringLiteral("Symbol waluty ewidencyjnej:"), Edit2, "Label3");
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Label4, 0, 2);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(Edit2, 1, 1, Qt::AlignLeft);
    Button1 = Named(new QPushButton(QStringLiteral("OK"), this), "Button1");
    Button2 = Named(new QPushButton(QStringLiteral("Anuluj"), this), "Button2");
    grid->addLayout(ButtonRow({Button1, Button2}), 2, 0, 1, 3);
    connect(Button1, &QPushButton::clicked, this, &TNowaBazaD::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TNowaBazaD::FormShow() { Edit2->setText(s_.app.recordCurrencySymbol); }

bool TNowaBazaD::FormKeyDown(int key) {
    if (key == Qt::Key_Return) {
        Button1->click();
        return true;
    }
    return TForm::FormKeyDown(key);
}

void TNowaBazaD::Button1Click() {
    if (Edit1->text().isEmpty()) {
        Edit1->setFocus();
        return;
    }
    QDir::setCurrent(s_.app.startDirectory);
    if (DatabaseDocument(s_).CreateNew(Edit1->text(), PadLeft(Edit2->text(), 3))) accept();
}
