#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "server/reply.h"
#include "server/score_store.h"

namespace pyxaro {

// The policy every answer is sent with: nothing may load or run but the
// pages' own style sheet.
QByteArray ContentSecurityPolicy();

// 2612 as "2026-12".
QString MonthText(int month);

// The address of a player's page, the name percent-encoded.
QString PlayerPath(const QString& name);

// An HTML page: the title as its heading, then the body, which is HTML
// already; every text from outside in it must be escaped by the caller.
Reply HtmlPage(int status, const QString& title, const QString& body);

// A short page that says one thing, escaped here.
Reply MessagePage(int status, const QString& title, const QString& message);

// The games as a table of rank, name, points and month, best first.
QString GamesTable(const std::vector<ListedGame>& games);

// The games of one day as a table of rank, name and points, best first.
QString DayGamesTable(const std::vector<DayListedGame>& games);

}  // namespace pyxaro
