#pragma once
// TDziennikTransmisji: one day of the transfer log, all entries or the failures
// only, exported to CSV.
#include <QList>

#include "common/Form.h"
#include "link/transferlog.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

class TDziennikTransmisji : public TForm {
    Q_OBJECT
public:
    explicit TDziennikTransmisji(Services& services, QWidget* parent = nullptr);

    QDateEdit* DateEdit1;     // the day
    QCheckBox* CheckBox1;     // "Tylko błędy"
    QPushButton* Button1;     // "Pokaż"
    QTableWidget* Grid1;
    QLabel* Label1;           // how many entries, how many failed
    QPushButton* Button2;     // "Eksport do CSV"
    QPushButton* Button3;     // "Zamknij"

    void Button1Click();
    void Button2Click();
    QList<LogEntry> Shown() const { return shown_; }

protected:
    void FormShow() override;

private:
    QString Directory() const;
    QList<LogEntry> shown_;
};
