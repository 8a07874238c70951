// The floor of the start-up figures: an empty Qt Widgets window of the main window's size,
// linked against nothing but Qt Widgets.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(552, 263);
    window.show();
    return application.exec();
}
