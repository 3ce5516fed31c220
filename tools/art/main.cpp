// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the game's built-in pictures and the bitmaps of the sample skins, at build time.
//
//   stakkar-art builtin OUTDIR NAME...        every built-in picture as OUTDIR/NAME.bmp; the names must be
//                                             exactly the built-in ones, so the build and the game agree
//   stakkar-art skin THEME SKIN.INI OUTDIR    every bitmap SKIN.INI names, drawn in the theme's colours
//   stakkar-art sheet PREFIX                  every picture of both themes on PNG sheets, to look at
//   stakkar-art view NAME THEME SCALE OUT.png one picture enlarged
//   stakkar-art icon SIZE OUT.png             the program's icon, 16 to 256 pixels square
//   stakkar-art icon scalable OUT.svg         the program's icon as SVG

#include "look/uSkinTable.h"
#include "storage/uSLIni.h"
#include "uArtPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSet>
#include <cstdio>

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "stakkar-art: %s\n", qPrintable(message));
    return 1;
}

bool Save(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.convertToFormat(QImage::Format_RGB32).save(path, "BMP");
}

QImage Draw(const tPicture& picture, const tPalette& palette) {
    QImage image = picture.draw(palette);
    return image.size() == QSize(picture.width, picture.height) ? image : QImage();
}

int WriteBuiltIn(const QString& outDir, const QStringList& names) {
    QSet<QString> wanted(names.begin(), names.end());
    for (const tPicture& picture : Pictures()) {
        if (picture.builtIn != wanted.contains(picture.name)) {
            return Fail(picture.name +
                        (picture.builtIn ? " is built in but not embedded" : " is not built in"));
        }
        wanted.remove(picture.name);
        if (!picture.builtIn) {
            continue;
        }
        const QImage image = Draw(picture, DefaultPalette());
        if (image.isNull() || !Save(image, outDir + "/" + picture.name + ".bmp")) {
            return Fail("cannot draw or write " + picture.name);
        }
    }
    if (!wanted.isEmpty()) {
        return Fail("no picture named " + wanted.values().join(", "));
    }
    return 0;
}

const char* PictureOfRow(const tSkinBitmapRow& row) {
    if (row.resource) {
        return row.resource;
    }
    return std::string_view(row.key) == "btmGlass" ? "Glass" : "Background";
}

// A key-column bitmap: column 0 holds the transparent colour, the picture follows.
QImage WithKeyColumn(const QImage& picture, const QColor& key) {
    QImage image(picture.width() + 1, picture.height(), QImage::Format_RGB32);
    image.fill(key);
    QPainter(&image).drawImage(1, 0, picture);
    return image;
}

bool Holds(const QImage& image, const QColor& color) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (color.rgb() & 0xFFFFFF)) {
                return true;
            }
        }
    }
    return false;
}

int WriteSkin(const QString& theme, const QString& iniPath, const QString& outDir) {
    if (theme != "aurora") {
        return Fail("unknown theme " + theme);
    }
    const tPalette palette = AuroraPalette();
    tStringListINI ini;
    if (!ini.LoadFromFile(QFile::encodeName(iniPath).toStdString())) {
        return Fail("cannot read " + iniPath);
    }
    std::vector<tSkinBitmapRow> rows(SkinBitmapRows().begin(), SkinBitmapRows().end());
    rows.push_back(SkinBackgroundRow());
    QSet<QString> written;
    for (const tSkinBitmapRow& row : rows) {
        QString file = QString::fromStdString(ini.ReadString(row.section, row.key, ""));
        if (file.isEmpty()) {
            return Fail(QString("%1 sets no %2 %3").arg(iniPath, row.section, row.key));
        }
        file.replace('\\', '/');
        const tPicture* picture = FindPicture(PictureOfRow(row));
        const int width = row.width - (row.keyColumn ? 1 : 0);
        if (!picture || picture->width != width || picture->height != row.height) {
            return Fail(QString("no picture of %1 x %2 for %3").arg(width).arg(row.height).arg(row.key));
        }
        QImage image = Draw(*picture, palette);
        if (row.keyColumn) {
            const QColor key = picture->transparent.isValid() ? picture->transparent : palette.key;
            if (!picture->transparent.isValid() && Holds(image, key)) {
                return Fail(QString("%1 uses its own key colour").arg(row.key));
            }
            image = WithKeyColumn(image, key);
        }
        if (!written.contains(file) && !Save(image, outDir + "/" + file)) {
            return Fail("cannot write " + file);
        }
        written.insert(file);
    }
    return 0;
}

