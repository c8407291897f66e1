#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/forms.h"
#include "core/one_based.h"

namespace pyxaro {

inline constexpr int kNameLength = 20;

// Minutes and two-digit seconds; the minutes run on past 59 and never carry
// into hours.
std::string PlayTimeText(int seconds);

// The points of a stored row as a number: hand edits may leave a fraction,
// text or nothing at all, and those read as their whole part or 0.
int StoredPoints(std::string_view text);

// The row a total enters: the first whose points are lower, so an equal total
// stands below the older ones. 0 when every row holds at least as much.
int EntryRow(const OneBased<int, kTopTenRows>& points, int total);

// The name an answer to the prompt gives: without control and bidirectional
// override characters, at most 20 characters, and "Anonymous" for nothing.
std::string ListName(const std::optional<std::string>& answer);

std::string RowCaption(int row, const std::string& points, const std::string& name);
std::string RowToolTip(const std::string& lead, const std::string& points);
std::string FinalScoreText(const std::string& lead, int total, const std::string& playTime,
                           const std::string& playTimeLabel);

}  // namespace pyxaro
