#pragma once

// Registers the one-commodity screens of the trade home's holdings row, the position summary
// details and the commodity rules screen with the trading screen factory. Called once at
// start-up; main thread.
void registerPXTradeQuickScreens();
