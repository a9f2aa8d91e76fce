#include "ui/common/Pictures.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string_view>

// The resources live in a static library, so they are registered by hand.
static void initialisePictureResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(resources_2x);
}

namespace zv {

namespace {

// The stored picture a screen ratio is drawn from: the 1x file at 100 % and below, the @2x one above.
int storedRatioFor(qreal screenRatio) { return screenRatio > 1 ? 2 : 1; }

// `stored` at exactly the screen's device pixels for `shownSize`, so painting draws it pixel for
// pixel: as it is when it has that size already, else scaled once (from the @2x file at 150 %,
// say). Shrunk from premultiplied pixels, QImage's own smooth scaling works on this thread; from
// any other format Qt draws the picture scaled with a painter instead, which is slower at these
// sizes and hands its lines to drawing threads started for that alone.
QPixmap fitToScreen(QImage stored, QSize shownSize, qreal screenRatio)
{
    const QSize pixels = shownSize * screenRatio;
    if (stored.size() != pixels)
        stored = stored.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                     .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap fitted = QPixmap::fromImage(std::move(stored));
    fitted.setDevicePixelRatio(screenRatio);
    return fitted;
}

// Named as PNG and not guessed: guessing asks every image format plugin first, which loads
// them all (and Qt Svg with them).
QImage readPng(const QString& resource)
{
    QImageReader reader(resource, "png");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error("Picture " + resource.toStdString() + " cannot be loaded");
    return image;
}

QPixmap load(const pictures::ShownPicture& picture, qreal screenRatio, QSize shownSize)
{
    // The image is handed over whole, so the pixmap takes its pixels without a copy.
    return fitToScreen(readPng(QStringLiteral(":/") + pictures::pngFile(picture, storedRatioFor(screenRatio))),
        shownSize, screenRatio);
}

QPixmap load(const pictures::ShownPicture& picture, qreal screenRatio)
{
    return load(picture, screenRatio, picture.size);
}

QIcon loadApplicationIcon()
{
    QIcon icon;
    for (const int size : pictures::kIconSizes)
        icon.addPixmap(QPixmap::fromImage(readPng(QStringLiteral(":/") + pictures::iconFile(size))));
    return icon;
}

// Which glyph each button shows, by the buttons' names in the forms.
struct ButtonGlyph {
    const char* button;
    const char* glyph;
};
constexpr ButtonGlyph kButtonGlyphs[] = {
    {"AboutButton", "glyphs/about"},
    {"EjectButton", "glyphs/eject"},
    {"ExitButton", "glyphs/exit"},
    {"RefreshButton", "glyphs/refresh"},
    {"RestoreButton", "glyphs/restore"},
    {"SaveButton", "glyphs/save"},
    {"SetButton", "glyphs/set"},
    {"SettingsButton", "glyphs/settings"},
};

std::size_t glyphIndex(std::string_view name)
{
    const auto* found = std::find_if(pictures::kGlyphs.begin(), pictures::kGlyphs.end(),
        [name](const pictures::ShownPicture& glyph) { return name == glyph.name; });
    return static_cast<std::size_t>(found - pictures::kGlyphs.begin());
}

} // namespace

Pictures::Pictures() : ratio_((initialisePictureResources(), qGuiApp->devicePixelRatio()))
{
    lampOff_ = load(pictures::kLampOff, ratio_);
    lampOn_ = load(pictures::kLampOn, ratio_);
    banner_ = load(pictures::kBanner, ratio_);
    information_ = load(pictures::kInformation, ratio_);
    applicationIcon_ = loadApplicationIcon();
    for (std::size_t i = 0; i < glyphs_.size(); ++i)
        glyphs_[i] = QIcon(load(pictures::kGlyphs[i], ratio_));
}

const QPixmap& Pictures::camera(ModelIndex m) const
{
    const auto index = static_cast<std::size_t>(std::min(m, ModelIndex{kModelCount}));
    QPixmap& picture = cameras_[index];
    if (picture.isNull())
        picture = load(index < pictures::kCameras.size() ? pictures::kCameras[index] : pictures::kAnyCamera, ratio_,
            pictures::kCameraShownSize);
    return picture;
}

void Pictures::giveButtonsTheirGlyphs(QWidget* window) const
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QString name = button->objectName();
        const auto* entry = std::find_if(std::begin(kButtonGlyphs), std::end(kButtonGlyphs),
            [&name](const ButtonGlyph& glyph) { return name == QLatin1String(glyph.button); });
        if (entry != std::end(kButtonGlyphs))
            button->setIcon(glyphs_[glyphIndex(entry->glyph)]);
    }
}

} // namespace zv
