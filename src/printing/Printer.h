#pragma once
// Prints laid-out pages on the printer the user chooses.
#include <QStringList>
#include <functional>

#include "printing/pagemodel.h"

class Prompts;
class QPrinter;

enum class ListFont { Bold, Regular };
using PageLayout = std::function<QList<PrintPage>(const PageMetrics&)>;

// Runs the print dialog ("Brak drukarki." when there is no printer at all; a
// cancelled dialog is silent) and prints the pages, portrait; texts without a
// font of their own in Courier New 10 pt. False when nothing was printed.
bool PrintListPages(Prompts& prompts, ListFont measureFont, const PageLayout& layout);
// Draws the pages on a printer that is already set up.
void RenderPages(QPrinter& printer, ListFont measureFont, const PageLayout& layout);
