#pragma once

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

// The widget tests share one application object. It lives from before the
// first test to after the last, and ends before static objects of Qt do.
class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<QApplication>(m_argc, m_argv); }
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
