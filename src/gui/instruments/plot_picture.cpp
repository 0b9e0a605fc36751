#include "gui/instruments/plot_picture.h"

#include "gui/render/picture_file.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QWidget>

#include <algorithm>

namespace kelto::gui {

namespace {

// The widget paints itself onto the painter's device, scaled by `scale`.
void RenderInto(QWidget& plot, QPaintDevice& device, double scale)
{
    QPainter painter(&device);
    painter.scale(scale, scale);
    plot.render(&painter, {}, {}, QWidget::DrawChildren);
}

} // namespace

QByteArray PlotPictureBytes(QWidget& plot, const look::TPictureChoice& choice)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (choice.Format) {
    case look::TPictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(plot.size());
        svg.setViewBox(plot.rect());
        RenderInto(plot, svg, 1);
        break;
    }
    case look::TPictureFormat::Png: {
        const int scale = std::max(choice.Scale, 1);
        QImage image(plot.size() * scale, QImage::Format_RGB32);
        RenderInto(plot, image, scale);
        image.save(&buffer, "PNG");
        break;
    }
    case look::TPictureFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        RenderInto(plot, pdf, FitOnA4(pdf, plot.width(), plot.height()));
        break;
    }
    }
    return bytes;
}

} // namespace kelto::gui
