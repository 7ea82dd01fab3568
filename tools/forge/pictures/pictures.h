// The full-screen pictures: the start-up and closing cards, the title
// picture, the shop and the epilogue's background.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace torvel::forge {

struct ScreenPicture {
  std::vector<uint8_t> pixels;          // 640 x 480 palette values, top row first
  std::array<uint8_t, 1024> palette{};  // blue, green, red, 0
};

ScreenPicture PresenterCard();    // graphics\intro1.bmp
ScreenPicture TitleCard();        // graphics\intro2.bmp and graphics\title.bmp
ScreenPicture FarewellCard();     // graphics\trail1.bmp
ScreenPicture ClosingCard();      // graphics\trail2.bmp
ScreenPicture ShopPicture();      // graphics\shop.bmp
ScreenPicture EpiloguePicture();  // graphics\zoobo.bmp (its own sepia palette)

// Show-Pic pictures the worlds may name.
ScreenPicture OldMapPicture();  // graphics\oldmap.bmp

}  // namespace torvel::forge
