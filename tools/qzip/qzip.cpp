// qzip OUT.zip NAME=SOURCE...: packs each SOURCE file under the entry NAME, in order, with the
// program's zip writer. On a failure it prints the result code in hexadecimal and exits non-zero
// (after finishing the archive with the entries that did go in).
#include <cstdio>
#include <string>

#include "diag/ZipArchive.h"
#include "diag/ZipStdioFile.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: qzip OUT.zip NAME=SOURCE...\n");
    return 2;
  }
  auto output = CreateZipOutputStdio(argv[1]);
  if (!output) {
    std::fprintf(stderr, "qzip: %s: cannot create archive: 0x%X\n", argv[1], static_cast<unsigned>(kZipOpenFailed));
    return 1;
  }
  ZipWriter writer(std::move(output));
  int status = 0;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    const size_t eq = arg.find('=');
    if (eq == std::string::npos) {
      std::fprintf(stderr, "qzip: %s: expected NAME=SOURCE\n", arg.c_str());
      status = 2;
      continue;
    }
    ZipStdioSource source(arg.substr(eq + 1));
    const int32_t rc = writer.AddEntry(arg.substr(0, eq), source);
    if (rc != kZipOk) {
      std::fprintf(stderr, "qzip: %s: 0x%X\n", arg.c_str(), static_cast<unsigned>(rc));
      status = 1;
    }
  }
  const int32_t rc = writer.Finish();
  if (rc != kZipOk) {
    std::fprintf(stderr, "qzip: %s: finishing failed: 0x%X\n", argv[1], static_cast<unsigned>(rc));
    status = 1;
  }
  return status;
}
