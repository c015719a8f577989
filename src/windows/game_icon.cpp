#include "game_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>

namespace {

const QColor kBoardColour(0x3b, 0x4a, 0x5a);
const QColor kTileColour(0xf2, 0xe6, 0xc9);

// The small sizes a desktop shows most, drawn on whole pixels: the board's
// border, a tile's side and the gap between tiles. Scaled down, the large
// drawing would blur every edge.
struct PixelGrid
{
    int size;
    int border;
    int tile;
    int gap;
};
constexpr PixelGrid kPixelGrids[] = {{16, 1, 2, 2}, {24, 1, 4, 2}, {32, 1, 6, 2}, {48, 3, 9, 2}};

} // namespace

QImage gameIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (const PixelGrid &grid : kPixelGrids) {
        if (grid.size != size)
            continue;
        painter.fillRect(0, 0, size, size, kBoardColour);
        for (int i = 0; i < 15; ++i) {
            painter.fillRect(grid.border + (i % 4) * (grid.tile + grid.gap),
                             grid.border + (i / 4) * (grid.tile + grid.gap), grid.tile, grid.tile, kTileColour);
        }
        return image;
    }
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal margin = size / 16.0;
    const QRectF board(margin, margin, size - 2 * margin, size - 2 * margin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBoardColour);
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
        painter.setBrush(kTileColour);
        painter.drawRoundedRect(tile, cell / 6, cell / 6);
        // Numbers only where they can be read: the window's small icons need
        // no font at all.
        if (size >= 64) {
            painter.setPen(kBoardColour);
            painter.drawText(tile, Qt::AlignCenter, QString::number(i + 1));
        }
    }
    return image;
}

namespace {

// Paints the icon at the size asked for, so that start-up pays only for the
// sizes the desktop really shows.
class GameIconEngine : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = qMax(1, qMin(size.width(), size.height()));
        const QString key = QStringLiteral("taviq-game-icon-%1-%2").arg(side).arg(int(mode));
        QPixmap pixmap;
        if (!QPixmapCache::find(key, &pixmap)) {
            QImage image = gameIconImage(side);
            if (mode == QIcon::Disabled)
                image = image.convertToFormat(QImage::Format_Grayscale8);
            pixmap = QPixmap::fromImage(image);
            QPixmapCache::insert(key, pixmap);
        }
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        return QSize(side, side);
    }

    // The sizes a window offers its desktop; larger ones are still painted
    // on demand, and installed as files.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48)};
    }

    QIconEngine *clone() const override { return new GameIconEngine; }
    QString key() const override { return QStringLiteral("taviq-game"); }
};

} // namespace

QIcon gameIcon()
{
    return QIcon(new GameIconEngine);
}
