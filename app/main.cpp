#include "programforms.h"
#include "tmainform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The working windows are top-level windows too; the program ends with
    // the main window, not with the last window.
    app.setQuitOnLastWindowClosed(false);
    ProgramForms forms;
    QObject::connect(&forms.mainform(), &Tmainform::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    forms.mainform().show();
    return app.exec();
}
