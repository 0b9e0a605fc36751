#include "gui/render/render_kit.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QString>
#include <QSvgRenderer>

#include <algorithm>

namespace kelto::gui {

namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont MakePartFont(const look::TFaceSpec& spec)
{
    QFont font(FromUtf8(spec.Family));
    if (!spec.BoldFamily.empty())
        font.setFamilies({FromUtf8(spec.BoldFamily), FromUtf8(spec.Family)});
    if (spec.LetterSpacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, spec.LetterSpacing);
    font.setPixelSize(spec.PixelSize);
    font.setBold(spec.Bold);
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    return font;
}

constexpr int kSupersampling = 3;

// The colours a picture names; the renderer's smoothing mixes them at edges.
std::vector<QRgb> NamedColours(const QString& path)
{
    QFile file(path);
    const QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    std::vector<QRgb> colours{qRgb(0, 0, 0)}; // the default fill
    static const QRegularExpression hex(QStringLiteral("#([0-9a-fA-F]{6})\\b"));
    for (const QRegularExpressionMatch& match : hex.globalMatch(text))
        colours.push_back(0xFF000000u | match.captured(1).toUInt(nullptr, 16));
    return colours;
}

QRgb Nearest(QRgb sample, const std::vector<QRgb>& colours)
{
    const auto distance = [sample](QRgb c) {
        const int r = qRed(c) - qRed(sample), g = qGreen(c) - qGreen(sample), b = qBlue(c) - qBlue(sample);
        return r * r + g * g + b * b;
    };
    return *std::min_element(colours.begin(), colours.end(),
                             [&](QRgb a, QRgb b) { return distance(a) < distance(b); });
}

// Each pixel takes the colour at its centre, as an aliased fill decides:
// sampled from a rendering three times finer, kept where at least half
// covered, made opaque and put back to the nearest colour the picture names.
TAliasedPicture Rasterise(QSvgRenderer& svg, const std::vector<QRgb>& colours, const QRect& dest,
                          const QTransform& turn)
{
    const QRect bounds = turn.mapRect(QRectF(dest)).toAlignedRect();
    if (bounds.isEmpty())
        return {bounds.topLeft(), {}};
    QImage fine(bounds.size() * kSupersampling, QImage::Format_ARGB32);
    fine.fill(Qt::transparent);
    {
        QPainter painter(&fine);
        painter.scale(kSupersampling, kSupersampling);
        painter.translate(-bounds.topLeft());
        painter.setTransform(turn, true);
        svg.render(&painter, QRectF(dest));
    }
    QImage picture(bounds.size(), QImage::Format_ARGB32);
    constexpr int centre = kSupersampling / 2;
    for (int y = 0; y < bounds.height(); ++y) {
        const auto* samples = reinterpret_cast<const QRgb*>(fine.constScanLine(y * kSupersampling + centre));
        auto* pixels = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < bounds.width(); ++x) {
            const QRgb sample = samples[x * kSupersampling + centre];
            pixels[x] = qAlpha(sample) >= 128 ? Nearest(sample, colours) : 0u;
        }
    }
    return {bounds.topLeft(), picture};
}

} // namespace

void InstallFontSubstitutions()
{
    const QStringList song{QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei")};
    for (const QString& alias : {FromUtf8(look::kPartTypeface), QStringLiteral("SimSun"),
                                 QStringLiteral("新宋体"), QStringLiteral("NSimSun")})
        QFont::insertSubstitutions(alias, song);
}

TRenderKit::TRenderKit(bool preparedDots) : FPreparedDots(preparedDots)
{
    for (int slot = 0; slot < kPartPictureCount; ++slot) {
        const QString path = QStringLiteral(":/pictures/%1.svg").arg(FromUtf8(look::kPictureNames[slot]));
        FPartPictures[slot] = std::make_unique<QSvgRenderer>(path);
        FPictureColours[slot] = NamedColours(path);
    }
    for (size_t i = 0; i < look::kFaceSpecs.size(); ++i) {
        FFonts[i] = MakePartFont(look::kFaceSpecs[i]);
        const QFontMetrics metrics(FFonts[i]);
        FAscents[i] = metrics.ascent();
        FLineHeights[i] = metrics.height();
    }
}

TRenderKit::~TRenderKit() = default;

TAliasedPicture TRenderKit::AliasedPicture(TPictureSlot slot, const QRect& dest, double degrees,
                                           QPointF centre) const
{
    const auto same = std::find_if(FRasterised.begin(), FRasterised.end(), [&](const TRasterisedPicture& r) {
        return r.Slot == slot && r.Dest == dest;
    });
    if (same != FRasterised.end() && same->Degrees == degrees && same->Centre == centre)
        return same->Picture;
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(degrees);
    turn.translate(-centre.x(), -centre.y());
    TRasterisedPicture made{slot, dest, degrees, centre,
                            Rasterise(Picture(slot), FPictureColours[slot], dest, turn)};
    // A turning part replaces its picture at the old angle.
    if (same != FRasterised.end()) {
        *same = std::move(made);
        return same->Picture;
    }
    FRasterised.push_back(std::move(made));
    return FRasterised.back().Picture;
}

bool TRenderKit::PicturesLoaded() const
{
    for (const auto& picture : FPartPictures)
        if (!picture->isValid())
            return false;
    return true;
}

} // namespace kelto::gui
