// The asset forge: writes the whole game folder from code and content/.
#pragma once

#include <string>

namespace torvel::forge {

struct ForgeOptions {
  std::string outDir;      // the game folder
  std::string previewDir;  // PNG contact sheets for people (empty: none)
  std::string iconDir;     // the desktop icons, as icon theme folders (empty: none)
};

// Writes every data file; false (with a message on stderr) when one cannot be written.
bool ForgeAll(const ForgeOptions& options);

// The parts, in the order ForgeAll runs them. Each writes its files under
// options.outDir (and its previews under options.previewDir) and reports
// failure on stderr.
bool ForgePalette(const ForgeOptions& options);     // graphics\pal.bmp
bool ForgePictures(const ForgeOptions& options);    // title, splash, shop, epilogue pictures
bool ForgeTilesets(const ForgeOptions& options);    // basicTiles.bmp and the four world tilesets
bool ForgeFonts(const ForgeOptions& options);       // the three .vft fonts
bool ForgeSpriteSets(const ForgeOptions& options);  // items, bullets, intface, shop, titlespr
bool ForgeCreatures(const ForgeOptions& options);   // the hero's and every monster kind's set
bool ForgeSounds(const ForgeOptions& options);      // sound\snd%03d.wav effects and songs
bool ForgeMovies(const ForgeOptions& options);      // the seven .flc movies
bool ForgeWorlds(const ForgeOptions& options);      // river, forest, castle, under .vwd
bool ForgeIcons(const ForgeOptions& options);       // the desktop icons, under options.iconDir

}  // namespace torvel::forge
