#pragma once

// Registers the trading service screens of this folder with PXTradeScreenFactory, so the trade
// home's menu can open them by class name. Called once by the client's main at start-up.

void registerPXTradeAccountScreens();
