#pragma once
// TWydrukKlawiatury: labels for the register's 24 keys, edited on an on-screen
// keyboard and printed as an overlay at the keys' real size.
#include <QFrame>

#include "common/Form.h"
#include "printing/keyboard.h"

class QLabel;
class QLineEdit;
class QPushButton;

// A key on screen (or the large preview): three centred texts on its
// background, or an arrow in place of the middle one.
class KeyCap : public QFrame {
    Q_OBJECT
public:
    struct Style {
        int width, height;
        int topPx, middlePx, bottomPx;  // font sizes in pixels
        int middleY, bottomY;           // label positions from the top edge
    };
    KeyCap(const Style& style, QWidget* parent);
    QLabel* top;
    QLabel* middle;
    QLabel* bottom;
    void Show(const KeyLabel& label, Arrow arrow, unsigned arrowColour);
    // On-screen keys shrink their texts to fit; the preview does not.
    bool fitTexts = false;

signals:
    void clicked();

protected:
    void mousePressEvent(class QMouseEvent* event) override;
    void paintEvent(class QPaintEvent* event) override;

private:
    Style style_;
    Arrow arrow_ = Arrow::None;
    unsigned arrowColour_ = 0;
};

class TWydrukKlawiatury : public TForm {
    Q_OBJECT
public:
    explicit TWydrukKlawiatury(Services& services, QWidget* parent = nullptr);

    QList<KeyCap*> keys;    // keys 1-24 at keys[k - 1]
    KeyCap* Shape25;        // the preview
    QLabel* Label76;        // preview top
    QLabel* Label75;        // preview middle
    QLabel* Label77;        // preview bottom
    QPushButton* Button1;   // edit top
    QPushButton* Button2;   // edit middle
    QPushButton* Button3;   // edit bottom
    QLabel* Label83;
    QLineEdit* Edit1;
    QPushButton* BitBtn1;   // "Ok"
    QList<QPushButton*> swatches;  // Shape26-Shape28 (top, middle, bottom text), Shape29 (background)
    QPushButton* BitBtn5;   // copy the colours to every key
    QPushButton* BitBtn3;   // print

    KeyboardTemplate keyboard = KeyboardTemplate::Defaults();  // for the program's run
    KeyLabel preview;
    int selected = 0;

    void SelectTemplateKey(int k);
    void ApplyPreviewToKey();
    void PrintKeyboardTemplate();

protected:
    void FormShow() override;
    bool FormKeyDown(int key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartEdit(int part);  // 0 top, 1 middle, 2 bottom
    void EditOk();
    void ChooseColour(int swatch);
    void CopyColours();
    void ShowPreview();
    void ShowKey(int k);
};
