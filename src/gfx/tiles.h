// Map tiles: the program-wide block of 400 tile images and the five ways of
// drawing a tile (plus the wall forms built on them).
//
// A tile is a raw 32x24 image, rows top to bottom, every byte a pixel; tile n
// starts at byte 768 * n of the block. The block is cut from a 640x480
// tileset picture (20 tiles to a row) and stored whole in the world file.
#pragma once

#include <cstdint>

namespace torvel {

class ByteReader;
class ByteWriter;
class Display;

constexpr int kTileCount = 400;
constexpr int kTilePixels = 32 * 24;
constexpr int kTileBlockBytes = kTileCount * kTilePixels;  // 307200
// A wall's face is tile wall + 199: wall numbers from 1 select tiles from 200.
constexpr int kWallTileBase = 199;

// The display the tile routines draw to, set once at start-up.
void SetTileDisplay(Display* display);
// Every tile black (the state before any world is loaded).
void ClearTiles();

// The block itself (kTileBlockBytes), for the world loader and the editor.
uint8_t* TileBlock();
// Tile t's 768 pixels, or null outside 0..399.
const uint8_t* GetTile(int t);

// Cuts a 640x480 picture (row stride 640) into the 400 tiles: tile n is the
// block at column (n mod 20) * 32, row (n / 20) * 24.
void TilesFromPicture(const uint8_t* picture);
// The whole block in one piece, tile 0 first (the world file's tile block).
void WriteTiles(ByteWriter& writer);
// False, with the block unchanged, when fewer than 307200 bytes remain.
bool ReadTiles(ByteReader& reader);

// x, y is the screen position of the tile's top-left corner; a tile number
// outside 0..399 draws nothing.
void DrawTile(int32_t x, int32_t y, int t);
// bright 0: DrawTile; below -28: the visible part black; else every pixel brightened.
void DrawTileBright(int32_t x, int32_t y, int t, int8_t bright);
// Brightened, with tile columns 25..31 four shades darker (a shaded right edge).
void DrawTileShaded(int32_t x, int32_t y, int t, int8_t bright);
// Pixels of value 0 are holes; the others brightened.
void DrawTileMasked(int32_t x, int32_t y, int t, int8_t bright);
// The wall face (tile wall + 199) at y and its roof tile a tile height above.
void DrawWall(int32_t x, int32_t y, uint8_t wall, uint8_t roof, int8_t bright);
// The same with the roof drawn masked.
void DrawWallMasked(int32_t x, int32_t y, uint8_t wall, uint8_t roof, int8_t bright);

}  // namespace torvel
