#include "app/windows.h"

#include "app/unit1.h"
#include "program/orvprog.h"
#include "settings/unit7.h"

namespace orvela {

void createwindows() {
    new TForm1();
    setprogram(orvprog);
    new TAboutbox();
}

void destroywindows() {
    delete Aboutbox;
    delete Form1;
}

}  // namespace orvela
