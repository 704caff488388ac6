#include "window/display_name.h"

#include <gtest/gtest.h>

namespace orbelin {
namespace {

// One window per screen: every way of writing a screen's name gives the
// same key, and other screens other keys.
TEST(DisplayName, OneScreenOneName) {
  struct Case {
    const char* name;
    const char* normal;
  } cases[] = {
      {":77", ":77.0"},
      {":77.0", ":77.0"},
      {":077.00", ":77.0"},
      {"unix:77", ":77.0"},
      {"unix/:77.0", ":77.0"},
      {":77.1", ":77.1"},  // another screen of that server
      {"host:3", "host:3.0"},
      {"tcp/host:3.0", "host:3.0"},
      {"[::1]:5", "[::1]:5.0"},
      {"", ""},  // none of these: as it is
      {":x", ":x"},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalX11Display(c.name), c.normal) << c.name;
}

TEST(DisplayName, WaylandSocketsAsPaths) {
  EXPECT_EQ(NormalWaylandDisplay("", "/run/user/1000"), "/run/user/1000/wayland-0");
  EXPECT_EQ(NormalWaylandDisplay("wayland-1", "/run/user/1000"), "/run/user/1000/wayland-1");
  EXPECT_EQ(NormalWaylandDisplay("/run/user/1000/wayland-1", "/elsewhere"),
            "/run/user/1000/wayland-1");
}

}  // namespace
}  // namespace orbelin
