#include "core/text.h"

#include <array>
#include <cctype>
#include <climits>

namespace pyxaro {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at bytes[i], advancing i; a malformed sequence
// yields U+FFFD and consumes one byte.
char32_t DecodeOne(std::string_view bytes, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  int length = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    cp = lead & 0x07;
  } else {
    ++i;
    return kReplacement;
  }
  if (i + static_cast<std::size_t>(length) > bytes.size()) {
    ++i;
    return kReplacement;
  }
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
    if ((next & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
  const bool overlong = cp < kSmallest.at(static_cast<std::size_t>(length));
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  if (overlong || surrogate || cp > 0x10FFFF) {
    ++i;
    return kReplacement;
  }
  i += static_cast<std::size_t>(length);
  return cp;
}

// Byte offset of the 1-based character position pos (or the end).
std::size_t OffsetOf(std::string_view utf8, int pos) {
  std::size_t i = 0;
  for (int c = 1; c < pos && i < utf8.size(); ++c) DecodeOne(utf8, i);
  return i;
}

}  // namespace

std::u32string ToCodePoints(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) out.push_back(DecodeOne(utf8, i));
  return out;
}

std::string ToUtf8(std::u32string_view codePoints) {
  std::string out;
  for (char32_t cp : codePoints) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t before = i;
    if (DecodeOne(bytes, i) == kReplacement) {
      // A literal U+FFFD is three valid bytes; a malformed byte is one.
      if (i - before != 3) return false;
    }
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  // 0x80..0x9F differ from Latin-1; the five undefined bytes map to themselves.
  static constexpr std::array<char32_t, 32> kHigh{
      0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  std::u32string cps;
  cps.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    cps.push_back(b >= 0x80 && b < 0xA0 ? kHigh.at(b - 0x80) : char32_t{b});
  }
  return ToUtf8(cps);
}

int CharCount(std::string_view utf8) {
  int count = 0;
  for (std::size_t i = 0; i < utf8.size(); ++count) DecodeOne(utf8, i);
  return count;
}

std::string CharMid(std::string_view utf8, int start, int count) {
  if (count <= 0) return {};
  const std::size_t from = OffsetOf(utf8, start < 1 ? 1 : start);
  std::size_t to = from;
  for (int c = 0; c < count && to < utf8.size(); ++c) DecodeOne(utf8, to);
  return std::string(utf8.substr(from, to - from));
}

std::string CharLeft(std::string_view utf8, int count) { return CharMid(utf8, 1, count); }

std::string DropLastChar(std::string_view utf8) {
  const int count = CharCount(utf8);
  return count == 0 ? std::string() : CharLeft(utf8, count - 1);
}

int LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

bool SteersText(char32_t c) {
  // The direction marks turn a whole row around as the overrides do, and the
  // line and paragraph separators break it in two.
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C || c == 0x2028 ||
         c == 0x2029;
}

std::string ShownText(std::string_view utf8) {
  std::u32string text = ToCodePoints(utf8);
  std::erase_if(text, SteersText);
  return ToUtf8(text);
}

std::string FillIn(std::string pattern, std::initializer_list<std::string> values) {
  int n = 1;
  for (const std::string& value : values) {
    const std::string mark = "%" + std::to_string(n++);
    const std::size_t at = pattern.find(mark);
    if (at != std::string::npos) pattern.replace(at, mark.size(), value);
  }
  return pattern;
}

}  // namespace pyxaro
