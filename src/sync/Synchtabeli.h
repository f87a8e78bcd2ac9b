#pragma once
// TSynchronizacjaTabeli: the one window behind the seven synchronization windows
// (the six small tables and the goods). The PC table and the register's table
// side by side in two check lists whose rows keep their record numbers; read,
// send, delete and copy run through the table-sync engine as transfers of the
// window. A member describes its texts and register counters in data and adds
// only what its rows, details and own tools show beyond them.
#include <QList>
#include <QStringList>

#include "common/Form.h"
#include "sync/tablesync.h"

class QCheckBox;
class QFormLayout;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QLineEdit;
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
    QString tickAllCaption = QStringLiteral("Zaznacz/odznacz wszystko ");
    // The heading of the list of refused records after a write.
    QString refusedHeading = QStringLiteral("Niezaprogramowane rekordy:");
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
    QLineEdit* EditSzukajPC;      // finds in the PC list as the user types
    QLineEdit* EditSzukajKasa;    // finds in the register list

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
    // The ticked rows: their place in the list and their record numbers.
    static QList<TickedRow> TickedRows(QListWidget* list);
    // The record number a row stands for.
    static int RowRecord(const QListWidget* list, int row);
    const SmallTable& Table() const { return *d_.member.table; }

protected:
    void FormShow() override;
    bool FormKeyDown(int key) override;
    // The rows of both lists: by default the number, the name and RowTail.
    virtual QString PcRow(int n);
    virtual QString RegisterRow(const QByteArray& record);
    // What a row shows after its number and name.
    virtual QString RowTail(const QByteArray& /*record*/, bool /*registerSide*/) { return {}; }
    // The panel a run shows: its counter, its cancel and (where the window has
    // them) the busy line and the count of refusals.
    enum class Run { Read, Write, Delete };
    struct RunPanel {
        QFrame* panel;
        QLabel* counter;
        QPushButton* cancel;
        QLabel* busy = nullptr;
        QLabel* refusedCaption = nullptr;
        QLabel* refused = nullptr;
    };
    virtual RunPanel PanelFor(Run run);
    // After either list was rebuilt.
    virtual void ListsChanged() {}
    // What else a row is found by beyond its number and text (the goods' barcode).
    virtual QString RowSearchText(int /*number*/, bool /*registerSide*/) { return {}; }
    void ApplyFilter(QListWidget* list);
    // The details of a row beyond the description's counters.
    virtual void ShowRegisterDetails(const QByteArray& /*record*/) {}
    virtual void ShowPcDetails(const QByteArray& /*record*/) {}
    virtual void ClearDetails();
    QFormLayout* DetailsLayout() const { return details_; }
    QFormLayout* SideDetailsLayout() const { return sideDetails_; }  // a second column
    // Where a member adds its own tools.
    QGridLayout* PcButtons() const { return pcButtons_; }
    QHBoxLayout* DifferingRow() const { return differingRow_; }
    QVBoxLayout* RegisterSide() const { return registerSide_; }
    QHBoxLayout* DetailColumns() const { return detailColumns_; }
    QVBoxLayout* Choices() const { return choices_; }
    void ReadRun();

    const SyncWindowDescription& d_;
    bool tickAllPc_ = true;
    bool tickAllRegister_ = true;

private:
    void AddRow(QListWidget* list, int number, const QString& text);
    void RowClicked(QListWidget* list);
    void ToggleAll(QListWidget* list, bool& state);
    QFormLayout* details_;
    QFormLayout* sideDetails_;
    QGridLayout* pcButtons_;
    QHBoxLayout* differingRow_;
    QVBoxLayout* registerSide_;
    QHBoxLayout* detailColumns_;
    QVBoxLayout* choices_;
};

// The start of every row: the number, ". ", padded to 4 columns, then the name
// cut or padded to its width.
QString SyncRowStart(int number, const QString& name, int nameWidth);

