#include "FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace pelto5 {

// FcInit loads the default configuration once per process, safely from any
// thread; Qt's font database later finds it loaded.
FontConfigWarmUp::FontConfigWarmUp() : m_thread([] { FcInit(); }) {}

FontConfigWarmUp::~FontConfigWarmUp() {
    m_thread.join();
}

} // namespace pelto5
