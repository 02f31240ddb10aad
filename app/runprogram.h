#pragma once
// The program's run on a folder: process set-up, Czech texts, the main window's start-up, and
// the event loop.

#include <QString>
#include <functional>

class QApplication;
class THlavni;

// Runs the program on programDir (with its trailing separator). shown is called once the main
// window is shown; the result is the process's exit code (1 when the start-up ended it).
int runProgram(QApplication& application, const QString& programDir,
               const std::function<void(THlavni&)>& shown);
