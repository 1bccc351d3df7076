#pragma once
// One QApplication for a whole widget test program, on the offscreen platform unless the caller
// chose another one (the screenshot script runs the tests under Xvfb).
#include <QApplication>
#include <gtest/gtest.h>

class AmbienteQt : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char nome[] = "gui_test";
        static char* argv[] = {nome, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};

static ::testing::Environment* const g_ambienteQt =
    ::testing::AddGlobalTestEnvironment(new AmbienteQt);
