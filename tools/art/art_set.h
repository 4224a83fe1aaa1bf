// Every picture file of the program, drawn and encoded: the generator writes them, the test
// compares them with the files kept in resources/art.
#ifndef TARNWICK_TOOLS_ART_ART_SET_H
#define TARNWICK_TOOLS_ART_ART_SET_H

#include <string>
#include <vector>

#include "tools/art/byte_writer.h"

namespace tarnwick::art {

struct ArtFile {
  std::string name;  // file name inside resources/art
  int resource_id;   // the id the resource script gives it
  Bytes bytes;
};

std::vector<ArtFile> DrawAllArt();

}  // namespace tarnwick::art

#endif
