#include "printing/Printer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include "common/prompts.h"

namespace {
QFont ListFontOf() {
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont FontOf(const PrintFont& f) {
    if (f.family.isEmpty()) {
        QFont font = ListFontOf();
        font.setBold(f.bold);
        font.setItalic(f.italic);
        return font;
    }
    // "MS Sans Serif" stands for the desktop's own font.
    QFont font(f.family == QLatin1String("MS Sans Serif") ? QGuiApplication::font().family() : f.family, f.points);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}
}  // namespace

void RenderPages(QPrinter& printer, ListFont measureFont, const PageLayout& layout) {
    printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer)) return;
    QFont measured = ListFontOf();
    measured.setBold(measureFont == ListFont::Bold);
    const QFontMetrics fm(measured, &printer);
    PageMetrics m{printer.width(), printer.height(), fm.horizontalAdvance(QLatin1Char('W')), fm.height(),
                  printer.logicalDpiX()};
    m.measure = [&printer](const PrintFont& f, const QString& text) {
        const QFontMetrics metrics(FontOf(f), &printer);
        return QSize(metrics.horizontalAdvance(text), metrics.height());
    };
    const QList<PrintPage> pages = layout(m);
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0) printer.newPage();
        for (const PrintRect& r : pages[i].rects) {
            const QRect rect(QPoint(r.x1, r.y1), QPoint(r.x2 - 1, r.y2 - 1));
            painter.fillRect(rect, QColor::fromRgba(r.fill));
            if (r.outline) {
                painter.setPen(QPen(Qt::black, 1));
                painter.drawRect(QRect(r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1));
            }
        }
        for (const PrintLine& l : pages[i].lines) {
            painter.setPen(QPen(QColor::fromRgba(l.colour), l.width, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(l.x1, l.y1, l.x2, l.y2);
        }
        for (const PrintText& t : pages[i].texts) {
            QFont f = t.font.family.isEmpty() ? ListFontOf() : FontOf(t.font);
            if (t.font.family.isEmpty()) {
                f.setBold(t.bold);
                f.setItalic(t.italic);
            }
            painter.setFont(f);
            painter.setPen(QColor::fromRgba(t.colour));
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
