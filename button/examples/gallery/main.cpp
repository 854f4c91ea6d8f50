// Shows every look of the Ravlen button.
//
//   ravlen-gallery                      the gallery window
//   ravlen-gallery --dark               the same with a dark palette
//   ravlen-gallery --shot FILE [--dark] a picture of the window, at the
//                                       screen's device pixel ratio, to FILE

#include "gallery_window.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    GalleryWindow window;
    window.setDarkPalette(arguments.contains(QLatin1String("--dark")));
    const QRect screen = window.screen()->availableGeometry();
    window.resize(QSize(1600, 1000).boundedTo(screen.size()));
    window.move(screen.topLeft());
    window.show();
    window.activateWindow();
    const qsizetype shot = arguments.indexOf(QLatin1String("--shot"));
    if (shot >= 0 && shot + 1 < arguments.size()) {
        const QString file = arguments.at(shot + 1);
        QTimer::singleShot(0, &window, [&window, file] { QApplication::exit(window.grab().save(file) ? 0 : 1); });
    }
    return app.exec();
}
