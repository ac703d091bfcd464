#include "app/sessionending.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "platform/application.h"

int main(int argc, char** argv) {
    orvela::OrvelaApplication app(argc, argv);
    orvela::createwindows();
    orvela::Form1->show();
    const int result = orvela::runEventLoop(app, orvela::sessionendings());
    orvela::destroywindows();
    return result;
}
