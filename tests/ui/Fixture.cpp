#include "Fixture.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include "core/SkinDescription.h"

namespace huebird::testing {

AppFolder::AppFolder() { QDir(dir_.path()).mkpath(QStringLiteral("skins")); }

void AppFolder::WriteText(const QString& relative, const QByteArray& text) const {
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile f(target);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text);
}

QByteArray AppFolder::ReadText(const QString& relative) const {
    QFile f(file(relative));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void AppFolder::WriteSettings(const QByteArray& text) const { WriteText("palora.ini", text); }

void AppFolder::WriteSkin(const QString& name, const SkinSpec& spec) const {
    const QString folder = QStringLiteral("skins/") + name + QLatin1Char('/');
    QDir().mkpath(file(folder));

    // Magenta corners of 3 pixels on the top row, and an optional enclosed hole.
    QImage bg(spec.width, spec.height, QImage::Format_RGB32);
    bg.fill(spec.panel);
    for (int x = 0; x < 3; ++x) {
        bg.setPixel(x, 0, qRgb(255, 0, 255));
        bg.setPixel(spec.width - 1 - x, 0, qRgb(255, 0, 255));
    }
    if (spec.holeAt20_20) {
        for (int y = 20; y < 23; ++y)
            for (int x = 20; x < 23; ++x) bg.setPixel(x, y, qRgb(255, 0, 255));
    }
    bg.save(file(folder + "backgrd.bmp"), "BMP");

    QByteArray ini = "[Main]\r\nSkinDesigner=Tester\r\nBackground=backgrd.bmp\r\n";
    for (int i = 0; i < kButtonCount; ++i) {
        QImage strip(spec.stripWidth, spec.stripHeight, QImage::Format_RGB32);
        QPainter p(&strip);
        p.fillRect(0, 0, spec.stripWidth / 2, spec.stripHeight, QColor(NormalFace(i)));
        p.fillRect(spec.stripWidth / 2, 0, spec.stripWidth - spec.stripWidth / 2, spec.stripHeight,
                   QColor(PressedFace(i)));
        p.end();
        const QString stripName = QStringLiteral("b%1.bmp").arg(i);
        strip.save(file(folder + stripName), "BMP");
        ini += QStringLiteral("[%1]\r\nImg=%2\r\nLeft=%3\r\nTop=%4\r\n")
                   .arg(QString::fromLatin1(kButtonSections[i]), stripName)
                   .arg(2 + (i % 6) * 9)
                   .arg(i < 6 ? 2 : 42)
                   .toUtf8();
    }
    const int swatch[4][2] = {{4, 12}, {16, 12}, {4, 26}, {16, 26}};
    for (int s = 0; s < 4; ++s) {
        ini += QStringLiteral("[Color%1]\r\nLeft=%2\r\nTop=%3\r\nWidth=10\r\nHeight=10\r\n")
                   .arg(s + 1)
                   .arg(swatch[s][0])
                   .arg(swatch[s][1])
                   .toUtf8();
    }
    ini += "[FontColor]\r\n";
    for (int i = 0; i < kLabelCount; ++i) {
        ini += QStringLiteral("%1=%2\r\n%3Top=%4\r\n%3Left=%5\r\n")
                   .arg(QString::fromLatin1(kLabelColorKeys[i]), spec.labelColor,
                        QString::fromLatin1(kLabelNames[i]))
                   .arg(12 + (i % 3) * 10)
                   .arg(i < 3 ? 30 : 45)
                   .toUtf8();
    }
    ini += QStringLiteral("FontIsBold=%1\r\n[AutoFlex]\r\nFlexWidth=%2\r\nFlexHeight=%3\r\n")
               .arg(spec.bold)
               .arg(spec.flexWidth)
               .arg(spec.flexHeight)
               .toUtf8();
    WriteText(folder + "skin.ini", ini);
}

}  // namespace huebird::testing
