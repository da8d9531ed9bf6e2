// A bare Qt Widgets window of the main window's default size: what the
// program's start and idle memory are measured against.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Bare window");
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