// The well as the game shows it, to judge the block pictures together: empty cells, a pile of fixed blocks,
// a falling figure and its landing mark drawn through the mark's transparent colour.
QImage MockWell(const tPalette& palette) {
    QImage well(200 + 30, 400, QImage::Format_RGB32);
    well.fill(palette.panel);
    const QImage free = DrawBlockFree(palette);
    const QImage block = DrawBlock(palette);
    const QImage fixed = DrawBlockFix(palette);
    const QImage shadow = DrawBlockShadow(palette);
    QPainter p(&well);
    for (int c = 0; c < 10; ++c) {
        for (int r = 0; r < 20; ++r) {
            const int height[10] = {3, 4, 2, 5, 0, 3, 4, 2, 3, 1};
            p.drawImage(c * 20, r * 20, r >= 20 - height[c] ? fixed : free);
        }
    }
    const QPoint figure[4] = {{4, 5}, {4, 6}, {4, 7}, {5, 7}};
    for (const QPoint& cell : figure) {
        p.drawImage(cell.x() * 20, cell.y() * 20, block);
        QImage mark = shadow.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                if ((mark.pixel(x, y) & 0xFFFFFF) == 0xFF0000) {
                    mark.setPixel(x, y, 0);
                }
            }
        }
        p.drawImage(cell.x() * 20, (cell.y() + 10) * 20, mark);
    }
    p.drawImage(205, 17 * 20 - 1, DrawArrow(palette));
    return well;
}

// Two sheets per theme: the small pictures enlarged four times, and the scenes as they are.
int WriteSheets(const QString& prefix) {
    const std::pair<QString, tPalette> themes[] = {{"default", DefaultPalette()},
                                                   {"aurora", AuroraPalette()}};
    for (const auto& [theme, palette] : themes) {
        for (const bool small : {true, false}) {
            const int scale = small ? 3 : 1;
            QImage sheet(small ? 1400 : 1700, small ? 1000 : 480, QImage::Format_RGB32);
            sheet.fill(QColor(70, 70, 70));
            QPainter p(&sheet);
            int x = 10;
            int y = 10;
            int rowHeight = 0;
            for (const tPicture& picture : Pictures()) {
                if ((picture.width > 100) == small) {
                    continue;
                }
                const int w = picture.width * scale;
                const int h = picture.height * scale;
                if (x + w > sheet.width() - 10) {
                    x = 10;
                    y += rowHeight + 10;
                    rowHeight = 0;
                }
                p.drawImage(QRect(x, y, w, h), Draw(picture, palette));
                x += w + 10;
                rowHeight = std::max(rowHeight, h);
            }
            if (!small) {
                p.drawImage(x, 10, MockWell(palette));
            }
            p.end();
            const QString file = prefix + "-" + theme + (small ? "-small.png" : "-scenes.png");
            if (!sheet.save(file)) {
                return Fail("cannot write " + file);
            }
        }
    }
    return 0;
}

int WriteView(const QString& name, const QString& theme, int scale, const QString& outFile) {
    const tPicture* picture = FindPicture(name);
    if (!picture || scale < 1) {
        return Fail("no picture named " + name);
    }
    const QImage image = Draw(*picture, theme == "aurora" ? AuroraPalette() : DefaultPalette());
    return image.scaled(image.size() * scale).save(outFile) ? 0 : Fail("cannot write " + outFile);
}

int WriteIcon(const QString& sizeText, const QString& outFile) {
    if (sizeText == "scalable") {
        QDir().mkpath(QFileInfo(outFile).absolutePath());
        QFile file(outFile);
        const QByteArray svg = DrawAppIconSvg(DefaultPalette());
        return file.open(QIODevice::WriteOnly) && file.write(svg) == svg.size() && file.flush()
                   ? 0
                   : Fail("cannot write " + outFile);
    }
    bool number = false;
    const int size = sizeText.toInt(&number);
    if (!number || size < 16 || size > 256) {
        return Fail("the icon size must be 16 to 256, not " + sizeText);
    }
    QDir().mkpath(QFileInfo(outFile).absolutePath());
    return DrawAppIcon(DefaultPalette(), size).save(outFile, "PNG") ? 0 : Fail("cannot write " + outFile);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 2 && args[0] == "builtin") {
        return WriteBuiltIn(args[1], args.mid(2));
    }
    if (args.size() == 4 && args[0] == "skin") {
        return WriteSkin(args[1], args[2], args[3]);
    }
    if (args.size() == 5 && args[0] == "view") {
        return WriteView(args[1], args[2], args[3].toInt(), args[4]);
    }
    if (args.size() == 3 && args[0] == "icon") {
        return WriteIcon(args[1], args[2]);
    }
    if (args.size() == 2 && args[0] == "sheet") {
        return WriteSheets(args[1]);
    }
    return Fail("usage: stakkar-art builtin OUTDIR NAME... | skin THEME SKIN.INI OUTDIR | sheet PREFIX | "
                "view NAME THEME SCALE OUT.png | icon SIZE OUT.png | icon scalable OUT.svg");
}
