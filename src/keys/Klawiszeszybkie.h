#pragma once
// TProgramowanieKlawiszySzybkich2: each cashier's ten quick keys, filled by
// dragging goods onto them, emptied on the bin, and sent to the register.
#include <QLabel>
#include <QListWidget>

#include <functional>

#include "common/Form.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QMenu;
class QPushButton;
class TProgramowanieKlawiszySzybkich2;

// A key's list: takes goods dropped from the goods list; its lines can be
// dragged to the bin.
class QuickKeyList : public QListWidget {
    Q_OBJECT
public:
    QuickKeyList(TProgramowanieKlawiszySzybkich2* board, int key, QWidget* parent);
    int key;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions actions) override;

private:
    TProgramowanieKlawiszySzybkich2* board_;
};

// The goods list: its lines are dragged onto the keys.
class GoodsDragList : public QListWidget {
    Q_OBJECT
public:
    GoodsDragList(TProgramowanieKlawiszySzybkich2* board, QWidget* parent);

protected:
    void startDrag(Qt::DropActions actions) override;

private:
    TProgramowanieKlawiszySzybkich2* board_;
};

class QuickKeyBin : public QLabel {
    Q_OBJECT
public:
    QuickKeyBin(TProgramowanieKlawiszySzybkich2* board, QWidget* parent);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TProgramowanieKlawiszySzybkich2* board_;
};

class TProgramowanieKlawiszySzybkich2 : public TForm {
    Q_OBJECT
public:
    explicit TProgramowanieKlawiszySzybkich2(Services& services, QWidget* parent = nullptr);

    GoodsDragList* ListBox1;
    QComboBox* ComboBox1;  // cashier
    QLineEdit* Edit1;      // quantity of the next dropped goods
    QList<QuickKeyList*> Keys;           // ListBoxF1 ... ListBoxF10
    QList<QCheckBox*> EndsReceipt;       // KonczenieParagonuF1 ... F10
    QuickKeyBin* Image1;
    QPushButton* BitBtn1;  // send all keys
    QPushButton* Button2;  // the form-based key editor, for work without a mouse
    std::function<void()> openKeyEditor;  // set by the program
    QMenu* KeyMenu;        // "Wyślij do kasy"
    QFrame* Panel7;        // "Czekaj..."

    static QString GoodsMime();
    static QString EntryMime();

    int Cashier() const;
    void LoadKeys();
    // The end of a drag from the goods list: onto key 1-10, or onto nothing (0).
    void GoodsDropped(int goods, int key);
    // A key's line dropped on the bin.
    void EntryBinned(int key, int entry);
    void SendKey(int key);
    void SendAllKeys();

protected:
    void FormShow() override;

private:
    int menuKey_ = 0;
};
