#pragma once

// The text of a stock search: Turkish letters folded to plain ones and capitals, as the search
// box shows it; and the keys the server matches it against.

#include <QChar>
#include <QString>

// The character that stands for a typed one in the search box: ğ → g, ü → u, ş → s, ö → o,
// ç → c, Ğ → G, Ü → U, Ş → S, İ → I, Ö → O, Ç → C, ı → I; any other character as it is.
QChar foldSearchChar(QChar c);

// A text as the search box holds it: every character folded, then in capitals (i → I).
QString foldSearchText(const QString& text);

// A part code as the search compares codes: folded capitals with every character that is not a
// letter or a digit removed ("1K0 615-301.AA" → "1K0615301AA").
QString searchCodeKey(const QString& code);
