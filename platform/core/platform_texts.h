// The texts the platform gives the person, in one table
// (platform_texts.cpp): the messages the runtime raises or shows and the
// captions of its dialogs, all in Brazilian Portuguese. A text is fetched by
// its key; %1 … %9 in it stand for the arguments, in order of number.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zor::plat {

// Both raise std::out_of_range for a key the table does not hold. The text
// as the table holds it (it lives as long as the program):
const std::string& PlatformText(std::string_view key);
// With the arguments in place of %1 … %9:
std::string PlatformText(std::string_view key, std::initializer_list<std::string_view> args);

// Every key of the table, in its order.
std::vector<std::string> PlatformTextKeys();

}  // namespace zor::plat
