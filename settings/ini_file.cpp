#include "settings/ini_file.h"

#include <algorithm>
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

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// One byte of a name folded: ASCII capitals, and the Latin-1 capitals
// U+00C0..U+00DE (U+00D7 is the times sign) whose second byte follows lead
// 0xC3, each lower-case letter lying 0x20 above its capital. lead is the byte
// before, 0 when that byte was itself the second of a pair.
unsigned char FoldedByte(unsigned char lead, unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + ('a' - 'A'));
  if (lead == 0xC3 && c >= 0x80 && c <= 0x9E && c != 0x97)
    return static_cast<unsigned char>(c + 0x20);
  return c;
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
    return decoded;
  }
  decoded.text.reserve(bytes.size() + bytes.size() / 8);
  ForEachLine(bytes, [&](const RawLine& raw) {
    decoded.text +=
        IsValidUtf8(raw.content) ? std::string(raw.content) : Windows1252ToUtf8(raw.content);
    decoded.text += raw.ending;
  });
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
  unsigned char lead = 0;
  for (char& byte : folded) {
    const auto c = static_cast<unsigned char>(byte);
    byte = static_cast<char>(FoldedByte(lead, c));
    lead = lead == 0xC3 ? 0 : c;
  }
  return folded;
}

std::size_t Index::FoldedHash::operator()(std::string_view name) const {
  std::size_t hash = 14695981039346656037ULL;
  unsigned char lead = 0;
  for (const char byte : name) {
    const auto c = static_cast<unsigned char>(byte);
    hash = (hash ^ FoldedByte(lead, c)) * 1099511628211ULL;
    lead = lead == 0xC3 ? 0 : c;
  }
  return hash;
}

bool Index::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  unsigned char leadA = 0, leadB = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if (FoldedByte(leadA, ca) != FoldedByte(leadB, cb)) return false;
    leadA = leadA == 0xC3 ? 0 : ca;
    leadB = leadB == 0xC3 ? 0 : cb;
  }
  return true;
}

Index::Index(std::string text) : text_(std::make_unique<const std::string>(std::move(text))) {
  Section* current = nullptr;
  const char* start = text_->data();
  ForEachLine(*text_, [&](const RawLine& raw) {
    const auto first = raw.content.find_first_not_of(kBlanks);
    if (first == std::string_view::npos || raw.content[first] != '[') return;
    const Line line = ReadLine(raw.content);
    if (line.kind != LineKind::kSection) return;
    if (current != nullptr) {
      current->body =
          std::string_view(current->body.data(),
                           static_cast<std::size_t>(raw.content.data() - current->body.data()));
    }
    const char* bodyStart = raw.content.data() + raw.content.size() + raw.ending.size();
    const auto [entry, added] = sections_.try_emplace(line.name, Section{{bodyStart, 0}, {}});
    current = added ? &entry->second : nullptr;
  });
  if (current != nullptr) {
    current->body =
        std::string_view(current->body.data(),
                         static_cast<std::size_t>(start + text_->size() - current->body.data()));
  }
}

