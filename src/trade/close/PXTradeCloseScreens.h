#pragma once
// Registers the transfer screens with the trading screen factory, so the trade home and the
// other trading screens can open them by class name. Called once at start-up.

void registerPXTradeCloseScreens();
