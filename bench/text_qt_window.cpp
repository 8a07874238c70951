// The second floor of the start-up figures: the empty window plus a menu bar (File and Edit)
// and one line of text, the least a window that shows any text costs (the font configuration is read and
// glyphs are rasterised), linked against nothing but Qt Widgets.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.menuBar()->addMenu(QStringLiteral("&Edit"));
    window.setCentralWidget(new QLabel(QStringLiteral("Device"), &window));
    window.resize(552, 263);
    window.show();
    return application.exec();
}
