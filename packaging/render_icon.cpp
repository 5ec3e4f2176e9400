// Renders an SVG drawing into a square PNG icon, keeping its proportions and
// centring it on a transparent background. The build makes the icon theme's
// bitmap from the persona drawing with it, using the renderer the window uses.
//   velk_render_icon INPUT.svg SIZE OUTPUT.png
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: velk_render_icon INPUT.svg SIZE OUTPUT.png\n");
    return 2;
  }
  bool isNumber = false;
  const int side = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
  QSvgRenderer drawing(QString::fromLocal8Bit(argv[1]));
  if (!isNumber || side <= 0 || !drawing.isValid()) {
    std::fprintf(stderr, "velk_render_icon: cannot render %s at %s pixels\n", argv[1], argv[2]);
    return 1;
  }
  drawing.setAspectRatioMode(Qt::KeepAspectRatio);
  QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  drawing.render(&painter);
  painter.end();
  if (!icon.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "velk_render_icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
