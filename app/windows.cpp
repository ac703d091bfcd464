#include "app/windows.h"

#include "app/unit1.h"
#include "program/orvprog.h"
#include "settings/unit3.h"
#include "settings/unit5.h"
#include "settings/unit7.h"
#include "speech/unit4.h"
#include "speech/unit6.h"

namespace orvela {

void createwindows() {
    new TForm1();
    setprogram(orvprog);
    new TForm3();
    new TForm4();
    new TForm5();
    new TForm6();
    new TAboutbox();
}

void destroywindows() {
    delete Aboutbox;
    delete Form6;
    delete Form5;
    delete Form4;
    delete Form3;
    delete Form1;
}

}  // namespace orvela
