#include "ui/qt/GridStyle.h"

#include <QCoreApplication>
#include <QPointer>

int TGridStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                            const QWidget* widget) const
{
    switch (metric) {
    case PM_HeaderMargin:
        return 1;
    case PM_FocusFrameHMargin:  // an item's text margin is this plus one
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QStyle* GridStyle()
{
    static QPointer<TGridStyle> style;
    if (!style) {
        style = new TGridStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}
