#pragma once
// Files written whole: the new content goes to a file beside the target, which
// is renamed over it only when complete, so the target is always either the old
// file or the new one.
#include <QByteArray>
#include <QString>

class Prompts;

bool WriteWholeFile(const QString& path, const QByteArray& bytes);
// True when no file is at `path`, or the user lets it be replaced ("Plik <path>
// już istnieje. Kontynuować? ").
bool ReplaceConfirmed(Prompts& prompts, const QString& path);
