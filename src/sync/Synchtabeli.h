#pragma once
// TSynchronizacjaTabeli: the one window behind the six small-table
// synchronization windows. The PC table and the register's table side by side in
// two check lists; read, send, delete and copy run through the table-sync engine
// inside a transfer scope. A member describes its texts and register counters in
// data and adds only what its rows and details show beyond them.
#include <QList>
#include <QStringList>

#include "common/Form.h"
#include "sync/tablesync.h"

class QCheckBox;
class QFormLayout;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

// A register counter shown in the details of a register row.
struct DetailField {
    enum Kind { Money, Count16, Count32, SaleDate };
    QString caption;
    Kind kind;
    int offset;  // in the register record
};

struct SyncWindowDescription {
    const SyncMember& member;
    const char* className;
    QString caption;
    QString pcCaption;
    QString registerCaption;
    QString sendCaption;
    QString copyCaption;
    QString deleteCaption;
    QString confirmCaption;
    bool confirmShown = true;
    int nameWidth = 21;  // name columns in the rows
    QList<DetailField> details;
};

class TSynchronizacjaTabeli : public TForm {
    Q_OBJECT
public:
    TSynchronizacjaTabeli(Services& services, const SyncWindowDescription& description, QWidget* parent);

    QLabel* Label1;               // over the PC list
    QLabel* Label2;               // over the register list
    QListWidget* CheckListBox1;   // PC
    QListWidget* CheckListBox2;   // register
    QPushButton* BitBtn6;         // read
    QPushButton* BitBtn2;         // send ticked PC records
    QPushButton* BitBtn4;         // copy ticked register records to the PC
    QPushButton* BitBtn8;         // delete ticked records in the register
    QPushButton* BitBtn9;         // tick / untick all on the PC side
    QPushButton* BitBtn1;         // tick / untick all on the register side
    QPushButton* BitBtnRozne;     // tick the PC records the register lacks or holds differently
    QLabel* LabelRozne;
    QCheckBox* CheckBox1;         // confirm on the register keyboard
    QFrame* Panel7;               // "Czekaj..."
    QLabel* LabelPostep;
    QPushButton* BitBtnAnuluj;
    QList<QLabel*> DetailValues;  // one per description detail

    RegisterTableMirror mirror;
    uint8_t confirmFlag = 0;

    void BitBtn6Click();
    void BitBtn2Click();
    void BitBtn4Click();
    void BitBtn8Click();
    void TickDiffering();
    void RebuildPcList();
    void RebuildRegisterList();
    // Record numbers of the ticked rows, top to bottom.
    static QList<int> TickedNumbers(QListWidget* list);
    const SmallTable& Table() const { return d_.member.table; }

protected:
    void FormShow() override;
    // What a row shows after its number and name.
    virtual QString RowTail(const QByteArray& /*record*/, bool /*registerSide*/) { return {}; }
    // The details of a row beyond the description's counters.
    virtual void ShowRegisterDetails(const QByteArray& /*record*/) {}
    virtual void ShowPcDetails(const QByteArray& /*record*/) {}
    virtual void ClearDetails();
    QFormLayout* DetailsLayout() const { return details_; }
    QFormLayout* SideDetailsLayout() const { return sideDetails_; }  // a second column

    const SyncWindowDescription& d_;

private:
    void ReadRun();
    void AddRow(QListWidget* list, int number, const QByteArray& record, bool registerSide);
    void RowClicked(QListWidget* list);
    void ToggleAll(QListWidget* list, bool& state);
    bool tickAllPc_ = true;
    bool tickAllRegister_ = true;
    QFormLayout* details_;
    QFormLayout* sideDetails_;
};

// The start of every row: the number, ". ", padded to 4 columns, then the name
// cut or padded to its width.
QString SyncRowStart(int number, const QString& name, int nameWidth);
// The number before a row's first ".", or 0.
int SyncRowNumber(const QString& row);
