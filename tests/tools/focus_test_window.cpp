// A plain window of the application named by the first argument (its Wayland
// app id), for tests that need windows of other applications in front.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        return 2;
    }
    QGuiApplication::setDesktopFileName(QString::fromLocal8Bit(argv[1]));
    QWidget window;
    window.setWindowTitle(QString::fromLocal8Bit(argv[1]));
    window.resize(200, 150);
    window.show();
    return application.exec();
}
