#include "shell/Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor kNavy(0x1F, 0x3A, 0x68);
const QColor kAccent(0x2E, 0x8B, 0x57);

QPixmap Canvas(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

QIcon Icon(const std::function<void(QPainter&)>& draw) {
    QPixmap pm = Canvas(64, 64);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QIcon(pm);
}

void Register(QPainter& p, const QRectF& r) {
    // Body, display and keys of a small cash register.
    const qreal u = r.width() / 16.0;
    p.setPen(QPen(kNavy, u * 0.6));
    p.setBrush(QColor(0xF2, 0xF5, 0xF9));
    p.drawRoundedRect(QRectF(r.left() + u, r.top() + 5 * u, 14 * u, 10 * u), u, u);
    p.setBrush(QColor(0x2B, 0x2F, 0x36));
    p.drawRoundedRect(QRectF(r.left() + 3 * u, r.top() + u, 7 * u, 4 * u), u * 0.5, u * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7F, 0xE0, 0x9A));
    p.drawRect(QRectF(r.left() + 4 * u, r.top() + 2 * u, 5 * u, 2 * u));
    p.setBrush(kNavy);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRoundedRect(QRectF(r.left() + (3 + 2.6 * col) * u, r.top() + (7 + 2.3 * row) * u, 1.8 * u, 1.5 * u),
                              0.3 * u, 0.3 * u);
    p.setBrush(kAccent);
    p.drawRect(QRectF(r.left() + 2 * u, r.top() + 14 * u, 12 * u, u));
}

}  // namespace

QIcon NewDatabaseIcon() {
    return Icon([](QPainter& p) {
        QPainterPath page;
        page.moveTo(14, 6);
        page.lineTo(40, 6);
        page.lineTo(52, 18);
        page.lineTo(52, 58);
        page.lineTo(14, 58);
        page.closeSubpath();
        p.setPen(QPen(kNavy, 3));
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.drawLine(40, 6, 40, 18);
        p.drawLine(40, 18, 52, 18);
        p.setPen(QPen(kAccent, 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(33, 30, 33, 48);
        p.drawLine(24, 39, 42, 39);
    });
}

QIcon OpenDatabaseIcon() {
    return Icon([](QPainter& p) {
        p.setPen(QPen(QColor(0x9A, 0x6B, 0x10), 3));
        p.setBrush(QColor(0xF6, 0xC3, 0x4A));
        QPainterPath back;
        back.moveTo(6, 14);
        back.lineTo(24, 14);
        back.lineTo(29, 20);
        back.lineTo(56, 20);
        back.lineTo(56, 54);
        back.lineTo(6, 54);
        back.closeSubpath();
        p.drawPath(back);
        p.setBrush(QColor(0xFB, 0xDB, 0x7E));
        QPainterPath front;
        front.moveTo(6, 54);
        front.lineTo(14, 28);
        front.lineTo(62, 28);
        front.lineTo(56, 54);
        front.closeSubpath();
        p.drawPath(front);
    });
}

QIcon SaveDatabaseIcon() {
    return Icon([](QPainter& p) {
        p.setPen(QPen(kNavy, 3));
        p.setBrush(QColor(0x3C, 0x6E, 0xB4));
        p.drawRoundedRect(QRectF(8, 8, 48, 48), 4, 4);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(18, 8, 28, 18));
        p.setBrush(kNavy);
        p.drawRect(QRectF(36, 11, 6, 12));
        p.setBrush(QColor(0xE8, 0xEE, 0xF6));
        p.drawRect(QRectF(16, 34, 32, 22));
    });
}

QIcon ConnectIcon() {
    return Icon([](QPainter& p) {
        Register(p, QRectF(4, 10, 40, 40));
        p.setPen(QPen(kAccent, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(46, 24, 60, 24);
        p.drawLine(46, 38, 60, 38);
        p.drawLine(54, 18, 60, 24);
        p.drawLine(52, 44, 46, 38);
    });
}

QPixmap OnlinePixmap(int size) {
    QPixmap pm = Canvas(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    p.setPen(QPen(Qt::white, size / 8.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(size * 0.28, size * 0.52), QPointF(size * 0.44, size * 0.68),
                              QPointF(size * 0.72, size * 0.34)}));
    return pm;
}

QPixmap LogoPixmap(int height) {
    const int width = height * 4;
    QPixmap pm = Canvas(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    Register(p, QRectF(0, 0, height, height));
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(int(height * 0.42));
    p.setFont(f);
    p.setPen(kNavy);
    p.drawText(QRectF(height * 1.15, 0, width - height * 1.15, height * 0.62), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("ZELK TUVO"));
    f.setBold(false);
    f.setPixelSize(int(height * 0.2));
    p.setFont(f);
    p.setPen(kAccent);
    p.drawText(QRectF(height * 1.17, height * 0.64, width - height * 1.17, height * 0.36), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("kasa fiskalna"));
    return pm;
}

QIcon ApplicationIcon() {
    return Icon([](QPainter& p) { Register(p, QRectF(0, 0, 64, 64)); });
}
