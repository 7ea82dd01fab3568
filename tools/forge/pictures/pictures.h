// The full-screen pictures: the start-up and closing cards, the title
// picture, the shop and the epilogue's background.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace torvel::forge {

struct Picture {
  std::vector<uint8_t> pixels;          // 640 x 480 palette values, top row first
  std::array<uint8_t, 1024> palette{};  // blue, green, red, 0
};

Picture PresenterCard();    // graphics\intro1.bmp
Picture TitleCard();        // graphics\intro2.bmp and graphics\title.bmp
Picture FarewellCard();     // graphics\trail1.bmp
Picture ClosingCard();      // graphics\trail2.bmp
Picture ShopPicture();      // graphics\shop.bmp
Picture EpiloguePicture();  // graphics\zoobo.bmp (its own sepia palette)

// Show-Pic pictures the worlds may name.
Picture OldMapPicture();  // graphics\oldmap.bmp

}  // namespace torvel::forge
