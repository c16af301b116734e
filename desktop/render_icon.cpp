// Build-time helper: renders the hand-drawn application icon into the PNG
// sizes of the hicolor icon theme, so that the SVG stays the only artwork.
//
//   namenswerk_render_icon <icon.svg> <output folder> <size>...
//
// writes <output folder>/<size>x<size>/apps/namenswerk.png for every size.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "namenswerk_render_icon: " << message << '\n';
    return 1;
}

bool renderAt(QSvgRenderer &svg, int size, const QString &path)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path, "PNG");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        return fail(u"usage: namenswerk_render_icon <icon.svg> <output folder> <size>..."_s);
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        return fail(u"cannot read %1"_s.arg(QString::fromLocal8Bit(argv[1])));
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            return fail(u"bad size %1"_s.arg(QString::fromLocal8Bit(argv[i])));
        }
        const QString path = u"%1/%2x%2/apps/namenswerk.png"_s.arg(folder).arg(size);
        if (!renderAt(svg, size, path)) {
            return fail(u"cannot write %1"_s.arg(path));
        }
    }
    return 0;
}
