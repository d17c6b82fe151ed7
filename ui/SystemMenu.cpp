#include "SystemMenu.h"

#include "ResourceIds.h"
#include "Resources.h"

#include <QCoreApplication>
#include <QMenu>

namespace pelto5 {

void ExecSystemMenu(QWidget* window, const QPoint& globalPos,
                    const std::function<void(unsigned command)>& onCommand) {
    QMenu menu(window);
    // The application's colours, with an edge that stands out from the black
    // face and from the black field behind it.
    menu.setStyleSheet(QStringLiteral(
        "QMenu { background: palette(window); color: palette(window-text);"
        " border: 1px solid palette(window-text); padding: 2px; }"
        "QMenu::item { padding: 3px 24px 3px 12px; }"
        "QMenu::item:selected { background: palette(highlight); color: palette(highlighted-text); }"
        "QMenu::separator { height: 1px; background: palette(window-text); margin: 3px 6px; }"));
    menu.addAction(QCoreApplication::translate("SystemMenu", "Mi&nimize"), window,
                   [&] { onCommand(kMinimizeCommand); });
    menu.addAction(QCoreApplication::translate("SystemMenu", "&Close"), window,
                   [&] { onCommand(kCloseCommand); });
    const QString about = ResourceString(kAboutString);
    if (!about.isEmpty()) {
        menu.addSeparator();
        menu.addAction(about, window, [&] { onCommand(kAboutCommand); });
    }
    menu.exec(globalPos);
}

} // namespace pelto5
