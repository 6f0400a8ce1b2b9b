#include "app/Application.h"
#include "app/Interface.h"
#include "app/MessageBoxes.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    SetUpApplication(application);
    InstallMessageBoxes();
    TForm1 Form1;
    Form1.show();
    return QApplication::exec();
}
