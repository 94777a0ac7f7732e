#include "common/Money.hpp"

#include <cstdio>

std::string formatMoney(float amount)
{
    // Room for the largest float written out in full.
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(amount));
    return text;
}
