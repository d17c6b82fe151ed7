#pragma once

#include <QString>
#include <QStringList>

namespace pelto5 {

// The one line for a start that Qt ended because no platform plugin could
// open the window, told from the messages Qt gave on the way (the last one
// its fatal message): a display that was named but could not be reached, or
// a plugin that is not installed or cannot be loaded.
QString PlatformFailureLine(const QStringList& qtMessages);

} // namespace pelto5
