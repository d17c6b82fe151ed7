#pragma once

#include "ControlColors.h"
#include "UrlOpening.h"

#include <QColor>
#include <QCursor>
#include <QLabel>

#include <cstdint>
#include <optional>

namespace pelto5 {

// Style flags of a static text control.
enum StaticStyle : int {
    SS_CENTER = 0x0001,
    SS_RIGHT = 0x0002,
    SS_NOTIFY = 0x0100,
    SS_CENTERIMAGE = 0x0200,
    WS_GROUP = 0x00020000,
};

// A static text control that acts as a web link: underlined, coloured by
// state, hand cursor, tool tip with the target, and a click opens the target.
// Bound, it is also a link for the keyboard and for screen readers: Tab
// reaches it, Enter or Space opens it, and it is heard as a link.
class HyperLink : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int id READ Id)

public:
    // A control as a dialog template gives it; it becomes a link at Bind().
    HyperLink(QWidget* parent, int id, int style, const QString& text);
    ~HyperLink() override;

    // Makes the control a link: mouse input, target and text, link font, fit,
    // cursor, tool tip and a stop for Tab. Neither the text nor the target may
    // be empty.
    void Bind();
    bool IsBound() const { return m_bBound; }

    int Id() const { return m_nId; }
    int Style() const { return m_nStyle; }

    void SetTarget(const QString& target);
    QString GetTarget() const { return m_strTarget; }

    // A hover colour of 0xFFFFFFFF takes the system highlight colour now.
    void SetColors(ColorRef link, ColorRef visited, ColorRef hover = 0xFFFFFFFF);
    ColorRef GetLinkColor() const { return m_clrLink; }
    ColorRef GetVisitedColor() const { return m_clrVisited; }
    ColorRef GetHoverColor() const { return m_clrHover; }

    void MarkVisited(bool visited = true);
    bool IsVisited() const { return m_bVisited; }

    // Nothing brings back the hand cursor.
    void SetHoverCursor(std::optional<QCursor> cursor);
    std::optional<QCursor> GetHoverCursor() const { return m_hoverCursor; }

    void SetUnderlined(bool underlined);
    bool IsUnderlined() const { return m_bUnderlined; }

    void SetFitToText(bool fit);
    bool IsFitToText() const { return m_bFitToText; }

    bool IsHovering() const { return m_bHovering; }

    // The control's own text colour: hover over visited over link.
    ColorRef OwnTextColor() const;

    // Where clicks open their target; the application's default unless a test sets another.
    void SetUrlSystem(UrlSystem& system) { m_pSystem = &system; }

    // Opens the target, as a click, Enter, Space or a screen reader's press
    // does: marked visited, or a beep and a message when nothing opened it.
    void Open();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitToText();
    void LoadHandCursor();
    void ApplyCursor();
    void PaintText(QPainter& painter);
    void Redraw();
    // Leaves the hover state: grab released, control redrawn.
    void EndHover();

    ColorRef m_clrLink = Rgb(0, 0, 238);
    ColorRef m_clrVisited = Rgb(85, 26, 139);
    ColorRef m_clrHover;
    bool m_bHovering = false;
    bool m_bVisited = false;
    bool m_bUnderlined = true;
    bool m_bFitToText = true;
    QString m_strTarget;
    std::optional<QCursor> m_hoverCursor;

    int m_nId;
    int m_nStyle;
    bool m_bBound = false;
    bool m_bPressed = false;
    UrlSystem* m_pSystem; // null: the default
};

} // namespace pelto5
