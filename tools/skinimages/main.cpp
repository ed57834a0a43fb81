// skinimages: draws the skin's generated pictures (plate glyphs and backgrounds, control images)
// into a folder that the skin package takes in, or the pictures that lie beside the programs.
// Usage: skinimages --output <folder> | skinimages --program-folder <folder>

#include <cstdio>
#include <cstring>
#include <string>

#include "ControlImages.h"
#include "PlateBackgrounds.h"
#include "PlateGlyphSheet.h"
#include "PlateSizeHint.h"
#include "VideoPlaceholder.h"

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "--output") != 0 && std::strcmp(argv[1], "--program-folder") != 0)) {
    std::fprintf(stderr, "usage: skinimages --output <folder> | skinimages --program-folder <folder>\n");
    return 2;
  }
  const std::string folder = argv[2];
  if (std::strcmp(argv[1], "--program-folder") == 0) return skinimages::WritePlateSizeHint(folder) ? 0 : 1;
  bool written = skinimages::WritePlateGlyphSheet(folder);
  written = skinimages::WritePlateBackgrounds(folder) && written;
  written = skinimages::WriteControlImages(folder) && written;
  written = skinimages::WriteVideoPlaceholder(folder) && written;
  return written ? 0 : 1;
}
