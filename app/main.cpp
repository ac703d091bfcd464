#include "app/sessionending.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "platform/application.h"
#include "platform/audiooutput.h"
#include "platform/espeakengine.h"

int main(int argc, char** argv) {
    // The sound device and the voice list take a while: they get ready while Qt starts.
    orvela::AudioOutput::openAhead();
    orvela::tts::listVoicesAhead();
    orvela::OrvelaApplication app(argc, argv);
    orvela::createwindows();
    orvela::Form1->show();
    const int result = orvela::runEventLoop(app, orvela::sessionendings());
    orvela::destroywindows();
    return result;
}
