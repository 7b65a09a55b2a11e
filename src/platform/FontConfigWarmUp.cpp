#include "FontConfigWarmUp.h"

#ifdef POMROLA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <system_error>

namespace pomrola {

FontConfigWarmUp::FontConfigWarmUp()
{
#ifdef POMROLA_FONTCONFIG
    try {
        loader_ = std::thread([] {
#ifdef __linux__
            // Gives way to the window thread and the display server when
            // cores are short (on Linux a thread has its own niceness).
            static_cast<void>(setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10));
#endif
            // Safe from any thread; Qt's own call then returns at once.
            static_cast<void>(FcInit());
        });
    } catch (const std::system_error&) {
        // No thread to spare: Qt loads the configuration itself, as it would anyway.
    }
#endif
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    wait();
}

void FontConfigWarmUp::wait()
{
    if (loader_.joinable())
        loader_.join();
}

}  // namespace pomrola
