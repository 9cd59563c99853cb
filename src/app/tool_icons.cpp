// Run-time drawn images.
#include "app/tool_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

QIcon GlyphIcon(const QString& glyph, const QColor& plate)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(plate.darker(140));
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(glyph.size() > 2 ? 8 : glyph.size() > 1 ? 10 : 13);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QPixmap WaveformPicture(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(QColor(16, 32, 64));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 70, 110), 1));
    for (int x = 0; x < width; x += width / 8 + 1) p.drawLine(x, 0, x, height);
    for (int y = 0; y < height; y += height / 4 + 1) p.drawLine(0, y, width, y);
    const QColor phases[3] = {QColor(255, 220, 0), QColor(0, 220, 120), QColor(255, 90, 90)};
    for (int phase = 0; phase < 3; ++phase) {
        QPainterPath path;
        for (int x = 0; x <= width; ++x) {
            double angle = 2 * M_PI * 2.0 * x / width + phase * 2 * M_PI / 3;
            double y = height / 2.0 - std::sin(angle) * height * 0.38;
            if (x == 0) path.moveTo(x, y);
            else path.lineTo(x, y);
        }
        p.setPen(QPen(phases[phase], 2));
        p.drawPath(path);
    }
    return pixmap;
}

QIcon ProgramIcon()
{
    return QIcon(WaveformPicture(32, 32));
}
