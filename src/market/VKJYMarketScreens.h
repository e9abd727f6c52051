#pragma once

// Registers the quote screen and the watch-list editor with the market list's screen factory.
// Called once at start-up.
void registerVKJYMarketScreens();
