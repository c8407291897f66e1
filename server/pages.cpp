#include "server/pages.h"

#include <QCryptographicHash>
#include <QUrl>

namespace pyxaro {

namespace {

// Readable on a phone: one column, the table across the screen, and the
// numbers right-aligned so they compare at a glance. A name of twenty wide
// letters with no blank is broken where it must be, or it would push the
// points off a phone's screen; the month is never broken.
constexpr char kStyle[] =
    "body{font-family:sans-serif;line-height:1.4;max-width:40em;margin:0 auto;padding:0.5em}"
    "h1,a,.name{overflow-wrap:anywhere}"
    "table{border-collapse:collapse;width:100%}"
    "td:last-child{white-space:nowrap}"
    "th,td{padding:0.3em 0.5em;border-bottom:1px solid #ccc;text-align:left}"
    ".number{text-align:right}";

constexpr char kNoGames[] = "<p>No games yet.</p>";

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

}  // namespace

QByteArray ContentSecurityPolicy() {
  const QByteArray styleHash =
      QCryptographicHash::hash(kStyle, QCryptographicHash::Sha256).toBase64();
  return "default-src 'none'; style-src 'sha256-" + styleHash +
         "'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
}

QString MonthText(int month) {
  return QString("%1-%2").arg(2000 + month / 100).arg(month % 100, 2, 10, QChar('0'));
}

QString PlayerPath(const QString& name) {
  return "/player/" + QString::fromLatin1(QUrl::toPercentEncoding(name));
}

Reply HtmlPage(int status, const QString& title, const QString& body) {
  const QString page =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width\"><title>" +
      Escaped(title) + "</title><style>" + kStyle + "</style></head><body><h1>" + Escaped(title) +
      "</h1>\n" + body + "\n</body></html>\n";
  return {status, "text/html; charset=utf-8", page.toUtf8(), {}};
}

Reply MessagePage(int status, const QString& title, const QString& message) {
  return HtmlPage(status, title,
                  "<p>" + Escaped(message) + "</p><p><a href=\"/\">The lists</a></p>");
}

QString GamesTable(const std::vector<ListedGame>& games) {
  if (games.empty()) return kNoGames;
  QString table =
      "<table><tr><th class=\"number\">#</th><th>Name</th><th class=\"number\">Points</th>"
      "<th>Month</th></tr>\n";
  for (std::size_t row = 0; row < games.size(); ++row) {
    const ListedGame& game = games[row];
    table += QString(
                 "<tr><td class=\"number\">%1</td><td><a href=\"%2\">%3</a></td>"
                 "<td class=\"number\">%4</td><td>%5</td></tr>\n")
                 .arg(QString::number(row + 1), Escaped(PlayerPath(game.name)), Escaped(game.name),
                      QString::number(game.points), MonthText(game.month));
  }
  return table + "</table>";
}

QString DayGamesTable(const std::vector<DayListedGame>& games) {
  if (games.empty()) return kNoGames;
  QString table =
      "<table><tr><th class=\"number\">#</th><th>Name</th><th class=\"number\">Points</th>"
      "</tr>\n";
  for (std::size_t row = 0; row < games.size(); ++row) {
    table += QString(
                 "<tr><td class=\"number\">%1</td><td class=\"name\">%2</td>"
                 "<td class=\"number\">%3</td></tr>\n")
                 .arg(QString::number(row + 1), Escaped(games[row].name),
                      QString::number(games[row].points));
  }
  return table + "</table>";
}

}  // namespace pyxaro
