#include "WeighingWindow.h"
#include "platform/RunningCopy.h"
#include "signin/frm_Gen_Pass.h"

#include <QApplication>
#include <QFont>

// The program takes no arguments and reads no configuration: everything comes from the
// databases, starting with the server-path database beside the program.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvolen"));
    // The windows are laid out for a small 8-point face; larger ones clip the captions.
    QApplication::setFont(QFont(QStringLiteral("Arial"), 8));
    wireWeighingWindow();
    // A later copy finds this one when its weighing window loads, and hands over to it.
    platform::listenAsRunningCopy();

    frm_Gen_Pass signIn;
    if (!signIn.load())
        return 0;
    signIn.show();
    return app.exec();
}
