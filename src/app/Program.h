#pragma once

class IPlatform;

// The program from start to end: the main form created (tray icon, settings, key watcher),
// the message loop run until the exit command or a close request, then the shutdown.
int RunProgram(IPlatform& platform);
