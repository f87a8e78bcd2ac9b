#pragma once
// The check lists of the synchronization windows: a fixed-pitch list whose rows
// have a tick box and are tall enough for Polish capitals with accents.
#include <QString>

class QListWidget;
class QWidget;

QListWidget* CheckList(QWidget* parent, const char* name, const QString& caption);
void AddChecked(QListWidget* list, const QString& text);
