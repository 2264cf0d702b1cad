// The platform's message table: every key reads back a text, arguments go
// where their numbers stand, and the texts the person meets come out of the
// table unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/core/variant.h"

namespace plat {
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
}  // namespace plat
