// Renders the scalable icons into the PNG sizes of the hicolor theme at build time:
//   render_icons OUT_DIR SIZE... -- CONTEXT=FILE.svg...
// writes OUT_DIR/<size>x<size>/<context>/<name>.png for every size and icon.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  QStringList arguments = QGuiApplication::arguments();
  arguments.removeFirst();
  const qsizetype separator = arguments.indexOf(QStringLiteral("--"));
  if (arguments.size() < 4 || separator < 2) {
    std::fputs("usage: render_icons OUT_DIR SIZE... -- CONTEXT=FILE.svg...\n", stderr);
    return 2;
  }
  const QDir out(arguments[0]);
  for (qsizetype i = separator + 1; i < arguments.size(); ++i) {
    const QString context = arguments[i].section(u'=', 0, 0);
    const QString file = arguments[i].section(u'=', 1);
    QSvgRenderer renderer(file);
    if (!renderer.isValid()) {
      std::fprintf(stderr, "render_icons: cannot read %s\n", qPrintable(file));
      return 1;
    }
    for (qsizetype s = 1; s < separator; ++s) {
      const int size = arguments[s].toInt();
      QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::transparent);
      QPainter painter(&image);
      renderer.render(&painter);
      painter.end();
      const QString directory = QStringLiteral("%1x%1/").arg(size) + context;
      out.mkpath(directory);
      const QString path =
          out.filePath(directory + u'/' + QFileInfo(file).completeBaseName() + ".png");
      if (!image.save(path)) {
        std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(path));
        return 1;
      }
    }
  }
  return 0;
}
