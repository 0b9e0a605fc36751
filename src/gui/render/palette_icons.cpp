#include "gui/render/palette_icons.h"

#include "gui/render/type_looks.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kelto::gui {

QImage PaletteIcon(int index)
{
    const std::string_view file = IconFile(index);
    if (file.empty())
        return {};
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg")
                              .arg(QLatin1String(file.data(), static_cast<qsizetype>(file.size()))));
    if (!renderer.isValid())
        return {};
    QImage icon(kPaletteIconSize, kPaletteIconSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    renderer.render(&painter, QRectF(0, 0, kPaletteIconSize, kPaletteIconSize));
    return icon;
}

std::array<QImage, kPaletteIconCount> ImageList1()
{
    std::array<QImage, kPaletteIconCount> icons;
    for (int i = 0; i < kPaletteIconCount; ++i)
        icons[i] = PaletteIcon(i);
    return icons;
}

} // namespace kelto::gui
