#pragma once

#include <QProxyStyle>

// The desktop's style, less what the game never shows: the menu bar's button
// for menus that do not fit (two short menus always fit the window), whose
// icon would load every image format Qt has. An option button's ring is never
// taller than the button, so that a low button draws it whole.
class GameStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
};
