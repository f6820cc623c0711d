#pragma once

// Tab captions that carry a count: "12=Sepet" is the title "Sepet" with the count 12.

#include <QString>

// A caption split into its count and title.
struct TSonuc {
    int sayi = 0;   // the count; 0 when the caption has none (or it is not a whole number)
    QString baslik; // the title, at most 100 characters
};

// Cut at the first "=": the part before it read as a whole number, the part after it the title.
// A caption without "=" is all title.
TSonuc parseCountCaption(const QString& caption);

// The caption for a count and a title: "12=Sepet".
QString countCaption(int count, const QString& title);
