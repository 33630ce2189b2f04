// Writes the manual pages of docs/handbuch.md at build time:
//   strevo_handbook_man HANDBUCH.md FOLDER VERSION
// puts NAME.1 into FOLDER for every page the handbook declares.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "core/handbook/handbook.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("Aufruf: strevo_handbook_man HANDBUCH.md ORDNER VERSION\n", stderr);
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
      throw std::runtime_error(std::string(argv[1]) + " lässt sich nicht lesen");
    }
    const std::string markdown((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    const strevo::Handbook handbook = strevo::ParseHandbook(markdown);
    for (const strevo::HandbookPage& page : handbook.pages) {
      const std::string path = std::string(argv[2]) + "/" + page.name + ".1";
      std::ofstream out(path, std::ios::binary);
      out << strevo::HandbookManPage(handbook, page.name, argv[3]);
      if (!out.flush()) {
        throw std::runtime_error(path + " lässt sich nicht schreiben");
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
