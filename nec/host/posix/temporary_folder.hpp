// A private folder for one run of nec2c, or of gnuplot (mode 0700, made by mkdtemp in
// $TMPDIR, else /tmp), removed with everything in it when the object goes.
// nec2c is given names relative to it: it stops on a file name over 75
// characters.
#pragma once

#include <string>

namespace Nec2 {

class TemporaryFolder {
 public:
  // Throws SolverFailed (notRun) when no folder can be made.
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& path() const { return path_; }
  // The file of that name in the folder.
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace Nec2
