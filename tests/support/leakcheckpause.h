#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

// Leaves out of the sanitizer run's leak check what is allocated while it lives: for a
// test that deliberately throws through Qt's own frames, which are not written for
// exceptions and leave behind what they were holding (the event's points of a mouse
// click). Such an exception is the application's last resort, not a path the program
// takes; everything else stays checked.
class LeakCheckPause
{
public:
#if defined(__SANITIZE_ADDRESS__)
    LeakCheckPause()
    {
        __lsan_disable();
    }
    ~LeakCheckPause()
    {
        __lsan_enable();
    }
#else
    // User-provided, so that a pause is not an unused variable where there is no check.
    LeakCheckPause() {}
    ~LeakCheckPause() {}
#endif
    LeakCheckPause(const LeakCheckPause&) = delete;
    LeakCheckPause& operator=(const LeakCheckPause&) = delete;
};
