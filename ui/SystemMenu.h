#pragma once

#include <functional>

class QPoint;
class QWidget;

namespace pelto5 {

// The window menu's commands, as the window's OnSysCommand takes them.
constexpr unsigned kAboutCommand = 0x0010;
constexpr unsigned kMinimizeCommand = 0xF020;
constexpr unsigned kCloseCommand = 0xF060;

// Shows the window menu of window at globalPos (Minimize, Close and, when
// the resources name it, the about box) and hands the chosen command to onCommand.
void ExecSystemMenu(QWidget* window, const QPoint& globalPos,
                    const std::function<void(unsigned command)>& onCommand);

} // namespace pelto5
