#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

// The one application object of a test program that needs Qt's GUI (the
// widget, resource and end-to-end suites), on Qt's offscreen platform: the
// end-to-end suites drive the real editor in a process of its own. It lives
// from before the first test to after the last, and ends before static
// objects of Qt do.
class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "pelto5_ui_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

// gtest owns the environment it is given.
inline ::testing::Environment* const kQtAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

inline QApplication& TestApp() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
}
