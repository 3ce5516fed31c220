#include "shell/stakmain.h"
#include "shell/uMessageBox.h"
#include "shell/uSingleInstance.h"
#include "shell/uSplash.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tSingleInstance guard(tSingleInstance::DefaultName());
    if (!guard.Claim())
        return 0;

    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    QApplication::setApplicationName(kApplicationTitle);
    TMainForm mainForm;
    mainForm.show();
    guard.SetRaiseHandler([&mainForm] { mainForm.BringToFront(); });
    CreateMessageBox(&mainForm);
    splash.reset();
    return QApplication::exec();
}
