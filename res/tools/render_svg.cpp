// Renders the program's SVG pictures to PNG with the same SVG engine the editor draws them with.
//
//   render_svg <picture.svg> <out.png> <width> <height>
//       one picture at the given pixel size, on a transparent background;
//   render_svg --sheet <out.png> <picture.svg>...
//       a review sheet: each picture at 1x and 2x on a light grey toolbar background, and the 1x
//       rendering magnified four times without smoothing so that every pixel can be judged.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

namespace {

const QColor kToolbarGrey(240, 240, 240);

QImage Render(const QString& path, QSize size) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_svg: cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

int RenderOne(const QStringList& args) {
    const QSize size(args[2].toInt(), args[3].toInt());
    if (size.isEmpty()) {
        std::fprintf(stderr, "render_svg: bad size %s x %s\n", qPrintable(args[2]),
                     qPrintable(args[3]));
        return 2;
    }
    return Render(args[0], size).save(args[1]) ? 0 : 1;
}

int RenderSheet(const QStringList& args) {
    const QStringList pictures = args.mid(2);
    constexpr int kCell = 120;
    constexpr int kColumns = 7;
    const int rows = (pictures.size() + kColumns - 1) / kColumns;
    QImage sheet(kColumns * kCell, rows * kCell, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(kToolbarGrey);
    QPainter painter(&sheet);
    for (int i = 0; i < pictures.size(); ++i) {
        const QPoint cell((i % kColumns) * kCell, (i / kColumns) * kCell);
        const QSize base = QSvgRenderer(pictures[i]).defaultSize();
        const QImage one = Render(pictures[i], base);
        painter.drawImage(cell + QPoint(6, 6), one);
        painter.drawImage(cell + QPoint(30, 6), Render(pictures[i], base * 2));
        painter.drawImage(QRect(cell + QPoint(6, 44), base * 4), one);
        painter.setPen(Qt::black);
        painter.drawText(QRect(cell.x(), cell.y() + 104, kCell, 14), Qt::AlignCenter,
                         QFileInfo(pictures[i]).baseName());
    }
    return sheet.save(args[1]) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 3 && args[0] == "--sheet") {
        return RenderSheet(args);
    }
    if (args.size() == 4) {
        return RenderOne(args);
    }
    std::fprintf(stderr,
                 "usage: render_svg <picture.svg> <out.png> <width> <height>\n"
                 "       render_svg --sheet <out.png> <picture.svg>...\n");
    return 2;
}
