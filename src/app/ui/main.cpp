// reshaper: the workbench program.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // FIXME: the main window replaces this placeholder.
    QLabel label("The Domizens Reshaper");
    label.show();
    return app.exec();
}
