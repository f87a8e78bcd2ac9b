#pragma once
// The receipt header and footer editors: one window, described per text, where
// characters can be marked large, lines are kept to the register's 42 positions,
// the text goes to and from RTF files and, as the register's line block, into the
// image and to the register.
#include "common/Form.h"
#include "receipt/lineblock.h"

class QCheckBox;
class QFrame;
class QLabel;
class QTextEdit;
class QToolButton;
class QPushButton;

struct ReceiptTextDescription {
    const char* className;
    QString caption;
    QString heading;
    bool header;         // the header (6 lines, tall lines, its frame) or the footer (3 lines)
    const char* openButtonName;
    const char* saveButtonName;
    QString openTitle;
    QString saveTitle;
};

class TEdycjaTekstuParagonu : public TForm {
    Q_OBJECT
public:
    TEdycjaTekstuParagonu(Services& services, const ReceiptTextDescription& description, QWidget* parent = nullptr);

    QTextEdit* RichEdit1;
    QLabel* Ruler;
    QToolButton* ToolButton1;  // "Tekst pogrubiony"
    QToolButton* OpenButton;
    QToolButton* SaveButton;
    QFrame* TallLines;         // "LINIE WYSOKIE"
    QList<QCheckBox*> TallBoxes;
    QCheckBox* CheckBox8;      // confirmation from the register's keyboard
    QPushButton* BitBtn2;      // "&Wyślij do kasy"
    QPushButton* BitBtn3;      // "&Anuluj"
    uint8_t confirmFlag = 0;

    RichText Text() const;
    void SetText(const RichText& text);
    // Text from elsewhere (a file, the register) kept as the user's own, shown
    // in place of the database's until the user stores or sends it.
    void TakeText(const RichText& text);
    int LineSlots() const;
    void StoreBlock();  // the text as the register's block into the image
    void BitBtn2Click();
    void OpenFile();
    void SaveFile();

protected:
    void FormShow() override;

private:
    void Enforce();  // the line limits after every change

    const ReceiptTextDescription& d_;
    bool enforcing_ = false;
    int changedAt_ = 0, changedAdded_ = 0;
};

// TProgramowanieNaglowka and TProgramowanieStopki.
QList<TEdycjaTekstuParagonu*> CreateReceiptTextEditors(Services& services, QWidget* parent);
