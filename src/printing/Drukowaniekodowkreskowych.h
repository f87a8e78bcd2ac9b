#pragma once
// TDrukowanieKodowKreskowych: a sheet of Code 128 barcodes for the ticked goods.
#include "common/Form.h"

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

class TDrukowanieKodowKreskowych : public TForm {
    Q_OBJECT
public:
    explicit TDrukowanieKodowKreskowych(Services& services, QWidget* parent = nullptr);

    QListWidget* CheckListBox1;
    QLabel* Label6;        // "Kod towaru: ..."
    QSlider* TrackBar1;    // bar height, 5-70 mm
    QLabel* Label3;        // "20 mm"
    QPushButton* BitBtn2;  // tick or untick all
    QPushButton* BitBtn1;  // print
    QPushButton* BitBtn6;  // close
    int barHeight = 20;    // mm
    int rowHeight = 35;    // mm

    void BitBtn1Click();

protected:
    void FormShow() override;

private:
    bool tickAll_ = true;
};
