#include "shell/Pomoc.h"

#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// The page is built into the static GUI library; it has to be asked for by name
// (outside any namespace, as the resource's own function is).
static void LoadHelpResource() { Q_INIT_RESOURCE(help); }

TPomoc::TPomoc(Services& services, QWidget* parent) : TForm(services, parent) {
    LoadHelpResource();
    setObjectName(QStringLiteral("TPomoc"));
    setWindowTitle(QStringLiteral("Pomoc"));
    auto* outer = new QVBoxLayout(this);
    Browser = Named(new QTextBrowser(this), "Browser");
    Browser->setAccessibleName(QStringLiteral("Podręcznik użytkownika"));
    Browser->setOpenExternalLinks(true);
    QFile page(QStringLiteral(":/help/pomoc.html"));
    if (page.open(QIODevice::ReadOnly)) Browser->setHtml(QString::fromUtf8(page.readAll()));
    outer->addWidget(Browser, 1);
    Button1 = Named(new QPushButton(QStringLiteral("Zamknij"), this), "Button1");
    outer->addLayout(ButtonRow({Button1}));
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
    resize(720, 640);
}
