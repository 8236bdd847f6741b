// A throw-away app folder: a settings file and skins drawn on the spot.
#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <filesystem>

namespace huebird::testing {

struct SkinSpec {
    int width = 60;
    int height = 50;
    QRgb panel = qRgb(40, 44, 52);
    bool holeAt20_20 = true;  // a 3 x 3 transparent hole enclosed by the panel
    int stripWidth = 16;      // each button strip: two halves of 8 x 6
    int stripHeight = 6;
    QString labelColor = "FF0000";  // colour text of every label
    int bold = 1;
    int flexWidth = 30, flexHeight = 12;
};

class AppFolder {
  public:
    AppFolder();
    std::filesystem::path path() const { return dir_.path().toStdString(); }
    QString file(const QString& relative) const { return dir_.filePath(relative); }

    void WriteSettings(const QByteArray& text) const;
    // A complete skin called `name`: skin.ini, background and eleven strips.
    void WriteSkin(const QString& name, const SkinSpec& spec = {}) const;
    void WriteText(const QString& relative, const QByteArray& text) const;
    QByteArray ReadText(const QString& relative) const;

    // The face colours of strip i: normal on the left, pressed on the right.
    static QRgb NormalFace(int i) { return qRgb(10 * i, 100, 200); }
    static QRgb PressedFace(int i) { return qRgb(10 * i, 200, 100); }

  private:
    QTemporaryDir dir_;
};

}  // namespace huebird::testing
