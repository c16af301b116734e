#include "model/file_list.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    namenswerk::FileList list;
    namenswerk::MainWindow window(list);
    window.show();
    app.exec();
    return 0;
}
