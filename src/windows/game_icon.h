#pragma once

#include <QIcon>
#include <QImage>

// The game's own icon: a small sliding-number board with its blank.
QImage gameIconImage(int size);
QIcon gameIcon();
