// The yardstick for start-up time: a bare Qt main window with a menu and a label.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.menuBar()->addMenu(QStringLiteral("Menu"))->addAction(QStringLiteral("Item"));
    window.setCentralWidget(new QLabel(QStringLiteral("Label")));
    window.resize(399, 450);
    window.show();
    return app.exec();
}
