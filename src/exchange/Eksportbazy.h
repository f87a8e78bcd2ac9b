#pragma once
// TEksportBazy: a table of the database to a CSV file, and a CSV file back into
// the database.
#include "common/Form.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

class TEksportBazy : public TForm {
    Q_OBJECT
public:
    explicit TEksportBazy(Services& services, QWidget* parent = nullptr);

    QLabel* Label3;       // heading
    QFrame* Panel1;       // export
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;  // "Kodowanie:"
    QPushButton* Button1;  // "&Eksportuj bazę"
    QLabel* Label5;
    QFrame* Panel2;       // import
    QPushButton* BitBtn1;  // "&Importuj bazę"
    QLabel* Label2;

    void ExportTableToCsv();
    void ImportTableFromCsv();

protected:
    void FormShow() override;
};
