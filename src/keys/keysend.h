#pragma once
// The register's keys: function-key codes, the sales-function lists, and how a
// key's frame is answered.
#include <QStringList>
#include <cstdint>

#include "link/exchange.h"

class RegisterLink;
class WorkImage;

// The function-key list in its order, and the code each entry sends.
QStringList FunctionKeyNames();
uint8_t FunctionKeyCode(int entry);
QStringList SalesFunctionNames();

// How a key's frame is answered: waited for (register errors shown by the
// reader), and after a busy answer a pause and one more read.
Exchange KeyExchange(int busyPause);
// Drains the port, sends the function key and waits for its answer; after an
// acceptance a further 650 ms.
Answer ProgramFunctionKey(RegisterLink& link, int cashier, int key, uint8_t code);
// The quick key of (cashier, key) from the image, and its answer.
Answer ProgramQuickKey(RegisterLink& link, WorkImage& image, uint16_t frameNumber, int cashier, int key);
