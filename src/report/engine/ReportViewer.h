#pragma once

/// The settings of a report's preview window, applied when it opens.
struct ReportViewer {
    enum State { Normal = 0, Minimized = 1, Maximized = 2 };

    int WindowState = Normal;
    int Zoom = 0; ///< percent; 0 fits the page into the window
    bool ToolbarVisible = true;
    bool TOCEnabled = false; ///< the reports have no table of contents: kept, not shown
    int TOCWidth = 0;
};
