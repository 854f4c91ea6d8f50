#pragma once

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>

// The three pictures of one skinned style, one per drawing state.
struct SkinPictures {
    QImage normal; // rl_Normal
    QImage over; // rl_Over, the hover picture
    QImage down; // rl_Down, the pressed picture

    // 1 gives the hover picture, 2 the pressed one, anything else the normal one.
    const QImage &forState(int state) const;
};

// The skin pictures and the hand cursor compiled into the library.
//
// Pictures are decoded from the resources once per process and handed out as
// implicitly shared QImages, so the dozens of buttons of one window share one
// copy of each picture. All functions may be called from any thread.
class SkinLibrary
{
public:
    static constexpr int styleCount = 13; // styles 0..12 have pictures; 13 is the gradient face

    // The style's resource base name ("Aqua" .. "WinXP") for 0..12, empty otherwise.
    static QString styleName(qint32 style);

    // The picture resource with the given name, looked up without regard to
    // case ("AQUA0", "aqua0" and "Aqua0" are the same picture), converted to
    // QImage::Format_RGB32. A null image when there is no such resource.
    static QImage picture(const QString &resourceName);

    // Loads the style's pictures: the resources named styleName + "0", "1"
    // and "2". Any style outside 0..12 (the gradient style 13 included) has
    // no pictures and gives std::nullopt; the caller decides whether that
    // matters. Also std::nullopt if one of the three cannot be decoded.
    static std::optional<SkinPictures> load(qint32 style);

    // The library's pointer, "cursor resource 101": a 32 x 32 hand whose
    // hot spot is the tip of the index finger.
    static constexpr QPoint handCursorHotSpot{6, 0};
    static QImage handCursorImage();
    static QCursor handCursor(); // needs a QGuiApplication
};
