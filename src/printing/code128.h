#pragma once
// Code 128 (ISO/IEC 15417) for the barcode sheets: the symbol values of a text,
// its check symbol and its modules.
#include <QByteArray>
#include <QList>
#include <QString>

struct Code128 {
    QList<int> symbols;  // the start symbol, then data and code-set switches
    int check = 0;
    // Symbols after the start symbol (data and switches): the scale rule's n.
    int DataCount() const { return int(symbols.size()) - 1; }
};

// Start C when the text begins with at least five digits, digits in pairs while
// in code set C; otherwise code set B (or A, by the start rule, for a lower-case
// character after a control character), switching between A and B where a
// character needs it.
Code128 EncodeCode128(const QByteArray& text);
// "1" for a dark module, "0" for a light one: every symbol's 11 modules, the
// check symbol's, and the 13-module stop pattern.
QString Code128Modules(const Code128& code);
// Each module's width in 10-pixel steps: 284 div (11 n + 55); 0 when the symbol
// would not fit (it is then not drawn).
int Code128Scale(const Code128& code);
