#include "gui/instruments/plot_picture.h"

#include "gui/instruments/scope_plot.h"
#include "gui/render/painter_surface.h"
#include "gui/render/picture_file.h"

#include "core/look/svg_writer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace kelto::gui {

namespace {

void ReplayScaled(const TScopePlot& plot, const look::TDisplayList& list, QPaintDevice& device, double scale)
{
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.scale(scale, scale);
    Replay(painter, plot.Kit(), list);
}

} // namespace

QByteArray PlotPictureBytes(const TScopePlot& plot, const look::TPictureChoice& choice)
{
    look::TDisplayList list;
    plot.DrawWhole(list);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (choice.Format) {
    case look::TPictureFormat::Svg: {
        const std::string svg = look::SvgDocument(list, {0, 0, plot.width(), plot.height()});
        buffer.write(svg.data(), static_cast<qint64>(svg.size()));
        break;
    }
    case look::TPictureFormat::Png: {
        const int scale = std::max(choice.Scale, 1);
        QImage image(plot.size() * scale, QImage::Format_RGB32);
        ReplayScaled(plot, list, image, scale);
        image.save(&buffer, "PNG");
        break;
    }
    case look::TPictureFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        ReplayScaled(plot, list, pdf, FitOnA4(pdf, plot.width(), plot.height()));
        break;
    }
    }
    return bytes;
}

} // namespace kelto::gui