std::optional<std::string_view> Index::Find(std::string_view section, std::string_view key) const {
  const auto found = sections_.find(Trim(section));
  if (found == sections_.end()) return std::nullopt;
  std::optional<Keys>& keys = found->second.keys;
  if (!keys) {
    keys.emplace();
    const std::string_view body = found->second.body;
    keys->reserve(static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n')) + 1);
    ForEachLine(found->second.body, [&](const RawLine& raw) {
      const Line line = ReadLine(raw.content);
      if (line.kind == LineKind::kKey) keys->try_emplace(line.name, line.value);
    });
  }
  const auto value = keys->find(Trim(key));
  if (value == keys->end()) return std::nullopt;
  return value->second;
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

namespace {

// One line of a file as text, decoded only when it is not UTF-8 already.
class LineText {
 public:
  explicit LineText(std::string_view raw) : view_(raw) {
    if (!IsValidUtf8(raw)) {
      decoded_ = Windows1252ToUtf8(raw);
      view_ = decoded_;
    }
  }
  LineText(const LineText&) = delete;
  LineText& operator=(const LineText&) = delete;
  std::string_view View() const { return view_; }

 private:
  std::string decoded_;
  std::string_view view_;
};

struct WantedKey {
  std::string key;
  std::string value;
  std::size_t line = std::string_view::npos;  // the line that holds it now
};

struct WantedSection {
  std::string name;
  std::vector<WantedKey> keys;
  std::unordered_map<std::string, std::size_t> keyIndex;
  std::size_t header = std::string_view::npos;
  std::size_t lastKey = std::string_view::npos;  // new keys follow this line
};

// The changes grouped by section, in the order they were first named.
std::optional<std::vector<WantedSection>> Group(const std::vector<IniChange>& changes) {
  std::vector<WantedSection> sections;
  std::unordered_map<std::string, std::size_t> sectionIndex;
  for (const IniChange& change : changes) {
    if (!IsWritableSection(change.Section) || !IsWritableKey(change.Key)) return std::nullopt;
    const auto [s, newSection] =
        sectionIndex.try_emplace(FoldName(change.Section), sections.size());
    if (newSection) sections.push_back({std::string(Trim(change.Section)), {}, {}});
    WantedSection& section = sections[s->second];
    const auto [k, newKey] =
        section.keyIndex.try_emplace(FoldName(change.Key), section.keys.size());
    if (newKey) {
      section.keys.push_back({std::string(Trim(change.Key)), change.Value});
    } else {
      section.keys[k->second].value = change.Value;
    }
  }
  return sections;
}

// Finds where each wanted section and key stands: only the first section of
// a name counts, and in it only the first line of a key, as for reading.
void Locate(const std::vector<RawLine>& lines, std::vector<WantedSection>& sections) {
  std::unordered_map<std::string, std::size_t> sectionIndex;
  for (std::size_t s = 0; s < sections.size(); ++s)
    sectionIndex.emplace(FoldName(sections[s].name), s);
  std::unordered_set<std::string> seenSections;
  WantedSection* current = nullptr;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line raw = ReadLine(lines[i].content);
    if (raw.kind == LineKind::kOther || (raw.kind == LineKind::kKey && current == nullptr)) {
      continue;
    }
    const LineText text(lines[i].content);
    const std::string name = FoldName(ReadLine(text.View()).name);
    if (raw.kind == LineKind::kSection) {
      const bool first = seenSections.insert(name).second;
      const auto found = sectionIndex.find(name);
      current = first && found != sectionIndex.end() ? &sections[found->second] : nullptr;
      if (current != nullptr) current->header = current->lastKey = i;
      continue;
    }
    current->lastKey = i;
    const auto found = current->keyIndex.find(name);
    if (found == current->keyIndex.end()) continue;
    WantedKey& wanted = current->keys[found->second];
    if (wanted.line == std::string_view::npos) wanted.line = i;
  }
}

void AppendKeyLine(std::string& out, const WantedKey& wanted, std::string_view eol) {
  out += wanted.key;
  out += '=';
  out += QuoteValue(wanted.value);
  out += eol;
}

// Ends the text with a line ending and, unless its last line is blank, a
// blank line, so that a new section stands apart.
void EndWithBlankLine(std::string& out, std::string_view eol) {
  if (out.empty()) return;
  if (out.back() != '\n') out += eol;
  std::string_view text(out);
  text.remove_suffix(1);
  if (text.ends_with('\r')) text.remove_suffix(1);
  const auto newline = text.rfind('\n');
  const std::string_view last = newline == std::string_view::npos ? text : text.substr(newline + 1);
  if (!Trim(last).empty()) out += eol;
}

}  // namespace

std::optional<std::string> SetValues(std::string_view bytes,
                                     const std::vector<IniChange>& changes) {
  std::optional<std::vector<WantedSection>> sections = Group(changes);
  if (!sections) return std::nullopt;

  std::vector<RawLine> lines;
  ForEachLine(bytes, [&](const RawLine& raw) { lines.push_back(raw); });
  std::string_view eol = "\n";
  for (const RawLine& raw : lines) {
    if (!raw.ending.empty()) {
      eol = raw.ending;
      break;
    }
  }
  Locate(lines, *sections);

  std::unordered_map<std::size_t, const WantedKey*> replaced;
  std::unordered_map<std::size_t, const WantedSection*> extended;
  for (const WantedSection& section : *sections) {
    if (section.header == std::string_view::npos) continue;
    extended.emplace(section.lastKey, &section);
    for (const WantedKey& wanted : section.keys) {
      if (wanted.line != std::string_view::npos) replaced.emplace(wanted.line, &wanted);
    }
  }

  std::string out;
  out.reserve(bytes.size() + 64 * changes.size() + 64);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto found = replaced.find(i); found != replaced.end()) {
      // Keep the line's own spelling of the key and its spacing around "=".
      const LineText text(lines[i].content);
      const std::string_view content = text.View();
      auto valueStart = content.find_first_not_of(kBlanks, content.find('=') + 1);
      if (valueStart == std::string_view::npos) valueStart = content.size();
      out += content.substr(0, valueStart);
      out += QuoteValue(found->second->value);
    } else {
      out += lines[i].content;
    }
    out += lines[i].ending;
    if (const auto found = extended.find(i); found != extended.end()) {
      if (lines[i].ending.empty()) out += eol;
      for (const WantedKey& wanted : found->second->keys) {
        if (wanted.line == std::string_view::npos) AppendKeyLine(out, wanted, eol);
      }
    }
  }

  for (const WantedSection& section : *sections) {
    if (section.header != std::string_view::npos) continue;
    EndWithBlankLine(out, eol);
    out += '[';
    out += section.name;
    out += ']';
    out += eol;
    for (const WantedKey& wanted : section.keys) AppendKeyLine(out, wanted, eol);
  }
  return out;
}

std::optional<std::string> SetValue(std::string_view bytes, std::string_view section,
                                    std::string_view key, std::string_view value) {
  return SetValues(bytes, {{std::string(section), std::string(key), std::string(value)}});
}

std::vector<IniChange> Entries(std::string_view text) {
  std::optional<std::string_view> section;
  std::vector<IniChange> entries;
  ForEachLine(text, [&](const RawLine& raw) {
    const Line line = ReadLine(raw.content);
    if (line.kind == LineKind::kSection) section = line.name;
    if (section && line.kind == LineKind::kKey) {
      entries.push_back({std::string(*section), std::string(line.name), std::string(line.value)});
    }
  });
  return entries;
}

std::multiset<std::string> SecretValues(std::string_view text, const SecretKeys& secrets) {
  const std::string section = FoldName(secrets.Section);
  const std::string keyStart = FoldName(secrets.KeyStart);
  bool inSection = false;
  std::multiset<std::string> found;
  ForEachLine(text, [&](const RawLine& raw) {
    const Line line = ReadLine(raw.content);
    if (line.kind == LineKind::kSection) inSection = FoldName(line.name) == section;
    if (inSection && line.kind == LineKind::kKey && !line.value.empty() &&
        FoldName(line.name).starts_with(keyStart)) {
      found.emplace(line.value);
    }
  });
  return found;
}

}  // namespace pyxaro::ini
