#include "display/message_display.h"

#include <string>
#include <utility>

#include "core/text.h"
#include "display/font.h"

namespace pyxaro {

namespace {

constexpr int kCells = 13;
static_assert(kCells * kGlyphDots == kDotCount);

}  // namespace

MessageDisplay::MessageDisplay(Host& host, const Languages& texts) : host_(host), texts_(texts) {}

void MessageDisplay::Say(const std::string& message) {
  beforeAside_.reset();
  // Every message starts on its first page, and a new one cuts off the
  // paging of the last with a fresh interval.
  view_.PageTimer.SetEnabled(false);
  view_.Said = message;
  pageStart_ = 1;
  ++view_.MessagesSaid;
  ShowPage();
  if (CharCount(view_.Said) > kCells) view_.PageTimer.SetEnabled(true);
}

void MessageDisplay::SayAside(const std::string& message) {
  std::optional<std::string> before = std::move(beforeAside_);
  if (!before) before = view_.Said;
  Say(message);
  beforeAside_ = std::move(before);
}

void MessageDisplay::EndAside() {
  if (!beforeAside_) return;
  const std::string before = std::move(*beforeAside_);
  Say(before);
}

void MessageDisplay::NextPage() {
  pageStart_ += kCells;
  ShowPage();
  // The page just drawn holds the last character: rest on it, no repeat.
  if (pageStart_ + kCells - 1 >= CharCount(view_.Said)) {
    view_.PageTimer.SetEnabled(false);
    pageStart_ = 1;
  }
}

void MessageDisplay::ShowPage() {
  const std::u32string page = ToCodePoints(CharMid(view_.Said, pageStart_, kCells));
  std::string pattern;
  pattern.reserve(kDotCount);
  for (std::size_t cell = 0; cell < static_cast<std::size_t>(kCells); ++cell) {
    pattern += GlyphDots(cell < page.size() ? page[cell] : U' ');
  }
  // The cells' glyphs one after the other: the display numbers its dots in
  // that order, a cell's columns left to right, each from the top row down.
  std::bitset<kDotCount> lit;
  for (std::size_t j = 0; j < lit.size(); ++j) lit[j] = pattern[j] == '1';
  view_.LitDots = lit;
}

void MessageDisplay::Reset() {
  pageStart_ = 1;
  // The message and its count outlive the window, as the dots do not.
  DisplayView fresh;
  fresh.Said = std::move(view_.Said);
  fresh.MessagesSaid = view_.MessagesSaid;
  view_ = std::move(fresh);
}

void MessageDisplay::PresentTexts() {
  if (!view_.ClockTold) view_.Clock.Caption = texts_.Text(text::kCaptionTime);
}

void MessageDisplay::Stop() {
  view_.PageTimer.SetEnabled(false);
  view_.ClockTimer.SetEnabled(false);
}

}  // namespace pyxaro
