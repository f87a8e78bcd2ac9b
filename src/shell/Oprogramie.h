#pragma once
// TOProgramie: the about box with the maker's contact addresses.
#include <QUrl>

#include "common/Form.h"

class QLabel;
class QPushButton;

// mailto: link of an address with the subject the program always gives.
QUrl ContactUrl(const QString& address);

class TOProgramie : public TForm {
    Q_OBJECT
public:
    explicit TOProgramie(Services& services, QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label3;  // general contact link
    QLabel* Label5;  // register questions link
    QLabel* Label7;  // program questions link
    QLabel* Label8;
    QPushButton* Button1;

private:
    QLabel* Link(const QString& address, const char* name);
};
