#pragma once
// The main window's three task trees as data: each item's text, the window it
// opens (by class name), the mode it needs, and whether the status panel is
// refreshed after it. No widgets.
#include <cstddef>

enum class ModeTest { AnyDatabaseOrPort, Always, PortOpen, Online };

struct Task {
    const char* item;
    const char* form;
    ModeTest test;
    bool refreshAfter;
};

struct TaskPage {
    const Task* tasks;
    int count;
};

// Database editing, reports, communication with the register.
extern const TaskPage kTaskPages[3];

// Whether the work mode lets the task open.
bool Passes(ModeTest test, int mode);
