#include "SpokenStatus.h"

#include "AccessibleInterface.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>

namespace pelto5 {

namespace {

// A status bar to screen readers, named by what was said last.
class SpokenStatusAccessible : public QAccessibleWidget {
public:
    explicit SpokenStatusAccessible(SpokenStatus* status)
        : QAccessibleWidget(status, QAccessible::StatusBar) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<SpokenStatus*>(object())->Text()
                                      : QAccessibleWidget::text(t);
    }
};

} // namespace

SpokenStatus::SpokenStatus(QWidget* parent, const QString& first) : QWidget(parent), m_text(first) {
    UseAccessibleInterface<SpokenStatus, SpokenStatusAccessible>();
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SpokenStatus::Say(const QString& text) {
    m_text = text;
    // Qt's bridge to the desktop's accessibility bus passes no alert on; a
    // name change is what a screen reader hears of a status bar.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void SpokenStatus::Announce(const QString& text) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* status =
                window->findChild<SpokenStatus*>(QString(), Qt::FindDirectChildrenOnly)) {
            status->Say(text);
            return;
        }
}

} // namespace pelto5
