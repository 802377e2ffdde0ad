// Draws the images of the resource bundle into resources/images. Not run at build time: build the
// target quorin_make_images and run it from the repository root, then commit the PNGs.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

const QColor brown(0x89, 0x68, 0x27);
const QColor sand(0xEF, 0xDC, 0xC8);
const QColor ink(0x33, 0x33, 0x33);

using Drawing = std::function<void(QPainter&)>;

// Draws on a 128 × 128 (or the given) canvas, scaled to the image size.
bool save(const QString& dir, const QString& name, QSize size, const Drawing& draw,
          QSizeF canvas = {128, 128}) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size.width() / canvas.width(), size.height() / canvas.height());
    draw(painter);
    painter.end();
    const bool ok = image.save(dir + QLatin1Char('/') + name, "PNG");
    if (!ok)
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(name));
    return ok;
}

QPolygonF poly(std::initializer_list<QPointF> points) {
    return QPolygonF(QVector<QPointF>(points));
}

QPen pen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void eye(QPainter& p, bool crossed) {
    p.setPen(pen(ink, 10));
    QPainterPath lid;
    lid.moveTo(10, 64);
    lid.quadTo(64, 0, 118, 64);
    lid.quadTo(64, 128, 10, 64);
    p.drawPath(lid);
    p.setBrush(ink);
    p.drawEllipse(QPointF(64, 64), 18, 18);
    if (crossed)
        p.drawLine(20, 108, 108, 20);
}

void cross(QPainter& p) {
    p.setPen(pen(ink, 14));
    p.drawLine(24, 24, 104, 104);
    p.drawLine(104, 24, 24, 104);
}

void dot(QPainter& p, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(64, 64), 56, 56);
}

void arrow(QPainter& p, bool up) {
    p.setPen(Qt::NoPen);
    p.setBrush(brown);
    const QPolygonF down = poly({{16, 40}, {112, 40}, {64, 96}});
    const QPolygonF upward = poly({{16, 88}, {112, 88}, {64, 32}});
    p.drawPolygon(up ? upward : down);
}

void folder(QPainter& p) {
    p.setPen(pen(brown, 6));
    p.setBrush(sand);
    QPainterPath path;
    path.moveTo(10, 30);
    path.lineTo(50, 30);
    path.lineTo(62, 42);
    path.lineTo(118, 42);
    path.lineTo(118, 106);
    path.lineTo(10, 106);
    path.closeSubpath();
    p.drawPath(path);
    p.drawLine(10, 56, 118, 56);
}

void rotate(QPainter& p, const QColor& colour) {
    p.setPen(pen(colour, 12));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(20, 20, 88, 88), 90 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(poly({{64, 2}, {96, 20}, {64, 38}}));
}

