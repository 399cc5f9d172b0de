#pragma once
// Catalogue texts with places for values: "%1", "%2" ... stand for the values in order, so each
// language puts them where its word order wants them.

#include <initializer_list>
#include <string>
#include <string_view>

namespace tintora {

// `pattern` with every "%n" (n = 1..9) replaced by the n-th value; a "%n" without a value stays.
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace tintora
