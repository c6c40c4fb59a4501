#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>

namespace korrin {
namespace {

TEST(WindowPlacementTest, BesideTheOwnerInsideTheScreenAndClearOfThePanel) {
  const QRect screen(0, 0, 1920, 1080);
  const QRect panel(0, 0, 0, 0);
  struct Case {
    const char* name;
    QRect screen;
    QRect owner;
    QRect keepClear;
    QSize wanted;
    QRect placed;
  } cases[] = {
      {"right of the owner", screen, {100, 100, 980, 720}, {1000, 790, 70, 22}, {640, 420}, {1080, 100, 640, 420}},
      {"left when the right is short", screen, {800, 50, 980, 720}, {1700, 740, 70, 22}, {640, 420}, {160, 50, 640, 420}},
      {"held inside the screen's bottom", screen, {100, 900, 600, 170}, {600, 1040, 70, 22}, {640, 420}, {700, 660, 640, 420}},
      {"a second screen, no room beside: above the panel", {1920, 0, 1280, 1024}, {2000, 100, 600, 500}, {2500, 570, 70, 22}, {640, 420},
       {2560, 100, 640, 420}},
      {"above the panel of a full-screen owner", screen, screen, {1700, 1050, 70, 22}, {640, 420}, {1280, 0, 640, 420}},
      {"shrunk above a low panel", {0, 0, 800, 600}, {0, 0, 800, 600}, {0, 300, 800, 22}, {640, 420}, {160, 0, 640, 300}},
      {"no bigger than the screen", {0, 0, 800, 600}, {0, 0, 800, 600}, panel, {2000, 2000}, {0, 0, 800, 600}},
  };
  for (const Case& c : cases) {
    const QRect placed = PlaceBeside(c.screen, c.owner, c.keepClear, c.wanted);
    EXPECT_EQ(placed, c.placed) << c.name;
    EXPECT_TRUE(c.screen.contains(placed)) << c.name;
    EXPECT_FALSE(placed.intersects(c.keepClear)) << c.name;
  }
}

}  // namespace
}  // namespace korrin
