#include "ui/common/Pictures.h"

#include "ui/common/PictureFiles.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QString>

#include <stdexcept>

// The resources live in a static library, so they are registered by hand.
static void initialisePictureResources() { Q_INIT_RESOURCE(resources); }

namespace zv {

namespace {

// The stored picture a screen ratio is drawn from: the 1x file at 100 % and below, the @2x one above.
int storedRatioFor(qreal screenRatio) { return screenRatio > 1 ? 2 : 1; }

// `stored` at exactly the screen's device pixels, so painting draws it pixel for pixel: as it is
// when its ratio is the screen's, else scaled once (from the @2x file at 150 %, say). Bilinear
// drawing costs a tenth of QPixmap::scaled's smooth scaling, and shrinking by no more than half
// it loses nothing that shows.
QPixmap fitToScreen(QPixmap stored, int storedRatio, QSize shownSize, qreal screenRatio)
{
    if (screenRatio != storedRatio) {
        QImage fitted(shownSize * screenRatio, QImage::Format_ARGB32_Premultiplied);
        fitted.fill(Qt::transparent);
        QPainter painter(&fitted);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(fitted.rect(), stored);
        painter.end();
        stored = QPixmap::fromImage(std::move(fitted));
    }
    stored.setDevicePixelRatio(screenRatio);
    return stored;
}

QPixmap load(const pictures::ShownPicture& picture, qreal screenRatio)
{
    const int storedRatio = storedRatioFor(screenRatio);
    const QString resource = QStringLiteral(":/") + pictures::pngFile(picture, storedRatio);
    // Read into an image handed over whole, so that the pixmap takes its pixels without a copy
    // (QPixmap's own loading copies them and keeps the file in the pixmap cache besides).
    QImage image = QImageReader(resource).read();
    if (image.isNull())
        throw std::runtime_error("Picture " + resource.toStdString() + " cannot be loaded");
    return fitToScreen(QPixmap::fromImage(std::move(image)), storedRatio, picture.size, screenRatio);
}

QIcon loadApplicationIcon()
{
    QIcon icon;
    for (const int size : pictures::kIconSizes)
        icon.addFile(QStringLiteral(":/") + pictures::iconFile(size), QSize(size, size));
    return icon;
}

} // namespace

Pictures::Pictures() : ratio_((initialisePictureResources(), qGuiApp->devicePixelRatio()))
{
    lampOff_ = load(pictures::kLampOff, ratio_);
    lampOn_ = load(pictures::kLampOn, ratio_);
    banner_ = load(pictures::kBanner, ratio_);
    information_ = load(pictures::kInformation, ratio_);
    applicationIcon_ = loadApplicationIcon();
}

const QPixmap& Pictures::camera(ModelIndex m) const
{
    QPixmap& picture = cameras_[static_cast<std::size_t>(m)];
    if (picture.isNull())
        picture = load(pictures::kCameras[static_cast<std::size_t>(m)], ratio_);
    return picture;
}

void fitButtonGlyphs(QWidget* window)
{
    const qreal ratio = qGuiApp->devicePixelRatio();
    const int storedRatio = storedRatioFor(ratio);
    if (ratio == storedRatio)
        return;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QIcon glyph = button->icon();
        if (glyph.isNull())
            continue;
        const QSize size = button->iconSize();
        button->setIcon(QIcon(fitToScreen(glyph.pixmap(size, storedRatio), storedRatio, size, ratio)));
    }
}

} // namespace zv
