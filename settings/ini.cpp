#include "settings/ini.h"

#include <utility>

namespace pyxaro {

IniError::IniError(int number, std::string source, std::string description, std::string detail)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      detail_(std::move(detail)) {}

std::string GetINI(const std::string&, const std::string&, const std::string&) { return {}; }

int SetINI(const std::string&, const std::string&, const std::string&, const std::string&) {
  return 0;
}

}  // namespace pyxaro
