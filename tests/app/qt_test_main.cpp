// Test main for window tests: a QApplication, and settings kept in a temporary folder so tests
// never touch the user's own.
#include <QApplication>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    std::string config = (std::filesystem::temp_directory_path() / ("orv-settings-" + std::to_string(getpid()))).string();
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(config, ec);
    return result;
}
