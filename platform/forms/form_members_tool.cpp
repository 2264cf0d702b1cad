// zor-form-members: writes a form class's generated members and bindings
// from its form definition (run by the build).
//
//   zor-form-members DEFINITION CLASS HEADER MEMBERS_OUT BINDINGS_OUT [PIECES...]
//
// PIECES are definitions another layer applies over every form of CLASS:
// the handlers they name are the class's too.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/forms/form_members.h"

namespace {

// Rewrites a file only when its text changes, so that the build recompiles
// nothing after an edit that leaves the members as they were.
void WriteIfChanged(const std::string& path, const std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (in) {
    std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (old == text) return;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::cerr << "usage: zor-form-members DEFINITION CLASS HEADER MEMBERS_OUT BINDINGS_OUT [PIECES...]\n";
    return 2;
  }
  try {
    // Read and parsed under its file name, which the error messages and
    // the generated files' headings give.
    const auto parse = [](const char* path) {
      const std::string name = std::filesystem::path(path).filename().string();
      return zor::plat::ParseFormDefinition({name, zor::plat::LoadFormDefinitionFile(path).Text});
    };
    const zor::plat::FormDefinition definition = parse(argv[1]);
    std::vector<zor::plat::FormDefinition> pieces;
    std::string sources = definition.source;
    for (int i = 6; i < argc; ++i) {
      pieces.push_back(parse(argv[i]));
      sources += " and " + pieces.back().source;
    }
    const zor::plat::FormMembers members = zor::plat::CollectFormMembers(definition, pieces);
    WriteIfChanged(argv[4], zor::plat::FormMembersDeclarations(members, sources));
    WriteIfChanged(argv[5], zor::plat::FormMembersBindings(members, sources, argv[2], argv[3]));
  } catch (const std::exception& e) {
    std::cerr << "zor-form-members: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
