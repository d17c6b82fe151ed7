#pragma once

#include <QApplication>

// The widget tests share one application object, made on first use.
inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "pelto5_ui_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}
