#pragma once
// TDaneInformacyjne: the register's information record, field by field.
#include <QHash>

#include "common/Form.h"

class QFrame;
class QLabel;
class QPushButton;

class TDaneInformacyjne : public TForm {
    Q_OBJECT
public:
    explicit TDaneInformacyjne(Services& services, QWidget* parent = nullptr);

    QPushButton* Button1;  // "Pobierz dane informacyjne"
    QPushButton* Button2;  // "Anuluj"
    QFrame* Panel7;        // "Czekaj..."
    QLabel* Value(const char* name) const { return values_.value(QLatin1String(name)); }

    void Button1Click();

private:
    QHash<QString, QLabel*> values_;      // Label25 ... the value labels
    QList<QLabel*> changeGroup_;          // Label52 - Label57
};
