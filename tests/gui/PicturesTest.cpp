// The pictures at the screen's pixel ratio (ctest runs this at 100 %, 150 % and 200 %): each is
// shown at its size in the screen's own pixels, drawn from the stored file for the ratio or fitted
// from the @2x one, never a blown-up 1x one.
#include "GuiHarness.h"

#include "ui/common/PictureFiles.h"
#include "ui/common/Pictures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QTest>

#include <cmath>
#include <functional>

using namespace zv;

namespace {

using Getter = std::function<const QPixmap&(const Pictures&)>;

qreal screenRatio() { return qGuiApp->devicePixelRatio(); }

// The stored file the screen's ratio is drawn from pixel for pixel; 0 when there is none and the
// picture is scaled from the @2x one.
int storedRatioShownAsIs()
{
    const qreal ratio = screenRatio();
    return ratio == 1 || ratio == 2 ? static_cast<int>(ratio) : 0;
}

bool samePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
        b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

Q_DECLARE_METATYPE(Getter)
Q_DECLARE_METATYPE(pictures::ShownPicture)

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void fittingThePicturesStartsNoThreads(); // first: Qt's drawing threads outlive a test
    void eachPictureIsItsShownSizeAtTheScreensRatio_data();
    void eachPictureIsItsShownSizeAtTheScreensRatio();
    void theGlyphFilesAreTheOnesForTheRatio_data();
    void theGlyphFilesAreTheOnesForTheRatio();
    void everyButtonGlyphIsDrawnAtTheScreensPixels();
    void theApplicationIconHasEveryIconSize();

private:
    const Pictures pictures_;
};

// Threads started to scale a picture idle on for half a minute, and one still ending as the
// program ends is a leak to the sanitizers.
void PicturesTest::fittingThePicturesStartsNoThreads()
{
    const QDir threads(QStringLiteral("/proc/self/task"));
    if (!threads.exists())
        QSKIP("the system does not list a process's threads");
    const qsizetype before = threads.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    const Pictures fresh;
    for (ModelIndex m = 0; m < kModelCount; ++m)
        QVERIFY(!fresh.camera(m).isNull());
    QCOMPARE(threads.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), before);
}

void PicturesTest::eachPictureIsItsShownSizeAtTheScreensRatio_data()
{
    QTest::addColumn<pictures::ShownPicture>("picture");
    QTest::addColumn<QSize>("shownSize");
    QTest::addColumn<Getter>("get");
    // The cameras are fitted into their bevel's inside, so they are the one set not shown as stored.
    for (ModelIndex m = 0; m < kModelCount; ++m)
        QTest::newRow(pictures::kCameras[static_cast<std::size_t>(m)].name)
            << pictures::kCameras[static_cast<std::size_t>(m)] << pictures::kCameraShownSize
            << Getter([m](const Pictures& p) -> const QPixmap& { return p.camera(m); });
    QTest::newRow("lamp off") << pictures::kLampOff << pictures::kLampOff.size << Getter(&Pictures::lampOff);
    QTest::newRow("lamp on") << pictures::kLampOn << pictures::kLampOn.size << Getter(&Pictures::lampOn);
    QTest::newRow("banner") << pictures::kBanner << pictures::kBanner.size << Getter(&Pictures::banner);
    QTest::newRow("information") << pictures::kInformation << pictures::kInformation.size
                                 << Getter(&Pictures::information);
}

void PicturesTest::eachPictureIsItsShownSizeAtTheScreensRatio()
{
    QFETCH(pictures::ShownPicture, picture);
    QFETCH(QSize, shownSize);
    QFETCH(Getter, get);
    const QPixmap& pixmap = get(pictures_);
    QCOMPARE(pixmap.devicePixelRatio(), screenRatio());
    QCOMPARE(pixmap.size(), shownSize * screenRatio());
    if (const int stored = storedRatioShownAsIs(); stored != 0 && shownSize == picture.size)
        QVERIFY(samePixels(pixmap.toImage(), QImage(QStringLiteral(":/") + pictures::pngFile(picture, stored))));
}

void PicturesTest::theGlyphFilesAreTheOnesForTheRatio_data()
{
    QTest::addColumn<pictures::ShownPicture>("glyph");
    for (const pictures::ShownPicture& glyph : pictures::kGlyphs)
        QTest::newRow(glyph.name) << glyph;
}

// The forms name only the 1x file; Qt adds the @2x one beside it when the screen needs it.
void PicturesTest::theGlyphFilesAreTheOnesForTheRatio()
{
    QFETCH(pictures::ShownPicture, glyph);
    const int stored = storedRatioShownAsIs();
    if (stored == 0)
        QSKIP("no stored file for this ratio");
    const QImage storedFile(QStringLiteral(":/") + pictures::pngFile(glyph, stored));
    QVERIFY(!storedFile.isNull());
    const QIcon icon(QStringLiteral(":/") + pictures::pngFile(glyph, 1));
    QVERIFY(samePixels(icon.pixmap(glyph.size, stored).toImage(), storedFile));
}

void PicturesTest::everyButtonGlyphIsDrawnAtTheScreensPixels()
{
    const test::GuiHarness gui; // the six windows
    int glyphs = 0;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (button->icon().isNull())
                continue;
            ++glyphs;
            const QPixmap pixmap = button->icon().pixmap(button->iconSize(), screenRatio());
            QVERIFY2(pixmap.size() == button->iconSize() * screenRatio(), qPrintable(button->objectName()));
        }
    }
    QVERIFY(glyphs > 0);
}

void PicturesTest::theApplicationIconHasEveryIconSize()
{
    const QList<QSize> available = pictures_.applicationIcon().availableSizes();
    for (const int size : pictures::kIconSizes)
        QVERIFY2(available.contains(QSize(size, size)), qPrintable(QString::number(size)));
    QCOMPARE(pictures_.applicationIcon().pixmap(QSize(128, 128), 1.0).size(), QSize(128, 128));
}

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"
