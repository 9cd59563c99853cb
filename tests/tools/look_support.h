// What the look tools share: the folder they write into, with a program folder in it, and the
// wait that lets windows lay out and paint before they are grabbed.
#pragma once

#include "platform/file_io.h"
#include "platform/prog_dirs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdio>
#include <optional>
#include <string>

// Runs the event loop for `ms` milliseconds.
inline void Settle(int ms)
{
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Saves the window as drawn, once it has laid out and painted, as <folder><name>.png.
inline void SaveWindowPicture(QWidget& window, const std::string& folder, const std::string& name)
{
    Settle(400);
    window.grab().save(QString::fromStdString(folder + name + ".png"));
}

// The folder named on the command line (with a trailing "/"), created, with the program folder
// <folder>/prog/ and its data and sheet folders; nothing, after the usage line, without one.
inline std::optional<std::string> LookFolder(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return std::nullopt;
    }
    const std::string folder = WithTrailingSlash(argv[1]);
    CreateFolder(folder);
    SetProgDir(folder + "prog/");
    CreateFolder(ProgDir());
    CreateProgramFolders();
    return folder;
}
