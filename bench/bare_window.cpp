// The floor for the time from start to window shown: a plain Qt Widgets program whose one
// window has the client area of the program's main window and does nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare window");
    window.setFixedSize(728, 552);
    window.show();
    return app.exec();
}
