// The yardstick for rideriddle's start-up: a Qt Widgets program with nothing but one maximized
// black window.
#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[])
{
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);

    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    // Without a window manager a maximize request alone leaves the size as it is; the window is
    // given the screen's area as rideriddle's maximized windows are, so both paint as much.
    if (QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
