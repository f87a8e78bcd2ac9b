#pragma once
// The quick keys as a member of the synchronization family: each cashier's ten
// keys numbered (cashier - 1) * 10 + key, read with the register's 'S' series,
// sent one key frame each, compared byte for byte.
#include <QString>

#include "sync/tablesync.h"

class WorkImage;

const SyncMember& QuickKeyMember();
// The record number of a cashier's key, and back.
constexpr int QuickKeyNumber(int cashier, int key) { return (cashier - 1) * 10 + key; }
constexpr int QuickKeyCashier(int n) { return (n - 1) / 10 + 1; }
constexpr int QuickKeyKey(int n) { return (n - 1) % 10 + 1; }
// A key's row: "Kasjer 2, F3: 12 COLA x 1,0000; 15 ... [zamyka paragon]" with
// the goods names from the PC database.
QString QuickKeyRowText(WorkImage& image, const QByteArray& record);
