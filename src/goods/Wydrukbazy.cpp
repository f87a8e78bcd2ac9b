#include "goods/Wydrukbazy.h"

#include <QPainter>
#include <QPrinter>

#include "common/prompts.h"

void RenderPages(QPrinter& printer, ListFont measureFont, const PageLayout& layout) {
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) return;
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    QFont measured = font;
    measured.setBold(measureFont == ListFont::Bold);
    const QFontMetrics fm(measured, &printer);
    const PageMetrics m{printer.width(), printer.height(), fm.horizontalAdvance(QLatin1Char('W')), fm.height()};
    const QList<PrintPage> pages = layout(m);
    painter.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0) printer.newPage();
        for (const PrintLine& l : pages[i].lines) painter.drawLine(l.x1, l.y1, l.x2, l.y2);
        for (const PrintText& t : pages[i].texts) {
            QFont f = font;
            f.setBold(t.bold);
            f.setItalic(t.italic);
            painter.setFont(f);
            painter.drawText(t.x, t.y + painter.fontMetrics().ascent(), t.text);
        }
    }
    painter.end();
}

bool PrintListPages(Prompts& prompts, ListFont measureFont, const PageLayout& layout) {
    QPrinter printer(QPrinter::HighResolution);
    if (!prompts.ChoosePrinter(&printer)) {
        // A cancelled dialog is the user's choice; only a missing printer is told.
        if (!printer.isValid()) prompts.Message(QStringLiteral("Brak drukarki."));
        return false;
    }
    RenderPages(printer, measureFont, layout);
    return true;
}
