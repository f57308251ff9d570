// The grids' cells are narrow: three digits in 28 pixels, a pitch value in 34, "画面ピッチ" in
// 82. Their texts therefore keep the one-pixel margin of a plain grid instead of the style's
// wider one, which would cut them short.
#pragma once

#include <QProxyStyle>

class TGridStyle : public QProxyStyle {
    Q_OBJECT

public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

// The one grid style of the application, which owns it.
QStyle* GridStyle();
