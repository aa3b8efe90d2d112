#include "app/Artwork.h"

#include <QAction>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QToolBar>

#include <algorithm>
#include <cmath>

namespace velmora::app {

namespace {

constexpr int IconSize = 48;

const QColor Slate(0x34, 0x45, 0x57);
const QColor Sky(0x8f, 0xd0, 0xf2);
const QColor Green(0x2e, 0xaa, 0x4f);
const QColor Red(0xd6, 0x45, 0x41);
const QColor Blue(0x2d, 0x7d, 0xd2);
const QColor Amber(0xf2, 0xb3, 0x3d);
const QColor Steel(0x5f, 0x6b, 0x7a);
const QColor Brand(0x13, 0x9d, 0xd9);

void drawFilm(QPainter &p, const QRectF &r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Slate);
    p.drawRoundedRect(r, 4, 4);
    const qreal hole = r.width() * 0.12;
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i) {
        const qreal y = r.top() + r.height() * (0.12 + i * 0.22);
        p.drawRoundedRect(QRectF(r.left() + hole * 0.5, y, hole, hole), 1, 1);
        p.drawRoundedRect(QRectF(r.right() - hole * 1.5, y, hole, hole), 1, 1);
    }
    QLinearGradient frame(r.topLeft(), r.bottomLeft());
    frame.setColorAt(0, Sky.lighter(115));
    frame.setColorAt(1, Sky.darker(110));
    p.setBrush(frame);
    p.drawRect(QRectF(r.left() + hole * 2.2, r.top() + r.height() * 0.1, r.width() - hole * 4.4, r.height() * 0.8));
}

enum class Badge { Plus, Minus, Cross, Play };

void drawBadge(QPainter &p, const QColor &colour, Badge badge)
{
    const QPointF centre(36, 36);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(colour);
    p.drawEllipse(centre, 11, 11);
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    switch (badge) {
    case Badge::Plus:
        p.drawLine(centre + QPointF(-5.5, 0), centre + QPointF(5.5, 0));
        p.drawLine(centre + QPointF(0, -5.5), centre + QPointF(0, 5.5));
        break;
    case Badge::Minus:
        p.drawLine(centre + QPointF(-5.5, 0), centre + QPointF(5.5, 0));
        break;
    case Badge::Cross:
        p.drawLine(centre + QPointF(-4.5, -4.5), centre + QPointF(4.5, 4.5));
        p.drawLine(centre + QPointF(-4.5, 4.5), centre + QPointF(4.5, -4.5));
        break;
    case Badge::Play:
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({centre + QPointF(-3.5, -6), centre + QPointF(6.5, 0), centre + QPointF(-3.5, 6)}));
        break;
    }
}

void drawFolder(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Amber.darker(115));
    p.drawRoundedRect(QRectF(4, 9, 18, 8), 2, 2);
    p.drawRoundedRect(QRectF(4, 12, 36, 26), 3, 3);
    QLinearGradient front(0, 17, 0, 40);
    front.setColorAt(0, Amber.lighter(120));
    front.setColorAt(1, Amber);
    p.setBrush(front);
    p.drawRoundedRect(QRectF(4, 17, 36, 22), 3, 3);
}

void drawArrow(QPainter &p, bool up)
{
    QPolygonF arrow({{24, 4}, {43, 23}, {32, 23}, {32, 44}, {16, 44}, {16, 23}, {5, 23}});
    if (!up) {
        for (QPointF &point : arrow)
            point.setY(48 - point.y());
    }
    QLinearGradient fill(0, 0, 48, 48);
    fill.setColorAt(0, Blue.lighter(130));
    fill.setColorAt(1, Blue);
    p.setPen(QPen(Blue.darker(130), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPolygon(arrow);
}

void drawDisc(QPainter &p, const QColor &colour)
{
    QRadialGradient fill(QPointF(18, 16), 30);
    fill.setColorAt(0, colour.lighter(135));
    fill.setColorAt(1, colour);
    p.setPen(QPen(colour.darker(125), 1.5));
    p.setBrush(fill);
    p.drawEllipse(QRectF(4, 4, 40, 40));
}

void drawGear(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Steel);
    p.save();
    p.translate(24, 24);
    for (int i = 0; i < 8; ++i) {
        p.drawRoundedRect(QRectF(-4, -21, 8, 10), 1.5, 1.5);
        p.rotate(45);
    }
    p.restore();
    p.drawEllipse(QPointF(24, 24), 15, 15);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(24, 24), 6, 6);
}

