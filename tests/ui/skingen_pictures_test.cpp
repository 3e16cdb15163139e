// The generated default skin's pictures: every file the skins and the program
// name decodes, sheets cover their window, button states are told apart, and
// the generator writes the same bytes every time.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "skin/BitmapToRegion.h"
#include "skin/SkinIni.h"

namespace tessel {
namespace {

const std::filesystem::path kSkins = std::filesystem::path(TESSEL_PROGRAM_DIR) / "Skins";

QString SkinFile(const QString& name) {
    return QString::fromStdU16String((kSkins / name.toStdU16String()).u16string());
}

QImage Picture(const QString& name) {
    return QImage(SkinFile(name));
}

QRect RectOf(const char* ini, const char* entry) {
    const SkinRect r =
        ReadSkinRect(kSkins / ini, kButtonInfoSection, QString::fromLatin1(entry).toStdU16String());
    return QRect(r.left, r.top, r.width, r.height);
}

// Mean of red + green + blue over a part of a picture.
double Brightness(const QImage& image, const QRect& part) {
    double sum = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            sum += qRed(p) + qGreen(p) + qBlue(p);
        }
    }
    return sum / (part.width() * part.height());
}

double Difference(const QImage& a, const QImage& b, const QRect& part) {
    double sum = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (part.width() * part.height());
}

// Sanitizer builds: what Qt keeps until exit is no leak of the generator's.
QProcessEnvironment GeneratorEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    return environment;
}

struct WindowSheets {
    const char* ini;
    QStringList sheets;
};

const WindowSheets kWindows[] = {
    {"Main.ini",
     {"main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg", "main_color0.jpg",
      "main_color1.jpg"}},
    {"Composite.ini",
     {"key_normal.jpg", "key_over.jpg", "key_down.jpg", "macro_normal.jpg", "macro_over.jpg",
      "macro_down.jpg", "macro_disable.jpg", "macro2_normal.jpg", "macro2_over.jpg",
      "macro2_down.jpg", "macro2_disable.jpg", "media_normal.jpg", "media_over.jpg",
      "media_down.jpg", "function_normal.jpg", "function_over.jpg", "function_down.jpg"}},
    {"Profile.ini", {"Profile_normal.jpg", "Profile_over.jpg", "Profile_down.jpg"}},
    {"UpdateDlg.ini", {"update_normal.jpg", "update_over.jpg"}},
};

TEST(SkingenPictures, EveryWindowHasBackgroundMaskAndSheetsOfItsSize) {
    for (const WindowSheets& w : kWindows) {
        const ScreenPictures screen = ReadScreenPictures(kSkins / w.ini);
        const QImage background = Picture(QString::fromStdU16String(screen.main));
        const QImage mask = Picture(QString::fromStdU16String(screen.mask));
        ASSERT_FALSE(background.isNull()) << w.ini;
        ASSERT_EQ(mask.size(), background.size()) << w.ini;
        // Rounded corners are cut away; the body is kept.
        EXPECT_EQ(mask.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu) << w.ini;
        EXPECT_NE(mask.pixel(mask.width() / 2, mask.height() / 2) & 0xFFFFFF, 0xFFFFFFu) << w.ini;
        for (const QString& sheet : w.sheets) {
            EXPECT_EQ(Picture(sheet).size(), background.size()) << sheet.toStdString();
        }
    }
}

