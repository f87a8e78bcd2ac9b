#pragma once
// TMenuGlowne: the main window. It shows the mode, the database name and the record
// currency, connects to the register, runs the file operations and opens every
// task window from its three task trees.
#include <QMainWindow>
#include <memory>

#include "common/services.h"
#include "shell/databasedocument.h"

class FormRegistry;
class TransferLog;
class KeyPreview;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;

class TMenuGlowne : public QMainWindow {
    Q_OBJECT
public:
    TMenuGlowne(Services& services, FormRegistry& forms);
    ~TMenuGlowne() override;

    QToolButton* SpeedButton3;  // new database
    QToolButton* SpeedButton4;  // open
    QToolButton* SpeedButton5;  // save
    QLabel* Label5;
    QLabel* Label17;  // database name
    QLabel* Image4;
    QPushButton* Button11;
    QFrame* Panel1;
    QLabel* Label2;
    QLabel* Label9;  // BRAK
    QLabel* Label3;  // ONLINE
    QLabel* Label4;  // OFFLINE
    QLabel* Image2;
    QFrame* Panel2;
    QLabel* Label7;
    QLabel* Label8;  // record currency
    QToolButton* SpeedButton2;  // automatic connection
    QFrame* Panel4;
    QLabel* Label1;
    QPushButton* Button3;  // service bench, shown for a service database
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QTreeWidget* ProgramowanieBazyTree;
    QTreeWidget* WykonywanieRaportowTree;
    QTreeWidget* TreeView3;
    QMenu* Plik2;
    QAction* Nowabazadanych1;
    QAction* Otwrzplikbazydanych1;
    QAction* Zapiszbazdanychdopliku1;
    QAction* Historiasprzedazy1;
    QAction* Dziennik1;
    QAction* Koniec1;
    QMenu* Komunikacja1;
    QAction* Parametrytransmisji1;
    QAction* Wyszukiwaniepo1;
    QAction* Po1;
    QMenu* Pomoc1;
    QAction* Oprogramie1;
    QAction* Podrecznik1;  // the user guide (F1)
    QList<QLabel*> StatusBar1;  // its three panels

    // After the other windows exist: items and buttons whose window is there work.
    void FormsCreated();
    void RefreshStatusPanel();
    void OpenSelectedTask();
    void AutoConnect();
    void ConnectWithLastSettings();
    void NewDatabase();
    void OpenDatabaseFile();
    void SaveDatabaseFile();
    void Button11Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<TransferLog> log_;
    void FormCreate();
    void BuildMenus();
    void BuildTrees();
    bool FormKeyDown(int key);
    void ShowForm(const QString& className, bool refreshAfter);
    QTreeWidget* Tree(int page) const;

    Services& s_;
    FormRegistry& forms_;
    DatabaseDocument document_;
    bool closeWhenIdle_ = false;
    KeyPreview* keys_;
};
