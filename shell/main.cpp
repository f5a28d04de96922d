#include "form2.h"
#include "runtime.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The program takes no command line: Qt sees the program name alone.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("rideriddle"));

    rt::Runtime runtime;
    return runtime.start<shell::Form2>();
}
