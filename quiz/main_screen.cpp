// Start-up and the main screen.
#include "aotoolkit.h"
#include "quiz.h"

namespace {
aoWindow mainWindow;
}

void quiz_main()
{
    aosrand_time();
    mainWindow.create("ZIFFRON-ZOVIZ-5-8: ;,x=50%,y=50%,xs=1320,ys=920,bgcolor=e0e0e0");
    while (aoisrunning()) {
        aogetevent();
    }
}
