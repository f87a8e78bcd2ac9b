#pragma once
// Base of the two whole-database copy windows: a check list of tables with a
// select-all box, "OK" and "Anuluj", and a progress panel over the list while the
// copy runs ("Anuluj" then stops it after the record in hand).
#include <QList>
#include <QStringList>

#include "common/Form.h"

class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
struct CopyProgress;

struct TableCopyDescription {
    const char* className;
    QString caption;
    QStringList entries;
};

class TTableCopyForm : public TForm {
    Q_OBJECT
public:
    TTableCopyForm(Services& services, const TableCopyDescription& description, QWidget* parent);

    QListWidget* CheckListBox1;
    QCheckBox* CheckBox1;  // "Zaznacz/odznacz wszystko"
    QPushButton* Button1;  // "OK"
    QPushButton* Button2;  // "Anuluj": closes, or stops a copy that runs
    QFrame* Panel1;        // progress
    QLabel* Label1;        // the table in hand
    QLabel* Label2;        // records so far
    QProgressBar* ProgressBar1;

    QList<bool> Ticks() const;
    void SetTicks(const QList<bool>& ticks);
    virtual void Button1Click() = 0;

protected:
    // The panel as a run starts, and as it moves on.
    void ResetProgress();
    void ShowProgress(const CopyProgress& p);
    // An entry shown greyed with a hint, which the select-all box leaves alone.
    void Unoffered(int entry, const QString& hint);
};
