#pragma once
// One window for each of the register's printed reports: the description says
// which parameters it asks for and which command it sends.
#include "common/Form.h"
#include "reports/reports.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TWykonywanieRaportu : public TForm {
    Q_OBJECT
public:
    TWykonywanieRaportu(Services& services, const ReportDescription& description, QWidget* parent = nullptr);

    QPushButton* Button1;  // "Wykonaj"
    QPushButton* Button2;  // "Anuluj"
    // Periodic and goods reports: the three modes or scopes and their groups.
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QLineEdit* MaskEdit1 = nullptr;     // "mm-rrrr"
    QDateEdit* DateTimePicker1 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QLineEdit* Edit1 = nullptr;         // "Od"
    QLineEdit* Edit2 = nullptr;         // "Do"
    QComboBox* ComboBox1 = nullptr;     // group, or cashier
    QCheckBox* CheckBox1 = nullptr;     // "Raport pełny" (periodic) or "Raport zerujący"
    QCheckBox* CheckBox2 = nullptr;     // "Raport pełny" (cashier)
    // "Drukować rekordy zerowe?" and the sales report's "Raport zerujący?": the
    // "Tak" item of each.
    QGroupBox* RadioGroup1 = nullptr;
    QGroupBox* RadioGroup2 = nullptr;
    QRadioButton* ZeroRecordsYes = nullptr;
    QRadioButton* ZeroingYes = nullptr;

    void Button1Click();
    const ReportDescription& Description() const { return d_; }

protected:
    void FormShow() override;

private:
    void BuildPeriodic(class QVBoxLayout* outer);
    void BuildGoods(class QVBoxLayout* outer);
    void NumberRange(QGroupBox* box);  // "Od" Edit1, "Do" Edit2
    QGroupBox* YesNo(const char* name, const QString& title, const QString& yes, QRadioButton*& yesButton);
    QGroupBox* Mode(class QVBoxLayout* outer, const char* radioName, const char* boxName, const QString& title,
                    QRadioButton*& radio);
    void ModeChanged();
    // The parameters as typed, or false after showing why they cannot be sent.
    bool Collect(ReportParameters& p);

    const ReportDescription& d_;
};

// The fifteen report windows, one per description.
QList<TWykonywanieRaportu*> CreateReportWindows(Services& services, QWidget* parent);