void drawList(QPainter &p)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(Steel.lighter(100 + i * 15));
        p.drawRoundedRect(QRectF(5, 6 + i * 9, 32, 6), 2, 2);
    }
}

void paintGlyph(QPainter &p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::AddFile:
        drawFilm(p, QRectF(6, 4, 30, 38));
        drawBadge(p, Green, Badge::Plus);
        break;
    case Glyph::AddDir:
        drawFolder(p);
        drawBadge(p, Green, Badge::Plus);
        break;
    case Glyph::MoveUp:
        drawArrow(p, true);
        break;
    case Glyph::MoveDown:
        drawArrow(p, false);
        break;
    case Glyph::Sort: {
        // Bars from short to long, and an arrow down beside them.
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            p.setBrush(Steel.lighter(100 + i * 15));
            p.drawRoundedRect(QRectF(4, 6 + i * 9, 8 + i * 5, 7), 2, 2);
        }
        p.setBrush(Blue);
        p.setPen(QPen(Blue.darker(130), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolygon(QPolygonF({{37, 44}, {46, 32}, {41, 32}, {41, 5}, {33, 5}, {33, 32}, {28, 32}}));
        break;
    }
    case Glyph::Remove:
        drawFilm(p, QRectF(6, 4, 30, 38));
        drawBadge(p, Red, Badge::Minus);
        break;
    case Glyph::Clear:
        drawList(p);
        drawBadge(p, Red, Badge::Cross);
        break;
    case Glyph::SaveList:
        drawList(p);
        p.setPen(Qt::NoPen);
        p.setBrush(Blue);
        p.drawEllipse(QPointF(36, 36), 11, 11);
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(36, 29), QPointF(36, 40));
        p.drawLine(QPointF(31.5, 35.5), QPointF(36, 40));
        p.drawLine(QPointF(40.5, 35.5), QPointF(36, 40));
        break;
    case Glyph::Preview:
        drawFilm(p, QRectF(6, 4, 30, 38));
        drawBadge(p, Blue, Badge::Play);
        break;
    case Glyph::Start:
        drawDisc(p, Green);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{19, 14}, {35, 24}, {19, 34}}));
        break;
    case Glyph::Stop:
        drawDisc(p, Red);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(16, 16, 16, 16), 2, 2);
        break;
    case Glyph::Setting:
        drawGear(p);
        break;
    case Glyph::About:
        drawDisc(p, Blue);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(24, 14.5), 3.2, 3.2);
        p.drawRoundedRect(QRectF(21, 20, 6, 16), 2, 2);
        break;
    case Glyph::Help: {
        drawDisc(p, Brand);
        QPainterPath hook;
        hook.moveTo(17.5, 18);
        hook.cubicTo(17.5, 9.5, 31, 9.5, 31, 17.5);
        hook.cubicTo(31, 22.5, 24, 23, 24, 29);
        p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(hook);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(24, 36), 3, 3);
        break;
    }
    }
}

