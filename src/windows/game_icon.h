#pragma once

#include <QIcon>
#include <QImage>

// The game's own icon: a small sliding-number board with its blank.
QImage gameIconImage(int size);

// The icon at any size, painted when a size is first asked for.
QIcon gameIcon();