TEST(SkingenPictures, MasksShapeEachWindowAsARoundedBody) {
    for (const WindowSheets& w : kWindows) {
        const ScreenPictures screen = ReadScreenPictures(kSkins / w.ini);
        const QImage mask =
            Picture(QString::fromStdU16String(screen.mask)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(mask.isNull()) << w.ini;
        const auto* bits = reinterpret_cast<const std::uint32_t*>(mask.constBits());
        const std::vector<SkinRect> runs =
            BitmapToRegion({bits, std::size_t(mask.width()) * mask.height()}, mask.width(),
                           mask.height(), 0xFFFFFF, 0);
        QRegion shape;
        long long area = 0;
        for (const SkinRect& r : runs) {
            shape += QRect(r.left, r.top, r.width, r.height);
            area += static_cast<long long>(r.width) * r.height;
        }
        const QRect all = mask.rect();
        EXPECT_GT(area, all.width() * all.height() * 98LL / 100) << w.ini;
        for (const QPoint corner :
             {all.topLeft(), all.topRight(), all.bottomLeft(), all.bottomRight()}) {
            EXPECT_FALSE(shape.contains(corner)) << w.ini;
        }
        // The edges between the corners belong to the window.
        EXPECT_TRUE(shape.contains(QPoint(all.width() / 2, 0))) << w.ini;
        EXPECT_TRUE(shape.contains(QPoint(0, all.height() / 2))) << w.ini;
    }
}

TEST(SkingenPictures, EditorPageAreaFollowsThePageButNotTheButtonState) {
    const QRect page = RectOf("Composite.ini", "CONTROL_MASK");
    const QImage keyNormal = Picture("key_normal.jpg");
    // Hovering or pressing the page area does not change what it shows, and
    // the macro page's buttons leave no trace on the other pages.
    EXPECT_LT(Difference(keyNormal, Picture("key_over.jpg"), page), 1.0);
    EXPECT_LT(Difference(keyNormal, Picture("key_down.jpg"), page), 1.0);
    EXPECT_LT(Difference(Picture("media_normal.jpg"), Picture("media_over.jpg"), page), 1.0);
    // The page areas of different pages can be told apart.
    const QImage pages[] = {keyNormal, Picture("macro_normal.jpg"), Picture("media_normal.jpg"),
                            Picture("function_normal.jpg"), Picture("macro2_normal.jpg")};
    for (int i = 0; i < 5; ++i) {
        for (int j = i + 1; j < 5; ++j) {
            EXPECT_GT(Difference(pages[i], pages[j], page), 0.1) << i << j;
        }
    }
}

TEST(SkingenPictures, EveryLightingPictureAndIconDecodes) {
    QStringList names = {"dengup.bmp",  "dengdown.bmp",   "leftup.bmp",  "leftdown.bmp",
                         "rightup.bmp", "rightdown.bmp",  "kuosan.bmp",  "kuosandown.bmp",
                         "julong.bmp",  "julongdown.bmp", "upup.bmp",    "updown.bmp",
                         "downup.bmp",  "downdown.bmp",   "sjsup.bmp",   "sjsdown.bmp",
                         "user1up.bmp", "user1down.bmp",  "user2up.bmp", "user2down.bmp",
                         "hong.bmp",    "hongok.bmp",     "huang.bmp",   "huangok.bmp",
                         "lv.bmp",      "lvok.bmp",       "lan.bmp",     "lanok.bmp",
                         "Arrow.jpg",   "icon128.png",    "icon141.png", "icon142.png"};
    for (int i = 1; i <= 10; ++i) names << QStringLiteral("jdt%1.bmp").arg(i);
    for (int i = 0; i <= 25; ++i) names << QStringLiteral("%1.bmp").arg(i);
    for (int i = 1; i <= 8; ++i) names << QStringLiteral("Color%1.bmp").arg(i);
    for (const QString& name : names) {
        EXPECT_FALSE(Picture(name).isNull()) << name.toStdString();
    }
}

TEST(SkingenPictures, PictureControlsAreSizedToTheirPictures) {
    // Static pictures show their bitmap 1:1, so the skin gives them its size.
    const std::pair<const char*, const char*> pairs[] = {
        {"CONTROL_DengStaPic", "dengup.bmp"},     {"CONTROL_BLFXLStaPic", "leftup.bmp"},
        {"CONTROL_BLFXRStaPic2", "rightup.bmp"},  {"CONTROL_HXsjsStaPic", "sjsup.bmp"},
        {"CONTROL_FYSJSStaPic", "sjsup.bmp"},     {"CONTROL_USERgjStaPic1", "user1up.bmp"},
        {"CONTROL_USERgjStaPic2", "user2up.bmp"}, {"CONTROL_JDTStatic", "jdt1.bmp"},
        {"CONTROL_LightSlider", "0.bmp"},         {"CONTROL_SpeedSlider", "6.bmp"},
        {"CONTROL_HONGPIC", "hong.bmp"},          {"CONTROL_Color8", "Color8.bmp"},
    };
    for (const auto& [entry, picture] : pairs) {
        EXPECT_EQ(RectOf("Main.ini", entry).size(), Picture(picture).size()) << entry;
    }
}

TEST(SkingenPictures, ButtonStatesAreVisiblyDistinct) {
    const QImage normal = Picture("main_normal.jpg"), over = Picture("main_over.jpg"),
                 down = Picture("main_down.jpg"), marked = Picture("main_disable.jpg"),
                 colour0 = Picture("main_color0.jpg"), colour1 = Picture("main_color1.jpg");
    for (const char* entry : {"KEY_01E", "FUNC_G1", "KEY_FN", "KEY_039"}) {
        const QRect key = RectOf("Main.ini", entry);
        const QImage looks[] = {normal, over, down, marked, colour0, colour1};
        for (int i = 0; i < 6; ++i) {
            for (int j = i + 1; j < 6; ++j) {
                EXPECT_GT(Difference(looks[i], looks[j], key), 6.0) << entry << i << j;
            }
        }
        EXPECT_GT(Brightness(over, key), Brightness(normal, key)) << entry;
        EXPECT_LT(Brightness(colour0, key), Brightness(colour1, key)) << entry;
    }
    // Apply's disabled look is dimmer than its resting look; a checked profile
    // button differs from its resting look.
    const QRect apply = RectOf("Main.ini", "CONTROL2_APPLY");
    EXPECT_LT(Brightness(marked, apply), Brightness(normal, apply));
    const QRect profile = RectOf("Main.ini", "FUNC_PROFILE1");
    EXPECT_GT(Difference(normal, marked, profile), 6.0);
    // A lock indicator is lit only on the sheet of its checked look.
    const QRect caps = RectOf("Main.ini", "LOCK_CAPS");
    EXPECT_GT(Brightness(over, caps), Brightness(normal, caps) + 5);
}

TEST(SkingenPictures, GeneratorWritesTheSameFilesEveryTime) {
    const QString generator = QStringLiteral(TESSEL_PROGRAM_DIR "/../bin/skingen");
    ASSERT_TRUE(QFile::exists(generator));
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess run;
    run.setProcessEnvironment(GeneratorEnvironment());
    run.start(generator, {out.path()});
    ASSERT_TRUE(run.waitForFinished(120000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    const QDir fresh(out.path());
    const QStringList files = fresh.entryList(QDir::Files, QDir::Name);
    EXPECT_GT(files.size(), 100);
    for (const QString& name : files) {
        QFile a(fresh.filePath(name)), b(SkinFile(name));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly)) << name.toStdString();
        ASSERT_TRUE(b.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(a.readAll(), b.readAll()) << name.toStdString();
    }
}

TEST(SkingenPictures, GeneratorRefusesAFolderItCannotWrite) {
    QProcess run;
    run.setProcessEnvironment(GeneratorEnvironment());
    run.start(QStringLiteral(TESSEL_PROGRAM_DIR "/../bin/skingen"),
              {QStringLiteral("/proc/no-such-folder")});
    ASSERT_TRUE(run.waitForFinished(120000));
    EXPECT_NE(run.exitCode(), 0);
}

}  // namespace
}  // namespace tessel
