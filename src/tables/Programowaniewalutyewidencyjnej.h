#pragma once
// TProgramowanieWalutyEwidencyjnej: the record currency, changed in the register
// (from a date) or in the database, where every price is converted by the rate.
#include "common/Form.h"

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TProgramowanieWalutyEwidencyjnej : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieWalutyEwidencyjnej(Services& services, QWidget* parent = nullptr);

    QLineEdit* Edit1;  // rate
    QLineEdit* Edit2;  // symbol
    QLabel* Label6;    // (new/current)
    QDateEdit* DateTimePicker1;
    QCheckBox* CheckBox1;
    QGroupBox* RadioGroup1;  // denomination, never offered
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* Button1;  // in the register
    QPushButton* Button3;  // in the database
    QPushButton* Button2;  // close

    void Button1Click();
    void Button3Click();

protected:
    void FormShow() override;

private:
    void ShowPair();
    bool Required();
};
