// zor-form-members: writes a form class's generated members and bindings
// from its form definition (run by the build).
//
//   zor-form-members DEFINITION CLASS HEADER MEMBERS_OUT BINDINGS_OUT
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
  if (argc != 6) {
    std::cerr << "usage: zor-form-members DEFINITION CLASS HEADER MEMBERS_OUT BINDINGS_OUT\n";
    return 2;
  }
  try {
    const plat::FormDefinitionSource source = plat::LoadFormDefinitionFile(argv[1]);
    const std::string name = std::filesystem::path(argv[1]).filename().string();
    const plat::FormMembers members = plat::CollectFormMembers(plat::ParseFormDefinition({name, source.Text}));
    WriteIfChanged(argv[4], plat::FormMembersDeclarations(members, name));
    WriteIfChanged(argv[5], plat::FormMembersBindings(members, name, argv[2], argv[3]));
  } catch (const std::exception& e) {
    std::cerr << "zor-form-members: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
