#pragma once

/// Installs the desktop behind the services' message boxes, beep and file opening:
/// Qt's message box, the application beep and the desktop's URL handler. The
/// program calls it once at start; tests leave it out and answer the boxes.
void installDesktopServices();
