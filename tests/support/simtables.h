#pragma once
// The numbered tables as the table tests fill them: the simulated register's
// table of each, and a PC record the register takes.
#include "image/smalltables.h"
#include "simstate.h"

class WorkImage;

SimTable& SimTableOf(SimState& state, RecordTable table);
// PC record n named "Ś<n>", with valid fields: discount a 12,50 % surcharge,
// payment form "Czek", currency 0,05 with the symbol "<n>XX", packaging 0,50 at
// a fixed price.
void PutPcRecord(WorkImage& image, const SmallTable& table, int n);
// The same for any numbered table; goods n is "Ś<n>" at 1,00 in group 1.
void PutPcRecord(WorkImage& image, RecordTable table, int n);
