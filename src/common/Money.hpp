#pragma once

#include <string>

// An amount of money as every screen and log shows it: fixed point, two decimals ("812.25").
std::string formatMoney(float amount);
