#pragma once

#include <thread>

namespace pomrola {

// Loads the system's font configuration on another core while the program
// starts. Qt's font database would load it on the window thread when the
// first font is asked for, and that is about a third of the work before the
// main window shows. Where Qt does not use fontconfig it does nothing.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Returns once the configuration is loaded. Called before the first font
    // is asked for, so that Qt finds it ready instead of loading it a second
    // time alongside.
    void wait();

private:
    std::thread loader_;
};

}  // namespace pomrola
