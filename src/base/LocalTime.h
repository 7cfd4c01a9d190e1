#pragma once

// A moment on the local clock, as the file names show it.
struct TLocalTime {
    int Year = 2000;
    int Month = 1; // 1-12
    int Day = 1;   // 1-31
    int Hour = 0;  // 0-23
    int Minute = 0;
    int Second = 0;
};
