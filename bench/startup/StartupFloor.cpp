// The floor for the editor's start-up: a bare Qt dialog of the editor's size,
// frameless like it, painting one pixmap of the skin's size.
#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QPixmap>

namespace {

class FloorDialog : public QDialog {
public:
    FloorDialog() : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint), m_pixmap(797, 504) {
        m_pixmap.fill(QColor(198, 181, 239));
        setFixedSize(809, 505);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, m_pixmap); }

private:
    QPixmap m_pixmap;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FloorDialog dialog;
    return dialog.exec();
}
