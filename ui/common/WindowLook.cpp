#include "ui/common/WindowLook.h"

#include "ui/common/AppContext.h"
#include "ui/common/FocusRing.h"
#include "ui/common/Pictures.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace zv {

namespace {

const QColor kBackground(192, 189, 158);

// The forms give some labels a text colour (textColour, and disabledTextColour for when the
// label is disabled) or a font height in pixels (fontPixels) of their own, as dynamic
// properties. They become the label's palette and font: a style sheet would draw the same, but
// gives each label a style of its own, which costs at start and at every paint of the clock.
void applyOwnTextLooks(QWidget* window)
{
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (const QVariant colour = widget->property("textColour"); colour.isValid()) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::WindowText, colour.value<QColor>());
            if (const QVariant disabled = widget->property("disabledTextColour"); disabled.isValid())
                palette.setColor(QPalette::Disabled, QPalette::WindowText, disabled.value<QColor>());
            widget->setPalette(palette);
        }
        if (const QVariant pixels = widget->property("fontPixels"); pixels.isValid()) {
            QFont font = widget->font();
            font.setPixelSize(pixels.toInt());
            widget->setFont(font);
        }
    }
}

} // namespace

void applyWindowLook(QWidget* window, const Pictures& pictures, TitleButtons buttons)
{
    window->setWindowTitle(QString::fromLatin1(kWindowCaption));
    window->setWindowIcon(pictures.applicationIcon());
    pictures.giveButtonsTheirGlyphs(window);
    applyOwnTextLooks(window);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kBackground);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFixedSize(window->size());
    new FocusRing(window); // the window owns it

    Qt::WindowFlags flags = window->windowFlags() & Qt::WindowType_Mask;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
    if (buttons == TitleButtons::CloseOnly)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
}

void centreOnScreen(QWidget* window, Centring centring)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area =
        centring == Centring::OnWholeDesktop ? screen->availableVirtualGeometry() : screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

void applyWindowFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma"), QStringLiteral("Arial"),
        QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    QApplication::setFont(font);
}

} // namespace zv
