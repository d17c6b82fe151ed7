#pragma once

#include <QAccessible>
#include <QLatin1String>
#include <QString>

namespace pelto5 {

// Has Qt give every Widget (a class of ours with Q_OBJECT) the accessible
// interface Interface(widget), rather than the one of the Qt class it
// derives from; once per program, at the first call.
template <typename Widget, typename Interface> void UseAccessibleInterface() {
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString& className, QObject* object) -> QAccessibleInterface* {
                auto* widget = qobject_cast<Widget*>(object);
                return widget && className == QLatin1String(Widget::staticMetaObject.className())
                           ? new Interface(widget)
                           : nullptr;
            });
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace pelto5
