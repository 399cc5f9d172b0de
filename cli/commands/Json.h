#pragma once
// A JSON string literal for a UTF-8 text.

#include <string>
#include <string_view>

namespace tintora::cli {

std::string JsonString(std::string_view text);

}  // namespace tintora::cli
