#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuorlChat"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("QuorlChat Version 7"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
