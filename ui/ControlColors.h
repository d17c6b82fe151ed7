#pragma once

#include "Colours.h"

#include <optional>

namespace pelto5 {

// A parent's answer to a control's colour request: the text, the background
// behind the text's own box, and the fill of the rest of the control.
struct ControlColors {
    ColorRef text = 0, textBack = 0, brush = 0;
};

// Implemented by a parent window that colours some of its controls itself;
// its answer wins over the control's own colours and the application's.
class ControlColorAnswer {
public:
    virtual ~ControlColorAnswer() = default;
    // The colours for control id, or nothing to leave the control to itself.
    virtual std::optional<ControlColors> CtlColor(int id) const = 0;
};

} // namespace pelto5
