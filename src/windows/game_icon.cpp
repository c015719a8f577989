#include "game_icon.h"

#include <QPainter>

QImage gameIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal margin = size / 16.0;
    const QRectF board(margin, margin, size - 2 * margin, size - 2 * margin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3b, 0x4a, 0x5a));
    painter.drawRoundedRect(board, size / 10.0, size / 10.0);

    const qreal gap = qMax<qreal>(1.0, size / 32.0);
    const qreal cell = (board.width() - 5 * gap) / 4;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(4, static_cast<int>(cell * 0.55)));
    painter.setFont(font);
    for (int i = 0; i < 15; ++i) {
        const QRectF tile(board.left() + gap + (i % 4) * (cell + gap),
                          board.top() + gap + (i / 4) * (cell + gap), cell, cell);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xf2, 0xe6, 0xc9));
        painter.drawRoundedRect(tile, cell / 6, cell / 6);
        if (size >= 32) {
            painter.setPen(QColor(0x3b, 0x4a, 0x5a));
            painter.drawText(tile, Qt::AlignCenter, QString::number(i + 1));
        }
    }
    return image;
}

QIcon gameIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(gameIconImage(size)));
    return icon;
}
