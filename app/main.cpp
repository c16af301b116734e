#include "app/program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    namenswerk::runProgram(namenswerk::startupOptions(QApplication::arguments()));
    return 0;
}
