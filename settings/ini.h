#pragma once

#include <stdexcept>
#include <string>

namespace pyxaro {

// The value of key in section of the settings file, "" when the file, the
// section or the key is missing. At most 1023 characters.
std::string GetINI(const std::string& section, const std::string& key, const std::string& file);

// Stores value under key in section, creating the file, the section and the
// key as needed. -1 when stored, 0 when refused (the file stays as it was).
int SetINI(const std::string& section, const std::string& key, const std::string& value,
           const std::string& file);

// Raised when the file service itself cannot be reached at all.
class IniError : public std::runtime_error {
 public:
  IniError(int number, std::string source, std::string description, std::string detail);
  int Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }
  const std::string& Detail() const { return detail_; }

 private:
  int number_;
  std::string source_;
  std::string description_;
  std::string detail_;
};

}  // namespace pyxaro
