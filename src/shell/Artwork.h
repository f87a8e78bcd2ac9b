#pragma once
// The program's pictures, drawn in code: the speed-button glyphs, the register
// logo and the online icon.
#include <QIcon>
#include <QPixmap>

QIcon NewDatabaseIcon();
QIcon OpenDatabaseIcon();
QIcon SaveDatabaseIcon();
QIcon ConnectIcon();
QPixmap OnlinePixmap(int size);
// The cash register with the name beside it, for the main window and dialogs.
QPixmap LogoPixmap(int height);
QIcon ApplicationIcon();
