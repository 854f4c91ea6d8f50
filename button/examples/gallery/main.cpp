// Shows every look of the Ravlen button.
//
//   ravlen-gallery

#include "gallery_window.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    GalleryWindow window;
    const QRect screen = window.screen()->availableGeometry();
    window.resize(QSize(1600, 1000).boundedTo(screen.size()));
    window.move(screen.topLeft());
    window.show();
    window.activateWindow();
    return app.exec();
}