QPixmap glyphPixmap(Glyph glyph, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(qreal(size) / IconSize, qreal(size) / IconSize);
    paintGlyph(p, glyph);
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap greyed(const QPixmap &pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            const int grey = 150 + qGray(c) / 3;
            line[x] = qRgba(grey, grey, grey, qAlpha(c) * 3 / 5);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

QIcon toolbarIcon(Glyph glyph)
{
    QIcon icon;
    for (const int size : {IconSize, IconSize * 2}) {
        const QPixmap normal = glyphPixmap(glyph, size);
        icon.addPixmap(normal, QIcon::Normal);
        icon.addPixmap(greyed(normal), QIcon::Disabled);
    }
    return icon;
}

void decorateToolbar(QToolBar *toolbar)
{
    static const std::pair<const char *, Glyph> glyphs[] = {
        {"tbtnAddFile", Glyph::AddFile}, {"tbtnAddDir", Glyph::AddDir}, {"tbtnSaveList", Glyph::SaveList},   {"tbtnUp", Glyph::MoveUp},
        {"tbtnDown", Glyph::MoveDown},   {"tbtnSort", Glyph::Sort},   {"tbtnRemove", Glyph::Remove},   {"tbtnClear", Glyph::Clear},
        {"tbtnPreview", Glyph::Preview}, {"tbtnStart", Glyph::Start},     {"tbtnStop", Glyph::Stop},       {"tbtnSetting", Glyph::Setting},
        {"tbtnAbout", Glyph::About},     {"tbtnHelp", Glyph::Help},
    };
    for (QAction *action : toolbar->actions()) {
        const auto found = std::find_if(std::begin(glyphs), std::end(glyphs),
                                        [action](const auto &entry) { return action->objectName() == QLatin1String(entry.first); });
        if (found == std::end(glyphs))
            continue;
        action->setIcon(toolbarIcon(found->second));
        if (QWidget *button = toolbar->widgetForAction(action)) {
            button->setObjectName(action->objectName());
            button->setAccessibleName(action->toolTip());
            button->setFixedSize(56, 54);
        }
    }
}

namespace {

void drawTile(QPainter &p)
{
    // On a 40 x 40 grid, as the logo draws it (data/icons/velmora.svg is the same on 256).
    p.setPen(Qt::NoPen);
    p.setBrush(Brand);
    p.drawRoundedRect(QRectF(2.86, 2.86, 34.29, 34.29), 7.86, 7.86);
    p.setPen(QPen(Qt::white, 4.29, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{11.25, 11.88}, {20, 28.75}, {28.75, 11.88}}));
}

} // namespace

QImage applicationIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 40.0, size / 40.0);
    drawTile(p);
    p.end();
    return image;
}

QIcon applicationIcon()
{
    QIcon icon;
    // Up to 128 pixels: X11 takes every size in one request, and larger ones make it too long.
    for (const int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(applicationIconImage(size)));
    return icon;
}

QPixmap bannerBackground()
{
    QImage image(768, 354, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(0xff, 0xff, 0xff));
    sky.setColorAt(1, QColor(0xe6, 0xf2, 0xfa));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const qreal base = 250 + i * 28;
        wave.moveTo(0, base);
        wave.cubicTo(250, base - 60, 480, base + 50, 768, base - 30);
        wave.lineTo(768, 354);
        wave.lineTo(0, 354);
        QColor tint = Brand;
        tint.setAlpha(18 + i * 10);
        p.setBrush(tint);
        p.drawPath(wave);
    }
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap welcomePicture()
{
    QImage image(150, 150, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Three clips on the left flow into one on the right.
    for (int i = 0; i < 3; ++i)
        drawFilm(p, QRectF(6, 8 + i * 46, 34, 40));
    p.setPen(QPen(Brand, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPainterPath flow;
        flow.moveTo(44, 28 + i * 46);
        flow.cubicTo(70, 28 + i * 46, 72, 75, 92, 75);
        p.drawPath(flow);
    }
    drawFilm(p, QRectF(96, 35, 48, 80));
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap logoPicture()
{
    QImage image(170, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Brand);
    p.drawRoundedRect(QRectF(4, 10, 40, 40), 9, 9);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{14, 21}, {24, 40}, {34, 21}}));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(24);
    p.setFont(font);
    p.setPen(Slate);
    p.drawText(QRectF(52, 10, 118, 40), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Velmora"));
    p.end();
    return QPixmap::fromImage(image);
}

} // namespace velmora::app
