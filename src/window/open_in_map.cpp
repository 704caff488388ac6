#include "window/open_in_map.h"

#include <string>

#include "frontend/point.h"

namespace orbelin {

void OpenPointInMap(Platform& platform, double lat, double lon) {
  const std::string geo = GeoPinUri(lat, lon);
  if (platform.OpenLink(geo)) return;
  const std::string web = OpenStreetMapUri(lat, lon);
  if (platform.OpenLink(web)) {
    platform.ShowNote(
        "No program here opens geo: links, so the point is shown on "
        "openstreetmap.org in the web browser.");
    return;
  }
  platform.ShowError("No program opened " + geo + ", nor a web browser " + web +
                     ". Choose a program for geo: links in the desktop's settings, or use Copy "
                     "coordinates.");
}

}  // namespace orbelin
