#pragma once

#include "profiles/CameraModels.h"

#include <QSize>
#include <QString>

#include <array>

// Which pictures the windows show and at what size. Each is drawn from resources/<name>.svg and
// kept beside it as <name>.png (1x) and <name>@2x.png, rendered by zv-render-pictures; the program
// loads the PNGs, so it draws the same on every system and needs no SVG support.
namespace zv::pictures {

struct ShownPicture {
    const char* name; // under resources/, without the extension
    QSize size; // as shown in the windows, in device-independent pixels
};

inline constexpr std::array<ShownPicture, kModelCount> kCameras = {{
    {"cameras/md80", {192, 144}},
    {"cameras/md80se", {192, 144}},
    {"cameras/g100", {192, 144}},
    {"cameras/g160", {192, 144}},
    {"cameras/dv033", {192, 144}},
    {"cameras/q5", {192, 144}},
    {"cameras/q6", {192, 144}},
    {"cameras/q7n", {192, 144}},
    {"cameras/rs101", {192, 144}},
    {"cameras/rs301", {192, 144}},
}};
// The picture of a camera of any other make, for the owner's own formats.
inline constexpr ShownPicture kAnyCamera{"cameras/own", {192, 144}};
// A camera's picture is shown stretched inside a one-pixel sunken bevel of the picture's own
// size. It is fitted to that inside once, when loaded: a label stretching it would scale it
// again into a copy of its own.
inline constexpr QSize kCameraShownSize{190, 142};
inline constexpr ShownPicture kLampOff{"lamps/lamp-off", {30, 30}};
inline constexpr ShownPicture kLampOn{"lamps/lamp-on", {30, 30}};
inline constexpr ShownPicture kBanner{"banner", {400, 65}};
inline constexpr ShownPicture kInformation{"info", {48, 48}};

// The buttons' glyphs, named in the forms as :/glyphs/<name>.png; shown at the forms' iconSize.
inline constexpr std::array<ShownPicture, 8> kGlyphs = {{
    {"glyphs/about", {16, 16}},
    {"glyphs/eject", {16, 16}},
    {"glyphs/exit", {16, 16}},
    {"glyphs/refresh", {16, 16}},
    {"glyphs/restore", {16, 16}},
    {"glyphs/save", {16, 16}},
    {"glyphs/set", {16, 16}},
    {"glyphs/settings", {16, 16}},
}};

// The application icon, at the sizes title bars, task bars and menus ask for, up to 64 at 200 %.
// Every size is decoded at start and handed to the window system with each window, so none
// is kept that no one asks for (the menu's icon is the scalable one).
inline constexpr const char* kIconSource = "zentrik-vesmar";
inline constexpr std::array<int, 6> kIconSizes = {16, 24, 32, 48, 64, 128};

// The two pixel ratios each picture is kept at; Qt finds an @2x file beside its 1x one by name.
inline constexpr std::array<int, 2> kStoredRatios = {1, 2};

[[nodiscard]] inline QString pngFile(const ShownPicture& picture, int ratio)
{
    const QString name = QString::fromLatin1(picture.name);
    return ratio == 1 ? name + QStringLiteral(".png") : QStringLiteral("%1@%2x.png").arg(name).arg(ratio);
}

[[nodiscard]] inline QString iconFile(int size)
{
    return QStringLiteral("icon/%1-%2.png").arg(QLatin1String(kIconSource)).arg(size);
}

} // namespace zv::pictures