void mirror(QPainter& p, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(poly({{8, 112}, {58, 112}, {58, 16}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(colour, 6));
    p.drawPolygon(poly({{132, 112}, {82, 112}, {82, 16}}));
    QPen dashed = pen(colour, 4);
    dashed.setStyle(Qt::DashLine);
    p.setPen(dashed);
    p.drawLine(70, 4, 70, 124);
}

void checkbox(QPainter& p, bool ticked) {
    p.setPen(pen(brown, 8));
    p.setBrush(ticked ? brown : QColor(Qt::white));
    p.drawRoundedRect(QRectF(12, 12, 104, 104), 16, 16);
    if (ticked) {
        p.setPen(pen(Qt::white, 14));
        p.drawPolyline(poly({{34, 66}, {56, 88}, {96, 40}}));
    }
}

void toggle(QPainter& p, bool on) {
    p.setPen(Qt::NoPen);
    p.setBrush(on ? brown : QColor(0xCC, 0xCC, 0xCC));
    p.drawRoundedRect(QRectF(8, 36, 112, 56), 28, 28);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(on ? 92 : 36, 64), 22, 22);
}

void fullScreen(QPainter& p) {
    p.setPen(pen(brown, 10));
    for (const QPolygonF& corner :
         {poly({{16, 48}, {16, 16}, {48, 16}}), poly({{80, 16}, {112, 16}, {112, 48}}),
          poly({{112, 80}, {112, 112}, {80, 112}}), poly({{48, 112}, {16, 112}, {16, 80}})})
        p.drawPolyline(corner);
}

// The splash: a sensor matrix fading into the product name.
void splash(QPainter& p) {
    QLinearGradient background(0, 0, 1268, 714);
    background.setColorAt(0, QColor(0xF8, 0xF8, 0xF8));
    background.setColorAt(1, sand);
    p.fillRect(QRectF(0, 0, 1268, 714), background);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 16; ++row)
        for (int col = 0; col < 16; ++col) {
            const int level = 60 + (row * 7 + col * 11) % 140;
            p.setBrush(QColor(level, level, level));
            p.drawRect(QRectF(110 + col * 26, 150 + row * 26, 22, 22));
        }
    p.setPen(pen(brown, 6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(96, 136, 442, 442), 12, 12);

    p.setPen(brown);
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(80);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(580, 250, 660, 120), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quorin Station"));
    QFont subtitle(QStringLiteral("Arial"));
    subtitle.setPixelSize(30);
    p.setFont(subtitle);
    p.setPen(ink);
    p.drawText(QRectF(584, 370, 660, 50), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Sensor board control and imaging"));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/images");
    QDir().mkpath(dir);
    const QSize icon(16, 16), large(128, 128);
    bool ok = save(dir, QStringLiteral("222.png"), {1268, 714}, splash, {1268, 714});
    ok &= save(dir, QStringLiteral("password_on.png"), icon, [](QPainter& p) { eye(p, false); });
    ok &= save(dir, QStringLiteral("password_off.png"), icon, [](QPainter& p) { eye(p, true); });
    ok &= save(dir, QStringLiteral("close.png"), icon, cross);
    ok &= save(dir, QStringLiteral("tip_stop.png"), icon,
               [](QPainter& p) { dot(p, QColor(0x99, 0x99, 0x99)); });
    ok &= save(dir, QStringLiteral("tip_running.png"), icon,
               [](QPainter& p) { dot(p, QColor(0x2E, 0xA0, 0x4A)); });
    ok &= save(dir, QStringLiteral("down_arrow.png"), icon, [](QPainter& p) { arrow(p, false); });
    ok &= save(dir, QStringLiteral("up_arrow.png"), icon, [](QPainter& p) { arrow(p, true); });
    ok &= save(dir, QStringLiteral("file.png"), large, folder);
    ok &= save(dir, QStringLiteral("rotate.png"), large, [](QPainter& p) { rotate(p, ink); });
    ok &= save(dir, QStringLiteral("rotate__p.png"), large, [](QPainter& p) { rotate(p, brown); });
    ok &=
        save(dir, QStringLiteral("mirror.png"), {140, 128}, [](QPainter& p) { mirror(p, ink); }, {140, 128});
    ok &= save(dir, QStringLiteral("mirror_p.png"), {140, 128}, [](QPainter& p) { mirror(p, brown); },
               {140, 128});
    ok &= save(dir, QStringLiteral("checkbox.png"), large, [](QPainter& p) { checkbox(p, false); });
    ok &= save(dir, QStringLiteral("checkbox-checked.png"), large, [](QPainter& p) { checkbox(p, true); });
    ok &= save(dir, QStringLiteral("icon-checkbox.png"), large, [](QPainter& p) { checkbox(p, true); });
    ok &= save(dir, QStringLiteral("icon-no-checkbox.png"), large, [](QPainter& p) { checkbox(p, false); });
    ok &= save(dir, QStringLiteral("button-on.png"), large, [](QPainter& p) { toggle(p, true); });
    ok &= save(dir, QStringLiteral("button-off.png"), large, [](QPainter& p) { toggle(p, false); });
    ok &= save(dir, QStringLiteral("full.png"), large, fullScreen);
    return ok ? 0 : 1;
}
