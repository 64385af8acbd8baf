// The theme gallery without a window: `skgallery --png FILE` writes the picture.
#include "skins/SfPng.h"
#include "tools/gallery/SkGallery.h"

#include "theme/SkTheme.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "--png") != 0) {
    std::fprintf(stderr, "usage: skgallery --png FILE\n");
    return 2;
  }
  TskPixels picture;
  SkDrawGallery(picture, &SkClassicSysColor);
  const auto bytes = SfWritePng(picture);
  std::FILE* f = std::fopen(argv[2], "wb");
  if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
    std::fprintf(stderr, "skgallery: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %d x %d\n", argv[2], picture.Width(), picture.Height());
  return 0;
}
