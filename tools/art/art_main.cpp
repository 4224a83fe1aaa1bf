// tarnwick_art: draws every icon and bitmap of the program and writes them into the folder named
// by its one argument (tools/art/regenerate passes resources/art). Exit status 0 when every file
// was written, 1 with a message otherwise.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "tools/art/art_set.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
    return 1;
  }
  try {
    for (const tarnwick::art::ArtFile& file : tarnwick::art::DrawAllArt()) {
      const std::string path = std::string(argv[1]) + "/" + file.name;
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(file.bytes.data()),
                static_cast<std::streamsize>(file.bytes.size()));
      if (!out) {
        std::fprintf(stderr, "tarnwick_art: cannot write %s\n", path.c_str());
        return 1;
      }
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tarnwick_art: %s\n", error.what());
    return 1;
  }
  return 0;
}
