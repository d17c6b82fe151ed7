#pragma once

#include <QAbstractButton>
#include <QImage>

namespace pelto5 {

// An owner-drawn button that shows its normal image, or its pressed image while
// held down, copied from the image's top-left at the button's own size. It draws
// no frame or caption, and its focus outline only for keyboard users; a click
// reports the button's id.
class BitmapButton : public QAbstractButton {
    Q_OBJECT
public:
    BitmapButton(QWidget* parent, int id, const QString& caption, const QRect& rect);

    int Id() const { return m_id; }
    void SetImages(const QImage& normal, const QImage& pressed);
    // Loads the faces by resource number; a number without an image draws nothing.
    void LoadBitmaps(int normalId, int pressedId);
    int NormalBitmap() const { return m_normalId; }
    int PressedBitmap() const { return m_pressedId; }
    QImage NormalImage() const { return m_normal; }
    QImage PressedImage() const { return m_pressed; }

    // A selectable button (a marker) can be selected; it then shows the
    // selection cue, and screen readers hear it as selected.
    void SetSelectable() { m_selectable = true; }
    bool IsSelectable() const { return m_selectable; }
    void SetSelected(bool selected);
    bool IsSelected() const { return m_selected; }

signals:
    void clickedWithId(int id);
    // LoadBitmaps gave the button other faces.
    void facesChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_id;
    int m_normalId = 0;
    int m_pressedId = 0;
    QImage m_normal;
    QImage m_pressed;
    bool m_selectable = false;
    bool m_selected = false;
};

} // namespace pelto5
