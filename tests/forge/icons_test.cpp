// The desktop icon at every size the icon theme gets.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "forge/icons/icon_art.h"

namespace torvel::forge {
namespace {

TEST(Icons, EverySizeIsARoundedTileWithTheSwordOnIt) {
  for (int size : kIconSizes) {
    SCOPED_TRACE(size);
    std::vector<uint8_t> rgba = RenderIcon(size);
    ASSERT_EQ(rgba.size(), static_cast<size_t>(size) * size * 4);
    auto at = [&](double x, double y) {
      int px = static_cast<int>(x * size), py = static_cast<int>(y * size);
      return &rgba[(static_cast<size_t>(py) * size + px) * 4];
    };
    // The rounded corners let the desktop through; the tile itself does not.
    for (auto [x, y] : {std::pair{0.0, 0.0}, {0.99, 0.0}, {0.0, 0.99}, {0.99, 0.99}})
      EXPECT_EQ(at(x, y)[3], 0) << x << "," << y;
    EXPECT_EQ(at(0.5, 0.5)[3], 255);
    // The blade is pale steel against the sun.
    const uint8_t* blade = at(0.48, 0.45);
    EXPECT_GT(blade[0], 140);
    EXPECT_GT(blade[2], 140);
    const uint8_t* sky = at(0.2, 0.15);
    EXPECT_LT(sky[0], 120);
  }
  // The same picture each time it is drawn.
  EXPECT_EQ(RenderIcon(48), RenderIcon(48));
}

}  // namespace
}  // namespace torvel::forge
