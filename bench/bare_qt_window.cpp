// The yardstick for the start-up benchmark: a bare Qt Widgets window with a menu
// bar and a plain text control, nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("bare - Qt window");
    window.menuBar()->addMenu("&File")->addAction("E&xit", &app, &QApplication::quit);
    window.setCentralWidget(new QPlainTextEdit(&window));
    window.resize(500, 350);
    window.show();
    return app.exec();
}
