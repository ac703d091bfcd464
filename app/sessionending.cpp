#include "app/sessionending.h"

#include <cstdio>
#include <exception>

#include "app/datafiles.h"
#include "app/soundobjects.h"
#include "app/unit1.h"
#include "platform/messagebox.h"
#include "platform/process.h"

namespace orvela {

SessionEndings sessionendings() {
    SessionEndings endings;
    endings.orderly = [] {
        // A run or a modal dialog below would keep the loop going without the window.
        if (Form1 && Form1->close()) endProcessNow();
    };
    endings.commit = [] { guarded([] { saveram(); }); };
    endings.displayLost = [] {
        try {
            saveram();
        } catch (const std::exception& error) {
            // No display is left to show it on.
            std::fprintf(stderr, "orvela: %s\n", error.what());
        }
        releasesoundobjects();
    };
    return endings;
}

}  // namespace orvela
