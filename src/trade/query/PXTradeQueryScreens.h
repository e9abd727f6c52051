#pragma once

// Registers the query screens with the trading screen factory; called once at start-up.
void registerPXTradeQueryScreens();
