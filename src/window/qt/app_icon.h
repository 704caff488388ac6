// Orbelin's icon, drawn rather than stored: a compass on a blue tile. The
// window takes it, and the build writes it out as the PNG files that the
// desktop's menu shows.
#pragma once

#include <QIcon>
#include <QImage>

namespace orbelin {

// The icon at `size` by `size` pixels. Needs no QGuiApplication.
QImage DrawAppIcon(int size);

// The icon at the sizes a desktop asks for.
QIcon AppIcon();

}  // namespace orbelin
