#pragma once

class QPaintDevice;

/// Twips (1/1440 inch), the unit forms and report layouts are laid out in, against
/// the pixels of a paint device. One arithmetic for every device: a form on the
/// screen, a printer page and an image all convert through their own resolution.
/// Without a device the primary screen's is used (15 twips per pixel at 96 dpi).
double twipsPerPixelX(const QPaintDevice *device = nullptr);
double twipsPerPixelY(const QPaintDevice *device = nullptr);
/// Twips to whole pixels (nearest) and back, horizontally and vertically.
int twipsToPixelsX(double twips, const QPaintDevice *device = nullptr);
int twipsToPixelsY(double twips, const QPaintDevice *device = nullptr);
double pixelsToTwipsX(int pixels, const QPaintDevice *device = nullptr);
double pixelsToTwipsY(int pixels, const QPaintDevice *device = nullptr);
