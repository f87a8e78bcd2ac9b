#include "shell/Oprogramie.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "shell/Artwork.h"

QUrl ContactUrl(const QString& address) {
    return QUrl(QStringLiteral("mailto:") + address + QStringLiteral("?subject=Zelk tuvo"));
}

TOProgramie::TOProgramie(Services& services, QWidget* parent) : TForm(services, parent) {
    setObjectName(QStringLiteral("TOProgramie"));
    setWindowTitle(QStringLiteral("ZELK TUVO"));
    auto* grid = new QGridLayout(this);
    auto* logo = Named(new QLabel(this), "Image1");
    logo->setPixmap(LogoPixmap(72));
    grid->addWidget(logo, 0, 0, 1, 2, Qt::AlignHCenter);
    Label1 = Named(new QLabel(QStringLiteral("ZELK TUVO v1.50"), this), "Label1");
    QFont title(QStringLiteral("Cambria"));
    title.setPixelSize(29);
    title.setBold(true);
    Label1->setFont(title);
    grid->addWidget(Label1, 1, 0, 1, 2, Qt::AlignHCenter);
    Label3 = Link(QStringLiteral(TUVO_MAIL_CONTACT), "Label3");
    Label5 = Link(QStringLiteral(TUVO_MAIL_REGISTER), "Label5");
    Label7 = Link(QStringLiteral(TUVO_MAIL_PROGRAM), "Label7");
    grid->addWidget(Named(new QLabel(QStringLiteral("Kontakt:"), this), "Label2"), 2, 0);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(Named(new QLabel(QStringLiteral("Pytania i uwagi dotyczące kasy Zelk Tuvo:"), this), "Label4"), 3, 0);
    grid->addWidget(Label5, 3, 1);
    grid->addWidget(Named(new QLabel(QStringLiteral("Pytania i uwagi dotyczące programu serwisowego:"), this), "Label6"),
                    4, 0);
    grid->addWidget(Label7, 4, 1);
    Label8 = Named(new QLabel(QStringLiteral("WERSJA TESTOWA"), this), "Label8");
    Label8->setStyleSheet(QStringLiteral("color: red"));
    Label8->hide();
    grid->addWidget(Label8, 5, 0, 1, 2, Qt::AlignHCenter);
    Button1 = Named(new QPushButton(QStringLiteral("Powrót"), this), "Button1");
    grid->addWidget(Button1, 6, 0, 1, 2, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
}

QLabel* TOProgramie::Link(const QString& address, const char* name) {
    auto* label = Named(new QLabel(this), name);
    label->setText(QStringLiteral("<a href=\"%1\" style=\"color: palette(highlight);\">%2</a>")
                       .arg(ContactUrl(address).toString(QUrl::FullyEncoded), address.toHtmlEscaped()));
    label->setCursor(Qt::PointingHandCursor);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(label, &QLabel::linkActivated, this, [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
    return label;
}
