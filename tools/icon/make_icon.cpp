// Draws the game's icon: a slime-green tile with a speech bubble that holds
// a "Z" and the blank of a prompt. The shapes are drawn once as painter
// paths, then painted into the PNG sizes a desktop's icon theme asks for and
// written as SVG path data, so the scalable icon and the pictures agree.
//
//   make_icon <icons folder>    writes hicolor/<N>x<N>/apps/zorbel.png and
//                               hicolor/scalable/apps/zorbel.svg

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr qreal kSide = 512;
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256, 512};

struct Shape {
    QPainterPath path;
    QColor top; // a vertical gradient from top to bottom, or one colour
    QColor bottom;
    QColor outline;
    qreal outlineWidth = 0;
};

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QList<Shape> iconShapes()
{
    const QColor ink(24, 52, 120);
    QList<Shape> shapes;
    shapes.append({roundedRect(QRectF(16, 16, 480, 480), 104), QColor(140, 222, 86), QColor(38, 138, 34),
                   QColor(22, 90, 24), 12});
    // The slime's shine across the top.
    shapes.append(
        {roundedRect(QRectF(60, 34, 392, 92), 46), QColor(255, 255, 255, 150), QColor(255, 255, 255, 20), {}, 0});

    QPainterPath bubble = roundedRect(QRectF(64, 132, 384, 252), 64);
    QPainterPath tail;
    tail.moveTo(130, 360);
    tail.lineTo(104, 452);
    tail.lineTo(214, 372);
    tail.closeSubpath();
    shapes.append(
        {bubble.united(tail).simplified(), QColor(255, 255, 255), QColor(232, 240, 248), QColor(22, 90, 24), 8});

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(200);
    QPainterPath letter;
    letter.addText(0, 0, font, QStringLiteral("Z"));
    const QRectF box = letter.boundingRect();
    letter.translate(QPointF(172, 258) - box.center());
    shapes.append({letter, ink, ink, {}, 0});
    // The blank the players fill in.
    shapes.append({roundedRect(QRectF(262, 306, 136, 26), 8), ink, ink, {}, 0});
    return shapes;
}

QBrush brushFor(const Shape &shape)
{
    if (shape.top == shape.bottom)
        return shape.top;
    const QRectF box = shape.path.boundingRect();
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, shape.top);
    gradient.setColorAt(1, shape.bottom);
    return gradient;
}

QImage picture(const QList<Shape> &shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kSide, size / kSide);
    for (const Shape &shape : shapes) {
        // Outlines thinner than a pixel only blur the small sizes.
        const qreal pixels = shape.outlineWidth * size / kSide;
        painter.setPen(pixels >= 0.75 ? QPen(shape.outline, shape.outlineWidth) : Qt::NoPen);
        painter.setBrush(brushFor(shape));
        painter.drawPath(shape.path);
    }
    return image;
}

QString svgStop(int offset, const QColor &colour)
{
    return QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\" stop-opacity=\"%3\"/>")
        .arg(offset)
        .arg(colour.name(QColor::HexRgb))
        .arg(colour.alphaF(), 0, 'f', 3);
}

QString svgPathData(const QPainterPath &path)
{
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            data += QStringLiteral("M%1 %2").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
            break;
        case QPainterPath::LineToElement:
            data += QStringLiteral("L%1 %2").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
            break;
        case QPainterPath::CurveToElement:
            data += QStringLiteral("C%1 %2").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
            break;
        case QPainterPath::CurveToDataElement:
            data += QStringLiteral(" %1 %2").arg(e.x, 0, 'f', 2).arg(e.y, 0, 'f', 2);
            break;
        }
    }
    return data + u'Z';
}

QString svg(const QList<Shape> &shapes)
{
    QString text;
    QTextStream out(&text);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"512\" height=\"512\" viewBox=\"0 0 512 512\">\n<defs>\n";
    for (int i = 0; i < shapes.size(); ++i) {
        const QRectF box = shapes[i].path.boundingRect();
        out << QStringLiteral("<linearGradient id=\"g%1\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"%2\" x2=\"0\" "
                              "y2=\"%3\">%4%5</linearGradient>\n")
                   .arg(i)
                   .arg(box.top(), 0, 'f', 2)
                   .arg(box.bottom(), 0, 'f', 2)
                   .arg(svgStop(0, shapes[i].top), svgStop(1, shapes[i].bottom));
    }
    out << "</defs>\n";
    for (int i = 0; i < shapes.size(); ++i) {
        const Shape &shape = shapes[i];
        out << QStringLiteral("<path fill=\"url(#g%1)\" fill-rule=\"%2\"")
                   .arg(i)
                   .arg(shape.path.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd");
        if (shape.outlineWidth > 0)
            out << QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                       .arg(shape.outline.name())
                       .arg(shape.outlineWidth);
        out << " d=\"" << svgPathData(shape.path) << "\"/>\n";
    }
    out << "</svg>\n";
    return text;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts need a platform; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon <icons folder>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QList<Shape> shapes = iconShapes();
    for (const int size : kSizes) {
        const QString path = root.filePath(QStringLiteral("hicolor/%1x%1/apps/zorbel.png").arg(size));
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!picture(shapes, size).save(path)) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString scalable = root.filePath(QStringLiteral("hicolor/scalable/apps/zorbel.svg"));
    if (!write(scalable, svg(shapes).toUtf8())) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", qPrintable(scalable));
        return 1;
    }
    return 0;
}
