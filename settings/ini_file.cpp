#include "settings/ini_file.h"

#include <unordered_set>
#include <vector>

#include "core/text.h"

namespace pyxaro::ini {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string_view Unquote(std::string_view value) {
  const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                      (value.front() == '"' || value.front() == '\'');
  return quoted ? value.substr(1, value.size() - 2) : value;
}

struct RawLine {
  std::string_view content;
  std::string_view ending;  // "\r\n", "\n", or "" for a last line without one
};

template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto newline = text.find('\n', pos);
    if (newline == std::string_view::npos) {
      visit(RawLine{text.substr(pos), {}});
      return;
    }
    const bool crlf = newline > pos && text[newline - 1] == '\r';
    const std::size_t contentEnd = crlf ? newline - 1 : newline;
    visit(RawLine{text.substr(pos, contentEnd - pos),
                  text.substr(contentEnd, newline + 1 - contentEnd)});
    pos = newline + 1;
  }
}

std::string IndexKey(std::string_view section, std::string_view key) {
  // Names never hold a line break, so it cannot occur inside either part.
  std::string joined = FoldName(section);
  joined += '\n';
  joined += FoldName(key);
  return joined;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

DecodedText Decode(std::string_view bytes) {
  DecodedText decoded;
  if (bytes.starts_with(kByteOrderMark)) {
    decoded.hadBom = true;
    bytes.remove_prefix(kByteOrderMark.size());
  }
  if (IsValidUtf8(bytes)) {
    decoded.text = std::string(bytes);
  } else {
    decoded.wasLegacy = true;
    decoded.text = Windows1252ToUtf8(bytes);
  }
  return decoded;
}

Line ReadLine(std::string_view content) {
  const std::string_view body = Trim(content);
  if (body.empty() || body.front() == ';') return {};
  if (body.front() == '[') {
    // The last bracket closes, so a name may itself hold one.
    const auto close = body.rfind(']');
    if (close == std::string_view::npos) return {};
    return {LineKind::kSection, Trim(body.substr(1, close - 1)), {}};
  }
  const auto equals = body.find('=');
  if (equals == std::string_view::npos) return {};
  const std::string_view name = Trim(body.substr(0, equals));
  if (name.empty()) return {};
  return {LineKind::kKey, name, Unquote(Trim(body.substr(equals + 1)))};
}

std::string FoldName(std::string_view name) {
  std::string folded(Trim(name));
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto c = static_cast<unsigned char>(folded[i]);
    if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c + ('a' - 'A'));
    } else if (c == 0xC3 && i + 1 < folded.size()) {
      // U+00C0..U+00DE are the Latin-1 capitals (U+00D7 is the times sign);
      // each lower-case letter lies 0x20 above its capital.
      const auto next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97)
        folded[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    }
  }
  return folded;
}

Index::Index(std::string_view text) {
  std::unordered_set<std::string> seenSections;
  bool inUsableSection = false;
  std::string section;
  ForEachLine(text, [&](const RawLine& raw) {
    const Line line = ReadLine(raw.content);
    if (line.kind == LineKind::kSection) {
      section = std::string(line.name);
      inUsableSection = seenSections.insert(FoldName(section)).second;
    } else if (line.kind == LineKind::kKey && inUsableSection) {
      values_.try_emplace(IndexKey(section, line.name), line.value);
    }
  });
}

std::optional<std::string_view> Index::Find(std::string_view section, std::string_view key) const {
  const auto found = values_.find(IndexKey(section, key));
  if (found == values_.end()) return std::nullopt;
  return std::string_view(found->second);
}

bool IsWritableSection(std::string_view section) {
  return !Trim(section).empty() && !HasLineBreak(section);
}

bool IsWritableKey(std::string_view key) {
  const std::string_view name = Trim(key);
  return !name.empty() && !HasLineBreak(name) && name.find('=') == std::string_view::npos &&
         name.front() != ';' && name.front() != '[';
}

std::string QuoteValue(std::string_view value) {
  // A line break would end the line early and let the rest read as keys.
  std::string text(value);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  if (text.empty()) return text;
  const bool readingAlters = kBlanks.find(text.front()) != std::string_view::npos ||
                             kBlanks.find(text.back()) != std::string_view::npos ||
                             Unquote(text).size() != text.size();
  return readingAlters ? '"' + text + '"' : text;
}

std::optional<std::string> SetValue(std::string_view text, std::string_view section,
                                    std::string_view key, std::string_view value) {
  if (!IsWritableSection(section) || !IsWritableKey(key)) return std::nullopt;
  const std::string wantedSection = FoldName(section);
  const std::string wantedKey = FoldName(key);

  std::vector<RawLine> lines;
  ForEachLine(text, [&](const RawLine& raw) { lines.push_back(raw); });
  std::string_view eol = "\n";
  for (const RawLine& raw : lines) {
    if (!raw.ending.empty()) {
      eol = raw.ending;
      break;
    }
  }

  std::string keyLine(Trim(key));
  keyLine += '=';
  keyLine += QuoteValue(value);

  std::string out;
  out.reserve(text.size() + keyLine.size() + section.size() + 8);
  const auto copyLines = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
      out += lines[i].content;
      out += lines[i].ending;
    }
  };

  std::size_t header = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line line = ReadLine(lines[i].content);
    if (line.kind == LineKind::kSection && FoldName(line.name) == wantedSection) {
      header = i;
      break;
    }
  }

  if (header == lines.size()) {
    out = text;
    if (!lines.empty()) {
      if (lines.back().ending.empty()) out += eol;
      if (!Trim(lines.back().content).empty()) out += eol;  // a blank line between sections
    }
    out += '[';
    out += Trim(section);
    out += ']';
    out += eol;
    out += keyLine;
    out += eol;
    return out;
  }

  std::size_t lastKey = header;
  std::size_t match = lines.size();
  for (std::size_t i = header + 1; i < lines.size(); ++i) {
    const Line line = ReadLine(lines[i].content);
    if (line.kind == LineKind::kSection) break;
    if (line.kind != LineKind::kKey) continue;
    lastKey = i;
    if (match == lines.size() && FoldName(line.name) == wantedKey) match = i;
  }

  if (match != lines.size()) {
    // Keep the line's own spelling of the key and its spacing around "=".
    const std::string_view content = lines[match].content;
    auto valueStart = content.find_first_not_of(kBlanks, content.find('=') + 1);
    if (valueStart == std::string_view::npos) valueStart = content.size();
    copyLines(0, match);
    out += content.substr(0, valueStart);
    out += QuoteValue(value);
    out += lines[match].ending;
    copyLines(match + 1, lines.size());
    return out;
  }

  copyLines(0, lastKey + 1);
  if (lines[lastKey].ending.empty()) out += eol;
  out += keyLine;
  out += eol;
  copyLines(lastKey + 1, lines.size());
  return out;
}

}  // namespace pyxaro::ini
