// Whole-process project file operations, timed side by side with cat and cp:
//   project_tool make N FILE     writes a project of N realistic items
//   project_tool load FILE       loads it
//   project_tool copy IN OUT     loads IN and saves it as OUT
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../project_data.h"
#include "model/project_file.h"

int main(int argc, char** argv) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-bench", 1);
  std::string command = argc > 1 ? argv[1] : "";
  std::string message;
  if (command == "make" && argc == 4) {
    CRssFile project;
    FillBenchProject(project, std::atoi(argv[2]));
    return SaveProjectFile(project, argv[3]) ? 0 : 1;
  }
  if (command == "load" && argc == 3) {
    CRssFile project;
    return LoadProjectFile(project, argv[2]) ? 0 : 1;
  }
  if (command == "copy" && argc == 4) {
    CRssFile project;
    if (!LoadProjectFile(project, argv[2])) return 1;
    return SaveProjectFile(project, argv[3]) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: project_tool make N FILE | load FILE | copy IN OUT\n");
  return 2;
}
