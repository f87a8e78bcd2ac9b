#pragma once
// The check lists of the synchronization windows: a fixed-pitch list whose rows
// have a tick box and are tall enough for Polish capitals with accents.
#include <QString>

class QListWidget;
class QWidget;

QListWidget* CheckList(QWidget* parent, const char* name, const QString& caption);
// A row with its tick box; `number` is the record it stands for, kept with the
// row (never read back out of its text).
void AddChecked(QListWidget* list, const QString& text, int number = 0);
int RowRecord(const QListWidget* list, int row);
