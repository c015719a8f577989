#include "game_style.h"

#include <QWidget>

QIcon GameStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon();
    return QProxyStyle::standardIcon(icon, option, widget);
}

int GameStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    if ((metric == PM_ExclusiveIndicatorWidth || metric == PM_ExclusiveIndicatorHeight) && widget)
        return qMin(size, widget->height());
    return size;
}
