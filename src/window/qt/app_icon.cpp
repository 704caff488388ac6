#include "window/qt/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace orbelin {

QImage DrawAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 64 by 64 grid.
  p.scale(size / 64.0, size / 64.0);

  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(47, 111, 209));
  tile.setColorAt(1, QColor(24, 58, 130));
  p.setPen(Qt::NoPen);
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

  // The compass ring in the label's lavender, with its four ticks.
  const QColor lavender(210, 210, 255);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(lavender, 3.5));
  p.drawEllipse(QPointF(32, 32), 21, 21);
  p.setPen(QPen(lavender, 3, Qt::SolidLine, Qt::RoundCap));
  for (int quarter = 0; quarter < 4; ++quarter) {
    p.save();
    p.translate(32, 32);
    p.rotate(90.0 * quarter);
    p.drawLine(QPointF(0, -17), QPointF(0, -13));
    p.restore();
  }

  // The needle, north in red, pointing to the north-east: a bearing.
  p.translate(32, 32);
  p.rotate(35);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 64, 58));
  p.drawPolygon(QPolygonF({QPointF(0, -19), QPointF(5.5, 0), QPointF(-5.5, 0)}));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({QPointF(0, 19), QPointF(5.5, 0), QPointF(-5.5, 0)}));
  p.setBrush(QColor(24, 58, 130));
  p.drawEllipse(QPointF(0, 0), 2.2, 2.2);
  p.end();
  return image;
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
  return icon;
}

}  // namespace orbelin
