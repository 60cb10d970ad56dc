#pragma once

namespace zolvaric {

// Intermediate values of the last fee lookup, kept for the reports.
struct InterpolationTrace
{
    double K1 = 0;  // cost key of the lower table row
    double H1V = 0; // the zone's "von" fee in the lower row
    double H1B = 0; // the zone's "bis" fee in the lower row
    double H1 = 0;  // fee of the lower row at the chosen rate
    double K2 = 0;  // cost key of the upper table row
    double H2V = 0;
    double H2B = 0;
    double H2 = 0;
    double D1 = 0;           // costs minus K1
    double D2 = 0;           // K2 minus K1
    double D3 = 0;           // H2 minus H1
    double Grundhonorar = 0; // the interpolated full fee, unrounded

    // Everything but Grundhonorar, as every lookup starts.
    void clearLookup()
    {
        const double fee = Grundhonorar;
        *this = InterpolationTrace{};
        Grundhonorar = fee;
    }
};

} // namespace zolvaric
