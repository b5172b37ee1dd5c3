#pragma once

// Starts the program when the user logs in, through the desktop's per-user
// autostart entry, keyed to the path of the running executable.
class AutoRunManager
{
public:
    void enableAutoRun(bool enable);
    // True only when the entry exists and starts this very executable.
    bool isAutoRunEnabled() const;
};
