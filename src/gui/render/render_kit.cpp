#include "gui/render/render_kit.h"

#include <QFontMetrics>
#include <QString>
#include <QSvgRenderer>

namespace kelto::gui {

namespace {

constexpr std::array<const char*, kPartPictureCount> kPictureNames{
    "BMP_00emf", "BMP_01emf", "BMP_02emf", "BMP_03emf", "BMP_04emf", "BMP_05emf",
    "BMP_06emf", "BMP_07emf", "BMP_08emf", "BMP_11emf", "BMP_10emf", "BMP_09emf"};

struct TFontSpec {
    int Points;
    bool Bold;
};

constexpr std::array<TFontSpec, static_cast<int>(TPartFont::Count)> kFontSpecs{
    {{9, false}, {8, false}, {11, false}, {12, true}, {13, true}, {9, true}}};

const QString kPartTypeface = QStringLiteral("宋体");

// The layouts were measured on a 96 dpi screen; fixing the pixel size keeps
// text and geometry together on any screen. Sizes round like the classic
// point-to-pixel conversion (8 pt -> 11 px).
QFont MakePartFont(TFontSpec spec)
{
    QFont font(kPartTypeface);
    font.setPixelSize((spec.Points * 96 + 36) / 72);
    font.setBold(spec.Bold);
    font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    return font;
}

} // namespace

void InstallFontSubstitutions()
{
    const QStringList song{QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei")};
    for (const QString& alias :
         {kPartTypeface, QStringLiteral("SimSun"), QStringLiteral("新宋体"), QStringLiteral("NSimSun")})
        QFont::insertSubstitutions(alias, song);
}

TRenderKit::TRenderKit()
{
    for (int slot = 0; slot < kPartPictureCount; ++slot) {
        const QString path = QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(kPictureNames[slot]));
        FPartPictures[slot] = std::make_unique<QSvgRenderer>(path);
    }
    for (size_t i = 0; i < kFontSpecs.size(); ++i) {
        FFonts[i] = MakePartFont(kFontSpecs[i]);
        const QFontMetrics metrics(FFonts[i]);
        FAscents[i] = metrics.ascent();
        FLineHeights[i] = metrics.height();
    }
}

TRenderKit::~TRenderKit() = default;

bool TRenderKit::PicturesLoaded() const
{
    for (const auto& picture : FPartPictures)
        if (!picture->isValid())
            return false;
    return true;
}

} // namespace kelto::gui
