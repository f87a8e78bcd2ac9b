#pragma once
// TUstawieniaTrans: the COM port and its line settings; applying reopens the port.
#include "common/Form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class TUstawieniaTrans : public TForm {
    Q_OBJECT
public:
    explicit TUstawieniaTrans(Services& services, QWidget* parent = nullptr);

    QLabel* Label1;
    QComboBox* ComboBox1;  // port
    QLabel* LabelUrzadzenie;      // the device behind the chosen port
    QComboBox* ComboBoxById;      // USB adapters by their stable names
    QPushButton* ButtonPrzypisz;  // links the adapter to the chosen COM number
    QGroupBox* GroupBox1;
    QComboBox* ComboBox2;  // baud rate
    QComboBox* ComboBox3;  // data bits
    QComboBox* ComboBox4;  // parity
    QComboBox* ComboBox5;  // stop bits
    QComboBox* ComboBox6;  // register address
    QGroupBox* GroupBox4;
    QCheckBox* CheckBox1;  // Xon / Xoff
    QCheckBox* CheckBox2;  // RTS / CTS
    QPushButton* Button1;
    QCheckBox* CheckBox3;  // only available ports
    QPushButton* Button2;
    QPushButton* Button3;

    void ComboBox1Change();
    void CheckBox3Click();
    void Button1Click();
    void Button2Click();
    void ButtonPrzypiszClick();

protected:
    void FormShow() override;

private:
    void ShowSettings();
    void ShowDevices();
    void EnableSettings(bool enabled);
    void SelectDefaults();
    int SelectedPort() const;  // 255 for "Brak"
};
