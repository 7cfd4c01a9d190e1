#pragma once

// Returns once the screen no longer shows what was just taken off it (the tray menu, a
// notice), so that a copy of the screen made next cannot hold it: the compositor's next frame.
// Without a compositor (Wine on X11) the windows it uncovered repaint themselves in their own
// time, other programs' among them, and nothing tells when: there, a bounded wait.
void AwaitUncoveredRepaint();
