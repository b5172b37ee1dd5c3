// Draws the icons of the rich text editor's icon menu into a folder, one
// 24 x 24 PNG per icon. The file names are the names users type as icon
// tokens (":star:"), so they stay short and lower-case.
//
// Built and run by scripts/draw-icons; the PNGs it writes are committed.

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

constexpr int kSize = 24;

QPen outline(const QColor &color, qreal width = 1.2)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPolygonF starPolygon(QPointF centre, qreal outer, qreal inner, int points)
{
    QPolygonF polygon;
    for (int i = 0; i < points * 2; ++i) {
        const qreal radius = i % 2 ? inner : outer;
        const qreal angle = -M_PI / 2 + i * M_PI / points;
        polygon << centre + QPointF(radius * qCos(angle), radius * qSin(angle));
    }
    return polygon;
}

void disc(QPainter &p, const QColor &fill, const QColor &edge)
{
    p.setPen(outline(edge));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
}

void glyph(QPainter &p, const QString &text, const QColor &color, int pixelSize, QRectF box)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

void arrow(QPainter &p, qreal degrees)
{
    p.translate(12, 12);
    p.rotate(degrees);
    QPolygonF shape;
    shape << QPointF(10, 0) << QPointF(1, -8) << QPointF(1, -3.5) << QPointF(-9, -3.5)
          << QPointF(-9, 3.5) << QPointF(1, 3.5) << QPointF(1, 8);
    p.setPen(outline(QColor(0x1f, 0x4e, 0x9a)));
    p.setBrush(QColor(0x4a, 0x86, 0xe8));
    p.drawPolygon(shape);
}

