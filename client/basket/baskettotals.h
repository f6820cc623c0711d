#pragma once

// The basket's totals over its selected lines, and the rules around them.

namespace vk {
class MemTable;
}

// SepetToplamHesapla: every running sum rounded after each addition; only lines whose SEC is 1.
struct BasketTotals {
    double toplam = 0;      // T, the sum of TUTAR
    double indirim = 0;     // I, the sum of INDIRIMTUTAR
    double araToplam = 0;   // N = T − I
    double vergi = 0;       // V, the sum of VERGITUTARI
    double genelToplam = 0; // G = N + V
    bool showIndirim = false; // the row shows only above 1
    bool showVergi = false;
};
BasketTotals SepetToplamHesapla(const vk::MemTable& sepet);

// SeciliSatirVarmi: the table is open and a line's SEC is 1.
bool SeciliSatirVarmi(const vk::MemTable& sepet);

// The basket grid's widths: weighted above 1152 screen pixels, best fit otherwise.
bool basketUsesWeights(int screenWidth);
