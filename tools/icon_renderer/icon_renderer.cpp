// icon_renderer SVG NAME OUTDIR SIZE...: renders the program's SVG icon into
// OUTDIR/SIZExSIZE/apps/NAME.png for each size, the hicolor theme's layout.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool renderIcon(QSvgRenderer& svg, const QString& name, const QString& outDir, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
    return QDir().mkpath(folder) && image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QSvgRenderer svg(args.value(1));
    if (args.size() < 5 || !svg.isValid()) {
        std::fprintf(stderr, "usage: icon_renderer SVG NAME OUTDIR SIZE...\n");
        return 2;
    }
    for (qsizetype i = 4; i < args.size(); ++i) {
        if (!renderIcon(svg, args[2], args[3], args[i].toInt())) {
            std::fprintf(stderr, "icon_renderer: cannot write the %s icon\n", qPrintable(args[i]));
            return 1;
        }
    }
    return 0;
}
