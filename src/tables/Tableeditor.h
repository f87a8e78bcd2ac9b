#pragma once
// TTableEditor: the one window behind the six small-table editors. It owns the
// table grid, the number and name fields with their red markers, the add, delete
// and send buttons, the confirmation box, Escape and Enter, and runs every
// operation in the family's fixed order. A member describes itself in data and
// adds only its own fields and rules.
#include <QStringList>
#include <optional>

#include "common/Form.h"
#include "image/deletionundo.h"
#include "image/smalltables.h"
#include "link/exchange.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QVBoxLayout;

struct TableEditorDescription {
    const SmallTable& table;
    const char* className;
    QString caption;
    QString heading;
    QStringList columns;
    int visibleRows = 20;  // grid rows the window shows at once

    // The number: a drop-down list "1".."maxNumber" (ComboBox1) or a field.
    bool numberList = false;
    const char* numberField = "Edit1";  // object name
    QString numberCaption{};
    const char* numberMarkerName = nullptr;  // nullptr: no marker (a list is never empty)
    QString numberMarker{};
    QString numberMessage{};

    const char* nameField = "Edit2";
    QString nameCaption;
    int nameMaxLength = 21;
    const char* nameMarkerName = nullptr;
    QString nameMarker{};
    QString blankNameMessage{};  // empty: a blank name is not refused
    QString duplicateMessage{};  // empty: no duplicate-name rule
    bool duplicateFocusesName = true;

    QString deleteCaption{};  // Button3
    const char* sendButton = "Button4";
    QString sendCaption = QStringLiteral("Wyślij do kasy");
    const char* confirmBox = "CheckBox1";
    QString confirmCaption{};

    bool flushBeforeSend = false;
    // Every record sent is answered: busy is read again after 800 ms.
    Exchange sendReading{false, true, AckStyle::Plain, 0, 800, {}};
    // The status line after the register took the record.
    QString sentText = QStringLiteral("Rekord zapisano w kasie.");
    bool fillWithoutDatabase = false;  // the grid is refilled on every showing
};

class TTableEditor : public TForm {
    Q_OBJECT
    DeletionUndo undo_;
public:
    TTableEditor(Services& services, const TableEditorDescription& description, QWidget* parent);

    QLabel* Heading;
    QComboBox* NumberList = nullptr;  // ComboBox1 of the list editors
    QLineEdit* NumberEdit = nullptr;  // the number field of the others
    QLineEdit* NameEdit;
    QLabel* NumberMarker = nullptr;
    QLabel* NameMarker;
    QTableWidget* StringGrid1;
    QPushButton* BitBtn4;
    QPushButton* BitBtn6;
    QPushButton* Button3;
    QPushButton* ButtonCofnij;  // takes back the last deletion
    QPushButton* SendButton;
    QCheckBox* ConfirmBox;

    uint8_t confirmFlag = 0;  // sent as the last payload byte of every record frame

    void FillGrid();
    void BitBtn4Click();  // add
    void Button3Click();  // delete
    void SendClick();
    int SelectedNumber() const;  // column 0 of the selected row, 0 when none
    const SmallTable& Table() const { return d_.table; }

protected:
    void FormShow() override;

    // Members add their own rows below the number and name.
    void AddRow(const QString& caption, QWidget* field, QLabel* marker = nullptr);
    void AddWide(QWidget* widget);
    // A field that must not be empty, with its red marker.
    void Require(QLineEdit* field, QLabel* marker);
    // The column beside the grid, for a member's extra panel.
    QVBoxLayout* SideColumn() const { return side_; }

    // The grid cells after number and name, for a used slot.
    virtual QStringList ExtraCells(const QByteArray& slot) = 0;
    // Checks run between the blank-name and the duplicate-name test; false stops.
    virtual bool CheckBeforeDuplicate() { return true; }
    // The member's own checks and the record to write; nullopt stops (the member
    // showed its message).
    virtual std::optional<QByteArray> BuildRecord(uint8_t number, const QString& name) = 0;
    virtual void ClearAfterAdd() {}
    // The member's protection rule; false keeps the record.
    virtual bool MayDelete(int /*number*/) { return true; }
    virtual void AfterDelete() {}
    // A row clicked in the grid: the member's own fields show the record, so it
    // can be changed instead of typed again (number and name are the base's).
    virtual void ShowRecord(const QByteArray& /*slot*/) {}
    // Says how the send ended, once.
    virtual void ShowSendAnswer(const Answer& answer) { TellOutcome(answer, d_.sentText); }

    const TableEditorDescription& d_;

private:
    void LoadSelected();
    void ProposeNumber();
    int EnteredNumber();  // 0: refused (message shown)

    QGridLayout* fields_;
    QVBoxLayout* extra_;
    QVBoxLayout* side_;
    int nextRow_ = 0;
    QList<QPair<QLineEdit*, QLabel*>> required_;
};