void face(QPainter &p, bool smiling)
{
    disc(p, QColor(0xff, 0xd8, 0x2a), QColor(0x8a, 0x6a, 0x00));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(7.5, 8, 2.5, 3.2));
    p.drawEllipse(QRectF(14, 8, 2.5, 3.2));
    p.setPen(outline(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    if (smiling)
        p.drawArc(QRectF(7, 8, 10, 9), 200 * 16, 140 * 16);
    else
        p.drawArc(QRectF(7, 14.5, 10, 7), 30 * 16, 120 * 16);
}

struct Icon
{
    const char *name;
    std::function<void(QPainter &)> draw;
};

const QList<Icon> &icons()
{
    static const QList<Icon> list = {
        {"check",
         [](QPainter &p) {
             QPainterPath mark;
             mark.moveTo(4, 13);
             mark.lineTo(9.5, 18.5);
             mark.lineTo(20, 5.5);
             p.setPen(
                 QPen(QColor(0x1e, 0x8a, 0x2e), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawPath(mark);
         }},
        {"cross",
         [](QPainter &p) {
             p.setPen(QPen(QColor(0xc8, 0x1e, 0x1e), 3.6, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(5.5, 5.5), QPointF(18.5, 18.5));
             p.drawLine(QPointF(18.5, 5.5), QPointF(5.5, 18.5));
         }},
        {"star",
         [](QPainter &p) {
             p.setPen(outline(QColor(0xb0, 0x78, 0x00)));
             p.setBrush(QColor(0xff, 0xc8, 0x20));
             p.drawPolygon(starPolygon(QPointF(12, 12.8), 10.5, 4.4, 5));
         }},
        {"heart",
         [](QPainter &p) {
             QPainterPath heart;
             heart.moveTo(12, 20.5);
             heart.cubicTo(2, 13.5, 2, 6, 7, 4.5);
             heart.cubicTo(9.5, 3.8, 11.3, 5.2, 12, 7.2);
             heart.cubicTo(12.7, 5.2, 14.5, 3.8, 17, 4.5);
             heart.cubicTo(22, 6, 22, 13.5, 12, 20.5);
             p.setPen(outline(QColor(0x9a, 0x10, 0x20)));
             p.setBrush(QColor(0xe8, 0x2a, 0x3c));
             p.drawPath(heart);
         }},
        {"excl",
         [](QPainter &p) {
             disc(p, QColor(0xe8, 0x3a, 0x2a), QColor(0x90, 0x18, 0x10));
             glyph(p, QStringLiteral("!"), Qt::white, 16, QRectF(0, 0, 24, 24));
         }},
        {"question",
         [](QPainter &p) {
             disc(p, QColor(0x3a, 0x7b, 0xd5), QColor(0x1a, 0x40, 0x80));
             glyph(p, QStringLiteral("?"), Qt::white, 16, QRectF(0, 0.5, 24, 24));
         }},
        {"info",
         [](QPainter &p) {
             disc(p, QColor(0x2a, 0x9a, 0xb0), QColor(0x10, 0x55, 0x66));
             glyph(p, QStringLiteral("i"), Qt::white, 16, QRectF(0, 0.5, 24, 24));
         }},
        {"warning",
         [](QPainter &p) {
             QPolygonF triangle;
             triangle << QPointF(12, 2.5) << QPointF(22, 20.5) << QPointF(2, 20.5);
             p.setPen(outline(QColor(0x80, 0x60, 0x00), 1.4));
             p.setBrush(QColor(0xff, 0xd0, 0x20));
             p.drawPolygon(triangle);
             glyph(p, QStringLiteral("!"), Qt::black, 13, QRectF(0, 5, 24, 16));
         }},
        {"clock",
         [](QPainter &p) {
             disc(p, Qt::white, QColor(0x30, 0x30, 0x30));
             p.setPen(outline(QColor(0x30, 0x30, 0x30), 1.0));
             for (int hour = 0; hour < 12; hour += 3) {
                 const qreal angle = hour * M_PI / 6;
                 p.drawLine(QPointF(12 + 7.5 * qSin(angle), 12 - 7.5 * qCos(angle)),
                            QPointF(12 + 8.8 * qSin(angle), 12 - 8.8 * qCos(angle)));
             }
             p.setPen(outline(Qt::black, 1.8));
             p.drawLine(QPointF(12, 12), QPointF(12, 6));
             p.drawLine(QPointF(12, 12), QPointF(16.5, 14));
         }},
        {"phone",
         [](QPainter &p) {
             QPainterPath handset;
             handset.moveTo(5, 4);
             handset.lineTo(9, 3);
             handset.lineTo(10.5, 8);
             handset.lineTo(8, 9.5);
             handset.cubicTo(9, 12.5, 11.5, 15, 14.5, 16);
             handset.lineTo(16, 13.5);
             handset.lineTo(21, 15);
             handset.lineTo(20, 19);
             handset.cubicTo(12, 21, 3, 12, 5, 4);
             p.setPen(outline(QColor(0x20, 0x20, 0x20)));
             p.setBrush(QColor(0x40, 0x40, 0x48));
             p.drawPath(handset);
         }},
        {"left", [](QPainter &p) { arrow(p, 180); }},
        {"right", [](QPainter &p) { arrow(p, 0); }},
        {"up", [](QPainter &p) { arrow(p, -90); }},
        {"down", [](QPainter &p) { arrow(p, 90); }},
        {"smile", [](QPainter &p) { face(p, true); }},
        {"sad", [](QPainter &p) { face(p, false); }},
        {"idea",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x90, 0x70, 0x00)));
             p.setBrush(QColor(0xff, 0xe8, 0x50));
             QPainterPath bulb;
             bulb.moveTo(9, 16);
             bulb.cubicTo(4, 12, 5, 2.5, 12, 2.5);
             bulb.cubicTo(19, 2.5, 20, 12, 15, 16);
             bulb.closeSubpath();
             p.drawPath(bulb);
             p.setPen(outline(QColor(0x50, 0x50, 0x50)));
             p.setBrush(QColor(0xa0, 0xa0, 0xa8));
             p.drawRoundedRect(QRectF(9, 16, 6, 5), 1.5, 1.5);
             p.drawLine(QPointF(9, 18.5), QPointF(15, 18.5));
         }},
        {"flag",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x40, 0x30, 0x20), 1.8));
             p.drawLine(QPointF(5, 3), QPointF(5, 21.5));
             QPainterPath cloth;
             cloth.moveTo(5.5, 4);
             cloth.cubicTo(10, 2, 13, 7, 20, 4.5);
             cloth.lineTo(20, 13);
             cloth.cubicTo(13, 15.5, 10, 10.5, 5.5, 12.5);
             cloth.closeSubpath();
             p.setPen(outline(QColor(0x90, 0x10, 0x10)));
             p.setBrush(QColor(0xe0, 0x30, 0x30));
             p.drawPath(cloth);
         }},
        {"pin",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x60, 0x60, 0x60), 1.6));
             p.drawLine(QPointF(12, 12), QPointF(12, 22));
             p.setPen(outline(QColor(0x90, 0x10, 0x10)));
             p.setBrush(QColor(0xe0, 0x30, 0x30));
             p.drawEllipse(QRectF(6, 2, 12, 12));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(255, 255, 255, 170));
             p.drawEllipse(QRectF(8.5, 4.5, 3.5, 3.5));
         }},
        {"mail",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x50, 0x50, 0x60)));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(2.5, 5.5, 19, 13));
             QPolygonF flap;
             flap << QPointF(2.5, 5.5) << QPointF(12, 13) << QPointF(21.5, 5.5);
             p.drawPolyline(flap);
         }},
        {"calendar",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x40, 0x40, 0x40)));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(3.5, 4.5, 17, 16));
             p.setBrush(QColor(0xd0, 0x30, 0x30));
             p.drawRect(QRectF(3.5, 4.5, 17, 4.5));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(0x40, 0x40, 0x40));
             for (int row = 0; row < 3; ++row) {
                 for (int column = 0; column < 4; ++column)
                     p.drawRect(QRectF(5.5 + column * 3.6, 10.5 + row * 3.2, 2, 2));
             }
         }},
        {"home",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x60, 0x30, 0x10)));
             p.setBrush(QColor(0xf0, 0xe0, 0xc0));
             p.drawRect(QRectF(5.5, 11, 13, 10));
             QPolygonF roof;
             roof << QPointF(2.5, 12) << QPointF(12, 3) << QPointF(21.5, 12);
             p.setBrush(QColor(0xc0, 0x40, 0x20));
             p.drawPolygon(roof);
             p.setBrush(QColor(0x80, 0x50, 0x20));
             p.drawRect(QRectF(10, 15, 4, 6));
         }},
        {"lock",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x50, 0x50, 0x50), 2.2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(7, 3, 10, 12), 0, 180 * 16);
             p.drawLine(QPointF(7, 9), QPointF(7, 11));
             p.drawLine(QPointF(17, 9), QPointF(17, 11));
             p.setPen(outline(QColor(0x80, 0x60, 0x00)));
             p.setBrush(QColor(0xf0, 0xb8, 0x20));
             p.drawRoundedRect(QRectF(4.5, 10.5, 15, 11), 2, 2);
             p.setPen(outline(QColor(0x40, 0x30, 0x00), 1.8));
             p.drawLine(QPointF(12, 14.5), QPointF(12, 17.5));
         }},
        {"key",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x80, 0x60, 0x00)));
             p.setBrush(QColor(0xf0, 0xc0, 0x30));
             QPainterPath key;
             key.addEllipse(QRectF(2.5, 7.5, 9, 9));
             key.addRect(QRectF(10.5, 10.5, 11, 3));
             key.addRect(QRectF(16, 13, 2.2, 3.5));
             key.addRect(QRectF(19.3, 13, 2.2, 4.5));
             key = key.simplified();
             key.addEllipse(QRectF(5, 10.5, 3, 3));
             p.drawPath(key);
         }},
        {"music",
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(0x30, 0x30, 0x80));
             p.drawEllipse(QRectF(3, 15, 6.5, 5));
             p.drawEllipse(QRectF(13.5, 13, 6.5, 5));
             p.setPen(outline(QColor(0x30, 0x30, 0x80), 1.8));
             p.drawLine(QPointF(9, 17.5), QPointF(9, 5));
             p.drawLine(QPointF(19.5, 15.5), QPointF(19.5, 3));
             p.setPen(outline(QColor(0x30, 0x30, 0x80), 3));
             p.drawLine(QPointF(9, 5.5), QPointF(19.5, 3.5));
         }},
        {"sun",
         [](QPainter &p) {
             p.setPen(outline(QColor(0xf0, 0x90, 0x00), 2));
             for (int ray = 0; ray < 8; ++ray) {
                 const qreal angle = ray * M_PI / 4;
                 p.drawLine(QPointF(12 + 7.5 * qCos(angle), 12 + 7.5 * qSin(angle)),
                            QPointF(12 + 10.5 * qCos(angle), 12 + 10.5 * qSin(angle)));
             }
             p.setPen(outline(QColor(0xe0, 0x80, 0x00)));
             p.setBrush(QColor(0xff, 0xd0, 0x20));
             p.drawEllipse(QPointF(12, 12), 5.5, 5.5);
         }},
        {"cloud",
         [](QPainter &p) {
             QPainterPath cloud;
             for (const QRectF &part : {QRectF(2.5, 10, 9, 8.5), QRectF(7, 4.5, 10.5, 10.5),
                                        QRectF(13, 9, 8.5, 9.5), QRectF(7, 13, 10, 5.5)}) {
                 QPainterPath piece;
                 if (part.height() < 6)
                     piece.addRect(part);
                 else
                     piece.addEllipse(part);
                 cloud = cloud.united(piece);
             }
             p.setPen(outline(QColor(0x60, 0x70, 0x80)));
             p.setBrush(QColor(0xe8, 0xf0, 0xf8));
             p.drawPath(cloud);
         }},
        {"plus",
         [](QPainter &p) {
             disc(p, QColor(0x30, 0xa0, 0x40), QColor(0x10, 0x60, 0x20));
             p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(7.5, 12), QPointF(16.5, 12));
             p.drawLine(QPointF(12, 7.5), QPointF(12, 16.5));
         }},
        {"minus",
         [](QPainter &p) {
             disc(p, QColor(0xd0, 0x40, 0x30), QColor(0x80, 0x18, 0x10));
             p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(7.5, 12), QPointF(16.5, 12));
         }},
        {"bell",
         [](QPainter &p) {
             QPainterPath bell;
             bell.moveTo(4, 18);
             bell.cubicTo(6.5, 15, 6, 12, 6.5, 9);
             bell.cubicTo(7, 5, 9.5, 3.5, 12, 3.5);
             bell.cubicTo(14.5, 3.5, 17, 5, 17.5, 9);
             bell.cubicTo(18, 12, 17.5, 15, 20, 18);
             bell.closeSubpath();
             p.setPen(outline(QColor(0x90, 0x68, 0x00)));
             p.setBrush(QColor(0xf8, 0xc8, 0x30));
             p.drawPath(bell);
             p.drawEllipse(QRectF(10, 18, 4, 3.5));
         }},
        {"money",
         [](QPainter &p) {
             disc(p, QColor(0xf0, 0xc0, 0x30), QColor(0x90, 0x68, 0x00));
             glyph(p, QStringLiteral("$"), QColor(0x70, 0x50, 0x00), 14, QRectF(0, 0.5, 24, 24));
         }},
        {"gift",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x20, 0x50, 0x90)));
             p.setBrush(QColor(0x50, 0x90, 0xe0));
             p.drawRect(QRectF(4.5, 10.5, 15, 11));
             p.drawRect(QRectF(3.5, 7.5, 17, 3.5));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(0xe0, 0x30, 0x40));
             p.drawRect(QRectF(10.5, 7.5, 3, 14));
             p.setPen(outline(QColor(0xe0, 0x30, 0x40), 1.8));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(7, 3, 5, 4.5));
             p.drawEllipse(QRectF(12, 3, 5, 4.5));
         }},
        {"coffee",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x50, 0x30, 0x20)));
             p.setBrush(Qt::white);
             p.drawRoundedRect(QRectF(4.5, 8.5, 12, 12), 2, 2);
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(14.5, 11, 6, 6));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(0x70, 0x40, 0x20));
             p.drawRect(QRectF(5.2, 9.2, 10.6, 3));
             p.setPen(outline(QColor(0x90, 0x90, 0x90), 1.1));
             p.setBrush(Qt::NoBrush);
             for (const qreal x : {8.0, 12.0}) {
                 QPainterPath steam;
                 steam.moveTo(x, 7);
                 steam.cubicTo(x - 1.5, 5.5, x + 1.5, 4, x, 2.5);
                 p.drawPath(steam);
             }
         }},
        {"todo",
         [](QPainter &p) {
             p.setPen(outline(QColor(0x50, 0x50, 0x50)));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4.5, 2.5, 15, 19));
             p.setPen(outline(QColor(0x1e, 0x8a, 0x2e), 1.6));
             for (const qreal y : {7.0, 12.0, 17.0})
                 p.drawPolyline(
                     QPolygonF({QPointF(6.5, y), QPointF(7.8, y + 1.3), QPointF(10, y - 1.5)}));
             p.setPen(outline(QColor(0x70, 0x70, 0x70), 1.2));
             for (const qreal y : {7.0, 12.0, 17.0})
                 p.drawLine(QPointF(11.5, y), QPointF(17.5, y));
         }},
    };
    return list;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: drawicons <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const Icon &icon : icons()) {
        QPixmap pixmap(kSize, kSize);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            icon.draw(painter);
        }
        const QString file = folder.filePath(QLatin1String(icon.name) + QStringLiteral(".png"));
        if (!pixmap.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    std::printf("%d icons written to %s\n", int(icons().size()), argv[1]);
    return 0;
}
