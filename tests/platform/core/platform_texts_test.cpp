// The platform's message table: every key reads back a text, arguments go
// where their numbers stand, and the texts the person meets come out of the
// table unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/core/variant.h"

namespace zor::plat {
namespace {

TEST(PlatformTexts, EveryKeyHasATextAndItsPlaceholdersAreNumberedFromOne) {
  const std::vector<std::string> keys = PlatformTextKeys();  // raises on a key written twice
  ASSERT_GT(keys.size(), 50u);
  for (const std::string& key : keys) {
    const std::string& text = PlatformText(key);
    EXPECT_FALSE(text.empty()) << key;
    int highest = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i)
      if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') highest = std::max(highest, text[i + 1] - '0');
    for (int n = 1; n <= highest; ++n)
      EXPECT_NE(text.find("%" + std::to_string(n)), std::string::npos) << key << " skips %" << n;
  }
  EXPECT_THROW(PlatformText("no.such.key"), std::out_of_range);
}

// The keys the platform's sources and the desktop's (which shows the
// platform in a window) name: every quoted "group.name" whose group is one
// of the table's.
std::set<std::string> KeysNamedInTheSources(const std::set<std::string>& groups) {
  namespace fs = std::filesystem;
  const std::regex quotedKey("\"([a-z]+)\\.([a-z0-9_]+)\"");
  std::set<std::string> named;
  for (const char* folder : {"platform", "desktop"})
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(ZOR_SOURCE_DIR) / folder)) {
      const fs::path& path = entry.path();
      if (path.extension() != ".cpp" && path.extension() != ".h") continue;
      if (path.filename() == "platform_texts.cpp") continue;
      std::ifstream in(path);
      std::stringstream text;
      text << in.rdbuf();
      const std::string source = text.str();
      for (std::sregex_iterator m(source.begin(), source.end(), quotedKey), end; m != end; ++m)
        if (groups.count((*m)[1].str())) named.insert((*m)[1].str() + "." + (*m)[2].str());
    }
  return named;
}

// A key named in the code but missing from the table fails only when that
// message is due; a text no code names is dead. Both are caught here.
TEST(PlatformTexts, EveryKeyTheCodeNamesIsInTheTableAndEveryTextIsNamed) {
  const std::vector<std::string> keys = PlatformTextKeys();
  const std::set<std::string> table(keys.begin(), keys.end());
  std::set<std::string> groups;
  for (const std::string& key : keys) groups.insert(key.substr(0, key.find('.')));
  const std::set<std::string> named = KeysNamedInTheSources(groups);
  ASSERT_GT(named.size(), 50u);
  for (const std::string& key : named) EXPECT_TRUE(table.count(key)) << key << " is named but has no text";
  for (const std::string& key : table) EXPECT_TRUE(named.count(key)) << key << " is never named";
}

TEST(PlatformTexts, ArgumentsReplaceTheirNumbersOnlyAndAreNotReadAgain) {
  EXPECT_EQ(PlatformText("db.error_in_step", {"demo.db", "leitura", "disco cheio"}),
            "Erro no banco de dados demo.db (leitura): disco cheio");
  // An argument that itself holds "%1" stays as it is.
  EXPECT_EQ(PlatformText("convert.not_integer", {"%1"}), "'%1' não é um valor inteiro válido");
}

TEST(PlatformTexts, TheConversionErrorsReadAsBefore) {
  try {
    StrToInt("12a");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'12a' não é um valor inteiro válido");
  }
  try {
    Variant("abc").AsInteger();
    FAIL();
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), "Conversão de variante inválida: 'abc' para inteiro");
  }
}

}  // namespace
}  // namespace zor::plat
