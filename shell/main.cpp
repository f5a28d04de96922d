#include "displaycheck.h"
#include "form2.h"
#include "runtime.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Where the program cannot show its windows, Qt would abort or the program would crash on
    // its first text cursor: it says why in one line and ends before anything is shown.
    shell::DisplayCheck display;
    if (!display.problem().empty()) {
        std::fprintf(stderr, "rideriddle: %s\n", display.problem().c_str());
        return 1;
    }

    // The program takes no command line: Qt sees the program name alone.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("rideriddle"));
    display.close(); // Qt holds a connection of its own now

    rt::Runtime runtime;
    return runtime.start<shell::Form2>();
}
