// zv-render-pictures RESOURCES [OUTDIR]: draws every picture the windows show from its SVG in
// RESOURCES into PNG files at the size it is shown, at 1x and 2x (the application icon at each
// icon size), into OUTDIR, by default beside the SVGs.
// zv-render-pictures --check RESOURCES: draws them again into a temporary folder and names every
// PNG in RESOURCES that is missing, stale or left over; exits 1 if there is one.
//
// The PNGs are committed, so builds without Qt Svg (the Windows one) need no drawing. After
// changing an SVG or a size in ui/common/PictureFiles.h, refresh them with
//   cmake --build build --target update_pictures
// and commit the changed PNGs with the SVG.
#include "ui/common/PictureFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

using namespace zv::pictures;

namespace {

struct Output {
    QString source; // the SVG, relative to the resources folder
    QString file; // the PNG, relative to the output folder
    QSize size; // in device-independent pixels
    int ratio;
};

std::vector<Output> allOutputs()
{
    std::vector<Output> outputs;
    const auto addShown = [&outputs](const ShownPicture& picture) {
        for (const int ratio : kStoredRatios)
            outputs.push_back({QString::fromLatin1(picture.name) + QStringLiteral(".svg"), pngFile(picture, ratio),
                picture.size, ratio});
    };
    for (const ShownPicture& camera : kCameras)
        addShown(camera);
    for (const ShownPicture& picture : {kLampOff, kLampOn, kBanner, kInformation, kAnyCamera})
        addShown(picture);
    for (const ShownPicture& glyph : kGlyphs)
        addShown(glyph);
    for (const int size : kIconSizes)
        outputs.push_back({QString::fromLatin1(kIconSource) + QStringLiteral(".svg"), iconFile(size), {size, size}, 1});
    return outputs;
}

void writeToFile(png_structp png, png_bytep data, png_size_t length)
{
    auto* file = static_cast<QFile*>(png_get_io_ptr(png));
    if (file->write(reinterpret_cast<const char*>(data), static_cast<qint64>(length)) != static_cast<qint64>(length))
        png_error(png, "write failed");
}

// libpng reports errors by jumping back here, so nothing in this frame may need destroying.
bool encodeUnfiltered(const QImage& rgba, const std::vector<png_const_bytep>& rows, QFile& file)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &file, writeToFile, nullptr);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgba.width()), static_cast<png_uint_32>(rgba.height()), 8,
        PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Rows without filtering: Qt's writer filters most rows with Paeth, and undoing that is the
// costliest part of reading the pictures at start; these drawings compress as well without it.
bool saveUnfiltered(const QImage& picture, const QString& path)
{
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    std::vector<png_const_bytep> rows;
    for (int y = 0; y < rgba.height(); ++y)
        rows.push_back(rgba.constScanLine(y));
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && encodeUnfiltered(rgba, rows, file);
}

// The drawing the windows did themselves before: the whole drawing scaled into a transparent
// pixmap of the shown size times the ratio.
bool render(const QDir& resources, const QDir& out, const Output& output)
{
    QSvgRenderer renderer(resources.filePath(output.source));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "zv-render-pictures: cannot read %s\n", qPrintable(output.source));
        return false;
    }
    QPixmap pixmap(output.size * output.ratio);
    pixmap.setDevicePixelRatio(output.ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(output.size)));
    }
    const QString path = out.filePath(output.file);
    if (!QDir().mkpath(QFileInfo(path).path()) || !saveUnfiltered(pixmap.toImage(), path)) {
        std::fprintf(stderr, "zv-render-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool renderAll(const QDir& resources, const QDir& out)
{
    bool ok = true;
    for (const Output& output : allOutputs())
        ok = render(resources, out, output) && ok;
    return ok;
}

QImage comparable(const QString& path) { return QImage(path).convertToFormat(QImage::Format_ARGB32); }

int check(const QDir& resources)
{
    const QTemporaryDir fresh;
    if (!fresh.isValid() || !renderAll(resources, QDir(fresh.path())))
        return 1;
    int faults = 0;
    QSet<QString> drawn;
    for (const Output& output : allOutputs()) {
        drawn.insert(output.file);
        const QImage committed = comparable(resources.filePath(output.file));
        if (committed.isNull()) {
            std::fprintf(stderr, "zv-render-pictures: %s is missing\n", qPrintable(output.file));
            ++faults;
        } else if (committed != comparable(QDir(fresh.path()).filePath(output.file))) {
            std::fprintf(stderr, "zv-render-pictures: %s differs from a fresh drawing of %s\n", qPrintable(output.file),
                qPrintable(output.source));
            ++faults;
        }
    }
    const QDir root(resources.absolutePath());
    QDirIterator pngs(root.path(), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (pngs.hasNext()) {
        const QString file = root.relativeFilePath(pngs.next());
        if (!drawn.contains(file)) {
            std::fprintf(stderr, "zv-render-pictures: %s is drawn from no SVG; remove it\n", qPrintable(file));
            ++faults;
        }
    }
    if (faults > 0) {
        // Text in the drawings comes out in the system's sans-serif face, so that is the first
        // suspect when only the pictures with text differ.
        std::fprintf(stderr,
            "zv-render-pictures: %d picture(s) out of date (sans-serif is %s here); refresh them with "
            "`cmake --build build --target update_pictures`\n",
            faults, qPrintable(QFontInfo(QFont(QStringLiteral("sans-serif"))).family()));
        return 1;
    }
    std::printf("zv-render-pictures: all %zu pictures are current\n", allOutputs().size());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawn off screen and unscaled, so the pictures do not depend on the display the tool runs on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    const QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments().mid(1);
    const bool checking = args.removeAll(QStringLiteral("--check")) > 0;
    if (args.isEmpty() || args.size() > (checking ? 1 : 2)) {
        std::fprintf(stderr,
            "usage: zv-render-pictures RESOURCES [OUTDIR]\n"
            "       zv-render-pictures --check RESOURCES\n");
        return 2;
    }
    const QDir resources(args[0]);
    if (checking)
        return check(resources);
    return renderAll(resources, QDir(args.value(1, args[0]))) ? 0 : 1;
}
