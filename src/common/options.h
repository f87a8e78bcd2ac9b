#pragma once
// The user's choices that outlive a run but have no place in ustaw.cfg (whose
// 14 bytes other copies of the program read): kept in opcje.ini beside it.
#include <QString>

struct AppState;

// Reads the choices into the state; missing or unreadable keys keep their defaults.
void LoadOptions(AppState& app, const QString& directory);
// False when the file could not be written.
bool SaveOptions(const AppState& app, const QString& directory);
