// A window whose spoken status says each line typed into it: what a screen
// reader hears of the status, without an editor around it.
#include "SpokenStatus.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Spoken status probe"));
    window.resize(300, 40);
    auto* line = new QLineEdit(&window);
    line->setAccessibleName(QStringLiteral("Text to say"));
    line->resize(300, 30);
    auto* status = new pelto5::SpokenStatus(&window);
    QObject::connect(line, &QLineEdit::returnPressed, status, [line, status] {
        status->Say(line->text());
        line->clear();
    });
    window.show();
    return app.exec();
}
