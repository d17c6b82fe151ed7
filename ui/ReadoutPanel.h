#pragma once

#include "ControlColors.h"

#include <QFont>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QLineEdit;
class QPoint;

namespace pelto5 {

// The five read-outs over the skin's coloured boxes: the pointer in the
// window and on the picture under it, and the carried hardpoint's name.
// The window's strings (m_strWinX ... m_strName) are copied into the edits
// together, as the window's data exchange would.
class ReadoutPanel : public QObject {
    Q_OBJECT
public:
    // Makes the read-outs on window. Those that never keep the focus report
    // it to onFocus, with their id, when they get it.
    ReadoutPanel(QWidget* window, std::function<void(int id)> onFocus);

    // The read-outs in id order (1008 ... 1012).
    const std::array<QLineEdit*, 5>& Edits() const { return m_edits; }
    // The read-outs' colours; nothing for any other id.
    std::optional<ControlColors> CtlColor(int id) const;

    // A client point: in the window, and on the picture its x lies over.
    void ShowPoint(const QPoint& point);
    // The carried hardpoint's name, as given.
    void ShowName(const QString& name);
    // Copies the five strings into their edits, and back.
    void PushReadouts();
    void PullReadouts();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFont m_fontCoord;
    std::array<QLineEdit*, 5> m_edits{};
    QString m_strWinX, m_strWinY, m_strPicX, m_strPicY, m_strName;
    std::function<void(int id)> m_onFocus;
};

} // namespace pelto5
