#pragma once

#include <QString>

#include <functional>

namespace pelto5 {

// The whole message ShowOpenError shows for an OpenUrl result code.
QString OpenErrorText(int code);

// Shows the failure message for code in a modal message box.
void ShowOpenError(int code);

// How ShowOpenError presents its text; tests replace it so nothing blocks.
using OpenErrorPresenter = std::function<void(const QString& text)>;
// Installs presenter (an empty one brings back the message box) and returns the old one.
OpenErrorPresenter SetOpenErrorPresenter(OpenErrorPresenter presenter);

} // namespace pelto5
