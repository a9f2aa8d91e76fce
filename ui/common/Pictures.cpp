#include "ui/common/Pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <stdexcept>

// The resources live in a static library, so they are registered by hand.
static void initialisePictureResources() { Q_INIT_RESOURCE(resources); }

namespace zv {

namespace {

constexpr std::array<const char*, kModelCount> kCameraFiles = {
    "md80", "md80se", "g100", "g160", "dv033", "q5", "q6", "q7n", "rs101", "rs301"};

QPixmap render(const QString& resource, QSize shownSize)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        throw std::runtime_error("Picture " + resource.toStdString() + " cannot be drawn");
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap pixmap(shownSize * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(shownSize)));
    return pixmap;
}

} // namespace

Pictures::Pictures()
{
    initialisePictureResources();
    for (std::size_t m = 0; m < cameras_.size(); ++m)
        cameras_[m] = render(QStringLiteral(":/cameras/%1.svg").arg(QLatin1String(kCameraFiles[m])), {192, 144});
    lampOff_ = render(QStringLiteral(":/lamps/lamp-off.svg"), {30, 30});
    lampOn_ = render(QStringLiteral(":/lamps/lamp-on.svg"), {30, 30});
    banner_ = render(QStringLiteral(":/banner.svg"), {400, 65});
    information_ = render(QStringLiteral(":/info.svg"), {48, 48});
    applicationIcon_ = QIcon(QStringLiteral(":/zentrik-vesmar.svg"));
}

} // namespace zv
