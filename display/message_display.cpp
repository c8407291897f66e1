#include "display/message_display.h"

#include <string>
#include <utility>

#include "core/text.h"
#include "display/display_pages.h"
#include "display/font.h"

namespace pyxaro {

namespace {

constexpr std::size_t kCells = 13;
static_assert(kCells * kGlyphDots == kDotCount);

}  // namespace

MessageDisplay::MessageDisplay(Host& host, const Languages& texts) : host_(host), texts_(texts) {}

void MessageDisplay::Say(const std::string& message) {
  beforeAside_.reset();
  // Every message starts on its first page, and a new one cuts off the
  // paging of the last with a fresh interval.
  view_.PageTimer.SetEnabled(false);
  view_.Said = message;
  pages_ = DisplayPages(message, kCells);
  page_ = 0;
  ++view_.MessagesSaid;
  ShowPage();
  if (pages_.size() > 1) view_.PageTimer.SetEnabled(true);
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
  if (page_ + 1 < pages_.size()) ++page_;
  ShowPage();
  // The page just drawn is the last: rest on it, no repeat.
  if (page_ + 1 >= pages_.size()) {
    view_.PageTimer.SetEnabled(false);
    page_ = 0;
  }
}

void MessageDisplay::ShowPage() {
  const std::u32string& page = pages_[page_];
  std::string pattern;
  pattern.reserve(kDotCount);
  for (std::size_t cell = 0; cell < kCells; ++cell) {
    pattern += GlyphDots(cell < page.size() ? page[cell] : U' ');
  }
  // The cells' glyphs one after the other: the display numbers its dots in
  // that order, a cell's columns left to right, each from the top row down.
  std::bitset<kDotCount> lit;
  for (std::size_t j = 0; j < lit.size(); ++j) lit[j] = pattern[j] == '1';
  view_.LitDots = lit;
}

void MessageDisplay::Reset() {
  page_ = 0;
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
