#pragma once
// Hides passwords, tokens and keys in a request or reply body before it goes to the day log:
// the text value of every secret key (JSON members and XML elements alike, letter case
// ignored) becomes "******"; everything else stays byte for byte. Pure, any thread.

#include <string>

std::string maskTradeSecrets(const std::string& body);
